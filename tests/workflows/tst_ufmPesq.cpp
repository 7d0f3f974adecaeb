// The satisfaction survey offscreen: answers typed into the edits and stored, the stored answers shown
// again, a refused value keeping the focus, a short stored string, Cancel, the keys, and the hidden
// "Pesquisa" command of the main window.

#include "app/base/Query.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "entry/FormEdits.h"
#include "workflows/ufmPesq.h"
#include "workflows/ugPesq.h"

#include "FixtureTabelas.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;

namespace {

QStringList armazenadas()
{
    Query q;
    q.setSql(QStringLiteral("select NuRespostaPesquisa from bd8resp"));
    q.Open();
    QStringList r;
    for (; !q.Eof(); q.Next())
        r << q.Fields(0).AsString();
    return r;
}

} // namespace

class tst_ufmPesq : public QObject {
    Q_OBJECT

    std::unique_ptr<test::FixtureTabelas> m_tabelas;

    std::unique_ptr<TfmPesq> abre()
    {
        auto f = std::make_unique<TfmPesq>();
        f->show();
        f->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(f.get())); }();
        return f;
    }
    // Types `texto` into the edit of question n (from 1), which takes the focus first.
    static void responde(TfmPesq &f, int n, const QString &texto)
    {
        f.pcPesquisa->setCurrentIndex(n <= 11 ? 0 : 1);
        f.R[n - 1]->setFocus();
        f.R[n - 1]->selectAll();
        QTest::keyClicks(f.R[n - 1], texto);
    }
    static QStringList mostradas(const TfmPesq &f)
    {
        QStringList m;
        for (const MaskEdit *e : f.R)
            m << e->text();
        return m;
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        dmGDVorn = &m_tabelas->modulo();
    }
    void cleanup()
    {
        dmGDVorn = nullptr;
        m_tabelas.reset();
    }

    // 7 to question 3 and 77 to question 22 and nothing else, in an empty table: a new row with
    // "BB7", 18 "B" and "X". Typing 5 shows 05.
    void respondeEGrava()
    {
        test::ScriptedPresenter caixas;
        auto f = abre();
        QCOMPARE(f->windowTitle(), QStringLiteral("Pesquisa de Satisfação"));
        QCOMPARE(QApplication::focusWidget(), f->R[0]);
        QCOMPARE(f->R.size(), 22);
        responde(*f, 3, QStringLiteral("7"));
        QTest::keyClick(f->R[2], Qt::Key_Tab);
        QCOMPARE(f->R[2]->text(), QStringLiteral("07"));
        QCOMPARE(QApplication::focusWidget(), f->R[3]);
        responde(*f, 5, QStringLiteral("5"));
        QTest::keyClick(f->R[4], Qt::Key_Return);
        QCOMPARE(f->R[4]->text(), QStringLiteral("05"));
        // Emptied again: no answer.
        responde(*f, 5, QString());
        QTest::keyClick(f->R[4], Qt::Key_Backspace);
        QCOMPARE(f->R[4]->textoArmazenado(), QString());
        responde(*f, 22, QStringLiteral("77"));
        f->BtOk->click();
        QCOMPARE(textos(caixas), QStringList());
        QVERIFY(!f->isVisible());
        QCOMPARE(f->result(), int(QDialog::Accepted));
        QCOMPARE(armazenadas(), QStringList{QStringLiteral("BB7") + QString(18, QLatin1Char('B')) + QLatin1Char('X')});
    }

    // Reopening shows the stored answers: 10 for "A", 77 for "X", nothing for "B", 0d for a digit.
    void mostraArmazenadas()
    {
        m_tabelas->insere(QStringLiteral("bd8resp"),
                          QVariantMap{{"NuRespostaPesquisa", QStringLiteral("AXB5") + QString(17, QLatin1Char('B')) + QLatin1Char('1')}});
        auto f = abre();
        const QStringList m = mostradas(*f);
        QCOMPARE(m.mid(0, 5), (QStringList{"10", "77", "", "05", ""}));
        QCOMPARE(m.at(21), QStringLiteral("01"));
        QCOMPARE(f->Respostas(), QStringLiteral("AXB5") + QString(17, QLatin1Char('B')) + QLatin1Char('1'));
        QCOMPARE(f->pcPesquisa->currentWidget(), f->tsAtendimento);
    }

    // A value off the scale: the box, the focus stays, nothing coded; corrected, it moves on. OK after it
    // stores the corrected value and keeps the other answers of the row.
    void valorRecusado_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::newRow("11") << "11";
        QTest::newRow("55") << "55";
        QTest::newRow("78") << "78";
    }
    void valorRecusado()
    {
        QFETCH(QString, valor);
        m_tabelas->insere(QStringLiteral("bd8resp"), QVariantMap{{"NuRespostaPesquisa", QString(22, QLatin1Char('9'))}});
        test::ScriptedPresenter caixas;
        auto f = abre();
        responde(*f, 2, valor);
        QTest::keyClick(f->R[1], Qt::Key_Tab);
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Valor Inválido. Consulte régua de valores.")});
        QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Information);
        QCOMPARE(QApplication::focusWidget(), f->R[1]);
        QCOMPARE(f->Respostas().at(1), QLatin1Char('9'));
        // OK with the refused value still typed: refused the same way, nothing stored.
        f->BtOk->click();
        QCOMPARE(caixas.boxes.size(), 2);
        QVERIFY(f->isVisible());
        QCOMPARE(armazenadas(), QStringList{QString(22, QLatin1Char('9'))});
        responde(*f, 2, QStringLiteral("10"));
        QTest::keyClick(f->R[1], Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), 2);
        QCOMPARE(QApplication::focusWidget(), f->R[2]);
        f->BtOk->click();
        QCOMPARE(armazenadas(), QStringList{QStringLiteral("9A") + QString(20, QLatin1Char('9'))});
    }

    // A stored string shorter than 22 characters: the missing answers are blank, and an answer to a late
    // question is kept.
    void respostaCurta()
    {
        m_tabelas->insere(QStringLiteral("bd8resp"), QVariantMap{{"NuRespostaPesquisa", QStringLiteral("5A")}});
        test::ScriptedPresenter caixas;
        auto f = abre();
        QCOMPARE(mostradas(*f).mid(0, 3), (QStringList{"05", "10", ""}));
        responde(*f, 22, QStringLiteral("9"));
        QTest::keyClick(f->R[21], Qt::Key_Tab);
        f->BtOk->click();
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(armazenadas(), QStringList{QStringLiteral("5A") + QString(19, QLatin1Char('B')) + QLatin1Char('9')});
    }

    // Cancel and Esc store nothing, even with an answer typed.
    void cancela_data()
    {
        QTest::addColumn<bool>("esc");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Esc") << true;
    }
    void cancela()
    {
        QFETCH(bool, esc);
        test::ScriptedPresenter caixas;
        auto f = abre();
        responde(*f, 1, QStringLiteral("99"));
        if (esc)
            QTest::keyClick(f->R[0], Qt::Key_Escape);
        else
            f->BtCancel->click();
        QVERIFY(!f->isVisible());
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(armazenadas(), QStringList());
    }

    // Page Down and the down arrow move forward, Page Up and the up arrow back; question 11 goes on to
    // question 12 on the second tab.
    void teclas()
    {
        test::ScriptedPresenter caixas;
        auto f = abre();
        QTest::keyClick(f->R[0], Qt::Key_PageDown);
        QCOMPARE(QApplication::focusWidget(), f->R[1]);
        QTest::keyClick(f->R[1], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f->R[2]);
        QTest::keyClick(f->R[2], Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f->R[1]);
        QTest::keyClick(f->R[1], Qt::Key_PageUp);
        QCOMPARE(QApplication::focusWidget(), f->R[0]);
        responde(*f, 11, QStringLiteral("3"));
        QTest::keyClick(f->R[10], Qt::Key_Return);
        QCOMPARE(f->pcPesquisa->currentWidget(), f->tsGdvorn);
        QCOMPARE(QApplication::focusWidget(), f->R[11]);
        QCOMPARE(f->Respostas().at(10), QLatin1Char('3'));
        QCOMPARE(textos(caixas), QStringList());
    }

    // The hidden "Pesquisa" command opens the survey.
    void comando()
    {
        RegistraPesquisa();
        TfmGDVORN principal;
        QVERIFY(!principal.MenuItem3->isVisible());
        QVERIFY(principal.sbPesquisa->isEnabled());
        test::ScriptedModal modal;
        principal.sbPesquisa->click();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("fmPesq")});
    }

private:
    static QStringList textos(const test::ScriptedPresenter &p)
    {
        QStringList t;
        for (const auto &b : p.boxes)
            t << b.text;
        return t;
    }
};

QTEST_MAIN(tst_ufmPesq)
#include "tst_ufmPesq.moc"
