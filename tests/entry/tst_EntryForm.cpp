// The entry-form toolkit on a small form of its own: keys, the exit gate, the tab guard, help, the
// masked, money and radio controls and the binder.

#include "app/FormBinder.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "entry/EntryForm.h"
#include "entry/FormEdits.h"

#include "ProgramaTeste.h"
#include "ScriptedHelp.h"
#include "ScriptedPresenter.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

using namespace gdvorn;

namespace {

// A form of two tabs: the prefix edit refuses "XX" with "0060"; the company edit counts its checks.
class Ficha : public EntryForm {
public:
    Ficha()
    {
        setObjectName(QStringLiteral("fmFicha"));
        auto *layout = new QHBoxLayout(this);
        auto *botoes = new QVBoxLayout;
        BtOk = botao("BtOk", "&Ok");
        BtCancelar = botao("BtCancelar", "&Cancelar");
        BtAjuda = botao("BtAjuda", "&Ajuda");
        for (QPushButton *b : {BtOk, BtCancelar, BtAjuda})
            botoes->addWidget(b);
        layout->addLayout(botoes);
        abas = new EntryTabWidget(this);
        layout->addWidget(abas);

        auto *pagina1 = new QWidget;
        auto *l1 = new QVBoxLayout(pagina1);
        edPrefixo = new QLineEdit(pagina1);
        edPrefixo->setObjectName(QStringLiteral("edPrefixo"));
        edCNPJ = new MaskEdit(pagina1, QStringLiteral("99.999.999/9999-99;0;_"));
        edCNPJ->setObjectName(QStringLiteral("edCNPJ"));
        dbrTipo = new RadioGroup(QStringLiteral("Tipo"), pagina1);
        dbrTipo->setObjectName(QStringLiteral("dbrTipo"));
        dbrTipo->adiciona(QStringLiteral("rbCNPJ"), QStringLiteral("CNPJ"), QStringLiteral("1"));
        dbrTipo->adiciona(QStringLiteral("rbCEI"), QStringLiteral("CEI"), QStringLiteral("3"));
        edRazao = new QLineEdit(pagina1);
        edRazao->setObjectName(QStringLiteral("edRazao"));
        for (QWidget *w : std::initializer_list<QWidget *>{edPrefixo, edCNPJ, dbrTipo, edRazao})
            l1->addWidget(w);
        abas->addTab(pagina1, QStringLiteral("Um"));

        auto *pagina2 = new QWidget;
        auto *l2 = new QVBoxLayout(pagina2);
        edValor = new MoneyEdit(pagina2);
        edValor->setObjectName(QStringLiteral("edValor"));
        l2->addWidget(edValor);
        abas->addTab(pagina2, QStringLiteral("Dois"));

        setBotaoCancelar(BtCancelar);
        setBotaoAjuda(BtAjuda);
        setBotoesSaida({BtOk});
        protegeAbas(abas);
        aoSair(edPrefixo, [this] {
            ++criticasPrefixo;
            if (edPrefixo->text() == QLatin1String("XX"))
                falha(QStringLiteral("0060"), edPrefixo);
        });
        aoSair(edRazao, [this] { ++criticasRazao; });
        aoSair(dbrTipo, [this] { ++criticasTipo; });
        connect(BtCancelar, &QPushButton::clicked, this, [this] { ++cancelamentos; });
        setContextoAjuda(edPrefixo, 903);
        setContextoAjuda(dbrTipo, 886);
    }

    QPushButton *botao(const char *nome, const char *legenda)
    {
        auto *b = new QPushButton(QString::fromUtf8(legenda), this);
        b->setObjectName(QLatin1String(nome));
        return b;
    }

    QPushButton *BtOk, *BtCancelar, *BtAjuda;
    EntryTabWidget *abas;
    QLineEdit *edPrefixo, *edRazao;
    MaskEdit *edCNPJ;
    RadioGroup *dbrTipo;
    MoneyEdit *edValor;
    int criticasPrefixo = 0, criticasRazao = 0, criticasTipo = 0, cancelamentos = 0;
};

void clicaAba(QTabWidget *abas, int indice)
{
    QTest::mouseClick(abas->tabBar(), Qt::LeftButton, {}, abas->tabBar()->tabRect(indice).center());
}

} // namespace

