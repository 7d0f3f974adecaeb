// The file browser's views and the print wizard's statement without their windows.

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Schema.h"
#include "app/ugFuncoes.h"
#include "workflows/ugConsulta.h"
#include "workflows/ugConsultaEmpregados.h"

#include "FixtureTabelas.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <tuple>

using namespace gdvorn;

namespace {

LinhaConsulta linha(const QVariantMap &m)
{
    return [m](const QString &campo) { return m.value(campo).toString(); };
}

} // namespace

class tst_ugConsulta : public QObject {
    Q_OBJECT

    std::unique_ptr<test::FixtureTabelas> m_t;

private slots:
    void initTestCase()
    {
        m_t = std::make_unique<test::FixtureTabelas>();
        m_t->insere(QStringLiteral("tb8desl"), {{"CoCausaDesligamento", "10"}, {"NoCausaDesligamento", "RESCISAO"}});
        m_t->insere(QStringLiteral("tb8afast"), {{"CoAfastamento", "10"}, {"NoAfastamento", "DOENCA"}});
        m_t->insere(QStringLiteral("tb8cbo"), {{"CoCbo", "521110"}, {"NoCbo", "VENDEDOR"}});
        m_t->insere(QStringLiteral("tb8nacio"), {{"CoNacionalidade", "10"}, {"NoNacionalidade", "BRASILEIRA"}});
        m_t->insere(QStringLiteral("tbdefi"), {{"CoTipoDeficiencia", "1"}, {"NoTipoDeficiencia", "FISICA"}});
        m_t->insere(QStringLiteral("tb8cnae"), {{"CoCnae", "4711302"}, {"NoCnae", "COMERCIO"}});
        m_t->insere(QStringLiteral("tb8natju"), {{"CoNaturezaJuridica", "2062"}, {"NoNaturezaJuridica", "LTDA"}});
    }
    void cleanupTestCase() { m_t.reset(); }

    void empregado_data()
    {
        QTest::addColumn<QVariantMap>("campos");
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("texto");
        QTest::newRow("not disabled") << QVariantMap{{"CoDeficienteFisico", "0"}} << "edDeficienteFisico" << "0 -  Não é deficiente";
        QTest::newRow("disabled") << QVariantMap{{"CoDeficienteFisico", "1"}} << "edDeficienteFisico" << "1 - FISICA";
        QTest::newRow("cause 00") << QVariantMap{{"CoCausaDesligamento", "00"}} << "edDesligamento" << "   ";
        QTest::newRow("cause found") << QVariantMap{{"CoCausaDesligamento", "10"}} << "edDesligamento" << "10 - RESCISAO";
        QTest::newRow("code not found") << QVariantMap{{"CoNacionalidade", "77"}} << "ednacionalidade" << "77";
        QTest::newRow("code found") << QVariantMap{{"CoNacionalidade", "10"}} << "ednacionalidade" << "10 - BRASILEIRA";
        QTest::newRow("cbo") << QVariantMap{{"CoCbo", "521110"}} << "edCBO" << "5211-10 - VENDEDOR";
        QTest::newRow("cbo not found") << QVariantMap{{"CoCbo", "999999"}} << "edCBO" << "999999";
        QTest::newRow("leave 00 code") << QVariantMap{{"CoMotivoPrimAfas", "00"}} << "dePrimCod" << "";
        QTest::newRow("leave 00 text") << QVariantMap{{"CoMotivoPrimAfas", "00"}} << "edTxPrimAfast" << "";
        QTest::newRow("leave text") << QVariantMap{{"CoMotivoSeguAfas", "10"}} << "edTxSegAfas" << "DOENCA";
        QTest::newRow("leave code") << QVariantMap{{"CoMotivoSeguAfas", "10"}} << "deSegCod" << "10";
        QTest::newRow("month 99") << QVariantMap{{"Me13ParcelaFinalEmpregado", "99"}} << "edFinal" << "99 - Totalização";
        QTest::newRow("month 00") << QVariantMap{{"Me13AdiantamentoEmpregado", "00"}} << "edAdiantamento" << "";
        QTest::newRow("empty birth date") << QVariantMap{} << "edDataNascimento" << "//";
        QTest::newRow("empty dismissal") << QVariantMap{{"DaDesligamentoEmpregado", "0000"}} << "edDataDesligamento" << "";
        QTest::newRow("dismissal") << QVariantMap{{"DaDesligamentoEmpregado", "1503"}} << "edDataDesligamento" << "15/03";
        QTest::newRow("sex 2") << QVariantMap{{"InSexo", "2"}} << "edSexo" << "F";
        QTest::newRow("sex not a number") << QVariantMap{{"InSexo", "X"}} << "edSexo" << " ";
        QTest::newRow("blank salary") << QVariantMap{} << "edSalarioContratual" << FormataValor9(QStringLiteral("000000000"));
        QTest::newRow("cpf") << QVariantMap{{"CoCpfEmpregado", "12345678909"}} << "edCPF" << "123.456.789-09";
        QTest::newRow("zero cpf") << QVariantMap{{"CoCpfEmpregado", "00000000000"}} << "edCPF" << "";
        QTest::newRow("zero cnpj") << QVariantMap{{"CoCNPJSindical", "00000000000000"}} << "edCNPJSindical" << "";
        QTest::newRow("hours 000") << QVariantMap{{"HoTrabalhadasMarco", "000"}} << "edHorasMarco" << "";
        QTest::newRow("work place zero") << QVariantMap{{"CoMunicipioTrabalho", "0000000"}} << "edLocalTrabalho" << "";
        QTest::newRow("work place") << QVariantMap{{"CoMunicipioTrabalho", "3550308"}} << "edLocalTrabalho" << "35-50308";
        QTest::newRow("empty admission") << QVariantMap{} << "edDataAdmissao" << "//";
        QTest::newRow("bank hours months 00") << QVariantMap{{"QtCompBcoHoras", "00"}} << "edCompetenciaHoras" << "";
        QTest::newRow("bank hours months") << QVariantMap{{"QtCompBcoHoras", "03"}} << "edCompetenciaHoras" << "03";
        QTest::newRow("blank termination amount") << QVariantMap{} << "edValorGlobalMultas" << FormataValor8(QStringLiteral("00000000"));
        QTest::newRow("holiday amount") << QVariantMap{{"VaGlobalFerias", "00123456"}} << "edValorGlobalFerias" << FormataValor8(QStringLiteral("00123456"));
    }
    void empregado()
    {
        QFETCH(QVariantMap, campos);
        QFETCH(QString, controle);
        QFETCH(QString, texto);
        const TextosConsulta t = MostraEmpregado(linha(campos), m_t->modulo());
        QVERIFY2(t.contains(controle), qPrintable(controle));
        QCOMPARE(t.value(controle), texto);
    }

