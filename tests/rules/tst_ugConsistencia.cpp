// The consistency analysis driver: result flags, the establishment cross checks, selection by keys and
// the year filter, interruption (confirmed or not), the occurrence limit and its notice, progress within
// 0-100, the reference year of the links, and the findings left in te8errwa.

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "rules/ContextoRegras.h"
#include "rules/ugConsistencia.h"

#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"
#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QString kDeseja = QStringLiteral("Deseja interromper?");

struct Estab {
    QString ano = QStringLiteral("2010");
    QString inscricao;
    QString prefixo = QStringLiteral("01");
    QString semEmpregados = QStringLiteral("1");
    QString vinculosDeclarados = QStringLiteral("0");
    QString estrangeiros;
    QString encerramento;     // InEncerramentoAtividade
    QString dataEncerramento; // DaEncerramentoAtividade
};

void insereEstab(const QString &tabela, const Estab &e)
{
    Table t(tabela);
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("AnBase")).setAsString(e.ano);
    t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(e.inscricao);
    t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(e.prefixo);
    t.FieldByName(QStringLiteral("InInscrEstabelecimento")).setAsString(QStringLiteral("1"));
    t.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).setAsString(QStringLiteral("EMPRESA ") + e.inscricao);
    t.FieldByName(QStringLiteral("InVornNegEstabelecimento")).setAsString(e.semEmpregados);
    t.FieldByName(QStringLiteral("NuVinculosEstabelecimento")).setAsString(e.vinculosDeclarados);
    t.FieldByName(QStringLiteral("NuEstrangeirosEstabelec")).setAsString(e.estrangeiros);
    t.FieldByName(QStringLiteral("InEncerramentoAtividade")).setAsString(e.encerramento);
    t.FieldByName(QStringLiteral("DaEncerramentoAtividade")).setAsString(e.dataEncerramento);
    t.Post();
}

void insereVinculos(const QString &tabela, const Estab &e, int quantos)
{
    Transaction tr;
    Table t(tabela);
    t.Open();
    for (int i = 0; i < quantos; ++i) {
        t.Append();
        t.FieldByName(QStringLiteral("AnBase")).setAsString(e.ano);
        t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(e.inscricao);
        t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(e.prefixo);
        t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).setAsString(QStringLiteral("1%1").arg(i, 10, 10, QLatin1Char('0')));
        t.FieldByName(QStringLiteral("DaAdmissaoEmpregado")).setAsString(QStringLiteral("01012009"));
        t.FieldByName(QStringLiteral("NoEmpregado")).setAsString(QStringLiteral("EMPREGADO %1").arg(i));
        t.Post();
    }
    tr.commit();
}

Estab estab(const char *inscricao)
{
    Estab e;
    e.inscricao = QString::fromLatin1(inscricao);
    return e;
}

bool existeTe8errwa()
{
    Query q;
    q.setSql(QStringLiteral("select count(*) as n from sqlite_master where type = 'table' and name = 'te8errwa'"));
    q.Open();
    return q.FieldByName(QStringLiteral("n")).AsInteger() == 1;
}

// The findings left by the run, one text per row: errwar retorno lbl=Conteudo inscricao.
QStringList achados()
{
    QStringList l;
    if (!existeTe8errwa())
        return l;
    Table t(QStringLiteral("te8errwa"));
    t.Open();
    for (; !t.Eof(); t.Next())
        l << QStringLiteral("%1 %2 %3=%4 %5")
                 .arg(t.FieldByName(QStringLiteral("errwar")).AsString(), t.FieldByName(QStringLiteral("retorno")).AsString(),
                      t.FieldByName(QStringLiteral("lbl")).AsString(), t.FieldByName(QStringLiteral("Conteudo")).AsString(),
                      t.FieldByName(QStringLiteral("inscricao")).AsString());
    return l;
}

quint8 analisa(Progresso *p = nullptr, const SequenciasConsistencia *s = nullptr,
               const QList<ChaveEstabelecimento> *selecao = nullptr, const QString &ano = QStringLiteral("2010"),
               bool trabalho = false, bool responsavel = false)
{
    const SequenciasConsistencia vazias;
    return AnalisaDeclaracao(p, databaseFolder(), trabalho, selecao, ano, responsavel, false, false, s ? s : &vazias);
}

int caixas(const test::ScriptedPresenter &p, const QString &texto)
{
    int n = 0;
    for (const auto &b : p.boxes)
        n += b.text == texto;
    return n;
}

} // namespace

