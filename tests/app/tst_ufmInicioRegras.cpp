// The start-up information window: its countdown, the menu's showing, the choice kept in BD8RESP.InDicas
// from one start of the main window to the next, and a data folder that cannot be written.

#include "app/base/Database.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ufmInicioRegras.h"

#include "ProgramFixture.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <QtTest/qtestspontaneevent.h>

using namespace gdvorn;

class tst_ufmInicioRegras : public QObject {
    Q_OBJECT
private slots:
    void init() { m_programa = std::make_unique<test::ProgramFixture>(test::ProgramFixture::EmptyTables); }
    void cleanup() { m_programa.reset(); }

    void contagemLiberaOkNoSextoTique();
    void doMenuSemContagem();
    void escolhaValeParaOProximoInicio();
    void pastaSemEscritaMostraOErroEFecha();

private:
    // The main sequence's objects on the test's data folder, in the order of the start-up.
    void abre()
    {
        m_programa->create(dmGDVorn, m_programa->folder());
        m_programa->create(fmGDVORN);
        m_programa->create(dmEntradaDados);
        m_programa->create(fmInicioRegras);
    }
    void fecha() { m_programa->freeAll(); }
    bool inDicas()
    {
        Table resp(QStringLiteral("bd8resp"));
        resp.Open();
        return !resp.IsEmpty() && resp.FieldByName(QStringLiteral("InDicas")).AsBoolean();
    }
    std::unique_ptr<test::ProgramFixture> m_programa;
};

void tst_ufmInicioRegras::contagemLiberaOkNoSextoTique()
{
    abre();
    test::ScriptedModal janelas;
    janelas.then([](QDialog &d) {
        auto &janela = static_cast<TfmInicioRegras &>(d);
        QVERIFY(janela.Timer1->isActive());
        QCOMPARE(janela.Timer1->interval(), 1000);
        for (int tique = 1; tique <= 5; ++tique) {
            janela.Timer1Timer();
            QVERIFY2(!janela.BtOk->isEnabled(), qPrintable(QString::number(tique)));
        }
        // Before the end of the countdown neither Esc, Enter nor the user's close request closes it.
        QTest::keyClick(&janela, Qt::Key_Escape);
        QVERIFY(janela.isVisible());
        QTest::keyClick(janela.cbDicas, Qt::Key_Return);
        QVERIFY(janela.isVisible());
        QCloseEvent fecharPeloUsuario;
        QSpontaneKeyEvent::setSpontaneous(&fecharPeloUsuario);
        QApplication::sendEvent(janela.windowHandle(), &fecharPeloUsuario);
        QVERIFY(janela.isVisible());
        janela.Timer1Timer();
        QVERIFY(janela.BtOk->isEnabled());
        QVERIFY(!janela.Timer1->isActive());
        QTest::mouseClick(janela.BtOk, Qt::LeftButton);
        QVERIFY(!janela.isVisible());
    });
    QVERIFY(fmInicioRegras->MostraNoInicio());
    QCOMPARE(janelas.shown, QStringList{QStringLiteral("fmInicioRegras")});
    QVERIFY(!inDicas());
}

void tst_ufmInicioRegras::doMenuSemContagem()
{
    abre();
    test::ScriptedModal janelas;
    janelas.then([](QDialog &d) {
        auto &janela = static_cast<TfmInicioRegras &>(d);
        QVERIFY(janela.BtOk->isEnabled());
        QVERIFY(!janela.Timer1->isActive());
        QCOMPARE(janela.windowTitle(), QStringLiteral("GDVorn - Informações úteis"));
        janela.cbDicas->setChecked(true);
        QTest::mouseClick(janela.BtOk, Qt::LeftButton);
    });
    fmGDVORN->findChild<QAction *>(QStringLiteral("Informaesteis1"))->trigger();
    QCOMPARE(janelas.shown.size(), 1);
    QVERIFY(inDicas());
    // With InDicas true the start shows nothing, but the menu still does.
    QVERIFY(!fmInicioRegras->MostraNoInicio());
    bool fechouComEnter = false;
    janelas.then([&fechouComEnter](QDialog &d) {
        // OK is the default button: Enter closes it with the focus on the check box.
        auto &janela = static_cast<TfmInicioRegras &>(d);
        QCOMPARE(QApplication::focusWidget(), janela.cbDicas);
        QTest::keyClick(janela.cbDicas, Qt::Key_Return);
        fechouComEnter = !janela.isVisible();
    });
    fmGDVORN->findChild<QAction *>(QStringLiteral("Informaesteis1"))->trigger();
    QCOMPARE(janelas.shown.size(), 2);
    QVERIFY(fechouComEnter);
}

void tst_ufmInicioRegras::escolhaValeParaOProximoInicio()
{
    // First start: shown at the main window's first activation; the user ticks the box.
    abre();
    {
        test::ScriptedModal janelas;
        janelas.then([](QDialog &d) {
            auto &janela = static_cast<TfmInicioRegras &>(d);
            QCOMPARE(QApplication::focusWidget(), janela.cbDicas);
            QTest::keyClick(janela.cbDicas, Qt::Key_Space);
            for (int tique = 0; tique < 6; ++tique)
                janela.Timer1Timer();
            QCOMPARE(QApplication::focusWidget(), janela.BtOk);
            QTest::keyClick(janela.BtOk, Qt::Key_Space);
        });
        // The window is shown from the main window's activation, before the main window settles.
        fmGDVORN->show();
        QTRY_COMPARE(janelas.shown, QStringList{QStringLiteral("fmInicioRegras")});
        QVERIFY(inDicas());
        fmGDVORN->close();
        fecha();
    }
    // Second start on the same data folder: not shown.
    abre();
    test::ScriptedModal janelas;
    fmGDVORN->show();
    QVERIFY(QTest::qWaitForWindowActive(fmGDVORN));
    QCOMPARE(fmGDVORN->Config.PrimeiraAtivacao, QStringLiteral("N"));
    QVERIFY(janelas.shown.isEmpty());
}

void tst_ufmInicioRegras::pastaSemEscritaMostraOErroEFecha()
{
    abre();
    // The connection can no longer write, as on a read-only data folder.
    execSql(QStringLiteral("PRAGMA query_only = 1"));
    test::ScriptedPresenter caixas;
    test::ScriptedModal janelas;
    janelas.then([](QDialog &d) {
        auto &janela = static_cast<TfmInicioRegras &>(d);
        janela.cbDicas->setChecked(true);
        QTest::mouseClick(janela.BtOk, Qt::LeftButton);
        QVERIFY(!janela.isVisible());
    });
    fmInicioRegras->MostraDoMenu();
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QVERIFY2(caixas.boxes[0].text.contains(QStringLiteral("readonly")), qPrintable(caixas.boxes[0].text));
    execSql(QStringLiteral("PRAGMA query_only = 0"));
    QVERIFY(!inDicas());
}

QTEST_MAIN(tst_ufmInicioRegras)
#include "tst_ufmInicioRegras.moc"