    void estabelecimento_data()
    {
        QTest::addColumn<QVariantMap>("campos");
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("texto");
        QTest::newRow("anticipation") << QVariantMap{{"DaEncerramentoAtividade", "31012011"}} << "paInfo" << "Antecipação Ano-Base 2011";
        QTest::newRow("declaration") << QVariantMap{{"DaEncerramentoAtividade", "31122010"}} << "paInfo" << "Declaração Ano-Base 2010";
        QTest::newRow("without employees") << QVariantMap{{"InVornNegEstabelecimento", "1"}} << "paVorn" << "VORN sem Empregados";
        QTest::newRow("employees button off") << QVariantMap{{"InVornNegEstabelecimento", "1"}} << "bbEmpregados" << "0";
        QTest::newRow("count hidden") << QVariantMap{{"InVornNegEstabelecimento", "1"}, {"NuVinculosEstabelecimento", "000012"}}
                                      << "edTotalVinculos" << "";
        QTest::newRow("count") << QVariantMap{{"InVornNegEstabelecimento", "0"}, {"NuVinculosEstabelecimento", "000012"}}
                               << "edTotalVinculos" << "12";
        QTest::newRow("zero linked CEI") << QVariantMap{{"CoCgcVinculado", "00000000000000"}} << "edCGCVinculado" << "";
        QTest::newRow("small and simple") << QVariantMap{{"InPorte", "1"}, {"InOptanteSimples", "1"}} << "paTipoEmpresa"
                                          << "Microempresa e Opta pelo Simples";
        QTest::newRow("closed") << QVariantMap{{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "31012011"}}
                                << "paEncerrou" << "Encerrou as Atividades: 31/01/2011";
        QTest::newRow("telephone") << QVariantMap{{"NuDDD", "011"}, {"NuTelefone", "32345678"}} << "edTelefone" << "(11)3234-5678";
        QTest::newRow("telephone without DDD") << QVariantMap{{"NuDDD", "00"}, {"NuTelefone", "32345678"}} << "edTelefone" << "3234-5678";
        QTest::newRow("cnae") << QVariantMap{{"CoCnae2", "4711302"}} << "edCNAE" << "4711-30/2- COMERCIO";
        QTest::newRow("cnae not found") << QVariantMap{{"CoCnae2", "1111111"}} << "edCNAE" << "1111-11/1";
        QTest::newRow("legal nature") << QVariantMap{{"CoNaturezaJuridica", "2062"}} << "edNatJuridica" << "206-2- LTDA";
        QTest::newRow("cep") << QVariantMap{{"CoCepEstabelecimento", "01001000"}} << "edCEP" << "01001-000";
        QTest::newRow("zero number") << QVariantMap{{"NuEnderecoEstabelecimento", "000000"}} << "edNumero" << "";
    }
    void estabelecimento()
    {
        QFETCH(QVariantMap, campos);
        QFETCH(QString, controle);
        QFETCH(QString, texto);
        const TextosConsulta t = MostraEstabelecimento(linha(campos), m_t->modulo(), 2010);
        QVERIFY2(t.contains(controle), qPrintable(controle));
        QCOMPARE(t.value(controle), texto);
    }