class tst_EntryForm : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_programa = std::make_unique<test::ProgramaTeste>();
        m_ficha = std::make_unique<Ficha>();
        m_ficha->show();
        QVERIFY(QTest::qWaitForWindowActive(m_ficha.get()));
    }
    void cleanup()
    {
        m_ficha.reset();
        m_programa.reset();
    }

    void enterAvancaComoTab();
    void falhaPrendeOFocoERecusaUmaTroca();
    void saidaParaBotaoDeSaidaNaoCritica();
    void escApertaCancelar();
    void f1EBotaoAjuda();
    void grupoDeOpcoes();
    void mascarasVoltamAosDigitos_data();
    void mascarasVoltamAosDigitos();
    void mascaraProntaAoEntrarPeloTeclado_data();
    void mascaraProntaAoEntrarPeloTeclado();
    void mascaraEntreJanelas();
    void valorDigitadoEArmazenado();
    void ligadorCarregaEGravaALinha();
    void travaNaCorDoBotao();
    void cliqueQueDeixaOCampo_data();
    void cliqueQueDeixaOCampo();

private:
    std::unique_ptr<test::ProgramaTeste> m_programa;
    std::unique_ptr<Ficha> m_ficha;
};

void tst_EntryForm::enterAvancaComoTab()
{
    Ficha &f = *m_ficha;
    f.edPrefixo->setFocus();
    QTest::keyClick(f.edPrefixo, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.edCNPJ);
    QCOMPARE(f.criticasPrefixo, 1); // the field left was checked, as with Tab
    QTest::keyClick(f.edCNPJ, Qt::Key_Enter, Qt::KeypadModifier);
    // Entering the group with nothing chosen focuses its first button, still unchosen.
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("rbCNPJ"));
    QCOMPARE(f.dbrTipo->valor(), QString());
    QVERIFY(f.isVisible());
}

void tst_EntryForm::falhaPrendeOFocoERecusaUmaTroca()
{
    Ficha &f = *m_ficha;
    test::ScriptedPresenter caixas;
    f.edPrefixo->setFocus();
    QTest::keyClicks(f.edPrefixo, QStringLiteral("XX"));
    QTest::keyClick(f.edPrefixo, Qt::Key_Tab);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Prefixo inválido. Utilize números ou letras maiúsculas."));
    QCOMPARE(QApplication::focusWidget(), f.edPrefixo);
    QVERIFY(!f.TrocaAbaPermitida);

    // Corrected, the field passes its check, but the one switch after the failure is refused.
    f.edPrefixo->setText(QStringLiteral("01"));
    clicaAba(f.abas, 1);
    QCOMPARE(f.abas->currentIndex(), 0);
    QCOMPARE(caixas.boxes.size(), 1);
    clicaAba(f.abas, 1);
    QCOMPARE(f.abas->currentIndex(), 1);

    // A failure met on the way to another tab brings the field's tab back and keeps the focus there.
    f.abas->setCurrentIndex(0);
    f.edPrefixo->setText(QStringLiteral("XX"));
    f.edPrefixo->setFocus();
    clicaAba(f.abas, 1);
    QCOMPARE(f.abas->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), f.edPrefixo);
    QCOMPARE(caixas.boxes.size(), 2);
}

void tst_EntryForm::saidaParaBotaoDeSaidaNaoCritica()
{
    Ficha &f = *m_ficha;
    test::ScriptedPresenter caixas;
    f.edPrefixo->setFocus();
    f.edPrefixo->setText(QStringLiteral("XX"));
    QTest::mouseClick(f.BtCancelar, Qt::LeftButton);
    QCOMPARE(f.criticasPrefixo, 0);
    QCOMPARE(f.cancelamentos, 1);
    f.edPrefixo->setFocus();
    QTest::mouseClick(f.BtOk, Qt::LeftButton);
    f.edPrefixo->setFocus();
    QTest::mouseClick(f.BtAjuda, Qt::LeftButton);
    QCOMPARE(f.criticasPrefixo, 0);
    QVERIFY(caixas.boxes.isEmpty() || caixas.boxes.last().kind == MessageKind::Information);
}

