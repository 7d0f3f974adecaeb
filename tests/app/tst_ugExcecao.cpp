// Exception reporting: the texts of the three boxes, the beep, the end of the program, the ignored lookup
// error and the guard of event handlers.

#include "app/base/Abort.h"
#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/ugExcecao.h"

#include "DanificaArquivo.h"
#include "ScriptedPresenter.h"
#include "SomenteLeitura.h"
#include "TestData.h"

#include <QDir>

#include <QtTest>

#include <stdexcept>
#include <string>

using namespace gdvorn;

Q_DECLARE_METATYPE(std::exception_ptr)

namespace {

const QString kFecho =
    QStringLiteral("\n\nErro não previsto.\nContatar a CATVORN comunicando todos os itens da mensagem.");

template <class E>
std::exception_ptr excecao(E e)
{
    return std::make_exception_ptr(std::move(e));
}

} // namespace

class tst_ugExcecao : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_terminacoes = 0;
        m_termina = setTerminaPrograma([this] { ++m_terminacoes; });
        m_foco = setFocoEmComboLookup(nullptr);
    }
    void cleanup()
    {
        setTerminaPrograma(m_termina);
        setFocoEmComboLookup(m_foco);
    }

    void textoDoErroDoMotor_data();
    void textoDoErroDoMotor();
    void cadaTipoDeExcecaoMostraSuaCaixaETermina_data();
    void cadaTipoDeExcecaoMostraSuaCaixaETermina();
    void abortoSilencioso();
    void erroDeLookupComFocoNoComboEIgnorado_data();
    void erroDeLookupComFocoNoComboEIgnorado();
    void protegeDevolveSeOTratadorChegouAoFim();
    void discoCheioRecusaAOperacaoESegue();
    void pastaOuArquivoSemGravacaoNomeados_data();
    void pastaOuArquivoSemGravacaoNomeados();
    void arquivoDanificadoNomeado();

private:
    int m_terminacoes = 0;
    std::function<void()> m_termina;
    std::function<bool()> m_foco;
};

void tst_ugExcecao::textoDoErroDoMotor_data()
{
    QTest::addColumn<QList<int>>("codigos");
    QTest::addColumn<QString>("detalhes");

    QTest::newRow("uma entrada: três linhas")
        << QList<int>{ErrLookupValue}
        << "Erro BDE  10756 : $2A04\nLock conflict\nField value out of lookup range.";
    QTest::newRow("dois códigos diferentes: quatro linhas")
        << QList<int>{ErrOsFileNotFound, ErrNoSuchTable}
        << "Erro BDE  11012 : $2B04\nInvalid request\nTable does not exist.\nFile not found.";
    QTest::newRow("o mesmo código duas vezes: três linhas")
        << QList<int>{ErrKeyViolation, ErrKeyViolation} << "Erro BDE   9729 : $2601\nIntegrity violation\nKey violation.";
    QTest::newRow("só o penúltimo conta")
        << QList<int>{ErrTableBusy, ErrKeyViolation, ErrSql}
        << "Erro BDE  13058 : $3302\nQuery error\nInvalid SQL statement.\nKey violation.";
}

void tst_ugExcecao::textoDoErroDoMotor()
{
    QFETCH(QList<int>, codigos);
    QFETCH(QString, detalhes);
    QList<EngineErrorEntry> entradas;
    for (int c : codigos)
        entradas << EngineErrorEntry{c, QStringLiteral("engine text")};
    QCOMPARE(TextoErroBDE(EngineError(entradas)), detalhes + kFecho);
}

void tst_ugExcecao::cadaTipoDeExcecaoMostraSuaCaixaETermina_data()
{
    QTest::addColumn<std::exception_ptr>("erro");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("bipes");

    QTest::newRow("motor") << excecao(KeyViolation(QStringLiteral("UNIQUE constraint failed")))
                           << "Erro BDE   9729 : $2601\nIntegrity violation\nKey violation." + kFecho << 1;
    QTest::newRow("banco de dados") << excecao(DatabaseError(QStringLiteral("Campo XPTO não encontrado")))
                                    << "Erro DataBase.\n\nCampo XPTO não encontrado" + kFecho << 1;
    std::exception_ptr conversao;
    try {
        (void)std::stoi("abc");
    } catch (...) {
        conversao = std::current_exception();
    }
    QTest::newRow("conversão") << conversao << "Erro fatal.\n\nstoi" + kFecho << 0;
    QTest::newRow("outra") << excecao(std::runtime_error("Índice fora dos limites"))
                           << "Erro fatal.\n\nÍndice fora dos limites" + kFecho << 0;
    QTest::newRow("fora da hierarquia") << std::make_exception_ptr(42) << "Erro fatal.\n\n" + kFecho << 0;
}

void tst_ugExcecao::cadaTipoDeExcecaoMostraSuaCaixaETermina()
{
    QFETCH(std::exception_ptr, erro);
    QFETCH(QString, texto);
    QFETCH(int, bipes);

    test::ScriptedPresenter caixas;
    GDVORNExcecaoGeral(erro);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QCOMPARE(caixas.boxes[0].buttons, QList<MessageButton>{MessageButton::Ok});
    QCOMPARE(caixas.boxes[0].text, texto);
    QCOMPARE(caixas.beeps, bipes);
    QCOMPARE(m_terminacoes, 1);
}

void tst_ugExcecao::abortoSilencioso()
{
    test::ScriptedPresenter caixas;
    GDVORNExcecaoGeral(std::make_exception_ptr(EAbort()));
    TrataExcecao(EAbort());
    GDVORNExcecaoGeral(nullptr);
    QVERIFY(caixas.boxes.isEmpty());
    QCOMPARE(m_terminacoes, 0);
}