class tst_ugConsistencia : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dados = std::make_unique<test::TempDataFolder>(); }
    void cleanup() { m_dados.reset(); }

    void resultadoDasVerificacoesDoEstabelecimento_data();
    void resultadoDasVerificacoesDoEstabelecimento();
    void semEstabelecimentoNaoDeixaTabela();
    void selecaoPorChaveEFiltroDeAno();
    void tabelasDeTrabalhoSemFiltroAnalisamTodosOsAnos();
    void vinculosDoEstabelecimentoEAnoDeReferencia();
    void interrupcaoRespondidaNaoContinua();
    void interrupcaoConfirmadaDevolve4EGuardaAsLinhas();
    void pedidoNaoConfirmadoNoFimNaoEhInterrupcao();
    void interrompeAnaliseDeUmaVerificacao();
    void limiteDeOcorrencias();
    void progressoDentroDe0a100();
    void responsavelSoQuandoPedido();
    void pastaDiferenteDaBaseEhRecusada();
    void camposPorPosicaoSeguemONome();

private:
    std::unique_ptr<test::TempDataFolder> m_dados;
};

void tst_ugConsistencia::resultadoDasVerificacoesDoEstabelecimento_data()
{
    QTest::addColumn<QString>("semEmpregados");
    QTest::addColumn<int>("vinculos");
    QTest::addColumn<QString>("estrangeiros");
    QTest::addColumn<int>("resultado");
    QTest::addColumn<QStringList>("linhas");
    const QString i = QStringLiteral("11222333000181");
    QTest::newRow("sem empregados e sem vinculos") << "1" << 0 << "" << 0 << QStringList{};
    QTest::newRow("com empregados e sem vinculos")
        << "0" << 0 << "" << 2 << QStringList{"err 1673 1661=0 " + i, "err 1673 1622=0 " + i};
    QTest::newRow("6 vinculos, 3 estrangeiros")
        << "0" << 6 << "3" << 1 << QStringList{"war 1670 1661=6 " + i, "war 1670 1659=3 " + i};
    QTest::newRow("6 vinculos, 2 estrangeiros") << "0" << 6 << "2" << 0 << QStringList{};
    QTest::newRow("4 vinculos, 4 estrangeiros") << "0" << 4 << "4" << 0 << QStringList{};
    QTest::newRow("estrangeiros nao numerico") << "0" << 6 << "3A" << 0 << QStringList{};
}

void tst_ugConsistencia::resultadoDasVerificacoesDoEstabelecimento()
{
    QFETCH(QString, semEmpregados);
    QFETCH(int, vinculos);
    QFETCH(QString, estrangeiros);
    QFETCH(int, resultado);
    QFETCH(QStringList, linhas);
    Estab e = estab("11222333000181");
    e.semEmpregados = semEmpregados;
    e.estrangeiros = estrangeiros;
    e.vinculosDeclarados = QString::number(vinculos);
    insereEstab(QStringLiteral("bd8emp"), e);
    insereVinculos(QStringLiteral("bd8vinc"), e, vinculos);
    test::ScriptedPresenter presenter;
    QCOMPARE(int(analisa()), resultado);
    QCOMPARE(achados(), linhas);
    QVERIFY(presenter.boxes.isEmpty());
}

void tst_ugConsistencia::semEstabelecimentoNaoDeixaTabela()
{
    // A previous run's table goes; a run without findings leaves none, with the bar at 100.
    Estab e = estab("11222333000181");
    e.semEmpregados = QStringLiteral("0");
    insereEstab(QStringLiteral("bd8emp"), e);
    QCOMPARE(int(analisa()), 2);
    QVERIFY(existeTe8errwa());

    test::ScriptedProgress p;
    QCOMPARE(int(analisa(&p, nullptr, nullptr, QStringLiteral("2009"))), 0);
    QVERIFY(!existeTe8errwa());
    QCOMPARE(p.position(), 100);
}

