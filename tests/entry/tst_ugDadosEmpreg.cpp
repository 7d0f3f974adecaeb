// The writes of the link form without widgets: the link and the establishment's counts stored together
// or not at all, the recount for other windows, the delete, and the 13th-salary plausibility test.

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Table.h"
#include "entry/ugDadosEmpreg.h"

#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("11222333000181");
const QString kPrefixo = QStringLiteral("01");
const ChaveEstabelecimento kChave{kAno, kCnpj, kPrefixo};

// A new link of the establishment in insert state on `t`.
void novoVinculo(Table &t, const QString &pis, const QString &nacionalidade = QStringLiteral("10"))
{
    t.Open();
    t.Append();
    const QVariantMap c{{"AnBase", kAno},
                        {"CoCgcCeiEstabelecimento", kCnpj},
                        {"NuPrefixoEstabelecimento", kPrefixo},
                        {"CoPisPasepEmpregado", pis},
                        {"NoEmpregado", "FULANO"},
                        {"DaAdmissaoEmpregado", "01022009"},
                        {"InInscrEstabelecimento", "1"},
                        {"CoCgcVinculado", "00000000000000"},
                        {"CoNacionalidade", nacionalidade}};
    for (auto it = c.begin(); it != c.end(); ++it)
        t.FieldByName(it.key()).setAsString(it.value().toString());
}

bool posiciona(Table &empresa)
{
    empresa.Open();
    return empresa.FindKey({kAno, kCnpj, kPrefixo});
}

} // namespace

class tst_ugDadosEmpreg : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramaTeste> programa;

