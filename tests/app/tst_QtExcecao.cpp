// The exception handling of the running program: the application object's backstop, guarded handlers of
// real widgets and the lookup combo box that lets the engine's lookup error pass. Runs under the
// program's own application object.

#include "app/base/Abort.h"
#include "app/base/EngineError.h"
#include "app/QtAplicacao.h"
#include "app/QtExcecao.h"
#include "app/ugExcecao.h"

#include "ScriptedPresenter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <stdexcept>

using namespace gdvorn;

namespace {

const QString kFecho =
    QStringLiteral("\n\nErro não previsto.\nContatar a CATVORN comunicando todos os itens da mensagem.");

// An object whose event handler throws what it is told to.
class Lancador : public QObject {
public:
    std::function<void()> lanca;
    int depois = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        lanca();
        ++depois;
        return true;
    }
};

} // namespace

class tst_QtExcecao : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_terminacoes = 0;
        m_termina = setTerminaPrograma([this] { ++m_terminacoes; });
    }
    void cleanup() { setTerminaPrograma(m_termina); }

    void excecaoNoTratadorDeEventoChegaAoTratamento();
    void botaoGuardado();
    void erroDeLookupComFocoNoComboDeLookup_data();
    void erroDeLookupComFocoNoComboDeLookup();

private:
    int m_terminacoes = 0;
    std::function<void()> m_termina;
};

void tst_QtExcecao::excecaoNoTratadorDeEventoChegaAoTratamento()
{
    test::ScriptedPresenter caixas;
    Lancador alvo;

    alvo.lanca = [] { Abort(); };
    QEvent aborto(QEvent::User);
    QCoreApplication::sendEvent(&alvo, &aborto);
    QVERIFY(caixas.boxes.isEmpty());
    QCOMPARE(m_terminacoes, 0);

    alvo.lanca = [] { throw DatabaseError(QStringLiteral("Tabela fechada")); };
    QCoreApplication::postEvent(&alvo, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QCOMPARE(caixas.boxes[0].text, "Erro DataBase.\n\nTabela fechada" + kFecho);
    QCOMPARE(caixas.beeps, 1);
    QCOMPARE(m_terminacoes, 1);
    QCOMPARE(alvo.depois, 0); // the handler stopped where it threw
}

void tst_QtExcecao::botaoGuardado()
{
    test::ScriptedPresenter caixas;
    QPushButton aborta, falha;
    connect(&aborta, &QPushButton::clicked, &aborta, Protegido([] { Abort(); }));
    connect(&falha, &QPushButton::clicked, &falha, Protegido([] { throw std::out_of_range("posição 12"); }));
    aborta.click();
    QVERIFY(caixas.boxes.isEmpty());
    falha.click();
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, "Erro fatal.\n\nposição 12" + kFecho);
    QCOMPARE(caixas.beeps, 0);
    QCOMPARE(m_terminacoes, 1);
}

void tst_QtExcecao::erroDeLookupComFocoNoComboDeLookup_data()
{
    QTest::addColumn<QString>("foco");
    QTest::addColumn<bool>("mostrado");

    QTest::newRow("combo de lookup") << "lookup" << false;
    QTest::newRow("combo de lookup editável") << "lookupEditavel" << false;
    QTest::newRow("combo comum") << "comum" << true;
    QTest::newRow("edit") << "edit" << true;
}

void tst_QtExcecao::erroDeLookupComFocoNoComboDeLookup()
{
    QFETCH(QString, foco);
    QFETCH(bool, mostrado);

    test::ScriptedPresenter caixas;
    QWidget assistente;
    auto *layout = new QVBoxLayout(&assistente);
    auto *lookup = new QComboBox(&assistente);
    lookup->setObjectName(QStringLiteral("lookup"));
    lookup->setProperty(kComboLookup, true);
    auto *lookupEditavel = new QComboBox(&assistente);
    lookupEditavel->setObjectName(QStringLiteral("lookupEditavel"));
    lookupEditavel->setEditable(true);
    lookupEditavel->setProperty(kComboLookup, true);
    auto *comum = new QComboBox(&assistente);
    comum->setObjectName(QStringLiteral("comum"));
    auto *edit = new QLineEdit(&assistente);
    edit->setObjectName(QStringLiteral("edit"));
    for (QWidget *w : std::initializer_list<QWidget *>{lookup, lookupEditavel, comum, edit}) {
        w->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(w);
    }
    assistente.show();
    QVERIFY(QTest::qWaitForWindowActive(&assistente));
    QWidget *alvoFoco = assistente.findChild<QWidget *>(foco);
    alvoFoco->setFocus();
    QWidget *comFoco = QApplication::focusWidget();
    QVERIFY(comFoco == alvoFoco || alvoFoco->isAncestorOf(comFoco));

    Lancador alvo;
    alvo.lanca = [] { throw EngineError(ErrLookupValue, QStringLiteral("Field value out of lookup range.")); };
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&alvo, &e);
    QCOMPARE(caixas.boxes.size(), mostrado ? 1 : 0);
    QCOMPARE(m_terminacoes, mostrado ? 1 : 0);
    QVERIFY(assistente.isVisible());
}

// The test runs under the program's application object.
#undef QTEST_MAIN_SETUP
#define QTEST_MAIN_SETUP() QTEST_QAPP_SETUP(gdvorn::TAplicacao)
QTEST_MAIN(tst_QtExcecao)
#include "tst_QtExcecao.moc"