void tst_ugExcecao::erroDeLookupComFocoNoComboEIgnorado_data()
{
    QTest::addColumn<int>("codigo");
    QTest::addColumn<bool>("focoNoCombo");
    QTest::addColumn<bool>("mostrado");

    QTest::newRow("10756 com o foco no combo") << int(ErrLookupValue) << true << false;
    QTest::newRow("10756 com o foco em outro controle") << int(ErrLookupValue) << false << true;
    QTest::newRow("outro código com o foco no combo") << int(ErrKeyViolation) << true << true;
}

void tst_ugExcecao::erroDeLookupComFocoNoComboEIgnorado()
{
    QFETCH(int, codigo);
    QFETCH(bool, focoNoCombo);
    QFETCH(bool, mostrado);

    test::ScriptedPresenter caixas;
    setFocoEmComboLookup([focoNoCombo] { return focoNoCombo; });
    TrataExcecao(EngineError(codigo, QStringLiteral("lookup")));
    QCOMPARE(caixas.boxes.size(), mostrado ? 1 : 0);
    QCOMPARE(caixas.beeps, mostrado ? 1 : 0);
    QCOMPARE(m_terminacoes, mostrado ? 1 : 0);
}

void tst_ugExcecao::protegeDevolveSeOTratadorChegouAoFim()
{
    test::ScriptedPresenter caixas;
    int passos = 0;
    QVERIFY(Protege([&] { ++passos; }));
    QVERIFY(!Protege([&] {
        ++passos;
        Abort();
    }));
    QVERIFY(caixas.boxes.isEmpty());
    QVERIFY(!Protege([&] { throw std::logic_error("falhou"); }));
    QCOMPARE(passos, 2);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, "Erro fatal.\n\nfalhou" + kFecho);
    QCOMPARE(m_terminacoes, 1);

    // Connected through Protegido, the signal's arguments are dropped and the guard runs.
    auto tratador = Protegido([&] { Abort(); });
    tratador();
    QCOMPARE(caixas.boxes.size(), 1);
}

namespace {

int contaVinculos()
{
    Query q;
    q.setSql(QStringLiteral("SELECT count(*) AS n FROM bd8vinc WHERE CoVinculo = CoVinculo")); // read from the table itself
    q.Open();
    return q.FieldByName(QStringLiteral("n")).AsInteger();
}

void insereVinculos(int n, const QString &ano = QStringLiteral("2010"))
{
    execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                           "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, CoPisPasepEmpregado, NoEmpregado) "
                           "SELECT '%2', '11222333000181', substr('0000000000' || x, -11), 'EMPREGADO ' || x FROM n")
                .arg(n)
                .arg(ano));
}

} // namespace

void tst_ugExcecao::discoCheioRecusaAOperacaoESegue()
{
    test::TempDataFolder dados;
    insereVinculos(10);
    // The file may not grow: the disk is full for it.
    execSql(QStringLiteral("PRAGMA bd8vinc.max_page_count = 1"));
    test::ScriptedPresenter caixas;
    QVERIFY(!Protege([] {
        Transaction operacao;
        insereVinculos(300, QStringLiteral("2011"));
        operacao.commit();
    }));
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QCOMPARE(caixas.boxes[0].text, TextoDiscoCheio(dados.path()) + TextoNadaAlterado());
    QVERIFY(caixas.boxes[0].text.contains(QDir::toNativeSeparators(dados.path())));
    QVERIFY(!caixas.boxes[0].text.contains(QStringLiteral("Erro não previsto")));
    QCOMPARE(m_terminacoes, 0);
    QCOMPARE(contaVinculos(), 10);
    QVERIFY(isDatabaseOpen());
}

void tst_ugExcecao::pastaOuArquivoSemGravacaoNomeados_data()
{
    QTest::addColumn<QString>("protegido");
    QTest::newRow("pasta") << QString();
    QTest::newRow("arquivo") << QStringLiteral("bd8emp.db");
}

void tst_ugExcecao::pastaOuArquivoSemGravacaoNomeados()
{
    QFETCH(QString, protegido);
    test::TempDataFolder dados;
    const QString local = protegido.isEmpty() ? dados.path() : dados.file(protegido);
    test::SomenteLeitura protecao(local);
    if (!protecao.protegida())
        QSKIP("cannot be made read-only here");
    test::ScriptedPresenter caixas;
    TrataExcecao(EngineError(ErrOsAccessDenied, QStringLiteral("Permission denied. attempt to write a readonly database")));
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, TextoSemGravacao(local) + TextoNadaAlterado());
    QVERIFY(caixas.boxes[0].text.contains(QDir::toNativeSeparators(local) + QStringLiteral(" não pode ser gravad")));
    QCOMPARE(m_terminacoes, 0);
}

void tst_ugExcecao::arquivoDanificadoNomeado()
{
    test::TempDataFolder dados;
    insereVinculos(2000);
    dados.close();
    QVERIFY(test::danificaRaiz(dados.file(QStringLiteral("bd8vinc.db")), QStringLiteral("bd8vinc")));
    openDatabase(dados.path());
    test::ScriptedPresenter caixas;
    QVERIFY(!Protege([] { contaVinculos(); }));
    QCOMPARE(caixas.boxes.size(), 1);
    QVERIFY2(caixas.boxes[0].text.startsWith(
                 QStringLiteral("O arquivo %1 está danificado").arg(QDir::toNativeSeparators(dados.file(QStringLiteral("bd8vinc.db"))))),
             qPrintable(caixas.boxes[0].text));
    QVERIFY(caixas.boxes[0].text.contains(QStringLiteral("cópia de segurança")));
    QCOMPARE(m_terminacoes, 1);
    closeDatabase();
}

QTEST_GUILESS_MAIN(tst_ugExcecao)
#include "tst_ugExcecao.moc"
