// The progress of a long operation on a form's progress bar.

#include "app/QtProgresso.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

using namespace gdvorn;

class tst_QtProgresso : public QObject {
    Q_OBJECT

private slots:
    void barraMostraIntervaloEPosicao();
    void soAJanelaDaBarraRecebeEntrada();
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

// While the run lets events run, the cancel button beside the bar works; the window behind does not.
void tst_QtProgresso::soAJanelaDaBarraRecebeEntrada()
{
    QWidget principal;
    auto *gravar = new QPushButton(QStringLiteral("Gravar"), &principal);
    principal.show();
    QDialog janela;
    auto *layout = new QVBoxLayout(&janela);
    auto *barra = new QProgressBar(&janela);
    auto *cancelar = new QPushButton(QStringLiteral("Cancelar"), &janela);
    layout->addWidget(barra);
    layout->addWidget(cancelar);
    janela.show();
    int gravacoes = 0;
    connect(gravar, &QPushButton::clicked, [&gravacoes] { ++gravacoes; });

    struct Execucao : QtProgresso {
        using QtProgresso::QtProgresso;
        std::function<void()> usuario;
        void executaEventos() override
        {
            usuario();
            QtProgresso::executaEventos();
        }
    } progresso(barra);
    connect(cancelar, &QPushButton::clicked, [&progresso] { progresso.solicitaCancelamento(); });
    bool fechou = true;
    progresso.usuario = [&] {
        QTest::mouseClick(gravar, Qt::LeftButton);
        QTest::mouseClick(cancelar, Qt::LeftButton);
        fechou = principal.close();
    };
    QVERIFY(!Progresso::emExecucao());
    progresso.processaEventos(true);
    QVERIFY(!Progresso::emExecucao());
    QCOMPARE(gravacoes, 0);
    QVERIFY(progresso.cancelamentoSolicitado());
    QVERIFY(!fechou);
    QVERIFY(principal.isVisible());
    QTest::mouseClick(gravar, Qt::LeftButton);
    QCOMPARE(gravacoes, 1);
}

QTEST_MAIN(tst_QtProgresso)
#include "tst_QtProgresso.moc"
