// The new-declaration dialog driven as a user drives it: type, number, prefix, name, OK; the row it
// leaves in BD8EMP; the refusals and the copy of an establishment already stored.

#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmNovaDecl.h"
#include "rules/ugRegrasInscricao.h"

#include "ProgramaTeste.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace gdvorn;

namespace {

// The first number of `digitos` digits after `base` that the classifier puts in `classe`.
QString numero(const QString &base, int digitos, const char *classe)
{
    for (int i = 0; i < 1000; ++i) {
        const QString n = (base + QString::number(i).rightJustified(3, QLatin1Char('0'))).left(digitos);
        const QString forma = n.size() == 12 ? QStringLiteral("00") + n : n;
        if (CriticaInscricao(forma) == QLatin1String(classe))
            return n;
    }
    return QString();
}

QString cnpj() { return numero(QStringLiteral("11222333000"), 14, "0051"); }
QString cei() { return numero(QStringLiteral("123456789"), 12, "0052"); }


// The stored row of (year, inscription, prefix); empty when there is none.
QMap<QString, QString> linhaGravada(const QString &inscricao, const QString &prefixo)
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    QMap<QString, QString> campos;
    if (t.FindKey({QStringLiteral("2010"), inscricao, prefixo}))
        for (const QString &nome : t.FieldNames())
            campos.insert(nome, t.FieldByName(nome).AsString());
    return campos;
}

int linhas()
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    return t.RecordCount();
}

void gravaEstabelecimento(const QString &inscricao, const QString &prefixo, const QString &tipo,
                          const QMap<QString, QString> &outros = {})
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("AnBase")).setAsString(QStringLiteral("2010"));
    t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(inscricao);
    t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(prefixo);
    t.FieldByName(QStringLiteral("InInscrEstabelecimento")).setAsString(tipo);
    for (auto it = outros.cbegin(); it != outros.cend(); ++it)
        t.FieldByName(it.key()).setAsString(it.value());
    t.Post();
}

} // namespace

class tst_ufmNovaDecl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        test::expectInstalledMessages({{"1000", "ERR"}, {"1001", "CNF"}, {"1003", "ERR"}, {"1004", "ERR"},
                                       {"1009", "ERR"}, {"3625", "INF"}});
        QVERIFY(!cnpj().isEmpty());
        QVERIFY(!cei().isEmpty());
    }
    void init()
    {
        m_programa = std::make_unique<test::ProgramaTeste>();
        m_dialogo = std::make_unique<TfmNovaDecl>();
        m_dialogo->AbreEstabelecimento = [this](const QString &a, const QString &i, const QString &p) {
            m_entregue = QStringList{a, i, p};
        };
        m_entregue.clear();
        m_dialogo->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialogo.get()));
    }
    void cleanup()
    {
        m_dialogo.reset();
        m_programa.reset();
    }

    void novaDeclaracaoDePontaAPonta();
    void numeroSemTipo();
    void inscricaoPeloTipo_data();
    void inscricaoPeloTipo();
    void okSemNumero();
    void chaveOcupadaNaoGrava();
    void copiaDoEstabelecimentoCadastrado_data();
    void copiaDoEstabelecimentoCadastrado();
    void semEmpregadosLiberaAAtividade();
    void cancelarNaoGrava();

private:
    TfmNovaDecl &d() { return *m_dialogo; }
    void escolheTipo(int botao) { QTest::mouseClick(d().dbrTipoInscr->botoes()[botao], Qt::LeftButton); }
    void digita(QWidget *w, const QString &texto)
    {
        w->setFocus();
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->home(false);
        QTest::keyClicks(w, texto);
    }
    std::unique_ptr<test::ProgramaTeste> m_programa;
    std::unique_ptr<TfmNovaDecl> m_dialogo;
    QStringList m_entregue;
};