void tst_EntryForm::escApertaCancelar()
{
    Ficha &f = *m_ficha;
    f.edRazao->setFocus();
    QTest::keyClick(f.edRazao, Qt::Key_Escape);
    QCOMPARE(f.cancelamentos, 1);
    QCOMPARE(f.criticasRazao, 0);
    // A close request of the window acts as Esc.
    f.close();
    QCOMPARE(f.cancelamentos, 2);
}

void tst_EntryForm::f1EBotaoAjuda()
{
    Ficha &f = *m_ficha;
    test::ScriptedHelp ajuda;
    test::ScriptedPresenter caixas;
    f.edPrefixo->setFocus();
    QTest::keyClick(f.edPrefixo, Qt::Key_F1);
    QCOMPARE(ajuda.last(), QStringLiteral("gdvorn.html#abrir"));
    // A button of the group takes the group's context.
    f.dbrTipo->botoes()[1]->setFocus();
    QTest::keyClick(f.dbrTipo->botoes()[1], Qt::Key_F1);
    QCOMPARE(ajuda.last(), QStringLiteral("gdvorn.html#excluir"));
    // The help button shows the topic of the control entered last.
    QTest::mouseClick(f.BtAjuda, Qt::LeftButton);
    QCOMPARE(ajuda.last(), QStringLiteral("gdvorn.html#excluir"));
    QCOMPARE(ajuda.pages.size(), 3);
    // ... and, for a control without a topic, how to ask for one.
    f.edRazao->setFocus();
    QTest::mouseClick(f.BtAjuda, Qt::LeftButton);
    QCOMPARE(ajuda.pages.size(), 3);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Information);
    QVERIFY(caixas.boxes[0].text.startsWith(QStringLiteral("Para exibir a Ajuda do Campo")));
}

void tst_EntryForm::grupoDeOpcoes()
{
    Ficha &f = *m_ficha;
    f.dbrTipo->setValor(QStringLiteral("3"));
    QCOMPARE(f.dbrTipo->valor(), QStringLiteral("3"));
    // Entering the group focuses the chosen button.
    f.edCNPJ->setFocus();
    QTest::keyClick(f.edCNPJ, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("rbCEI"));
    // Arrows move between the buttons without leaving the group (no check runs).
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(f.dbrTipo->valor(), QStringLiteral("1"));
    QCOMPARE(f.criticasTipo, 0);
    // Leaving the group runs its check once; Shift+Tab from the group goes back past it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.edRazao);
    QCOMPARE(f.criticasTipo, 1);
    QTest::keyClick(f.edRazao, Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), f.edCNPJ);
    // A value of no button leaves none chosen.
    f.dbrTipo->setValor(QStringLiteral("9"));
    QCOMPARE(f.dbrTipo->valor(), QString());
}

void tst_EntryForm::mascarasVoltamAosDigitos_data()
{
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("exibido");
    QTest::newRow("CNPJ") << "99\\.999\\.999\\/9999\\-99;0;_" << "12345678000195" << "12.345.678/0001-95";
    QTest::newRow("CEI") << "99999\\.99999\\-99;0;_" << "123456789012" << "12345.67890-12";
    QTest::newRow("CEP") << "99999-999;0;" << "70040010" << "70040-010";
    QTest::newRow("PIS") << "999.99999.99.9;0;" << "12345678901" << "123.45678.90.1";
}

