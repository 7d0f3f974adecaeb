// The findings log: the rows of each record type, the program-wide sequence, the table's life within a
// run, the kind flags, and the texts of the labels in the installed message table.

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "rules/ugOcorrencias.h"

#include "ProgramFixture.h"
#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

namespace {

bool existeTabela()
{
    Query q;
    q.setSql(QStringLiteral("select count(*) as n from sqlite_master where type = 'table' and name = 'te8errwa'"));
    q.Open();
    return q.FieldByName(QStringLiteral("n")).AsInteger() == 1;
}

// Every row of te8errwa in the order written, each as field name -> value.
QList<QHash<QString, QString>> linhas()
{
    QList<QHash<QString, QString>> resultado;
    Table t(QStringLiteral("te8errwa"));
    t.Open();
    for (; !t.Eof(); t.Next()) {
        QHash<QString, QString> linha;
        for (const QString &nome : t.FieldNames())
            linha.insert(nome, t.FieldByName(nome).AsString());
        resultado << linha;
    }
    return resultado;
}

void preenche(Table &t, const QList<QPair<QString, QString>> &valores)
{
    t.Append();
    for (const auto &[campo, valor] : valores)
        t.FieldByName(campo).setAsString(valor);
    t.Post();
}

} // namespace

class tst_ugOcorrencias : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dados = std::make_unique<test::ProgramFixture>(test::ProgramFixture::EmptyTables);
        m_dados->openConnection();
    }
    void cleanup() { m_dados.reset(); }

    void linhasDeCadaTipoDeRegistro();
    void sequenciaContinuaEntreExecucoes();
    void execucaoSemOcorrenciaNaoDeixaTabela();
    void muitasLinhasEmOrdem();
    void retornoXGravadoComo0040();
    void indicadoresPorTipo_data();
    void indicadoresPorTipo();
    void mensagensInstaladas();
    void rotulosDosMeses();

private:
    std::unique_ptr<test::ProgramFixture> m_dados;
};

void tst_ugOcorrencias::linhasDeCadaTipoDeRegistro()
{
    QCOMPARE(SequencialOcorrencia(), 0); // the first rows of the program

    Table estab(QStringLiteral("bd8emp"));
    estab.Open();
    preenche(estab, {{QStringLiteral("AnBase"), QStringLiteral("2010")},
                     {QStringLiteral("CoCgcCeiEstabelecimento"), QStringLiteral("00000100000002")},
                     {QStringLiteral("NuPrefixoEstabelecimento"), QStringLiteral("01")},
                     {QStringLiteral("InInscrEstabelecimento"), QStringLiteral("3")},
                     {QStringLiteral("NoRazaoEstabelecimento"), QStringLiteral("OBRA DO CENTRO")}});
    Table vinc(QStringLiteral("bd8vinc"));
    vinc.Open();
    preenche(vinc, {{QStringLiteral("AnBase"), QStringLiteral("2010")},
                    {QStringLiteral("CoCgcCeiEstabelecimento"), QStringLiteral("00000100000002")},
                    {QStringLiteral("NuPrefixoEstabelecimento"), QStringLiteral("01")},
                    {QStringLiteral("CoPisPasepEmpregado"), QStringLiteral("10000000099")},
                    {QStringLiteral("DaAdmissaoEmpregado"), QStringLiteral("01012009")},
                    {QStringLiteral("NoEmpregado"), QStringLiteral("MARIA DA SILVA")},
                    {QStringLiteral("TxUsoEmpregado"), QStringLiteral("USO-1")},
                    {QStringLiteral("CoCgcVinculado"), QStringLiteral("11222333000181")}});

    RegistroOcorrencias log;
    log.IniciaExecucao();
    log.defineEstabelecimento(&estab);
    // The PIS/PASEP and admission kept when the link's checks began, not the row's current ones.
    log.defineVinculo(&vinc, QStringLiteral("10000000016"), QStringLiteral("02022009"));
    log.RegistraOcorrencia(OcorrenciaErro, RegistroResponsavel, QStringLiteral("0054"), Rotulo::InscricaoResponsavel,
                           QStringLiteral("123"));
    log.RegistraOcorrencia(OcorrenciaErro, RegistroEstabelecimento, QStringLiteral("1673"),
                           {{Rotulo::QuantidadeVinculos, QStringLiteral("0")}, {Rotulo::SemEmpregados, QStringLiteral("0")}});
    log.RegistraOcorrencia(OcorrenciaAviso, RegistroVinculo, QStringLiteral("1674"), Rotulo::RemuneracaoMes(12),
                           QString(60, QLatin1Char('9')));
    log.EncerraExecucao();

    const auto l = linhas();
    QCOMPARE(l.size(), 4);
    // Type 0: no identification of establishment or link.
    QCOMPARE(l[0].value(QStringLiteral("errwar")), QStringLiteral("err"));
    QCOMPARE(l[0].value(QStringLiteral("tiporegistro")), QStringLiteral("0"));
    QCOMPARE(l[0].value(QStringLiteral("retorno")), QStringLiteral("0054"));
    QCOMPARE(l[0].value(QStringLiteral("lbl")), QStringLiteral("1599"));
    QCOMPARE(l[0].value(QStringLiteral("Conteudo")), QStringLiteral("123"));
    QCOMPARE(l[0].value(QStringLiteral("Sequencial")), QStringLiteral("000001"));
    for (const char *vazio : {"inscricao", "tipoinscricao", "prefixo", "razaosocial", "copispasep", "noempregado",
                              "DaAdmissao", "usoempresa", "CoCgcVinculado"})
        QVERIFY2(l[0].value(QLatin1String(vazio)).isEmpty(), vazio);
    // Type 1: a finding of two fields, two consecutive rows with the establishment's identification.
    for (int i : {1, 2}) {
        QCOMPARE(l[i].value(QStringLiteral("retorno")), QStringLiteral("1673"));
        QCOMPARE(l[i].value(QStringLiteral("tiporegistro")), QStringLiteral("1"));
        QCOMPARE(l[i].value(QStringLiteral("inscricao")), QStringLiteral("00000100000002"));
        QCOMPARE(l[i].value(QStringLiteral("tipoinscricao")), QStringLiteral("3"));
        QCOMPARE(l[i].value(QStringLiteral("prefixo")), QStringLiteral("01"));
        QCOMPARE(l[i].value(QStringLiteral("razaosocial")), QStringLiteral("OBRA DO CENTRO"));
        QVERIFY(l[i].value(QStringLiteral("copispasep")).isEmpty());
        QVERIFY(l[i].value(QStringLiteral("CoCgcVinculado")).isEmpty());
    }
    QCOMPARE(l[1].value(QStringLiteral("lbl")), QStringLiteral("1661"));
    QCOMPARE(l[2].value(QStringLiteral("lbl")), QStringLiteral("1622"));
    QCOMPARE(l[1].value(QStringLiteral("Sequencial")), QStringLiteral("000002"));
    QCOMPARE(l[2].value(QStringLiteral("Sequencial")), QStringLiteral("000003"));
    // Type 2: the establishment's and the link's identification; the content cut to 52 characters.
    QCOMPARE(l[3].value(QStringLiteral("errwar")), QStringLiteral("war"));
    QCOMPARE(l[3].value(QStringLiteral("lbl")), QStringLiteral("1652"));
    QCOMPARE(l[3].value(QStringLiteral("inscricao")), QStringLiteral("00000100000002"));
    QCOMPARE(l[3].value(QStringLiteral("copispasep")), QStringLiteral("10000000016"));
    QCOMPARE(l[3].value(QStringLiteral("DaAdmissao")), QStringLiteral("02022009"));
    QCOMPARE(l[3].value(QStringLiteral("noempregado")), QStringLiteral("MARIA DA SILVA"));
    QCOMPARE(l[3].value(QStringLiteral("usoempresa")), QStringLiteral("USO-1"));
    QCOMPARE(l[3].value(QStringLiteral("CoCgcVinculado")), QStringLiteral("11222333000181"));
    QCOMPARE(l[3].value(QStringLiteral("Conteudo")), QString(52, QLatin1Char('9')));
}

