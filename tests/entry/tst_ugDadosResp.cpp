// The responsible person's checks on the BD8RESP row: the inscription by number and type, the street
// number, the telephone pair and the municipality.

#include "app/base/Table.h"
#include "entry/ugDadosResp.h"

#include "ProgramaTeste.h"

#include <QtTest>

using namespace gdvorn;

Q_DECLARE_METATYPE(gdvorn::FocoResp)

class tst_ugDadosResp : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_programa = std::make_unique<test::ProgramaTeste>();
        m_resp = std::make_unique<Table>(QStringLiteral("bd8resp"));
        m_resp->Open();
        m_resp->Edit(); // the empty table gets its row
    }
    void cleanup()
    {
        m_resp.reset();
        m_programa.reset();
    }

    void inscricao_data();
    void inscricao();
    void semTipo();
    void numeroDaRua();
    void complementoComONumeroDado();
    void telefonesVazios();
    void municipio_data();
    void municipio();

private:
    QString campo(const char *nome) { return m_resp->FieldByName(QLatin1String(nome)).AsString(); }
    void grava(const char *nome, const QString &v) { m_resp->FieldByName(QLatin1String(nome)).setAsString(v); }
    std::unique_ptr<test::ProgramaTeste> m_programa;
    std::unique_ptr<Table> m_resp;
};

void tst_ugDadosResp::inscricao_data()
{
    QTest::addColumn<QString>("digitos");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<FocoResp>("foco");
    QTest::addColumn<QString>("guardada");
    QTest::addColumn<QString>("texto");   // shown in the edit ("-" leaves it)
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<QString>("genero");  // the kind edit ("-" leaves it)

    const auto ok = FocoResp::TipoInscricao; // where a passing check would have sent a failure
    QTest::newRow("cnpj") << "11222333000181" << "1" << "0000" << ok << "11222333000181" << "11222333000181"
                          << kMascaraCnpj << "CNPJ";
    QTest::newRow("cei of 12") << "001000000009" << "3" << "0000" << ok << "00001000000009" << "001000000009"
                               << kMascaraCei << "CEI";
    QTest::newRow("cpf of 11") << "52998224725" << "4" << "0000" << ok << "00052998224725" << "52998224725"
                               << kMascaraCpf << "CPF";
    QTest::newRow("cpf under cnpj type") << "52998224725" << "1" << "0131" << FocoResp::TipoInscricao
                                         << "00052998224725" << "52998224725" << kMascaraCpf << "CPF";
    QTest::newRow("cnpj short of 14") << "1222333000128" << "1" << "1003" << FocoResp::Inscricao << "" << "-"
                                      << "" << "";
    QTest::newRow("cei typed with 14") << "00000100000002" << "3" << "1004" << FocoResp::Inscricao << "" << "-"
                                       << "" << "";
    QTest::newRow("neither") << "12345678901234" << "1" << "0054" << FocoResp::Inscricao << "" << "-" << ""
                             << "";
    QTest::newRow("both, cnpj type") << "00100009000174" << "1" << "0000" << ok << "00100009000174"
                                     << "00100009000174" << kMascaraCnpj << "CNPJ";
    QTest::newRow("both, cei type") << "00100009000174" << "3" << "0000" << ok << "00100009000174"
                                    << "100009000174" << kMascaraCei << "CEI";
    QTest::newRow("both of 12, cnpj type") << "100009000174" << "1" << "0000" << ok << "00100009000174"
                                           << "00100009000174" << kMascaraCnpj << "CNPJ";
}

void tst_ugDadosResp::inscricao()
{
    QFETCH(QString, digitos);
    QFETCH(QString, tipo);
    QFETCH(QString, codigo);
    QFETCH(FocoResp, foco);
    QFETCH(QString, guardada);
    QFETCH(QString, texto);
    QFETCH(QString, mascara);
    QFETCH(QString, genero);
    grava("InInscrResponsavel", tipo);
    InscricaoMostrada m;
    const ResultadoResp r = ConfereInscricaoResp(digitos, *m_resp, m);
    QCOMPARE(r.codigo, codigo);
    QCOMPARE(r.para, codigo != QLatin1String("0000"));
    if (r.para)
        QCOMPARE(r.foco, foco);
    QCOMPARE(campo("CoCgcCeiResponsavel"), guardada);
    if (texto == QLatin1String("-")) {
        QVERIFY(!m.muda);
        QVERIFY(m.limpaTipo);
    } else {
        QVERIFY(m.muda);
        QCOMPARE(m.texto, texto);
        QCOMPARE(m.mascara, mascara);
        QCOMPARE(m.tipo, genero);
    }

    // What the form shows the next time.
    if (!r.para) {
        const InscricaoMostrada exibida = ExibeInscricaoResp(*m_resp);
        QCOMPARE(exibida.tipo, tipo == QLatin1String("1") ? QStringLiteral("CNPJ")
                               : tipo == QLatin1String("3") ? QStringLiteral("CEI")
                                                            : QStringLiteral("CPF"));
    }
}