void tst_EntryForm::mascarasVoltamAosDigitos()
{
    QFETCH(QString, mascara);
    QFETCH(QString, digitado);
    MaskEdit *ed = m_ficha->edCNPJ;
    ed->setMascara(mascara);
    ed->setFocus();
    ed->clear();
    ed->home(false);
    QTest::keyClicks(ed, digitado);
    QTEST(ed->displayText(), "exibido");
    QCOMPARE(ed->textoArmazenado(), digitado);
    // A stored value shown again reads back the same; a partial one keeps its digits.
    ed->mostraArmazenado(digitado);
    QTEST(ed->displayText(), "exibido");
    QCOMPARE(ed->textoArmazenado(), digitado);
    ed->mostraArmazenado(digitado.left(5));
    QCOMPARE(ed->textoArmazenado(), digitado.left(5));
    ed->mostraArmazenado(QString());
    QCOMPARE(ed->textoArmazenado(), QString());
}

void tst_EntryForm::mascaraProntaAoEntrarPeloTeclado_data()
{
    QTest::addColumn<QString>("antes");      // the stored value shown before entering
    QTest::addColumn<int>("entrada");        // 0 Tab, 1 Enter, 2 the form placing the focus, 3 a new mask on entry
    QTest::addColumn<QString>("digitado");
    QTest::newRow("empty, Tab") << "" << 0 << "12345678000195";
    QTest::newRow("empty, Enter") << "" << 1 << "12345678000195";
    QTest::newRow("empty, placed") << "" << 2 << "12345678000195";
    QTest::newRow("empty, new mask") << "" << 3 << "12345678000195";
    QTest::newRow("filled, Tab: replaced") << "98765432000100" << 0 << "12345678000195";
    QTest::newRow("filled, placed: replaced") << "98765432000100" << 2 << "12345678000195";
    QTest::newRow("filled, new mask: replaced") << "98765432000100" << 3 << "12345678000195";
}

// Whatever put the focus in a masked edit from the keyboard, the digits typed at once are all taken: an
// empty edit starts at its first position, a filled one is typed over.
void tst_EntryForm::mascaraProntaAoEntrarPeloTeclado()
{
    QFETCH(QString, antes);
    QFETCH(int, entrada);
    QFETCH(QString, digitado);
    Ficha &f = *m_ficha;
    MaskEdit *ed = f.edCNPJ;
    ed->mostraArmazenado(antes);
    ed->setCursorPosition(int(ed->displayText().size())); // where a program's setText leaves it
    f.edPrefixo->setFocus();
    switch (entrada) {
    case 0:
        QTest::keyClick(f.edPrefixo, Qt::Key_Tab);
        break;
    case 1:
        QTest::keyClick(f.edPrefixo, Qt::Key_Return);
        break;
    case 2:
        ed->setFocus(Qt::OtherFocusReason);
        break;
    default:
        // An enter handler that changes the mask once the edit has the focus.
        ed->setFocus(Qt::TabFocusReason);
        ed->setMascara(QStringLiteral("99999999999999;0;_"));
        break;
    }
    QCOMPARE(QApplication::focusWidget(), ed);
    QTest::keyClicks(ed, digitado);
    QCOMPARE(ed->textoArmazenado(), digitado);
    // Emptied while in it, the edit takes typing from its start again.
    ed->selectAll();
    QTest::keyClick(ed, Qt::Key_Delete);
    ed->clear();
    QTest::keyClicks(ed, QStringLiteral("12"));
    QCOMPARE(ed->textoArmazenado(), QStringLiteral("12"));
}

// The focus a form places in a masked edit while another window (a message box) is active arrives with the
// window's activation: the edit is ready for typing then. An edit left with its window, half typed, goes
// on where it was.
void tst_EntryForm::mascaraEntreJanelas()
{
    Ficha &f = *m_ficha;
    MaskEdit *ed = f.edCNPJ;
    QWidget outra;
    ed->mostraArmazenado(QStringLiteral("98765432000100"));
    ed->setCursorPosition(int(ed->displayText().size()));
    f.edPrefixo->setFocus();
    outra.show();
    outra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&outra));
    ed->setFocus(Qt::OtherFocusReason);
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QCOMPARE(QApplication::focusWidget(), ed);
    QTest::keyClicks(ed, QStringLiteral("123"));
    QCOMPARE(ed->textoArmazenado(), QStringLiteral("123"));
    outra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&outra));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::keyClicks(ed, QStringLiteral("45"));
    QCOMPARE(ed->textoArmazenado(), QStringLiteral("12345"));
}

