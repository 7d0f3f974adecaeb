// The exit gate on a wizard page: a click that leaves a field whose check fails is swallowed; a click
// that leaves a field whose check passes goes through, even when the mouse release comes in while the
// check runs (the checks let events run, as the real window system delivers the release then).

#include "app/QtPortaoSaida.h"
#include "app/base/Abort.h"
#include "app/ufmAssistente.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

using namespace gdvorn;

namespace {

class Pagina : public TPaginaAssistente {
public:
    Pagina() : TPaginaAssistente("fmPagina")
    {
        edCampo = new QLineEdit(this);
        edCampo->setObjectName(QStringLiteral("edCampo"));
        Corpo->addWidget(edCampo);
        btAvancar = criaBotao("btAvancar", QStringLiteral("&Avançar >"), [this] { ++avancos; });
        Portao().aoSair(edCampo, [this] {
            ++criticas;
            QCoreApplication::processEvents();
            if (edCampo->text() == QLatin1String("XX")) {
                edCampo->setFocus();
                Abort();
            }
        });
    }
    QLineEdit *edCampo;
    QPushButton *btAvancar;
    int criticas = 0, avancos = 0;
};

} // namespace

class tst_QtPortaoSaida : public QObject {
    Q_OBJECT
private slots:
    void cliqueQueDeixaOCampo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("soltaDuranteACritica");
        QTest::addColumn<int>("avancos");
        QTest::addColumn<QString>("foco");
        QTest::newRow("check passes") << "OK" << false << 1 << "btAvancar";
        QTest::newRow("check passes, release during the check") << "OK" << true << 1 << "btAvancar";
        QTest::newRow("check fails") << "XX" << false << 0 << "edCampo";
        QTest::newRow("check fails, release during the check") << "XX" << true << 0 << "edCampo";
    }
    void cliqueQueDeixaOCampo()
    {
        QFETCH(QString, texto);
        QFETCH(bool, soltaDuranteACritica);
        QFETCH(int, avancos);
        QFETCH(QString, foco);
        TfmAssistente assistente(QStringLiteral("Assistente"));
        auto *pagina = new Pagina;
        assistente.adiciona(pagina);
        assistente.inicia();
        assistente.show();
        QVERIFY(QTest::qWaitForWindowActive(&assistente));
        pagina->edCampo->setFocus();
        pagina->edCampo->setText(texto);
        QPushButton *botao = pagina->btAvancar;
        if (soltaDuranteACritica) {
            QTimer::singleShot(0, botao, [botao] { QTest::mouseRelease(botao, Qt::LeftButton); });
            QTest::mousePress(botao, Qt::LeftButton);
            QTRY_COMPARE(pagina->avancos, avancos);
            QTest::qWait(20);
        } else {
            QTest::mouseClick(botao, Qt::LeftButton);
        }
        QCOMPARE(pagina->criticas, 1);
        QCOMPARE(pagina->avancos, avancos);
        QCOMPARE(QApplication::focusWidget()->objectName(), foco);
        QVERIFY(!botao->isDown());
        // Once the field is right, the next click goes through.
        pagina->edCampo->setText(QStringLiteral("OK"));
        pagina->edCampo->setFocus();
        QTest::mouseClick(botao, Qt::LeftButton);
        QCOMPARE(pagina->avancos, avancos + 1);
    }
};

QTEST_MAIN(tst_QtPortaoSaida)
#include "tst_QtPortaoSaida.moc"