void tst_ugDadosResp::semTipo()
{
    QCOMPARE(TipoInscricaoPreenchido(*m_resp).codigo, QStringLiteral("0049"));
    QCOMPARE(TipoInscricaoPreenchido(*m_resp).foco, FocoResp::TipoInscricao);
    grava("InInscrResponsavel", QStringLiteral("3"));
    QVERIFY(TipoInscricaoPreenchido(*m_resp).passou());
}

void tst_ugDadosResp::numeroDaRua()
{
    grava("NuLogradouroRespArquivo", QStringLiteral("0012"));
    QVERIFY(ConfereNumeroResp(*m_resp).passou());
    QCOMPARE(campo("NuLogradouroRespArquivo"), QStringLiteral("12"));
    QCOMPARE(NumeroGravadoResp(QStringLiteral("12")), QStringLiteral("000012"));
    QCOMPARE(NumeroMostradoResp(QStringLiteral("000012")), QStringLiteral("12"));
    grava("TxComplementoRespArquivo", QStringLiteral("SALA 2"));
    QVERIFY(ConfereComplementoResp(*m_resp, campo("NuLogradouroRespArquivo")).passou());
}

void tst_ugDadosResp::complementoComONumeroDado()
{
    // The complement is judged with the number it is given, whatever number was checked before it.
    grava("NuLogradouroRespArquivo", QStringLiteral("12"));
    QVERIFY(ConfereNumeroResp(*m_resp).passou());
    const ResultadoResp semNumero = ConfereComplementoResp(*m_resp, QString());
    QCOMPARE(semNumero.codigo, QStringLiteral("0120"));
    QCOMPARE(semNumero.foco, FocoResp::Complemento);
    grava("NuLogradouroRespArquivo", QString());
    QVERIFY(ConfereNumeroResp(*m_resp).passou());
    QVERIFY(ConfereComplementoResp(*m_resp, QStringLiteral("12")).passou());
}

void tst_ugDadosResp::telefonesVazios()
{
    // The number's own check runs before the pair's: an empty number is refused there.
    ResultadoResp r = ConfereTelefoneResp(*m_resp);
    QCOMPARE(r.codigo, QStringLiteral("3674"));
    QCOMPARE(r.foco, FocoResp::Telefone);
    grava("NuFoneDDD", QStringLiteral("11"));
    grava("NuFoneAssinante", QStringLiteral("32345678"));
    QVERIFY(ConfereTelefoneResp(*m_resp).passou());
}

void tst_ugDadosResp::municipio_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("cep");
    QTest::addColumn<bool>("passa");
    QTest::addColumn<FocoResp>("foco");
    QTest::addColumn<QString>("nome");
    QTest::newRow("valid") << "3550308" << "01001000" << true << FocoResp::Campo << "SÃO PAULO";
    QTest::newRow("unknown code") << "9999999" << "01001000" << false << FocoResp::Municipio << "";
    QTest::newRow("cep of another state") << "3550308" << "69900000" << false << FocoResp::Cep << "SÃO PAULO";
}

void tst_ugDadosResp::municipio()
{
    QFETCH(QString, codigo);
    QFETCH(QString, cep);
    QFETCH(bool, passa);
    QFETCH(FocoResp, foco);
    QFETCH(QString, nome);
    grava("NoMunicipioRespArquivo", QStringLiteral("ANTIGO"));
    grava("SgUfRespArquivo", QStringLiteral("XX"));
    grava("CoMunicipioRespArquivo", codigo);
    grava("CoCepRespArquivo", cep);
    const ResultadoResp r = ConfereMunicipioResp(*m_resp);
    QCOMPARE(r.passou(), passa);
    if (!passa)
        QCOMPARE(r.foco, foco);
    QCOMPARE(campo("NoMunicipioRespArquivo"), nome);
    QCOMPARE(campo("SgUfRespArquivo").isEmpty(), nome.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ugDadosResp)
#include "tst_ugDadosResp.moc"