void tst_EntryForm::valorDigitadoEArmazenado()
{
    Ficha &f = *m_ficha;
    f.abas->setCurrentIndex(1);
    MoneyEdit *ed = f.edValor;
    ed->mostraArmazenado(QStringLiteral("000123450"));
    QCOMPARE(ed->text().trimmed(), QStringLiteral("1.234,50"));
    // Entering removes the thousands separators and selects the text; leaving shows them again.
    ed->setFocus();
    QCOMPARE(ed->text(), QStringLiteral("1234,50"));
    QCOMPARE(ed->selectedText(), QStringLiteral("1234,50"));
    QTest::keyClicks(ed, QStringLiteral("1.234,5"));
    QCOMPARE(ed->textoArmazenado(), QStringLiteral("000123450"));
    f.abas->tabBar()->setFocus();
    QCOMPARE(ed->text().trimmed(), QStringLiteral("1.234,50"));
    QCOMPARE(ed->textoArmazenado(), QStringLiteral("000123450"));
    // Typing stops at twelve characters; a longer display text is still shown whole.
    ed->setFocus();
    ed->selectAll();
    QTest::keyClicks(ed, QStringLiteral("12345678901234"));
    QCOMPARE(ed->text(), QStringLiteral("123456789012"));
    ed->mostraArmazenado(QString());
    QCOMPARE(ed->text(), QStringLiteral("0,00"));
    ed->setText(QStringLiteral("abc"));
    QCOMPARE(ed->textoArmazenado(), QString());
}

void tst_EntryForm::ligadorCarregaEGravaALinha()
{
    Ficha &f = *m_ficha;
    Table &linha = dmEntradaDados->ta8Empresa;
    linha.Open();
    linha.Append();
    linha.FieldByName(QStringLiteral("AnBase")).setAsString(QStringLiteral("2010"));
    linha.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(QStringLiteral("12345678000195"));
    linha.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(QStringLiteral("01"));
    linha.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).setAsString(QStringLiteral("PADARIA"));
    linha.FieldByName(QStringLiteral("InInscrEstabelecimento")).setAsString(QStringLiteral("3"));
    linha.FieldByName(QStringLiteral("VaGlobalSindical")).setAsString(QStringLiteral("000000150"));
    linha.Post();

    FormBinder ligador(&linha);
    ligador.liga(f.edCNPJ, QStringLiteral("CoCgcCeiEstabelecimento"));
    ligador.liga(f.edPrefixo, QStringLiteral("NuPrefixoEstabelecimento"));
    ligador.liga(f.edRazao, QStringLiteral("NoRazaoEstabelecimento"));
    ligador.liga(f.dbrTipo, QStringLiteral("InInscrEstabelecimento"));
    ligador.liga(f.edValor, QStringLiteral("VaGlobalSindical"));
    ligador.carrega();
    QCOMPARE(f.edCNPJ->displayText(), QStringLiteral("12.345.678/0001-95"));
    QCOMPARE(f.edPrefixo->text(), QStringLiteral("01"));
    QCOMPARE(f.dbrTipo->valor(), QStringLiteral("3"));
    QCOMPARE(f.edValor->text().trimmed(), QStringLiteral("1,50"));
    // A bound edit takes no more than its field holds.
    QCOMPARE(f.edPrefixo->maxLength(), 2);

    // In edit state a change reaches the row as it is typed; grava writes every control.
    linha.Edit();
    f.edRazao->setFocus();
    f.edRazao->selectAll();
    QTest::keyClicks(f.edRazao, QStringLiteral("PADARIA PAO BOM"));
    QCOMPARE(linha.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString(), QStringLiteral("PADARIA PAO BOM"));
    f.dbrTipo->setValor(QStringLiteral("1"));
    f.edValor->setText(QStringLiteral("1.234,5"));
    ligador.grava();
    linha.Post();

    Table leitura(QStringLiteral("bd8emp"));
    leitura.Open();
    QVERIFY(leitura.FindKey({QStringLiteral("2010"), QStringLiteral("12345678000195"), QStringLiteral("01")}));
    QCOMPARE(leitura.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString(), QStringLiteral("PADARIA PAO BOM"));
    QCOMPARE(leitura.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString(), QStringLiteral("1"));
    QCOMPARE(leitura.FieldByName(QStringLiteral("VaGlobalSindical")).AsString(), QStringLiteral("000123450"));
    linha.Close();
}