void tst_ugOcorrencias::sequenciaContinuaEntreExecucoes()
{
    RegistroOcorrencias log;
    log.IniciaExecucao();
    log.RegistraOcorrencia(OcorrenciaErro, RegistroResponsavel, QStringLiteral("0055"), Rotulo::Nome, QString());
    log.RegistraOcorrencia(OcorrenciaErro, RegistroResponsavel, QStringLiteral("0055"), Rotulo::Nome, QString());
    log.EncerraExecucao();
    const int ultimo = linhas().last().value(QStringLiteral("Sequencial")).toInt();
    QCOMPARE(ultimo, SequencialOcorrencia());

    log.IniciaExecucao(); // a new run: the old rows are gone, the numbers go on
    log.RegistraOcorrencia(OcorrenciaAviso, RegistroResponsavel, QStringLiteral("0055"), Rotulo::Nome, QString());
    log.EncerraExecucao();
    const auto l = linhas();
    QCOMPARE(l.size(), 1);
    QCOMPARE(l[0].value(QStringLiteral("Sequencial")), QStringLiteral("%1").arg(ultimo + 1, 6, 10, QLatin1Char('0')));
}

void tst_ugOcorrencias::execucaoSemOcorrenciaNaoDeixaTabela()
{
    RegistroOcorrencias log;
    log.IniciaExecucao();
    log.RegistraOcorrencia(OcorrenciaErro, RegistroResponsavel, QStringLiteral("0055"), Rotulo::Nome, QString());
    log.EncerraExecucao();
    QVERIFY(existeTabela());

    log.IniciaExecucao();
    log.EncerraExecucao();
    QVERIFY(!existeTabela());
    QVERIFY(!log.TabelaCriada());
}

