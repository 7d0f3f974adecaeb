// The progress interface of long operations: clamped positions, throttled event runs and the confirmed
// cancel.

#include "app/base/Progresso.h"

#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"

#include <QtTest>

using namespace gdvorn;

class tst_Progresso : public QObject {
    Q_OBJECT

private slots:
    void posicaoFicaNoIntervalo();
    void eventosNoMaximoACada50ms();
    void cancelamentoConfirmado();
};

void tst_Progresso::posicaoFicaNoIntervalo()
{
    test::ScriptedProgress p;
    p.setRange(10, 20);
    QCOMPARE(p.position(), 10);
    p.setPosition(5);
    QCOMPARE(p.position(), 10);
    p.setPosition(15);
    p.setPosition(15); // no change: not shown again
    p.setPosition(99);
    QCOMPARE(p.position(), 20);
    QCOMPARE(p.positions, (QList<int>{10, 15, 20}));

    // A narrower range pulls the position in; an inverted one becomes empty.
    p.setRange(0, 12);
    QCOMPARE(p.position(), 12);
    p.setRange(30, 5);
    QCOMPARE(p.minimum(), 30);
    QCOMPARE(p.maximum(), 30);
    QCOMPARE(p.position(), 30);
}

void tst_Progresso::eventosNoMaximoACada50ms()
{
    test::ScriptedProgress p;
    p.processaEventos();
    QCOMPARE(p.eventRuns, 1);
    // A thousand records: events run once per 50 ms that passed, not once per record (a busy machine may
    // stretch the loop past 50 ms).
    QElapsedTimer relogio;
    relogio.start();
    for (int i = 0; i < 1000; ++i)
        QVERIFY(!p.Interrompido());
    QVERIFY(p.eventRuns <= 1 + relogio.elapsed() / 50);
    const int antes = p.eventRuns;
    p.processaEventos(true);
    QCOMPARE(p.eventRuns, antes + 1);
    QTest::qSleep(60);
    p.processaEventos();
    QCOMPARE(p.eventRuns, antes + 2);
}

void tst_Progresso::cancelamentoConfirmado()
{
    test::ScriptedPresenter caixas;
    test::ScriptedProgress p;
    p.setRange(0, 100);
    p.cancelAt = 3;
    caixas.answer(MessageButton::No);
    caixas.answer(MessageButton::Yes);

    // A loop of the writer's kind: the first cancel is answered No and the loop goes on; the second is
    // answered Yes and the loop stops there.
    int ultimo = -1;
    for (int i = 0; i < 100; ++i) {
        p.setPosition(i);
        if (i == 7)
            p.solicitaCancelamento();
        if (p.Interrompido())
            break;
        ultimo = i;
    }
    QCOMPARE(ultimo, 6);
    QVERIFY(p.cancelamentoSolicitado());
    QCOMPARE(caixas.boxes.size(), 2);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Deseja interromper?"));
    QCOMPARE(caixas.boxes[1].text, QStringLiteral("Deseja interromper?"));
}

QTEST_GUILESS_MAIN(tst_Progresso)
#include "tst_Progresso.moc"