void tst_ugConsistencia::selecaoPorChaveEFiltroDeAno()
{
    // Three establishments of 2010 and one of 2009; the keys of the first and third are chosen.
    for (const char *i : {"11222333000181", "11222333000262", "11222333000343"})
        insereEstab(QStringLiteral("bd8emp"), estab(i));
    Estab antigo = estab("11222333000262");
    antigo.ano = QStringLiteral("2009");
    antigo.prefixo = QStringLiteral("02");
    insereEstab(QStringLiteral("bd8emp"), antigo);

    QStringList analisados;
    SequenciasConsistencia s;
    s.Estabelecimento[1] = [&](AnaliseConsistencia &a) {
        analisados << a.AnBaseEstabelecimento + QLatin1Char('/') +
                          a.Estabelecimentos.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString();
    };
    const QList<ChaveEstabelecimento> selecao{
        {QStringLiteral("2010"), QStringLiteral("11222333000343"), QStringLiteral("01")},
        {QStringLiteral("2010"), QStringLiteral("11222333000181"), QStringLiteral("01")},
        {QStringLiteral("2009"), QStringLiteral("11222333000262"), QStringLiteral("02")}, // filtered out by year
    };
    QCOMPARE(int(analisa(nullptr, &s, &selecao)), 0);
    QCOMPARE(analisados, (QStringList{QStringLiteral("2010/11222333000181"), QStringLiteral("2010/11222333000343")}));

    analisados.clear();
    const QList<ChaveEstabelecimento> nenhum;
    analisa(nullptr, &s, &nenhum);
    QVERIFY(analisados.isEmpty());
}

void tst_ugConsistencia::tabelasDeTrabalhoSemFiltroAnalisamTodosOsAnos()
{
    for (const char *t : {"te8emp", "te8vinc", "te8resp"})
        createTable(Schema::require(QLatin1String(t)));
    Estab e2009 = estab("11222333000181");
    e2009.ano = QStringLiteral("2009");
    insereEstab(QStringLiteral("te8emp"), e2009);
    insereEstab(QStringLiteral("te8emp"), estab("11222333000262"));
    insereEstab(QStringLiteral("bd8emp"), estab("11222333000343")); // not in the work tables

    QStringList analisados;
    SequenciasConsistencia s;
    s.Estabelecimento[5] = [&](AnaliseConsistencia &a) {
        QVERIFY(a.TabelasTrabalho);
        analisados << a.Estabelecimentos.FieldByName(QStringLiteral("AnBase")).AsString();
    };
    analisa(nullptr, &s, nullptr, QString(), true);
    QCOMPARE(analisados, (QStringList{QStringLiteral("2009"), QStringLiteral("2010")}));
}

void tst_ugConsistencia::vinculosDoEstabelecimentoEAnoDeReferencia()
{
    Estab aberto = estab("11222333000181");
    Estab fechadoNoAno = estab("11222333000262");
    fechadoNoAno.encerramento = QStringLiteral("1");
    fechadoNoAno.dataEncerramento = QStringLiteral("15062010");
    Estab fechadoDepois = estab("11222333000343");
    fechadoDepois.encerramento = QStringLiteral("1");
    fechadoDepois.dataEncerramento = QStringLiteral("15032011");
    Estab vizinho = fechadoDepois; // same inscription, another prefix: its links are not the first one's
    vizinho.prefixo = QStringLiteral("02");
    vizinho.encerramento.clear();
    for (const Estab &e : {aberto, fechadoNoAno, fechadoDepois, vizinho}) {
        insereEstab(QStringLiteral("bd8emp"), e);
        insereVinculos(QStringLiteral("bd8vinc"), e, 2);
    }

    QStringList vistos;
    SequenciasConsistencia s;
    s.Vinculo[1] = [&](AnaliseConsistencia &a) {
        vistos << QStringLiteral("%1/%2/%3")
                      .arg(a.Vinculos.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString(),
                           a.Vinculos.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString())
                      .arg(a.AnoReferencia);
        // A finding of the link carries the link's identification as read when its checks began.
        a.RegistraAviso(RegistroVinculo, QStringLiteral("1674"), {{Rotulo::PisPasep, a.PisVinculo}});
    };
    QCOMPARE(int(analisa(nullptr, &s)), 1);
    QCOMPARE(vistos, (QStringList{"11222333000181/01/2010", "11222333000181/01/2010", "11222333000262/01/2010",
                                  "11222333000262/01/2010", "11222333000343/01/2011", "11222333000343/01/2011",
                                  "11222333000343/02/2010", "11222333000343/02/2010"}));
    Table t(QStringLiteral("te8errwa"));
    t.Open();
    QCOMPARE(t.FieldByName(QStringLiteral("tiporegistro")).AsString(), QStringLiteral("2"));
    QCOMPARE(t.FieldByName(QStringLiteral("copispasep")).AsString(), QStringLiteral("10000000000"));
    QCOMPARE(t.FieldByName(QStringLiteral("Conteudo")).AsString(), QStringLiteral("10000000000"));
    QCOMPARE(t.FieldByName(QStringLiteral("DaAdmissao")).AsString(), QStringLiteral("01012009"));
    QCOMPARE(t.FieldByName(QStringLiteral("noempregado")).AsString(), QStringLiteral("EMPREGADO 0"));
    QCOMPARE(t.FieldByName(QStringLiteral("razaosocial")).AsString(), QStringLiteral("EMPRESA 11222333000181"));
}