void tst_ugOcorrencias::muitasLinhasEmOrdem()
{
    // More rows than one written batch: all of them, in the order recorded, numbered without gaps.
    RegistroOcorrencias log;
    log.IniciaExecucao();
    const int primeiro = SequencialOcorrencia() + 1;
    for (int i = 0; i < 2500; ++i)
        log.RegistraOcorrencia(OcorrenciaAviso, RegistroResponsavel, QStringLiteral("1670"), Rotulo::QuantidadeVinculos,
                               QString::number(i));
    log.EncerraExecucao();
    const auto l = linhas();
    QCOMPARE(l.size(), 2500);
    for (int i = 0; i < l.size(); ++i) {
        QCOMPARE(l[i].value(QStringLiteral("Conteudo")), QString::number(i));
        QCOMPARE(l[i].value(QStringLiteral("Sequencial")).toInt(), primeiro + i);
    }
}

void tst_ugOcorrencias::retornoXGravadoComo0040()
{
    // A check that hands on the "X" of a generic check (longer than the field) records a message code.
    RegistroOcorrencias log;
    log.IniciaExecucao();
    log.RegistraOcorrencia(OcorrenciaErro, RegistroResponsavel, QStringLiteral("X"), Rotulo::Proprietarios,
                           QStringLiteral("123"));
    log.EncerraExecucao();
    const auto l = linhas();
    QCOMPARE(l.size(), 1);
    QCOMPARE(l[0].value(QStringLiteral("retorno")), QStringLiteral("0040"));
}

void tst_ugOcorrencias::indicadoresPorTipo_data()
{
    QTest::addColumn<QStringList>("tipos");
    QTest::addColumn<bool>("erros");
    QTest::addColumn<bool>("avisos");
    QTest::newRow("nenhum") << QStringList{} << false << false;
    QTest::newRow("so avisos") << QStringList{QStringLiteral("war"), QStringLiteral("war")} << false << true;
    QTest::newRow("so erros") << QStringList{QStringLiteral("err")} << true << false;
    QTest::newRow("os dois") << QStringList{QStringLiteral("war"), QStringLiteral("err")} << true << true;
}

void tst_ugOcorrencias::indicadoresPorTipo()
{
    QFETCH(QStringList, tipos);
    QFETCH(bool, erros);
    QFETCH(bool, avisos);
    RegistroOcorrencias log;
    log.IniciaExecucao();
    for (const QString &t : tipos)
        log.RegistraOcorrencia(t, RegistroResponsavel, QStringLiteral("0055"), Rotulo::Nome, QString());
    QCOMPARE(log.HaErros(), erros);
    QCOMPARE(log.HaAvisos(), avisos);
    QCOMPARE(log.TabelaCriada(), !tipos.isEmpty());
    log.EncerraExecucao();
    QCOMPARE(existeTabela(), !tipos.isEmpty());
    if (!tipos.isEmpty())
        QCOMPARE(linhas().size(), tipos.size());
}

void tst_ugOcorrencias::mensagensInstaladas()
{
    // Every field label the checks write into the rows, and the findings among the label codes.
    QList<QPair<QString, QString>> esperadas;
    const auto faixa = [&esperadas](int de, int ate) {
        for (int c = de; c <= ate; ++c)
            esperadas << qMakePair(QString::number(c), QStringLiteral("INF"));
    };
    faixa(1599, 1610);
    faixa(1612, 1656);
    faixa(1658, 1662);
    faixa(1664, 1669);
    faixa(3610, 3621);
    faixa(3650, 3665);
    for (int c : {1678, 3122, 3123, 3511, 3520, 3523, 3623, 3636, 3637, 3641, 3642, 3667, 3669, 3670, 3671, 3700,
                  3703, 3705, 3726, 3736, 3737, 3738, 3754, 3755, 3760})
        faixa(c, c);
    // The label constants name rows of the table too.
    for (const QString &r : {Rotulo::InscricaoResponsavel, Rotulo::CodigoMunicipio, Rotulo::Uf, Rotulo::Instrucao,
                             Rotulo::DataDesligamento, Rotulo::ValorParcelaFinal13, Rotulo::Ano,
                             Rotulo::SequencialRegistro, Rotulo::RemuneracaoAno, Rotulo::DataEncerramento,
                             Rotulo::InicioCnpjCeiVinculado, Rotulo::ParticipaPat, Rotulo::PatAlimentacaoConvenio,
                             Rotulo::ValorConfederativa, Rotulo::MesesGratificacoes, Rotulo::MunicipioTrabalho,
                             Rotulo::Centralizada, Rotulo::NascimentoResponsavel, Rotulo::SegundaAssociativa})
        esperadas << qMakePair(r, QStringLiteral("INF"));
    for (const char *c : {"1670", "1675", "1676"})
        esperadas << qMakePair(QString::fromLatin1(c), QStringLiteral("WAR"));
    for (const char *c : {"1671", "1673", "1674", "1677"})
        esperadas << qMakePair(QString::fromLatin1(c), QStringLiteral("ERR"));

    m_dados.reset();
    test::expectInstalledMessages(esperadas);
}

void tst_ugOcorrencias::rotulosDosMeses()
{
    QCOMPARE(Rotulo::RemuneracaoMes(1), QStringLiteral("1641"));
    QCOMPARE(Rotulo::RemuneracaoMes(12), QStringLiteral("1652"));
}

QTEST_GUILESS_MAIN(tst_ugOcorrencias)
#include "tst_ugOcorrencias.moc"