void tst_ufmNovaDecl::novaDeclaracaoDePontaAPonta()
{
    test::ScriptedPresenter caixas;
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("rbTipoCNPJ"));
    QCOMPARE(d().dbrTipoInscr->valor(), QString());
    escolheTipo(0);
    // Tab from the type into "Número": the digits typed at once are all taken.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d().deInscricao);
    QTest::keyClicks(d().deInscricao, cnpj());
    QCOMPARE(d().deInscricao->textoArmazenado(), cnpj());
    QTest::keyClick(d().deInscricao, Qt::Key_Tab);
    QCOMPARE(d().deInscricao->displayText().size(), 18); // shown as a CNPJ
    QVERIFY(d().deCeiVinc->isEnabled());
    QTest::keyClick(d().dePrefixo, Qt::Key_Return); // Enter moves on as Tab does; empty prefix -> "00"
    QCOMPARE(d().dePrefixo->text(), QStringLiteral("00"));
    digita(d().deRazao, QStringLiteral("padaria pao bom"));
    QCOMPARE(d().deRazao->text(), QStringLiteral("PADARIA PAO BOM"));
    QTest::keyClick(d().deRazao, Qt::Key_Tab);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Verifique se a razão social informada é a mesma do cadastro do CNPJ ou do CEI."));
    QCOMPARE(QApplication::focusWidget(), d().deUsoEmpresa);
    QTest::mouseClick(d().btOk, Qt::LeftButton);

    QCOMPARE(m_entregue, QStringList({QStringLiteral("2010"), cnpj(), QStringLiteral("00")}));
    QVERIFY(!d().isVisible());
    const auto linha = linhaGravada(cnpj(), QStringLiteral("00"));
    QCOMPARE(linha.value("NoRazaoEstabelecimento"), QStringLiteral("PADARIA PAO BOM"));
    QCOMPARE(linha.value("InInscrEstabelecimento"), QStringLiteral("1"));
    QCOMPARE(linha.value("InVornNegEstabelecimento"), QStringLiteral("0"));
    QCOMPARE(linha.value("InAtividadeAnoBase"), QStringLiteral("1"));
    QCOMPARE(linha.value("CoCgcVinculado"), QStringLiteral("00000000000000"));
    QCOMPARE(linha.value("NuEnderecoEstabelecimento"), QStringLiteral("000000"));
    QCOMPARE(linha.value("NuVinculosEstabelecimento"), QStringLiteral("000000"));
    QCOMPARE(linha.value("NuEstrangeirosEstabelec"), QStringLiteral("00000"));
    QCOMPARE(linha.value("InEncerramentoAtividade"), QStringLiteral("2"));
    QCOMPARE(linha.value("InOpcaoAberta"), QStringLiteral("0"));
    QCOMPARE(linha.value("VaGlobalSindical"), QStringLiteral("000000000"));
}

void tst_ufmNovaDecl::numeroSemTipo()
{
    test::ScriptedPresenter caixas;
    d().deInscricao->setFocus();
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Warning);
    QVERIFY(caixas.boxes[0].text.startsWith(QStringLiteral("Selecione o tipo de inscrição")));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("rbTipoCNPJ"));
    QCOMPARE(d().dbrTipoInscr->valor(), QString());
}

void tst_ufmNovaDecl::inscricaoPeloTipo_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("codigo");
    QTest::newRow("CEI de 12") << 1 << cei() << "";
    QTest::newRow("CEI de 14") << 1 << QStringLiteral("00") + cei() << "1004";
}

void tst_ufmNovaDecl::inscricaoPeloTipo()
{
    QFETCH(int, tipo);
    QFETCH(QString, numero);
    QFETCH(QString, codigo);
    test::ScriptedPresenter caixas;
    escolheTipo(tipo);
    digita(d().deInscricao, numero);
    QTest::keyClick(d().deInscricao, Qt::Key_Tab);
    QVERIFY(!d().deCeiVinc->isEnabled());
    if (!codigo.isEmpty()) {
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(QApplication::focusWidget(), d().deInscricao);
        return;
    }
    QVERIFY(caixas.boxes.isEmpty());
    d().deRazao->setText(QStringLiteral("OBRA"));
    QTest::mouseClick(d().btOk, Qt::LeftButton);
    QCOMPARE(linhaGravada(QStringLiteral("00") + cei(), QStringLiteral("00")).value("InInscrEstabelecimento"),
             QStringLiteral("3"));
}

void tst_ufmNovaDecl::okSemNumero()
{
    test::ScriptedPresenter caixas;
    escolheTipo(0);
    d().deRazao->setText(QStringLiteral("SEM NUMERO"));
    d().btOk->click();
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Número de inscrição não informado."));
    QCOMPARE(QApplication::focusWidget(), d().deInscricao);
    QVERIFY(m_entregue.isEmpty());
    QCOMPARE(linhas(), 0);
}

void tst_ufmNovaDecl::chaveOcupadaNaoGrava()
{
    gravaEstabelecimento(cnpj(), QStringLiteral("01"), QStringLiteral("1"), {{"NoRazaoEstabelecimento", "ANTIGA"}});
    test::ScriptedPresenter caixas;
    escolheTipo(0);
    digita(d().deInscricao, cnpj());
    digita(d().dePrefixo, QStringLiteral("01"));
    QTest::keyClick(d().dePrefixo, Qt::Key_Tab);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Estabelecimento já cadastrado para este ano-base com a mesma inscrição e o mesmo prefixo."));
    QCOMPARE(QApplication::focusWidget(), d().dePrefixo);
    // A click on OK from the prefix runs its check again, which keeps the focus: OK is not pressed.
    d().deRazao->setText(QStringLiteral("NOVA"));
    QTest::mouseClick(d().btOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 2);
    QCOMPARE(caixas.boxes[1].text, caixas.boxes[0].text);
    QCOMPARE(QApplication::focusWidget(), d().dePrefixo);
    // OK itself refuses the key too, before the engine would, and stores nothing.
    d().btOk->click();
    QCOMPARE(caixas.boxes.size(), 3);
    QCOMPARE(caixas.boxes[2].text, caixas.boxes[0].text);
    QVERIFY(m_entregue.isEmpty());
    QCOMPARE(linhas(), 1);
    QCOMPARE(linhaGravada(cnpj(), QStringLiteral("01")).value("NoRazaoEstabelecimento"), QStringLiteral("ANTIGA"));
}

