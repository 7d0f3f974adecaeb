// The record terminators and the Ctrl-Z tail of declaration files.

#include "fileformat/ugTerminadorVorn.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugTerminadorVorn : public QObject {
    Q_OBJECT

private slots:
    void tipos_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // the two bytes at positions 551-552
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("tamanho");
        QTest::newRow("CR LF") << QByteArray("\r\n") << int(TerminadorCrLf) << 2;
        QTest::newRow("LF CR") << QByteArray("\n\r") << int(TerminadorLfCr) << 2;
        QTest::newRow("CR alone") << QByteArray("\r0") << int(TerminadorCr) << 1;
        QTest::newRow("LF alone") << QByteArray("\n0") << int(TerminadorLf) << 1;
        QTest::newRow("none") << QByteArray("00") << int(SemTerminador) << 0;
        QTest::newRow("CR CR") << QByteArray("\r\r") << int(TerminadorCr) << 1;
    }
    void tipos()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, tipo);
        QFETCH(int, tamanho);
        const QByteArray registro = QByteArray(550, 'x') + bytes;
        const auto *b = reinterpret_cast<const unsigned char *>(registro.constData());
        QCOMPARE(LineBreakKindAt(b, 552), tipo);
        QCOMPARE(TamanhoTerminador(tipo), tamanho);
        // A record of that kind ends with its terminator at its pitch.
        QVERIFY(IsLineBreakKindAt(b, 550 + tamanho, tipo));
    }

    void outroTipoNaoConfere()
    {
        const QByteArray registro = QByteArray(550, 'x') + "\n\r";
        const auto *b = reinterpret_cast<const unsigned char *>(registro.constData());
        QVERIFY(!IsLineBreakKindAt(b, 552, TerminadorCrLf));
        QVERIFY(IsLineBreakKindAt(b, 552, SemTerminador));
    }

    void cauda_data()
    {
        QTest::addColumn<int>("primeiro");
        QTest::addColumn<qint64>("restante");
        QTest::addColumn<bool>("cauda");
        QTest::newRow("one Ctrl-Z") << 26 << qint64(1) << true;
        QTest::newRow("Ctrl-Z and a pitch") << 26 << qint64(552) << true;
        QTest::newRow("longer than a pitch") << 26 << qint64(553) << false;
        QTest::newRow("another byte") << int('x') << qint64(1) << false;
        QTest::newRow("nothing") << 26 << qint64(0) << false;
    }
    void cauda()
    {
        QFETCH(int, primeiro);
        QFETCH(qint64, restante);
        QFETCH(bool, cauda);
        QCOMPARE(CaudaCtrlZ(static_cast<unsigned char>(primeiro), restante, 552), cauda);
    }
};

QTEST_GUILESS_MAIN(tst_ugTerminadorVorn)
#include "tst_ugTerminadorVorn.moc"
