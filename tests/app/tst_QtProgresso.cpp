// The progress of a long operation on a form's progress bar.

#include "app/QtProgresso.h"

#include <QtTest>

using namespace gdvorn;

class tst_QtProgresso : public QObject {
    Q_OBJECT

private slots:
    void barraMostraIntervaloEPosicao();
};

void tst_QtProgresso::barraMostraIntervaloEPosicao()
{
    QProgressBar barra;
    barra.setRange(0, 5);
    barra.setValue(4);
    {
        QtProgresso p(&barra);
        QCOMPARE(barra.minimum(), 0);
        QCOMPARE(barra.maximum(), 100);
        QCOMPARE(barra.value(), 0);
        p.setRange(0, 250);
        p.setPosition(200);
        QCOMPARE(barra.maximum(), 250);
        QCOMPARE(barra.value(), 200);
        // A range that leaves the position out moves the position in; the bar keeps showing it.
        p.setRange(0, 50);
        QCOMPARE(barra.value(), 50);
        p.setPosition(60);
        QCOMPARE(barra.value(), 50);
    }
    // Without its bar the progress shows nothing and does not fail.
    auto *solta = new QProgressBar;
    QtProgresso p(solta);
    delete solta;
    p.setRange(0, 10);
    p.setPosition(5);
    QCOMPARE(p.position(), 5);
}

QTEST_MAIN(tst_QtProgresso)
#include "tst_QtProgresso.moc"
