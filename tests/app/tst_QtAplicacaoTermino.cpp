// A request to end the program (SIGTERM) that comes while the start-up runs, before its question whether
// to restore a damaged table. The real presenter and the program's own handling of the signal are used;
// the request stays in force for the rest of the process, so this executable holds this one case.

#include "PastaPrograma.h"
#include "app/QtAplicacao.h"
#include "app/QtModal.h"
#include "app/QtPresenter.h"
#include "app/QtPrograma.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>

using namespace gdvorn;

class TestQtAplicacaoTermino : public QObject {
    Q_OBJECT

private slots:
    void requestBeforeTheQuestionEndsTheStartUp()
    {
        QTemporaryDir pasta;
        test::layProgramFolder(pasta.path());
        test::danificaVinculos(pasta.path());
        if (QTest::currentTestFailed())
            return;
        const QString dados = pasta.path() + QStringLiteral("/dados");
        const auto antes = test::conteudoPasta(dados);

        QtPresenter caixas;
        setPresenter(&caixas);
        int restauracoes = 0;
        registraRestauracaoInicial([&](QWidget *) { ++restauracoes; });
        // A box still up after a while is counted and answered Não: the test never waits on it.
        int esperando = 0;
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (!box || !box->isVisible())
                    continue;
                ++esperando;
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == QStringLiteral("&Não"))
                        b->click();
            }
        });
        vigia.start(2000);

        InstalaTermino();
        // Delivered at once; the program takes it at its first event processing, the splash's, before the
        // table check finds the damage.
        ::raise(SIGTERM);
        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(!p.Inicia());
        QCOMPARE(p.CodigoSaida(), 1);
        QCOMPARE(esperando, 0);
        QCOMPARE(restauracoes, 0);
        QVERIFY(!fmGDVORN && !dmGDVorn);
        QCOMPARE(test::conteudoPasta(dados), antes);

        // From then on nothing waits for a user: a box takes its escape answer, a window is not shown.
        QVERIFY(TerminoPedido());
        QCOMPARE(caixas.show(MessageKind::Confirmation, QStringLiteral("Sair?"), {MessageButton::Yes, MessageButton::No}),
                 MessageButton::No);
        QCOMPARE(caixas.show(MessageKind::Error, QStringLiteral("Erro"), {MessageButton::Ok}), MessageButton::Ok);
        QDialog janela;
        QCOMPARE(ExecutaModal(janela), int(QDialog::Rejected));
        QCOMPARE(esperando, 0);
        registraRestauracaoInicial(nullptr);
        setPresenter(nullptr);
    }
};

QTEST_MAIN(TestQtAplicacaoTermino)
#include "tst_QtAplicacaoTermino.moc"
