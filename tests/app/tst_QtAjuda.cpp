// The help window's keys: Esc closes it, as it closes the program's other windows.

#include "app/QtAjuda.h"
#include "app/ugHtmlHelpAPI.h"

#include "TestData.h"

#include <QTextBrowser>
#include <QtTest>

using namespace gdvorn;

class tst_QtAjuda : public QObject {
    Q_OBJECT
private slots:
    void escFecha()
    {
        setPastaAjuda(QStringLiteral(GDVORN_AJUDA_DIR));
        VisorAjudaQt visor;
        VisorAjuda *antes = setVisorAjuda(&visor);
        MostraAjuda();
        TfmAjuda *janela = visor.janela();
        QVERIFY(janela && janela->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(janela));
        QTest::keyClick(janela->Navegador, Qt::Key_Escape);
        QVERIFY(!janela->isVisible());
        // Asked for again, it comes back.
        MostraAjudaContexto(10);
        QVERIFY(janela->isVisible());
        setVisorAjuda(antes);
    }
};

QTEST_MAIN(tst_QtAjuda)
#include "tst_QtAjuda.moc"
