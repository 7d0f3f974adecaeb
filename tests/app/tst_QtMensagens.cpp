// Messages on screen: the real message box of a confirmation closed with Escape, and the text check of
// an edit that stops its handler.

#include "app/base/Abort.h"
#include "app/base/Database.h"
#include "app/QtPresenter.h"
#include "app/ufmCriticaEdit.h"
#include "app/ugMensagens.h"

#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

using namespace gdvorn;

class tst_QtMensagens : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dados = std::make_unique<test::TempDataFolder>();
        execSql(QStringLiteral("INSERT INTO tb8msg (NuMensagem, TpMensagem, TxMensagem) VALUES "
                               "('0100', 'CNF', 'Confirma a exclusão?'), ('0010', 'ERR', 'Texto muito curto.')"));
    }
    void cleanup() { m_dados.reset(); }

    void confirmacaoFechadaComEscapeRespondeNao();
    void criticaEditTextoParaOTratador();
    void caixaTaoLargaQuantoOTitulo();

private:
    std::unique_ptr<test::TempDataFolder> m_dados;
};

void tst_QtMensagens::confirmacaoFechadaComEscapeRespondeNao()
{
    QtPresenter caixas;
    Presenter *antes = setPresenter(&caixas);
    QString titulo, texto;
    QStringList botoes;
    // Waits for the box to be up, then presses Escape in it.
    QTimer escape;
    connect(&escape, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        escape.stop();
        titulo = box->windowTitle();
        texto = box->text();
        for (QAbstractButton *b : box->buttons())
            botoes << b->text();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    escape.start(20);
    const QString resultado = MostraMensagem(QStringLiteral("0100"));
    setPresenter(antes);

    QCOMPARE(resultado, QStringLiteral("mrNo"));
    QCOMPARE(titulo, QStringLiteral("Confirme"));
    QCOMPARE(texto, QStringLiteral("Confirma a exclusão?"));
    botoes.sort();
    QCOMPARE(botoes, (QStringList{QStringLiteral("&Não"), QStringLiteral("&Sim")}));
}

void tst_QtMensagens::caixaTaoLargaQuantoOTitulo()
{
    // A one-word text under a long title: the box is as wide as the title needs.
    QtPresenter caixas;
    int largura = 0, precisa = 0;
    QTimer fecha;
    connect(&fecha, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        fecha.stop();
        largura = box->width();
        precisa = LarguraParaTitulo(*box, box->windowTitle());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    fecha.start(20);
    caixas.show(MessageKind::Information, QStringLiteral("Ok."), {MessageButton::Ok},
                QStringLiteral("Informação sobre a cópia de segurança"), MessageButton::Ok);
    QVERIFY(precisa > 200);
    QVERIFY2(largura >= precisa, qPrintable(QStringLiteral("%1 < %2").arg(largura).arg(precisa)));
}

void tst_QtMensagens::criticaEditTextoParaOTratador()
{
    test::ScriptedPresenter caixas;
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *outro = new QLineEdit(&form);
    auto *edit = new QLineEdit(&form);
    layout->addWidget(outro);
    layout->addWidget(edit);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    outro->setFocus();

    edit->setText(QStringLiteral("Rua"));
    CriticaEditTexto(edit); // valid: returns
    QVERIFY(caixas.boxes.isEmpty());
    QVERIFY(outro->hasFocus());

    edit->setText(QStringLiteral("R"));
    QVERIFY_THROWS_EXCEPTION(EAbort, CriticaEditTexto(edit));
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Texto muito curto."));
    QVERIFY(edit->hasFocus());
}

QTEST_MAIN(tst_QtMensagens)
#include "tst_QtMensagens.moc"