void tst_ugConsistencia::interrupcaoRespondidaNaoContinua()
{
    for (const char *i : {"11222333000181", "11222333000262", "11222333000343"}) {
        Estab e = estab(i);
        e.semEmpregados = QStringLiteral("0");
        insereEstab(QStringLiteral("bd8emp"), e);
    }
    test::ScriptedPresenter presenter;
    presenter.answer(MessageButton::No);
    test::ScriptedProgress p;
    p.cancelAt = 33;
    QCOMPARE(int(analisa(&p)), 2);
    QCOMPARE(caixas(presenter, kDeseja), 1);
    QCOMPARE(achados().size(), 6); // every establishment was analysed
    QCOMPARE(p.position(), 100);
}

void tst_ugConsistencia::interrupcaoConfirmadaDevolve4EGuardaAsLinhas()
{
    for (const char *i : {"11222333000181", "11222333000262", "11222333000343"}) {
        Estab e = estab(i);
        e.semEmpregados = QStringLiteral("0");
        insereEstab(QStringLiteral("bd8emp"), e);
    }
    test::ScriptedPresenter presenter;
    presenter.answer(MessageButton::Yes);
    test::ScriptedProgress p;
    p.cancelAt = 66; // after the first establishment's findings, at the second one's interrupt point
    QCOMPARE(int(analisa(&p)), 4);
    QCOMPARE(caixas(presenter, kDeseja), 1);
    QCOMPARE(achados(), (QStringList{"err 1673 1661=0 11222333000181", "err 1673 1622=0 11222333000181"}));
    QVERIFY(p.position() < 100);
}

void tst_ugConsistencia::pedidoNaoConfirmadoNoFimNaoEhInterrupcao()
{
    // The declared links (9) are more than the real ones (none): the bar reaches 100 only at the end of
    // the walk, when the cancel request comes after the last interrupt point and nobody confirms it.
    Estab e = estab("11222333000181");
    e.semEmpregados = QStringLiteral("0");
    e.vinculosDeclarados = QStringLiteral("000009");
    insereEstab(QStringLiteral("bd8emp"), e);
    test::ScriptedPresenter presenter;
    test::ScriptedProgress p;
    p.cancelAt = 100;
    QCOMPARE(int(analisa(&p)), 2);
    QVERIFY(p.cancelamentoSolicitado());
    QCOMPARE(caixas(presenter, kDeseja), 0);
}

void tst_ugConsistencia::interrompeAnaliseDeUmaVerificacao()
{
    Estab e = estab("11222333000181");
    insereEstab(QStringLiteral("bd8emp"), e);
    insereVinculos(QStringLiteral("bd8vinc"), e, 5);
    int vinculos = 0;
    SequenciasConsistencia s;
    s.Vinculo[10] = [&](AnaliseConsistencia &) {
        if (++vinculos == 2)
            InterrompeAnalise();
    };
    test::ScriptedPresenter presenter;
    presenter.answer(MessageButton::Yes);
    test::ScriptedProgress p;
    QCOMPARE(int(analisa(&p, &s)), 4);
    QCOMPARE(vinculos, 2);
    InterrompeAnalise(); // no analysis running: nothing
}