void tst_ufmNovaDecl::copiaDoEstabelecimentoCadastrado_data()
{
    QTest::addColumn<bool>("sim");
    QTest::newRow("Sim") << true;
    QTest::newRow("Não") << false;
}

void tst_ufmNovaDecl::copiaDoEstabelecimentoCadastrado()
{
    QFETCH(bool, sim);
    // The stored establishment has no street number or counts: the copy gets a new row's defaults there.
    gravaEstabelecimento(cnpj(), QStringLiteral("01"), QStringLiteral("1"),
                         {{"NoRazaoEstabelecimento", "MATRIZ LTDA"}, {"CoCnae2", "0111302"},
                          {"CoNaturezaJuridica", "2062"}, {"EdEstabelecimento", "RUA A"},
                          {"NuVinculosEstabelecimento", "000012"}, {"VaGlobalSindical", "000000150"}});
    test::ScriptedPresenter caixas;
    caixas.answer(sim ? MessageButton::Yes : MessageButton::No);
    escolheTipo(0);
    digita(d().deInscricao, cnpj());
    digita(d().dePrefixo, QStringLiteral("02"));
    QTest::keyClick(d().dePrefixo, Qt::Key_Tab);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Confirmation);
    QCOMPARE(m_entregue, QStringList({QStringLiteral("2010"), cnpj(), QStringLiteral("02")}));
    const auto linha = linhaGravada(cnpj(), QStringLiteral("02"));
    QCOMPARE(linha.value("NoRazaoEstabelecimento"), QStringLiteral("MATRIZ LTDA"));
    QCOMPARE(linha.value("CoCnae2"), QStringLiteral("0111302"));
    QCOMPARE(linha.value("CoNaturezaJuridica"), QStringLiteral("2062"));
    QCOMPARE(linha.value("EdEstabelecimento"), sim ? QStringLiteral("RUA A") : QString());
    QCOMPARE(linha.value("NuVinculosEstabelecimento"), QStringLiteral("000000"));
    QCOMPARE(linha.value("NuEnderecoEstabelecimento"), QStringLiteral("000000"));
    QCOMPARE(linha.value("InEncerramentoAtividade"), QStringLiteral("2"));
    QCOMPARE(linha.value("VaGlobalSindical"), QStringLiteral("000000000"));
    QCOMPARE(linha.value("CoCgcVinculado"), QStringLiteral("00000000000000"));
}

void tst_ufmNovaDecl::semEmpregadosLiberaAAtividade()
{
    test::ScriptedModal janelas;
    QVERIFY(!d().dgEmAtividade->isEnabled());
    d().dgTipoVorn->botoes()[1]->click();
    QVERIFY(d().dgEmAtividade->isEnabled());
    QCOMPARE(janelas.shown, QStringList{QStringLiteral("fmSemEmpregados")});
    d().dgTipoVorn->botoes()[0]->click();
    QVERIFY(!d().dgEmAtividade->isEnabled());
    // Switched off in the tip, it is not shown again.
    janelas.then([](QDialog &dica) {
        dica.findChild<QCheckBox *>(QStringLiteral("dkDicas"))->setChecked(true);
        QTest::mouseClick(dica.findChild<QPushButton *>(QStringLiteral("BtFechar")), Qt::LeftButton);
    });
    d().dgTipoVorn->botoes()[1]->click();
    d().dgTipoVorn->botoes()[0]->click();
    d().dgTipoVorn->botoes()[1]->click();
    QCOMPARE(janelas.shown.size(), 2);
}

void tst_ufmNovaDecl::cancelarNaoGrava()
{
    escolheTipo(0);
    digita(d().deInscricao, cnpj());
    QTest::keyClick(d().deInscricao, Qt::Key_Escape);
    QVERIFY(!d().isVisible());
    QCOMPARE(linhas(), 0);
    QVERIFY(m_entregue.isEmpty());
}

QTEST_MAIN(tst_ufmNovaDecl)
#include "tst_ufmNovaDecl.moc"