private slots:
    void init()
    {
        programa = std::make_unique<ProgramaTeste>();
        gravaEstab(kAno, kCnpj, kPrefixo, QStringLiteral("EMPRESA"),
                   {{"NuVinculosEstabelecimento", "000000"}, {"NuEstrangeirosEstabelec", "00000"}});
    }
    void cleanup() { programa.reset(); }

    void gravaVinculoEContagens()
    {
        gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000001"), QStringLiteral("ESTRANGEIRO"),
                     {{"CoNacionalidade", "21"}});
        // Another prefix and another year do not count.
        gravaVinculo(kAno, kCnpj, QStringLiteral("02"), QStringLiteral("10000000002"), QStringLiteral("OUTRO"));
        gravaVinculo(QStringLiteral("2009"), kCnpj, kPrefixo, QStringLiteral("10000000003"), QStringLiteral("OUTRO"));
        Table vinculo(QStringLiteral("bd8vinc"));
        Table empresa(QStringLiteral("bd8emp"));
        QVERIFY(posiciona(empresa));
        novoVinculo(vinculo, QStringLiteral("10000000004"));
        const ContagemVinculos c = GravaVinculoEContagem(vinculo, empresa, kChave);
        QCOMPARE(c.vinculos, 2);
        QCOMPARE(c.estrangeiros, 1);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000002"));
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuEstrangeirosEstabelec")), QStringLiteral("00001"));
        QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 2);
    }

    void chaveDuplicadaNaoGravaNadaEMantemALinha()
    {
        gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000001"), QStringLiteral("FULANO"));
        Table vinculo(QStringLiteral("bd8vinc"));
        Table empresa(QStringLiteral("bd8emp"));
        QVERIFY(posiciona(empresa));
        novoVinculo(vinculo, QStringLiteral("10000000001"));
        QVERIFY_THROWS_EXCEPTION(KeyViolation, GravaVinculoEContagem(vinculo, empresa, kChave));
        QCOMPARE(vinculo.State(), DataSetState::Insert);
        QCOMPARE(vinculo.FieldByName(QStringLiteral("NoEmpregado")).AsString(), QStringLiteral("FULANO"));
        QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 1);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000000"));
    }

    void falhaNasContagensDesfazOVinculo()
    {
        // The establishment's row refuses the update: the link posted before it must go too.
        QSqlQuery q(database());
        QVERIFY2(q.exec(QStringLiteral("CREATE TEMP TRIGGER recusa BEFORE UPDATE ON bd8emp.bd8emp "
                                       "BEGIN SELECT RAISE(ABORT, 'recusada'); END")),
                 qPrintable(q.lastError().text()));
        Table vinculo(QStringLiteral("bd8vinc"));
        Table empresa(QStringLiteral("bd8emp"));
        QVERIFY(posiciona(empresa));
        novoVinculo(vinculo, QStringLiteral("10000000004"));
        QVERIFY_THROWS_EXCEPTION(EngineError, GravaVinculoEContagem(vinculo, empresa, kChave));
        QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 0);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000000"));
    }

    void excluiVinculoEContagens()
    {
        gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000001"), QStringLiteral("FULANO"));
        Table vinculo(QStringLiteral("bd8vinc"));
        Table empresa(QStringLiteral("bd8emp"));
        QVERIFY(posiciona(empresa));
        vinculo.Open();
        QVERIFY(vinculo.FindKey({kAno, kCnpj, kPrefixo, QStringLiteral("10000000001")}));
        vinculo.Edit();
        vinculo.FieldByName(QStringLiteral("NoEmpregado")).setAsString(QStringLiteral("MUDADO"));
        const ContagemVinculos c = ExcluiVinculoEContagem(vinculo, empresa, kChave);
        QCOMPARE(c.vinculos, 0);
        QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 0);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000000"));

        // A row being inserted is only dropped.
        gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000002"), QStringLiteral("FICA"));
        novoVinculo(vinculo, QStringLiteral("10000000003"));
        QCOMPARE(ExcluiVinculoEContagem(vinculo, empresa, kChave).vinculos, 1);
        QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 1);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000001"));
    }

    void contagensNaLinhaDaChaveOndeQuerQueOCursorEsteja()
    {
        // The shared establishment cursor stands on another establishment of the year (a list walked it
        // there): the counts still go to the link's own establishment, and the other row keeps its own.
        const QString outro = QStringLiteral("02");
        gravaEstab(kAno, kCnpj, outro, QStringLiteral("OUTRA"),
                   {{"NuVinculosEstabelecimento", "000007"}, {"NuEstrangeirosEstabelec", "00003"}});
        Table vinculo(QStringLiteral("bd8vinc"));
        Table empresa(QStringLiteral("bd8emp"));
        empresa.Open();
        QVERIFY(empresa.FindKey({kAno, kCnpj, outro}));
        novoVinculo(vinculo, QStringLiteral("10000000004"), QStringLiteral("21"));
        const ContagemVinculos c = GravaVinculoEContagem(vinculo, empresa, kChave);
        QCOMPARE(c.vinculos, 1);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000001"));
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuEstrangeirosEstabelec")), QStringLiteral("00001"));
        QCOMPARE(campoEstab(kAno, kCnpj, outro, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000007"));
        QCOMPARE(campoEstab(kAno, kCnpj, outro, QStringLiteral("NuEstrangeirosEstabelec")), QStringLiteral("00003"));

        // The delete does the same.
        QVERIFY(empresa.FindKey({kAno, kCnpj, outro}));
        vinculo.Close();
        vinculo.Open();
        QVERIFY(vinculo.FindKey({kAno, kCnpj, kPrefixo, QStringLiteral("10000000004")}));
        QCOMPARE(ExcluiVinculoEContagem(vinculo, empresa, kChave).vinculos, 0);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000000"));
        QCOMPARE(campoEstab(kAno, kCnpj, outro, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000007"));
    }

    void recontaParaOutrasJanelas()
    {
        for (int i = 1; i <= 3; ++i)
            gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("1000000000%1").arg(i), QStringLiteral("E%1").arg(i),
                         {{"CoNacionalidade", i == 1 ? "" : "30"}});
        const ContagemVinculos c = RecontaVinculosEstab(kChave);
        QCOMPARE(c.vinculos, 3);
        QCOMPARE(c.estrangeiros, 2);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000003"));
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuEstrangeirosEstabelec")), QStringLiteral("00002"));
        // An establishment that is not there is counted and left alone.
        QCOMPARE(RecontaVinculosEstab({kAno, kCnpj, QStringLiteral("09")}).vinculos, 0);
        QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpj), 1);
    }

    void preparaParaEdicaoEsvaziaZeros()
    {
        Table t(QStringLiteral("bd8vinc"));
        novoVinculo(t, QStringLiteral("10000000001"));
        const QVariantMap c{{"AnChegadaEmpregado", "0000"}, {"CoCpfEmpregado", "00000000000"},
                            {"CoCbo", "000000"},           {"Me13ParcelaFinalEmpregado", "00"},
                            {"CoInstrucao", "07"},         {"SeCartTrabEmpregado", "12"},
                            {"QtDiasAfas", ""},            {"QtCompDissidio", "000"},
                            {"QtCompBcoHoras", "05"}};
        for (auto it = c.begin(); it != c.end(); ++it)
            t.FieldByName(it.key()).setAsString(it.value().toString());
        PreparaParaEdicao(t, 2010);
        auto v = [&t](const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString(); };
        QCOMPARE(v("AnChegadaEmpregado"), QString());
        QCOMPARE(v("CoCpfEmpregado"), QString());
        QCOMPARE(v("CoCbo"), QString());
        QCOMPARE(v("Me13ParcelaFinalEmpregado"), QString());
        QCOMPARE(v("CoInstrucao"), QStringLiteral("07"));
        QCOMPARE(v("SeCartTrabEmpregado"), QStringLiteral("00012"));
        // Blank counts stay blank (only zeros are normalised); zeros get their width.
        QCOMPARE(v("QtDiasAfas"), QString());
        QCOMPARE(v("QtCompDissidio"), QStringLiteral("00"));
        QCOMPARE(v("QtCompBcoHoras"), QStringLiteral("05"));
        t.Cancel();
    }

    void preparaParaEdicaoAlvara_data()
    {
        QTest::addColumn<QString>("nascimento");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("alvara");
        QTest::addColumn<bool>("aberto");
        QTest::addColumn<QString>("depois");
        QTest::newRow("minor keeps a permit") << "01011996" << "10" << "1" << true << "1";
        QTest::newRow("minor without one gets 2") << "01011996" << "10" << "" << true << "2";
        QTest::newRow("16 in the year still a minor") << "01011994" << "10" << "1" << true << "1";
        QTest::newRow("17 loses the permit") << "01011993" << "10" << "1" << false << "2";
        QTest::newRow("type 55 closed, value kept") << "01011996" << "55" << "1" << false << "1";
        QTest::newRow("no birth date") << "" << "10" << "1" << false << "2";
        QTest::newRow("no link type") << "01011996" << "" << "1" << false << "2";
        QTest::newRow("letters in the year count as year 0") << "0101199X" << "10" << "1" << false << "2";
    }
    void preparaParaEdicaoAlvara()
    {
        QFETCH(QString, nascimento);
        QFETCH(QString, tipo);
        QFETCH(QString, alvara);
        QFETCH(bool, aberto);
        QFETCH(QString, depois);
        Table t(QStringLiteral("bd8vinc"));
        novoVinculo(t, QStringLiteral("10000000001"));
        t.FieldByName(QStringLiteral("DaNascimentoEmpregado")).setAsString(nascimento);
        t.FieldByName(QStringLiteral("CoVinculo")).setAsString(tipo);
        t.FieldByName(QStringLiteral("InAlvaraEmpregado")).setAsString(alvara);
        QCOMPARE(PreparaParaEdicao(t, 2010), aberto);
        QCOMPARE(t.FieldByName(QStringLiteral("InAlvaraEmpregado")).AsString(), depois);
        t.Cancel();
    }

    void dadosDoPis()
    {
        gravaVinculo(kAno, kCnpj, QStringLiteral("02"), QStringLiteral("12345678901"), QStringLiteral("MARIA"),
                     {{"DaNascimentoEmpregado", "02031980"}, {"CoNacionalidade", "21"},
                      {"AnChegadaEmpregado", "0000"}, {"NuCartTrabEmpregado", "00012345"},
                      {"SeCartTrabEmpregado", "00012"}, {"CoCpfEmpregado", "00000000000"},
                      {"InSexo", "2"}, {"CoTipoRaca", "8"}, {"InDeficienteFisico", "2"}, {"CoInstrucao", "07"}});
        // Another year's link with the same PIS is not found.
        QVERIFY(!DadosDoPis(QStringLiteral("2009"), QStringLiteral("12345678901")));
        QVERIFY(!DadosDoPis(kAno, QStringLiteral("12345678902")));
        const std::optional<DadosPessoaisPis> dados = DadosDoPis(kAno, QStringLiteral("12345678901"));
        QVERIFY(dados);
        QCOMPARE(dados->size(), 12);
        QHash<QString, QString> v;
        for (const auto &[nome, valor] : *dados)
            v.insert(nome, valor);
        QCOMPARE(v.value("NoEmpregado"), QStringLiteral("MARIA"));
        QCOMPARE(v.value("DaNascimentoEmpregado"), QStringLiteral("02031980"));
        QCOMPARE(v.value("CoNacionalidade"), QStringLiteral("21"));
        QCOMPARE(v.value("AnChegadaEmpregado"), QString());
        QCOMPARE(v.value("NuCartTrabEmpregado"), QStringLiteral("00012345"));
        QCOMPARE(v.value("SeCartTrabEmpregado"), QStringLiteral("00012"));
        QCOMPARE(v.value("CoCpfEmpregado"), QString());
        QCOMPARE(v.value("InSexo"), QStringLiteral("2"));
        QCOMPARE(v.value("CoInstrucao"), QStringLiteral("07"));
        QVERIFY(v.contains("CoDeficienteFisico"));
        QVERIFY(v.contains("InDeficienteFisico"));
        QVERIFY(v.contains("CoTipoRaca"));
        // Every name is a field of the link table, so the form can write them all.
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        for (const auto &par : *dados)
            QVERIFY2(t.definition().field(par.first), qPrintable(par.first));
    }

    void decimoTerceiro_data()
    {
        QTest::addColumn<QStringList>("meses");
        QTest::addColumn<QString>("adiantamento");
        QTest::addColumn<QString>("final");
        QTest::addColumn<bool>("plausivel");
        const QString mil = QStringLiteral("000100000");
        QStringList seisMeses;
        for (int m = 0; m < 12; ++m)
            seisMeses << (m < 6 ? mil : QStringLiteral("000000000"));
        QTest::newRow("1.200 against 1.5 x 1.000") << seisMeses << "000060000" << "000060000" << true;
        QTest::newRow("exactly 1.5 times") << seisMeses << "000075000" << "000075000" << true;
        QTest::newRow("1.600 warns") << seisMeses << "000080000" << "000080000" << false;
        QTest::newRow("no month paid") << QStringList(12, QStringLiteral("000000000")) << "000080000" << "000080000"
                                       << true;
        QTest::newRow("letters count as zero") << QStringList(12, QStringLiteral("abc")) << "000080000" << "x" << true;
        // Fourteen maximal values add up without overflow: 2 x 999999999 against 1.5 x 999999999.
        QTest::newRow("maximal values") << QStringList(12, QStringLiteral("999999999")) << "999999999" << "999999999"
                                        << false;
        QTest::newRow("maximal months, one maximal 13th")
            << QStringList(12, QStringLiteral("999999999")) << "999999999" << "000000000" << true;
    }
    void decimoTerceiro()
    {
        QFETCH(QStringList, meses);
        QFETCH(QString, adiantamento);
        QFETCH(QString, final);
        QFETCH(bool, plausivel);
        QCOMPARE(ConfereDecimoTerceiro(meses, adiantamento, final), plausivel);
    }
};

QTEST_MAIN(tst_ugDadosEmpreg)
#include "tst_ugDadosEmpreg.moc"