void tst_ugConsistencia::limiteDeOcorrencias()
{
    for (const char *i : {"11222333000181", "11222333000262", "11222333000343"})
        insereEstab(QStringLiteral("bd8emp"), estab(i));
    int chamadas = 0;
    const auto cemErros = [&](AnaliseConsistencia &a) {
        ++chamadas;
        for (int n = 0; n < 100; ++n)
            a.RegistraErro(RegistroEstabelecimento, QStringLiteral("0053"), {{Rotulo::Inscricao, QString::number(n)}});
    };
    SequenciasConsistencia s;
    s.Estabelecimento[1] = cemErros;
    s.Estabelecimento[2] = cemErros;
    test::ScriptedPresenter presenter;
    test::ScriptedProgress p;
    // 200 occurrences after the first establishment; the second one passes 250 at its first check,
    // skips its second check and the run stops there.
    QCOMPARE(int(analisa(&p, &s)), 2);
    QCOMPARE(chamadas, 3);
    QCOMPARE(achados().size(), 300);
    QCOMPARE(presenter.boxes.size(), 1);
    QCOMPARE(presenter.boxes[0].kind, MessageKind::Warning);
    QCOMPARE(presenter.boxes[0].text, AvisoLimiteOcorrencias());
    QVERIFY(AvisoLimiteOcorrencias().contains(QStringLiteral("as 250 primeiras ocorrências")));
    QVERIFY(p.position() < 100);
}

void tst_ugConsistencia::progressoDentroDe0a100()
{
    // Declared link counts lower than the real ones carry the work past its estimate.
    for (const char *i : {"11222333000181", "11222333000262"}) {
        Estab e = estab(i);
        insereEstab(QStringLiteral("bd8emp"), e);
        insereVinculos(QStringLiteral("bd8vinc"), e, 150);
    }
    test::ScriptedProgress p;
    analisa(&p);
    QCOMPARE(p.minimum(), 0);
    QCOMPARE(p.maximum(), 100);
    QVERIFY(!p.positions.isEmpty());
    for (int i = 0; i < p.positions.size(); ++i) {
        QVERIFY(p.positions[i] >= 0 && p.positions[i] <= 100);
        if (i > 0)
            QVERIFY(p.positions[i] > p.positions[i - 1]);
    }
    QCOMPARE(p.positions.last(), 100);
}

void tst_ugConsistencia::responsavelSoQuandoPedido()
{
    int vezes = 0;
    SequenciasConsistencia s;
    s.Responsavel[1] = [&](AnaliseConsistencia &a) {
        ++vezes;
        a.RegistraErro(RegistroResponsavel, QStringLiteral("0054"), {{Rotulo::InscricaoResponsavel, QStringLiteral("1")}});
    };
    QCOMPARE(int(analisa(nullptr, &s)), 0);
    QCOMPARE(vezes, 0);
    QCOMPARE(int(analisa(nullptr, &s, nullptr, QStringLiteral("2010"), false, true)), 2);
    QCOMPARE(vezes, 1);
    QCOMPARE(achados(), QStringList{QStringLiteral("err 0054 1599=1 ")});
}

void tst_ugConsistencia::pastaDiferenteDaBaseEhRecusada()
{
    QTemporaryDir outra;
    QVERIFY_THROWS_EXCEPTION(DatabaseError, AnalisaDeclaracao(nullptr, outra.path(), false, nullptr, QString(), false,
                                                              false, false));
    // The program's own check groups run on the permanent tables of the open folder.
    QCOMPARE(int(AnalisaDeclaracao(nullptr, databaseFolder() + QLatin1Char('/'), false, nullptr, QString(), false,
                                   false, false)),
             0);
}

// The fields read by position follow the row the cursor stands on and the name asked for, also when a name
// built on the fly reuses the address of another; a name the table does not have is an engine error.
void tst_ugConsistencia::camposPorPosicaoSeguemONome()
{
    insereEstab(QStringLiteral("bd8emp"), estab("11222333000181"));
    insereEstab(QStringLiteral("bd8emp"), estab("11222333000262"));
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    CamposDaTabela campos(t);
    QCOMPARE(campos.Gravado("CoCgcCeiEstabelecimento"), QStringLiteral("11222333000181"));
    t.Next();
    QCOMPARE(campos.Gravado("CoCgcCeiEstabelecimento"), QStringLiteral("11222333000262"));
    char nome[32];
    qstrcpy(nome, "NoRazaoEstabelecimento");
    QCOMPARE(campos.Aparado(nome), QStringLiteral("EMPRESA 11222333000262"));
    qstrcpy(nome, "nuprefixoestabelecimento");
    QCOMPARE(campos.Gravado(nome), QStringLiteral("01"));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, campos.Gravado("NoCampoInexistente"));
}

QTEST_GUILESS_MAIN(tst_ugConsistencia)
#include "tst_ugConsistencia.moc"
