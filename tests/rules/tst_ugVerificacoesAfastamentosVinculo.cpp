// The checks of a link's leaves, free-use field and work place: from a link that passes every check,
// one change per case, the rows each finding leaves in te8errwa (kind, code, record type, labels and
// contents in order); a reversed leave reported twice; the work place with and without a declaration
// file.

#include "rules/ugVerificacoes.h"

#include "FixtureVinculos.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugVerificacoesAfastamentosVinculo : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_tabelas.reset(); }
    void verificacoes_data();
    void verificacoes();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesAfastamentosVinculo::init()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    test::preencheTabelasValidas(*m_tabelas);
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste());
}

void tst_ugVerificacoesAfastamentosVinculo::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<bool>("origemArquivo");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto s = [](const char *t) { return QString::fromLatin1(t) + QStringLiteral(" 13000000002"); };
    const auto afastamento = [](const char *motivo, const char *inicio, const char *fim, const char *dias) {
        return QVariantMap{{"CoMotivoPrimAfas", motivo}, {"DaInicioprimeiroAfas", inicio},
                           {"DaFinalPrimeiroAfas", fim}, {"QtDiasAfas", dias}};
    };

    QTest::newRow("vinculo valido") << QVariantMap{} << false << QStringList{} << 0;
    QTest::newRow("afastamento valido") << afastamento("10", "0103", "1003", "010") << false << QStringList{} << 0;
    QTest::newRow("municipio cadastrado") << QVariantMap{{"CoMunicipioTrabalho", "3550308"}} << false
                                          << QStringList{} << 0;
    QTest::newRow("motivo 15") << afastamento("15", "0103", "1003", "010") << false
                               << QStringList{s("err 3629 2 3636=15")} << 1;
    QTest::newRow("afastamento invertido, duas vezes")
        << afastamento("10", "0603", "0503", "005") << false
        << QStringList{s("err 3633 2 3637=0603"), s("err 3633 2 3637=0503"), s("err 3633 2 3637=0603"),
                       s("err 3633 2 3637=0503")} << 2;
    QTest::newRow("data invalida, so a sua linha") << afastamento("10", "3002", "0503", "005") << false
                                                   << QStringList{s("err 3630 2 3637=3002")} << 1;
    QVariantMap aposDesligamento = afastamento("10", "2010", "2510", "006");
    aposDesligamento.insert("DaDesligamentoEmpregado", "1910");
    QTest::newRow("afastamento apos o desligamento")
        << aposDesligamento << false
        << QStringList{s("err 3631 2 3637=2010"), s("err 3631 2 1640=19102010"), s("err 3631 2 3637=2510"),
                       s("err 3631 2 1640=19102010")} << 2;
    QVariantMap antesAdmissao = afastamento("10", "0104", "0504", "005");
    antesAdmissao.insert("DaAdmissaoEmpregado", "02042010");
    QTest::newRow("afastamento antes da admissao")
        << antesAdmissao << false << QStringList{s("err 3632 2 3637=0104"), s("err 3632 2 1632=02042010")} << 1;
    QTest::newRow("data sem motivo") << afastamento("00", "0104", "0000", "000") << false
                                     << QStringList{s("err 3646 2 3642=00"), s("err 3646 2 3637=0104")} << 1;
    QTest::newRow("motivo sem datas")
        << afastamento("10", "0000", "0000", "010") << false
        << QStringList{s("err 3638 2 3642=10"), s("err 3638 2 3637=0000"), s("err 3643 2 3642=10"),
                       s("err 3643 2 3637=0000")} << 2;
    QTest::newRow("366 dias") << afastamento("10", "0101", "3112", "366") << false
                              << QStringList{s("err 3640 2 3641=366")} << 1;
    QTest::newRow("dias sem motivo") << afastamento("00", "0000", "0000", "100") << false
                                     << QStringList{s("err 3753 2 3641=100"), s("err 3753 2 3642=00")} << 1;
    QTest::newRow("motivo sem dias") << afastamento("10", "0101", "3112", "000") << false
                                     << QStringList{s("err 3644 2 3641=000")} << 1;
    QTest::newRow("segundo sem primeiro")
        << QVariantMap{{"CoMotivoSeguAfas", "10"}, {"DaInicioSegundoAfas", "0101"}, {"DaFinalSegundoAfas", "3112"},
                       {"QtDiasAfas", "365"}}
        << false
        << QStringList{s("err 3753 2 3641=365"), s("err 3753 2 3642=00"), s("err 3748 2 3636=00"),
                       s("err 3748 2 3636=10"), s("err 3748 2 3636=00")} << 2;
    QTest::newRow("uso da empresa com aspas") << QVariantMap{{"TxUsoEmpregado", "AB\"C"}} << false
                                              << QStringList{s("err 0020 2 1623=AB\"C")} << 1;
    QTest::newRow("municipio vazio no arquivo") << QVariantMap{{"CoMunicipioTrabalho", ""}} << true
                                                << QStringList{s("err 0030 2 3671=")} << 1;
    QTest::newRow("municipio vazio digitado") << QVariantMap{{"CoMunicipioTrabalho", ""}} << false
                                              << QStringList{} << 0;
    QTest::newRow("municipio zeros sem consulta") << QVariantMap{{"CoMunicipioTrabalho", "0000000"}} << true
                                                  << QStringList{} << 0;
    QTest::newRow("municipio nao cadastrado") << QVariantMap{{"CoMunicipioTrabalho", "3550309"}} << false
                                              << QStringList{s("err 0090 2 3671=3550309")} << 1;
}

void tst_ugVerificacoesAfastamentosVinculo::verificacoes()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(bool, origemArquivo);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13000000002"), mudancas));
    const test::ResultadoVerificacoes r = test::analisaComGrupos({VerificacoesAfastamentosVinculo}, origemArquivo);
    QCOMPARE(r.linhas, linhas);
    QCOMPARE(r.contadas, contadas);
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesAfastamentosVinculo)
#include "tst_ugVerificacoesAfastamentosVinculo.moc"
