// The about box: build date from the program file, environment and version labels, the hidden credits
// and the marquee.

#include "app/ufmSobre.h"
#include "app/ugConfiguracao.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>

using namespace gdvorn;

class tst_ufmSobre : public QObject {
    Q_OBJECT
private slots:
    void dataDoArquivoDoPrograma();
    void ambienteEVersao_data();
    void ambienteEVersao();
    void sequenciaRevelaOsCreditos_data();
    void sequenciaRevelaOsCreditos();
    void figuraInteira();
};

void tst_ufmSobre::dataDoArquivoDoPrograma()
{
    QTemporaryFile programa;
    QVERIFY(programa.open());
    for (const QDate &data : {QDate(2010, 3, 15), QDate(2011, 1, 2)}) {
        QVERIFY(programa.setFileTime(QDateTime(data, QTime(12, 0)), QFileDevice::FileModificationTime));
        TfmSobre sobre(nullptr, programa.fileName());
        QCOMPARE(sobre.lbBuild->text(), QStringLiteral("Build ") + data.toString(QStringLiteral("dd/MM/yyyy")));
    }
}

void tst_ufmSobre::ambienteEVersao_data()
{
    QTest::addColumn<QString>("ambiente");
    QTest::addColumn<QString>("rotulo");
    QTest::newRow("produção") << "Produção" << " ";
    QTest::newRow("homologação") << "Homologação" << "Homologação";
    QTest::newRow("desenvolvimento") << "Desenvolvimento" << "Desenvolvimento";
}

void tst_ufmSobre::ambienteEVersao()
{
    QFETCH(QString, ambiente);
    TConfiguracao config;
    config.Ambiente = ambiente;
    TConfiguracao *antes = setConfiguracao(&config);
    TfmSobre sobre;
    QTEST(sobre.lbAmbiente->text(), "rotulo");
    QVERIFY(sobre.lbVersao->text().isEmpty());
    sobre.show();
    QCOMPARE(sobre.lbVersao->text(), QStringLiteral("Versão 2010.01.03"));
    QCOMPARE(sobre.windowTitle(), QStringLiteral("Sobre o GDVORN"));
    setConfiguracao(antes);
}

void tst_ufmSobre::sequenciaRevelaOsCreditos_data()
{
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<bool>("revela");
    QTest::newRow("certa") << "PZKXMQ" << true;
    // A wrong key starts again; when it is the first letter it counts as the start.
    QTest::newRow("recomeça pela primeira") << "PZPZKXMQ" << true;
    QTest::newRow("recomeça do zero") << "PZAKXMQ" << false;
    QTest::newRow("incompleta") << "PZKXM" << false;
}

void tst_ufmSobre::sequenciaRevelaOsCreditos()
{
    QFETCH(QString, teclas);
    QFETCH(bool, revela);
    TfmSobre sobre;
    sobre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sobre));
    QCOMPARE(sobre.Timer1->interval(), 100);
    sobre.Timer1Timer();
    QVERIFY(sobre.lbLetreiro->text().isEmpty()); // nothing shows until the sequence is typed
    // Without Ctrl the letters count for nothing.
    QTest::keyClicks(&sobre, teclas);
    QCOMPARE(sobre.posicaoSequencia(), 0);
    QTest::keyClicks(&sobre, teclas, Qt::ControlModifier);
    QCOMPARE(sobre.Imagem2->isVisible(), revela);
    QCOMPARE(sobre.Imagem1->isVisible(), !revela);
    if (!revela)
        return;
    const QString letreiro = sobre.lbLetreiro->text();
    QCOMPARE(letreiro, QString(63, QLatin1Char(' ')) +
                           QStringLiteral("GDVORN - Gerador de Declaração VORN - Versão 2010.01.03 - Programa "
                                          "Desenvolvido pelo KUVELD"));
    sobre.Timer1Timer();
    QCOMPARE(sobre.lbLetreiro->text(), letreiro.mid(1) + letreiro.left(1));
}

void tst_ufmSobre::figuraInteira()
{
    TfmSobre sobre;
    sobre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sobre));
    const QImage figura = sobre.Imagem1->pixmap().toImage();
    QVERIFY(!figura.isNull());
    // The label shows the picture at its own size.
    QVERIFY(sobre.Imagem1->width() >= figura.width());
    QVERIFY(sobre.Imagem1->height() >= figura.height());
    // Its lines are whole: nothing drawn touches the left or right edge (a cut line would).
    const QRgb fundo = figura.pixel(0, 0);
    for (int y = 0; y < figura.height(); ++y) {
        QCOMPARE(figura.pixel(0, y), fundo);
        QCOMPARE(figura.pixel(figura.width() - 1, y), fundo);
    }
}

QTEST_MAIN(tst_ufmSobre)
#include "tst_ufmSobre.moc"