void tst_EntryForm::travaNaCorDoBotao()
{
    QLineEdit *ed = m_ficha->edRazao;
    const QPalette padrao = ed->style()->standardPalette();
    Trava(ed, true);
    QVERIFY(ed->isReadOnly());
    QCOMPARE(ed->palette().color(QPalette::Base), padrao.color(QPalette::Button));
    Trava(ed, true, CorTrava::Menu);
    QCOMPARE(ed->palette().color(QPalette::Base), padrao.color(QPalette::Window));
    Trava(ed, false);
    QVERIFY(!ed->isReadOnly());
    QCOMPARE(ed->palette().color(QPalette::Base), padrao.color(QPalette::Base));
}

void tst_EntryForm::cliqueQueDeixaOCampo_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("soltaDuranteACritica");
    QTest::addColumn<int>("gravacoes");
    QTest::addColumn<QString>("foco");
    QTest::newRow("check passes") << "01" << false << 1 << "BtGravar";
    QTest::newRow("check passes, release during the check") << "01" << true << 1 << "BtGravar";
    QTest::newRow("check fails") << "XX" << false << 0 << "edPrefixo";
    QTest::newRow("check fails, release during the check") << "XX" << true << 0 << "edPrefixo";
}

void tst_EntryForm::cliqueQueDeixaOCampo()
{
    // A button that is not an exit button, on a form whose check lets events run (as the responsible
    // person's checks do): the release of a click may come in while the check runs.
    QFETCH(QString, texto);
    QFETCH(bool, soltaDuranteACritica);
    QFETCH(int, gravacoes);
    QFETCH(QString, foco);
    test::ScriptedPresenter presenter;
    EntryForm form;
    auto *layout = new QVBoxLayout(&form);
    auto *edPrefixo = new QLineEdit(&form);
    edPrefixo->setObjectName(QStringLiteral("edPrefixo"));
    auto *gravar = new QPushButton(QStringLiteral("&Gravar"), &form);
    gravar->setObjectName(QStringLiteral("BtGravar"));
    layout->addWidget(edPrefixo);
    layout->addWidget(gravar);
    int vezes = 0;
    QObject::connect(gravar, &QPushButton::clicked, &form, [&vezes] { ++vezes; });
    form.aoSair(edPrefixo, [&form, edPrefixo] {
        QCoreApplication::processEvents();
        if (edPrefixo->text() == QLatin1String("XX"))
            form.falha(QStringLiteral("0060"), edPrefixo);
    });
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    edPrefixo->setFocus();
    edPrefixo->setText(texto);
    if (soltaDuranteACritica) {
        QTimer::singleShot(0, gravar, [gravar] { QTest::mouseRelease(gravar, Qt::LeftButton); });
        QTest::mousePress(gravar, Qt::LeftButton);
        QTRY_COMPARE(vezes, gravacoes);
        QTest::qWait(20);
    } else {
        QTest::mouseClick(gravar, Qt::LeftButton);
    }
    QCOMPARE(vezes, gravacoes);
    QCOMPARE(QApplication::focusWidget()->objectName(), foco);
    QCOMPARE(presenter.boxes.size(), gravacoes == 0 ? 1 : 0);
    QVERIFY(!gravar->isDown());
}

QTEST_MAIN(tst_EntryForm)
#include "tst_EntryForm.moc"