    // The summary page: the inscription formatted only for types 1, 3 and 4, the telephone, the zero
    // rectification date and CREA shown empty.
    void responsavel_data()
    {
        QTest::addColumn<QVariantMap>("campos");
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cnpj") << QVariantMap{{"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"}} << "edInscricao"
                              << "11.222.333/0001-81";
        QTest::newRow("cpf") << QVariantMap{{"CoCgcCeiResponsavel", "12345678909"}, {"InInscrResponsavel", "4"}} << "edInscricao"
                             << "123.456.789-09";
        QTest::newRow("type 2 unformatted") << QVariantMap{{"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "2"}}
                                            << "edInscricao" << "11222333000181";
        QTest::newRow("telephone") << QVariantMap{{"NuFoneDDD", "61"}, {"NuFoneAssinante", "32345678"}} << "edTelefoneContato"
                                   << "(61)3234-5678";
        QTest::newRow("zero DDD") << QVariantMap{{"NuFoneDDD", "00"}, {"NuFoneAssinante", "32345678"}} << "edTelefoneContato"
                                  << "3234-5678";
        QTest::newRow("zero number") << QVariantMap{{"NuFoneDDD", "61"}, {"NuFoneAssinante", "00000000"}} << "edTelefoneContato" << "(61)";
        QTest::newRow("street number") << QVariantMap{{"NuLogradouroRespArquivo", "000123"}} << "edNumeroResponsavel" << "123";
        QTest::newRow("state upper case") << QVariantMap{{"SgUfRespArquivo", "sp"}} << "edUF" << "SP";
        QTest::newRow("zero CREA") << QVariantMap{{"CoCrea", "000000000000"}} << "edCoCrea" << "";
        QTest::newRow("CREA") << QVariantMap{{"CoCrea", "192345678901"}} << "edCoCrea" << "192345678901";
        QTest::newRow("zero rectification date") << QVariantMap{{"DaRetificacao", "00000000"}} << "mdDataRetificacao" << "";
        QTest::newRow("rectification date") << QVariantMap{{"DaRetificacao", "10012011"}} << "mdDataRetificacao" << "10012011";
        QTest::newRow("rectification") << QVariantMap{{"InRetificacao", "True"}} << "ckRetificacao" << "1";
        QTest::newRow("no rectification") << QVariantMap{{"InRetificacao", "False"}} << "ckRetificacao" << "0";
    }
    void responsavel()
    {
        QFETCH(QVariantMap, campos);
        QFETCH(QString, controle);
        QFETCH(QString, texto);
        const TextosConsulta t = MostraResponsavel(linha(campos));
        QVERIFY2(t.contains(controle), qPrintable(controle));
        QCOMPARE(t.value(controle), texto);
    }

    // The ticked keys select: "Total" every link of the ticked establishments (one without links
    // printed once with blank links), "Parcial" exactly the ticked links, names compared whole.
    void consultaRelatorio()
    {
        try {
            consulta();
        } catch (const std::exception &e) {
            QFAIL(e.what());
        }
    }
    // The employee list of one establishment: a blank prefix lists the blank-prefix links only; by
    // PIS/PASEP or by name.
    void consultaEmpregados()
    {
        const QVariantMap base{{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "77888999000155"}, {"DaAdmissaoEmpregado", "01012005"}};
        auto v = [&](const char *pref, const char *pis, const char *nome) {
            QVariantMap m = base;
            m[QStringLiteral("NuPrefixoEstabelecimento")] = QLatin1String(pref);
            m[QStringLiteral("CoPisPasepEmpregado")] = QLatin1String(pis);
            m[QStringLiteral("NoEmpregado")] = QLatin1String(nome);
            m_t->insere(QStringLiteral("bd8vinc"), m);
        };
        v("", "12345678902", "ANA");
        v("", "12345678901", "BRUNO");
        v("01", "12345678900", "CARLA");
        TModeloEmpregados modelo;
        for (const auto &[ordem, esperado] : {std::pair{"1", QStringList{"BRUNO", "ANA"}}, {"2", QStringList{"ANA", "BRUNO"}}}) {
            modelo.Monta(QStringLiteral("bd8vinc"), QStringLiteral("2010"), QStringLiteral("77888999000155"), QString(),
                         QLatin1String(ordem));
            QStringList nomes;
            for (int r = 0; r < modelo.rowCount(); ++r)
                nomes << modelo.index(r, 2).data().toString();
            QCOMPARE(nomes, esperado);
            QCOMPARE(modelo.Chave(0).size(), 11);
            QCOMPARE(modelo.Chave(0).at(5), esperado.first());
            QCOMPARE(modelo.Chave(2), QStringList());
        }
    }

    // Every link of the establishment in the list's order however the rows are reached: walked down, walked
    // up, or jumped to at random; a PIS/PASEP repeated with other admissions and names repeated, so the
    // order's later fields decide; the walk down reads each page once.
    void empregadosPorPaginas_data()
    {
        QTest::addColumn<QString>("ordem");
        QTest::addColumn<QString>("caminho");
        for (const char *ordem : {"1", "2"})
            for (const char *caminho : {"down", "up", "jumps"})
                QTest::addRow("order %s, %s", ordem, caminho) << QString::fromLatin1(ordem) << QString::fromLatin1(caminho);
    }
    void empregadosPorPaginas()
    {
        QFETCH(QString, ordem);
        QFETCH(QString, caminho);
        const QString inscricao = QStringLiteral("44555666000177");
        const int total = 1000;
        struct Vinculo {
            QString pis, admissao, nome;
        };
        QList<Vinculo> vinculos;
        static bool inseridos = false;
        QList<QVariantMap> linhas;
        for (int i = 0; i < total; ++i) {
            Vinculo v{QString::number(10000000000LL + (i * 37) % 300), QStringLiteral("0101200") + QString::number(i / 300),
                      QStringLiteral("NOME %1").arg((i * 7) % 50, 2, 10, QLatin1Char('0'))};
            vinculos << v;
            linhas << QVariantMap{{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", inscricao}, {"NuPrefixoEstabelecimento", "02"},
                                  {"CoPisPasepEmpregado", v.pis}, {"DaAdmissaoEmpregado", v.admissao}, {"NoEmpregado", v.nome}};
        }
        if (!std::exchange(inseridos, true))
            m_t->insere(QStringLiteral("bd8vinc"), linhas);
        std::sort(vinculos.begin(), vinculos.end(), [&](const Vinculo &a, const Vinculo &b) {
            return ordem == QLatin1String("2") ? std::tie(a.nome, a.pis, a.admissao) < std::tie(b.nome, b.pis, b.admissao)
                                               : std::tie(a.pis, a.admissao, a.nome) < std::tie(b.pis, b.admissao, b.nome);
        });

        TModeloEmpregados modelo(nullptr, 7);
        modelo.Monta(QStringLiteral("bd8vinc"), QStringLiteral("2010"), inscricao, QStringLiteral("02"), ordem);
        QCOMPARE(modelo.rowCount(), total);
        QList<int> linhasVistas;
        for (int r = 0; r < total; ++r)
            linhasVistas << (caminho == QLatin1String("up") ? total - 1 - r : r);
        if (caminho == QLatin1String("jumps")) {
            QRandomGenerator gerador(47);
            std::shuffle(linhasVistas.begin(), linhasVistas.end(), gerador);
        }
        for (int r : linhasVistas) {
            const Vinculo &v = vinculos.at(r);
            const QString lido = modelo.index(r, 0).data().toString() + u'|' + modelo.index(r, 1).data().toString() + u'|' +
                                 modelo.index(r, 2).data().toString();
            QCOMPARE(lido, v.pis + u'|' + v.admissao + u'|' + v.nome);
            QCOMPARE(modelo.Chave(r).mid(3, 3), (QStringList{v.pis, v.admissao, v.nome}));
        }
        if (caminho != QLatin1String("jumps"))
            QCOMPARE(modelo.PaginasLidas(), (total + 6) / 7);
    }

    // The selection page's employee lines: at most `limite`, and whether more are left, at the boundary;
    // each line with its 11-field key.
    void empregadosRelatorio()
    {
        const QStringList estab{"2010", "55666777000188", "03"};
        for (const char *pis : {"10000000001", "10000000002", "10000000003"})
            m_t->insere(QStringLiteral("bd8vinc"), QVariantMap{{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", estab.at(1)},
                                                                {"NuPrefixoEstabelecimento", estab.at(2)},
                                                                {"CoPisPasepEmpregado", pis}, {"NoEmpregado", "X"}});
        bool demais = true;
        QCOMPARE(EmpregadosRelatorio(QStringLiteral("bd8vinc"), estab, 0, 3, demais).size(), 3);
        QVERIFY(!demais);
        const QList<ItemRelatorio> dois = EmpregadosRelatorio(QStringLiteral("bd8vinc"), estab, 0, 2, demais);
        QCOMPARE(dois.size(), 2);
        QVERIFY(demais);
        QCOMPARE(dois.first().Chave.size(), 11);
        QCOMPARE(dois.first().Chave.mid(0, 4), (QStringList{"2010", "55666777000188", "03", "10000000001"}));
        QVERIFY(dois.first().Texto.startsWith(QStringLiteral("100.00000.00.1  ")));
    }

private:
    void consulta()
    {
        for (const char *t : {"te8emp", "te8vinc", "te8resp"})
            createTable(Schema::require(QLatin1String(t)));
        const QString longo = QStringLiteral("MARIA D'AVILA DOS SANTOS PEREIRA DE ALBUQUERQUE NETA");
        QCOMPARE(longo.size(), 52);
        auto emp = [&](const char *insc, const char *pref) {
            m_t->insere(QStringLiteral("te8emp"), {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", insc}, {"NuPrefixoEstabelecimento", pref}});
        };
        emp("11222333000181", "");
        emp("11222333000181", "01");
        emp("44555666000177", "00");
        QList<QStringList> chaves;
        auto vinc = [&](const char *pref, const char *pis, const QString &nome) {
            const QVariantMap m{{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", pref},
                                {"CoPisPasepEmpregado", pis}, {"DaAdmissaoEmpregado", "01012005"}, {"NoEmpregado", nome}};
            m_t->insere(QStringLiteral("te8vinc"), m);
            QStringList k;
            for (const char *c : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoPisPasepEmpregado",
                                  "DaAdmissaoEmpregado", "NoEmpregado", "NuSequencialRegistro", "CoCgcVinculado",
                                  "InInscrEstabelecimento", "DaDesligamentoEmpregado", "CoCbo"})
                k << m.value(QLatin1String(c)).toString();
            chaves << k;
        };
        vinc("", "12345678901", QStringLiteral("ANA"));
        vinc("", "00000000000", longo);
        vinc("", "00000000000", longo.left(30) + QStringLiteral("OUTRA"));
        vinc("01", "12345678902", QStringLiteral("BIA"));
        const QList<QStringList> todas{{"2010", "11222333000181", ""}, {"2010", "11222333000181", "01"}, {"2010", "44555666000177", "00"}};
        auto linhas = [](Query &q) {
            QStringList r;
            for (q.Open(); !q.Eof(); q.Next())
                r << q.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString() + QLatin1Char('|') +
                         q.FieldByName(QStringLiteral("NoEmpregado")).AsString();
            q.Close();
            return r;
        };
        Query q;
        MontaConsultaRelatorio(q, QStringLiteral("te8resp"), QStringLiteral("te8emp"), QStringLiteral("te8vinc"),
                               QStringLiteral("2010"), 1, todas, {}, false);
        QCOMPARE(linhas(q), (QStringList{"|ANA", "|" + longo.left(30) + "OUTRA", "|" + longo, "01|BIA", "00|"}));
        MontaConsultaRelatorio(q, QStringLiteral("te8resp"), QStringLiteral("te8emp"), QStringLiteral("te8vinc"),
                               QStringLiteral("2010"), 0, {todas.at(0)}, {chaves.at(0), chaves.at(1)}, true);
        QCOMPARE(linhas(q), (QStringList{"|" + longo, "|ANA"}));
    }
};

QTEST_GUILESS_MAIN(tst_ugConsulta)
#include "tst_ugConsulta.moc"
