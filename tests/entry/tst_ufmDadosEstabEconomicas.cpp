// The establishment form's economic, PAT and union tabs offscreen: a full establishment saved and opened
// again, the checks of each tab on exit and on save (code, tab, focus, row unchanged), the controls they
// open and lock, the questions and warnings.

#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmSeletores.h"

#include "FixtureVinculos.h"
#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("11222333000181");
const QString kFilial = QStringLiteral("11222333000262");     // same company, another branch
const QString kOutraEmpresa = QStringLiteral("11444777000161");
const QString kEntidade = QStringLiteral("33000167000101");   // in the employers' entities table
const QString kForaDaTabela = QStringLiteral("33222111000100"); // a valid CNPJ that is not

// The text MostraMensagem shows for `codigo`.
QString texto(const QString &codigo)
{
    ScriptedPresenter p;
    MostraMensagem(codigo);
    return p.boxes.value(0).text;
}

// Every field of the establishment row, or nothing when it is not there.
QVariantMap linhaEstab(const QString &prefixo = QStringLiteral("01"))
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    QVariantMap m;
    if (t.FindKey({kAno, kCnpj, prefixo}))
        for (const FieldDef &f : t.definition().fields)
            m.insert(f.name, t.FieldByName(f.name).AsString());
    return m;
}

} // namespace

class tst_ufmDadosEstabEconomicas : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramaTeste> programa;
    std::unique_ptr<ScriptedPresenter> presenter;
    std::unique_ptr<ScriptedModal> modal;
    std::unique_ptr<TfmDadosEstab> form;

    template <typename T = QWidget>
    T *w(const QString &nome)
    {
        auto *c = form->findChild<T *>(nome);
        if (!c)
            qFatal("control %s missing", qPrintable(nome));
        return c;
    }
    QLineEdit *ed(const QString &nome) { return w<QLineEdit>(nome); }
    RadioGroup *grupo(const QString &nome) { return w<RadioGroup>(nome); }
    QString foco() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QString aba() { return w<QTabWidget>(QStringLiteral("pcInformacoes"))->currentWidget()->objectName(); }

    // Stores the valid establishment (a declaration with employees) with `mudancas` and opens it as the
    // establishment list does.
    void abre(const QVariantMap &mudancas = {})
    {
        // With employees and a union contribution (no "3687" on save).
        QVariantMap estab = estabelecimentoDeTeste({{QStringLiteral("InVornNegEstabelecimento"), QStringLiteral("0")},
                                                    {QStringLiteral("CoCNPJSindical"), kEntidade},
                                                    {QStringLiteral("VaGlobalSindical"), QStringLiteral("000001000")}});
        estab.insert(mudancas);
        gravaLinha(QStringLiteral("bd8emp"), estab);
        mostra();
    }
    void mostra()
    {
        if (!form)
            form = std::make_unique<TfmDadosEstab>();
        form->AnoEstab = kAno;
        form->InscricaoEstab = kCnpj;
        form->PrefixoEstab = QStringLiteral("01");
        form->EstabelecimentoNovo = false;
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        presenter->boxes.clear();
    }
    // Parks the focus on the help button (no check runs on the way) and brings `pagina` forward.
    void vaiPara(const QString &pagina)
    {
        w(QStringLiteral("BtAjuda"))->setFocus();
        QCoreApplication::processEvents();
        w<QTabWidget>(QStringLiteral("pcInformacoes"))->setCurrentWidget(w(pagina));
    }
    // Types `texto` into the edit (replacing its text) reached from the help button.
    void digita(const QString &nome, const QString &valor)
    {
        QLineEdit *e = ed(nome);
        vaiPara(abaDe(e)->objectName());
        e->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, valor);
    }
    // Types into the edit and leaves it with Tab.
    void digitaESai(const QString &nome, const QString &valor)
    {
        digita(nome, valor);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    QWidget *abaDe(QWidget *c)
    {
        auto *abas = w<QTabWidget>(QStringLiteral("pcInformacoes"));
        for (QWidget *p = c; p; p = p->parentWidget())
            if (abas->indexOf(p) >= 0)
                return p;
        return abas->currentWidget();
    }
    // Clicks the button of `grupo` that stores `valor` ("1" the first, "2" the second ...).
    void escolhe(const QString &nomeGrupo, int botao)
    {
        RadioGroup *g = grupo(nomeGrupo);
        w<QTabWidget>(QStringLiteral("pcInformacoes"))->setCurrentWidget(abaDe(g));
        QRadioButton *b = g->botoes().at(botao - 1);
        // On the indicator: a button wider than its text takes no click in its middle.
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        QCoreApplication::processEvents();
    }
    void ok()
    {
        QTest::mouseClick(w<QPushButton>(QStringLiteral("BtOk")), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // The one message shown was `codigo`; the tab and the control focused after it.
    void falhou(const QString &codigo, const QString &abaEsperada, const QString &focoEsperado)
    {
        QCOMPARE(textos().join(u'|'), texto(codigo));
        QCOMPARE(aba(), abaEsperada);
        QCOMPARE(foco(), focoEsperado);
    }
    QStringList textos() const
    {
        QStringList t;
        for (const ShownBox &b : presenter->boxes)
            t << b.text;
        return t;
    }

private slots:
    void init()
    {
        programa = std::make_unique<ProgramaTeste>();
        presenter = std::make_unique<ScriptedPresenter>();
        modal = std::make_unique<ScriptedModal>();
        ProgramaTeste::addRow(QStringLiteral("tbempreg"), {kEntidade});
    }
    void cleanup()
    {
        form.reset();
        modal.reset();
        presenter.reset();
        programa.reset();
        Configuracao().CnpjOrgaoProprietario.clear();
    }

    void salvaEReabre();
    void gravacaoCompletaLarguras();
    void falhaPorAba_data();
    void falhaPorAba();

    void cnaeEscolhidoCriticadoNaHora();
    void cnaeForaDaTabela();
    void naturezaPeloSeletor();
    void cnae0363SoNaSaida();
    void naturezaApagadaLimpaDescricao();
    void mesVazio_data();
    void mesVazio();
    void saidaDoMesVaiAoPorte();
    void porteSemEscolha();
    void porte3TravaSimples();
    void outrosPrefixos_data();
    void outrosPrefixos();
    void emailLevaAoCnae();

    void patSemResposta_data();
    void patSemResposta();
    void patNaoDepoisDeSim();
    void pat3626();
    void percentual150();
    void qtdSemParticipar3525();

    void sindicaisNaGravacao_data();
    void sindicaisNaGravacao();
    void centralizadaSimCnpj();
    void centralizadaSimCei();
    void valoresTextoECentavos_data();
    void valoresTextoECentavos();
    void valorSemCnpjNaSaida();
    void entidadeForaDaTabela_data();
    void entidadeForaDaTabela();
    void contribuicaoAusente3687_data();
    void contribuicaoAusente3687();
    void valorNegativoNaoGrava();
};

// ---- the whole establishment ----

void tst_ufmDadosEstabEconomicas::salvaEReabre()
{
    abre({{"CoCnae2", ""}, {"CoNaturezaJuridica", ""}, {"NuProprietEstabelecimento", ""}, {"MeDataBase", ""},
          {"InPorte", ""}, {"InOptanteSimples", ""}, {"InParticipaPAT", ""}, {"InCentralizada", ""},
          {"InSindicalizada", ""}});
    digita(QStringLiteral("deCNAE"), QStringLiteral("4711302"));
    digita(QStringLiteral("deNatJuridica"), QStringLiteral("2062"));
    digita(QStringLiteral("deProprietarios"), QStringLiteral("3"));
    digita(QStringLiteral("deDataBase"), QStringLiteral("5"));
    vaiPara(QStringLiteral("tEconomicas2"));
    escolhe(QStringLiteral("dgPorte"), 1);
    escolhe(QStringLiteral("dgOptanteSimples"), 1);
    escolhe(QStringLiteral("dgPat"), 1);
    w(QStringLiteral("paPAT"))->setEnabled(true); // as leaving the answer "Sim" does
    digita(QStringLiteral("dePATVincMaior5"), QStringLiteral("7"));
    digita(QStringLiteral("deServProprio"), QStringLiteral("50"));
    digita(QStringLiteral("deRefeicaoConvenio"), QStringLiteral("50"));
    vaiPara(QStringLiteral("tSindicais"));
    escolhe(QStringLiteral("dbrCentralizada"), 2);
    digita(QStringLiteral("deSindical"), kEntidade);
    digita(QStringLiteral("deValorSindical"), QStringLiteral("1,5"));
    escolhe(QStringLiteral("dbrSindicato"), 1);
    digita(QStringLiteral("deAssociativa"), kEntidade);
    digita(QStringLiteral("deValorAssociativa"), QStringLiteral("1.234,56"));
    presenter->boxes.clear();
    ok();
    QCOMPARE(textos().join(u'|'), QString());
    QVERIFY(!form->isVisible());

    const QVariantMap r = linhaEstab();
    const QVariantMap esperado{{"CoCnae2", "4711302"},           {"CoNaturezaJuridica", "2062"},
                               {"NuProprietEstabelecimento", "03"}, {"MeDataBase", "05"},
                               {"InPorte", "1"},                     {"InOptanteSimples", "1"},
                               {"InParticipaPAT", "1"},              {"NuVinculoPatMaior5", "000007"},
                               {"NuVinculoPatMenor5", "000000"},     {"PoServicoProprio", "050"},
                               {"PoRefeicaoConvenio", "050"},        {"PoAdmCozinha", "000"},
                               {"InCentralizada", "2"},              {"CoCNPJCentralizada", ""},
                               {"CoCNPJSindical", kEntidade},        {"VaGlobalSindical", "000000150"},
                               {"InSindicalizada", "1"},             {"CoCNPJAssociativa", kEntidade},
                               {"VaGlobalAssociativa", "000123456"}, {"VaGlobalAssistencial", "000000000"}};
    for (auto it = esperado.begin(); it != esperado.end(); ++it)
        QVERIFY2(r.value(it.key()) == it.value(), qPrintable(it.key() + "=" + r.value(it.key()).toString()));
    QVERIFY(r.value("TxtCnae").toString().size() > 3);
    QVERIFY(r.value("TxtNatJur").toString().size() > 3);

    // Opened again, the form shows what was typed.
    mostra();
    QCOMPARE(ed("dePATVincMaior5")->text(), QStringLiteral("7"));
    QCOMPARE(ed("dePATVincMenor5")->text(), QString());
    QCOMPARE(ed("deServProprio")->text(), QStringLiteral("50"));
    QCOMPARE(ed("deProprietarios")->text(), QStringLiteral("03"));
    QCOMPARE(ed("deValorSindical")->text().trimmed(), QStringLiteral("1,50"));
    QCOMPARE(ed("deValorAssociativa")->text().trimmed(), QStringLiteral("1.234,56"));
    QCOMPARE(ed("deValorAssistencial")->text(), QStringLiteral("0,00"));
    QCOMPARE(grupo("dgPorte")->valor(), QStringLiteral("1"));
    QCOMPARE(grupo("dgOptanteSimples")->valor(), QStringLiteral("1"));
    QVERIFY(w("paPAT")->isEnabled());
    QVERIFY(!ed("edTxCNAE")->text().isEmpty());
    QVERIFY(!ed("deAssociativa")->isReadOnly());
}

void tst_ufmDadosEstabEconomicas::gravacaoCompletaLarguras()
{
    abre({{"InParticipaPAT", "1"}, {"NuVinculoPatMenor5", "12"}, {"PoCestaAlimento", "100"},
          {"VaGlobalAssistencial", "50000"}, {"CoCNPJAssistencial", kEntidade}, {"NuProprietEstabelecimento", "1"},
          {"MeDataBase", "3"}});
    ok();
    QCOMPARE(textos().join(u'|'), QString());
    const QVariantMap r = linhaEstab();
    // The widths and zero padding the establishment record of the declaration file takes as they are.
    const QList<std::pair<const char *, int>> larguras{
        {"CoCnae2", 7},           {"CoNaturezaJuridica", 4}, {"NuProprietEstabelecimento", 2},
        {"MeDataBase", 2},        {"NuVinculoPatMenor5", 6}, {"NuVinculoPatMaior5", 6},
        {"PoServicoProprio", 3},  {"PoAdmCozinha", 3},       {"PoRefeicaoConvenio", 3},
        {"PoRefeicaoTransportadora", 3}, {"PoCestaAlimento", 3}, {"PoAlimentacaoConvenio", 3},
        {"VaGlobalSindical", 9},  {"VaGlobalAssociativa", 9}, {"VaGlobalAssistencial", 9},
        {"VaGlobalConfederativa", 9}};
    for (const auto &[campo, largura] : larguras) {
        const QString v = r.value(QLatin1String(campo)).toString();
        QVERIFY2(v.size() == largura && v.count(QRegularExpression(QStringLiteral("[0-9]"))) == largura,
                 qPrintable(QLatin1String(campo) + "=" + v));
    }
    QCOMPARE(r.value("NuVinculoPatMenor5").toString(), QStringLiteral("000012"));
    QCOMPARE(r.value("PoCestaAlimento").toString(), QStringLiteral("100"));
    QCOMPARE(r.value("VaGlobalAssistencial").toString(), QStringLiteral("000050000"));
    QCOMPARE(r.value("MeDataBase").toString(), QStringLiteral("03"));
    for (const char *cnpj : {"CoCNPJAssociativa", "CoCNPJConfederativa", "CoCNPJCentralizada"})
        QVERIFY(r.value(QLatin1String(cnpj)).toString().isEmpty()); // the writer puts 14 zeros
    QCOMPARE(r.value("InSindicalizada").toString(), QStringLiteral("2"));
}

void tst_ufmDadosEstabEconomicas::falhaPorAba_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("aba");
    QTest::addColumn<QString>("foco");
    QTest::newRow("tEconomicas") << QVariantMap{{"CoCnae2", "9999999"}} << "0361" << "tEconomicas" << "deCNAE";
    QTest::newRow("tEconomicas2") << QVariantMap{{"InPorte", ""}} << "3124" << "tEconomicas2" << "dgPorteMicro";
    QTest::newRow("tEconomicas3") << QVariantMap{{"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", "3"}, {"PoAdmCozinha", "150"}}
                                  << "3521" << "tEconomicas3" << "deAdmCozinha";
    QTest::newRow("tSindicais") << QVariantMap{{"InCentralizada", ""}} << "3720" << "tSindicais" << "dbrCentralizadaSim";
}

void tst_ufmDadosEstabEconomicas::falhaPorAba()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(QString, codigo);
    QFETCH(QString, aba);
    QFETCH(QString, foco);
    abre(mudancas);
    const QVariantMap antes = linhaEstab();
    ok();
    falhou(codigo, aba, foco);
    QVERIFY(form->isVisible());
    QVariantMap depois = linhaEstab();
    QCOMPARE(depois, antes);
}

// ---- economic data ----

void tst_ufmDadosEstabEconomicas::cnaeEscolhidoCriticadoNaHora()
{
    abre({{"NoRazaoEstabelecimento", "PREFEITURA MUNICIPAL DE SANTOS"}, {"CoNaturezaJuridica", "1031"}});
    vaiPara(QStringLiteral("tEconomicas"));
    modal->then([](QDialog &janela) {
        auto *seletor = qobject_cast<TfmSeletorArvore *>(&janela);
        QVERIFY(seletor);
        const auto achados = seletor->arvore->findItems(QStringLiteral("4711302"),
                                                        Qt::MatchStartsWith | Qt::MatchRecursive);
        QVERIFY(!achados.isEmpty());
        seletor->arvore->setCurrentItem(achados.first());
        seletor->SelecionaCodigo();
    });
    QTest::mouseClick(w<QWidget>(QStringLiteral("sbCNAE")), Qt::LeftButton);
    QCoreApplication::processEvents();
    // Picked, checked at once: a city hall outside activity 84 is warned.
    QCOMPARE(ed("deCNAE")->property("text").toString().remove(QRegularExpression(QStringLiteral("[^0-9]"))),
             QStringLiteral("4711302"));
    QCOMPARE(textos().join(u'|'), texto(QStringLiteral("0363")));
    QVERIFY(!ed("edTxCNAE")->text().isEmpty());
}

void tst_ufmDadosEstabEconomicas::naturezaPeloSeletor()
{
    abre();
    vaiPara(QStringLiteral("tEconomicas"));
    const auto escolhe2135 = [](QDialog &janela) {
        auto *seletor = qobject_cast<TfmSeletorArvore *>(&janela);
        QVERIFY(seletor);
        const auto achados = seletor->arvore->findItems(QStringLiteral("2135"), Qt::MatchStartsWith | Qt::MatchRecursive);
        QVERIFY(!achados.isEmpty());
        seletor->arvore->setCurrentItem(achados.first());
        seletor->SelecionaCodigo();
    };
    modal->then(escolhe2135);
    QTest::mouseClick(w<QWidget>(QStringLiteral("sbNatJuridica")), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(w<MaskEdit>(QStringLiteral("deNatJuridica"))->textoArmazenado(), QStringLiteral("2135"));
    QVERIFY(!ed("edTxNatJuridica")->text().isEmpty());
    // One picker per use: a second click shows a new one.
    modal->then(escolhe2135);
    QTest::mouseClick(w<QWidget>(QStringLiteral("sbNatJuridica")), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(modal->shown, (QStringList{QStringLiteral("fmTb8NatJu"), QStringLiteral("fmTb8NatJu")}));
    QCOMPARE(form->findChildren<TfmTb8NatJu *>().size(), 0);
    ok();
    QCOMPARE(linhaEstab().value("CoNaturezaJuridica").toString(), QStringLiteral("2135"));
}

void tst_ufmDadosEstabEconomicas::cnaeForaDaTabela()
{
    abre();
    digitaESai(QStringLiteral("deCNAE"), QStringLiteral("9999999"));
    falhou(QStringLiteral("0361"), QStringLiteral("tEconomicas"), QStringLiteral("deCNAE"));
}

void tst_ufmDadosEstabEconomicas::cnae0363SoNaSaida()
{
    abre({{"NoRazaoEstabelecimento", "PREFEITURA MUNICIPAL DE SANTOS"}, {"CoNaturezaJuridica", "1031"}});
    digitaESai(QStringLiteral("deCNAE"), QStringLiteral("4711302"));
    QCOMPARE(textos().join(u'|'), texto(QStringLiteral("0363")));
    QCOMPARE(foco(), QStringLiteral("deNatJuridica"));
    presenter->boxes.clear();
    ok();
    QVERIFY(!textos().contains(texto(QStringLiteral("0363"))));
    QCOMPARE(linhaEstab().value("CoCnae2").toString(), QStringLiteral("4711302"));
}

void tst_ufmDadosEstabEconomicas::naturezaApagadaLimpaDescricao()
{
    abre();
    QVERIFY(!ed("edTxNatJuridica")->text().isEmpty());
    digitaESai(QStringLiteral("deNatJuridica"), QString());
    QCOMPARE(ed("edTxNatJuridica")->text(), QString());
    QCOMPARE(textos().join(u'|'), QString());
}

void tst_ufmDadosEstabEconomicas::mesVazio_data()
{
    QTest::addColumn<QString>("negativa");
    QTest::addColumn<QString>("codigo"); // empty: none
    QTest::newRow("com empregados") << "0" << "0070";
    QTest::newRow("sem empregados") << "1" << "";
}

void tst_ufmDadosEstabEconomicas::mesVazio()
{
    QFETCH(QString, negativa);
    abre({{"MeDataBase", ""}, {"InVornNegEstabelecimento", negativa}});
    ok();
    QFETCH(QString, codigo);
    QCOMPARE(textos().join(u'|'), codigo.isEmpty() ? QString() : texto(codigo));
    if (negativa == QLatin1String("0")) {
        QCOMPARE(foco(), QStringLiteral("deDataBase"));
        QCOMPARE(linhaEstab().value("MeDataBase").toString(), QString());
    } else {
        QCOMPARE(linhaEstab().value("MeDataBase").toString(), QStringLiteral("00"));
    }
}

void tst_ufmDadosEstabEconomicas::saidaDoMesVaiAoPorte()
{
    abre();
    digitaESai(QStringLiteral("deDataBase"), QStringLiteral("7"));
    QCOMPARE(aba(), QStringLiteral("tEconomicas2"));
    QCOMPARE(foco(), QStringLiteral("dgPortePequena")); // the size stored ("2")
    QCOMPARE(textos().join(u'|'), QString());
}

void tst_ufmDadosEstabEconomicas::porteSemEscolha()
{
    abre({{"InPorte", ""}, {"InOptanteSimples", "1"}});
    digitaESai(QStringLiteral("deDataBase"), QStringLiteral("7"));
    QCOMPARE(foco(), QStringLiteral("dgPorteMicro"));
    QCOMPARE(grupo("dgPorte")->valor(), QString());
    QVERIFY(!grupo("dgOptanteSimples")->isEnabled());
    ok();
    QCOMPARE(textos().join(u'|'), texto(QStringLiteral("3124")));
    QCOMPARE(foco(), QStringLiteral("dgPorteMicro"));
    // Nothing stored: the marks stay in the row being edited.
    QCOMPARE(linhaEstab().value("InPorte").toString(), QStringLiteral(""));
}

void tst_ufmDadosEstabEconomicas::porte3TravaSimples()
{
    abre({{"InPorte", "1"}, {"InOptanteSimples", "1"}});
    QVERIFY(grupo("dgOptanteSimples")->isEnabled());
    escolhe(QStringLiteral("dgPorte"), 3);
    QVERIFY(!grupo("dgOptanteSimples")->isEnabled());
    escolhe(QStringLiteral("dgPorte"), 2);
    QVERIFY(grupo("dgOptanteSimples")->isEnabled());
    escolhe(QStringLiteral("dgPorte"), 3);
    ok();
    QCOMPARE(textos().join(u'|'), QString());
    QCOMPARE(linhaEstab().value("InPorte").toString(), QStringLiteral("3"));
    QCOMPARE(linhaEstab().value("InOptanteSimples").toString(), QStringLiteral("2"));
}

void tst_ufmDadosEstabEconomicas::outrosPrefixos_data()
{
    QTest::addColumn<QString>("outroNome");  // empty: no other prefix
    QTest::addColumn<QString>("nomeSalvo");
    QTest::addColumn<int>("avisos");
    QTest::newRow("prefixo único") << "" << "EMPRESA EXEMPLO LTDA" << 0;
    QTest::newRow("nomes diferentes") << "OUTRO NOME" << "EMPRESA EXEMPLO LTDA" << 1;
    // Saving makes the names agree: no warning, though the row still holds its old name.
    QTest::newRow("agora iguais") << "OUTRO NOME" << "OUTRO NOME" << 0;
}

void tst_ufmDadosEstabEconomicas::outrosPrefixos()
{
    QFETCH(QString, outroNome);
    QFETCH(QString, nomeSalvo);
    QFETCH(int, avisos);
    if (!outroNome.isEmpty())
        gravaLinha(QStringLiteral("bd8emp"),
                   estabelecimentoDeTeste({{"NuPrefixoEstabelecimento", "02"}, {"NoRazaoEstabelecimento", outroNome}}));
    abre();
    digita(QStringLiteral("deRazao"), nomeSalvo);
    ok();
    const QString aviso =
        QStringLiteral("Esta inscrição já esta cadastrada com outra Razão Social. Verificar qual a correta.");
    QCOMPARE(textos().count(aviso), avisos);
    QCOMPARE(textos().size(), avisos);
    QCOMPARE(linhaEstab().value("NoRazaoEstabelecimento").toString(), nomeSalvo); // the save goes on
}

void tst_ufmDadosEstabEconomicas::emailLevaAoCnae()
{
    abre();
    digitaESai(QStringLiteral("deEmail"), QStringLiteral("rh@empresa.com.br"));
    QCOMPARE(aba(), QStringLiteral("tEconomicas"));
    QCOMPARE(foco(), QStringLiteral("deCNAE"));
}

// ---- PAT ----

void tst_ufmDadosEstabEconomicas::patSemResposta_data()
{
    QTest::addColumn<int>("resposta");
    QTest::addColumn<QString>("gravado");
    QTest::addColumn<QString>("aba");
    QTest::addColumn<QString>("foco");
    QTest::newRow("Sim") << int(MessageButton::Yes) << "1" << "tEconomicas3" << "dePATVincMaior5";
    QTest::newRow("Não") << int(MessageButton::No) << "2" << "tSindicais" << "dbrCentralizadaNao";
}

void tst_ufmDadosEstabEconomicas::patSemResposta()
{
    QFETCH(int, resposta);
    abre({{"InParticipaPAT", ""}});
    vaiPara(QStringLiteral("tEconomicas2"));
    grupo("dgPat")->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    presenter->answer(MessageButton(resposta));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(textos().join(u'|'), QStringLiteral("A empresa participa do PAT ?"));
    QTEST(grupo("dgPat")->valor(), "gravado");
    QTEST(aba(), "aba");
    QTEST(foco(), "foco");
    QCOMPARE(w("paPAT")->isEnabled(), resposta == int(MessageButton::Yes));
    if (resposta == int(MessageButton::No)) {
        ok();
        QCOMPARE(linhaEstab().value("InParticipaPAT").toString(), QStringLiteral("2"));
    }
}

void tst_ufmDadosEstabEconomicas::patNaoDepoisDeSim()
{
    abre({{"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", "000010"}, {"PoServicoProprio", "100"}});
    QVERIFY(w("paPAT")->isEnabled());
    QCOMPARE(ed("dePATVincMaior5")->text(), QStringLiteral("10"));
    escolhe(QStringLiteral("dgPat"), 2);
    QVERIFY(!w("paPAT")->isEnabled());
    QCOMPARE(ed("dePATVincMaior5")->text(), QString());
    QCOMPARE(ed("deServProprio")->text(), QString());
    ok();
    QCOMPARE(textos().join(u'|'), QString());
    const QVariantMap r = linhaEstab();
    QCOMPARE(r.value("NuVinculoPatMaior5").toString(), QStringLiteral("000000"));
    QCOMPARE(r.value("PoServicoProprio").toString(), QStringLiteral("000"));
}

void tst_ufmDadosEstabEconomicas::pat3626()
{
    abre({{"InParticipaPAT", "1"}});
    ok();
    falhou(QStringLiteral("3626"), QStringLiteral("tEconomicas3"), QStringLiteral("dePATVincMenor5"));
}

void tst_ufmDadosEstabEconomicas::percentual150()
{
    abre({{"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", "4"}});
    digitaESai(QStringLiteral("deServProprio"), QStringLiteral("150"));
    falhou(QStringLiteral("3521"), QStringLiteral("tEconomicas3"), QStringLiteral("deServProprio"));
    // Corrected, it goes on.
    presenter->boxes.clear();
    digitaESai(QStringLiteral("deServProprio"), QStringLiteral("100"));
    QCOMPARE(textos().join(u'|'), QString());
    QCOMPARE(foco(), QStringLiteral("deAdmCozinha"));
}

void tst_ufmDadosEstabEconomicas::qtdSemParticipar3525()
{
    abre({{"InParticipaPAT", "2"}, {"NuVinculoPatMaior5", "000005"}});
    ok();
    QCOMPARE(textos().join(u'|'), texto(QStringLiteral("3525")));
    QVERIFY(!form->isVisible());
    QCOMPARE(linhaEstab().value("NuVinculoPatMaior5").toString(), QStringLiteral("000005"));
}

// ---- unions ----

void tst_ufmDadosEstabEconomicas::sindicaisNaGravacao_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("foco");
    QTest::newRow("3707") << QVariantMap{{"InCentralizada", "1"}, {"CoCNPJSindical", ""}} << "3707"
                          << "dbrCentralizadaSim";
    QTest::newRow("3719") << QVariantMap{{"CoCNPJCentralizada", kFilial}} << "3719" << "dbrCentralizadaNao";
    QTest::newRow("3720") << QVariantMap{{"InCentralizada", ""}} << "3720" << "dbrCentralizadaSim";
    QTest::newRow("3713") << QVariantMap{{"InSindicalizada", "1"}} << "3713" << "deAssociativa";
    QTest::newRow("3756") << QVariantMap{{"CoCNPJAssociativa", kEntidade}} << "3756" << "deAssociativa";
    QTest::newRow("3721") << QVariantMap{{"InSindicalizada", ""}} << "3721" << "dbrSindicatoSim";
    QTest::newRow("3740") << QVariantMap{{"InCentralizada", "1"}, {"CoCNPJCentralizada", kOutraEmpresa},
                                         {"CoCNPJSindical", ""}, {"VaGlobalSindical", ""}}
                          << "3740"
                          << "dbeCNPJCentralizada";
    QTest::newRow("3695") << QVariantMap{{"InCentralizada", "1"}, {"CoCNPJCentralizada", kFilial},
                                         {"CoCNPJSindical", kEntidade}}
                          << "3695" << "deSindical";
    QTest::newRow("3744") << QVariantMap{{"VaGlobalConfederativa", "000000150"}} << "3744" << "deConfederativa";
}

void tst_ufmDadosEstabEconomicas::sindicaisNaGravacao()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(QString, codigo);
    QFETCH(QString, foco);
    abre(mudancas);
    const QVariantMap antes = linhaEstab();
    ok();
    falhou(codigo, QStringLiteral("tSindicais"), foco);
    QCOMPARE(linhaEstab(), antes);
}

void tst_ufmDadosEstabEconomicas::centralizadaSimCnpj()
{
    abre({{"CoCNPJSindical", kEntidade}, {"VaGlobalSindical", "000001000"}});
    vaiPara(QStringLiteral("tSindicais"));
    escolhe(QStringLiteral("dbrCentralizada"), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(textos().join(u'|'), QString());
    QCOMPARE(ed("deSindical")->text().remove(QRegularExpression(QStringLiteral("[^0-9]"))), QString());
    QVERIFY(ed("deSindical")->isReadOnly());
    QCOMPARE(ed("deValorSindical")->text().trimmed(), QStringLiteral("0,00"));
    QVERIFY(ed("deValorSindical")->isReadOnly());
    auto *centralizador = w<MaskEdit>(QStringLiteral("dbeCNPJCentralizada"));
    QCOMPARE(centralizador->textoArmazenado(), QStringLiteral("11222333"));
    // On entering it the branch part is selected.
    QCOMPARE(foco(), QStringLiteral("dbeCNPJCentralizada"));
    QCOMPARE(centralizador->selectionStart(), 11);
    // The branch typed, the save stores the centralisation without the union tax.
    QTest::keyClicks(centralizador, QStringLiteral("000262"));
    ok();
    QCOMPARE(textos().join(u'|'), QString());
    const QVariantMap r = linhaEstab();
    QCOMPARE(r.value("InCentralizada").toString(), QStringLiteral("1"));
    QCOMPARE(r.value("CoCNPJCentralizada").toString(), kFilial);
    QCOMPARE(r.value("CoCNPJSindical").toString(), QString());
    QCOMPARE(r.value("VaGlobalSindical").toString(), QStringLiteral("000000000"));
}

void tst_ufmDadosEstabEconomicas::centralizadaSimCei()
{
    QVariantMap cei{{"CoCgcCeiEstabelecimento", "00000100000002"}, {"InInscrEstabelecimento", "3"}};
    gravaLinha(QStringLiteral("bd8emp"),
               [&] { QVariantMap e = estabelecimentoDeTeste({{"InVornNegEstabelecimento", "0"}}); e.insert(cei); return e; }());
    form = std::make_unique<TfmDadosEstab>();
    form->AnoEstab = kAno;
    form->InscricaoEstab = QStringLiteral("00000100000002");
    form->PrefixoEstab = QStringLiteral("01");
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    presenter->boxes.clear();
    vaiPara(QStringLiteral("tSindicais"));
    escolhe(QStringLiteral("dbrCentralizada"), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(textos().join(u'|'), texto(QStringLiteral("3719")));
    QCOMPARE(grupo("dbrCentralizada")->valor(), QStringLiteral("2"));
    QCOMPARE(foco(), QStringLiteral("deSindical"));
    QVERIFY(!ed("deSindical")->isReadOnly());
}

void tst_ufmDadosEstabEconomicas::valoresTextoECentavos_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("mostrado"); // after leaving the edit
    QTest::addColumn<QString>("editado");  // on entering it again
    QTest::addColumn<QString>("centavos");
    QTest::newRow("vírgula") << "1,5" << "1,50" << "1,50" << "000000150";
    QTest::newRow("ponto é milhar") << "1.5" << "15,00" << "15,00" << "000001500";
    QTest::newRow("milhares") << "1234567,8" << "1.234.567,80" << "1234567,80" << "123456780";
}

void tst_ufmDadosEstabEconomicas::valoresTextoECentavos()
{
    QFETCH(QString, digitado);
    abre({{"CoCNPJAssistencial", kEntidade}});
    digitaESai(QStringLiteral("deValorAssistencial"), digitado);
    QCOMPARE(textos().join(u'|'), QString());
    QTEST(ed("deValorAssistencial")->text().trimmed(), "mostrado");
    ed("deValorAssistencial")->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QTEST(ed("deValorAssistencial")->text(), "editado");
    w(QStringLiteral("BtAjuda"))->setFocus();
    ok();
    QTEST(linhaEstab().value("VaGlobalAssistencial").toString(), "centavos");
}

void tst_ufmDadosEstabEconomicas::valorSemCnpjNaSaida()
{
    abre();
    digitaESai(QStringLiteral("deValorAssistencial"), QStringLiteral("10"));
    QCOMPARE(textos().join(u'|'), texto(QStringLiteral("3744")));
    QCOMPARE(foco(), QStringLiteral("deAssistencial"));
}

void tst_ufmDadosEstabEconomicas::entidadeForaDaTabela_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("cnpj");
    QTest::addColumn<QString>("orgao");
    QTest::addColumn<int>("resposta"); // -1: not asked
    QTest::addColumn<QString>("foco");
    const int sim = int(MessageButton::Yes), nao = int(MessageButton::No);
    QTest::newRow("na tabela") << "deSindical" << kEntidade << "" << -1 << "deValorSindical";
    QTest::newRow("fora, Não") << "deSindical" << kForaDaTabela << "" << nao << "deSindical";
    QTest::newRow("fora, Sim") << "deSindical" << kForaDaTabela << "" << sim << "deValorSindical";
    QTest::newRow("órgão") << "deSindical" << kForaDaTabela << kForaDaTabela << -1 << "deValorSindical";
    QTest::newRow("órgão, confederativa") << "deConfederativa" << kForaDaTabela << kForaDaTabela << nao
                                          << "deConfederativa";
}

void tst_ufmDadosEstabEconomicas::entidadeForaDaTabela()
{
    QFETCH(QString, edit);
    QFETCH(QString, cnpj);
    QFETCH(QString, orgao);
    QFETCH(int, resposta);
    Configuracao().CnpjOrgaoProprietario = orgao;
    abre();
    if (resposta >= 0)
        presenter->answer(MessageButton(resposta));
    digitaESai(edit, cnpj);
    QCOMPARE(presenter->boxes.size(), resposta >= 0 ? 1 : 0);
    if (resposta >= 0)
        QCOMPARE(presenter->boxes.first().buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No}));
    if (edit == QLatin1String("deSindical"))
        QTEST(foco(), "foco");
    else
        QCOMPARE(foco(), resposta == int(MessageButton::No) ? edit : QStringLiteral("deValorConfederativa"));
}

void tst_ufmDadosEstabEconomicas::contribuicaoAusente3687_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<bool>("avisa");
    // The fixture: legal nature 2062, not in Simples, with employees, no union tax.
    QTest::newRow("sem contribuição") << QVariantMap{{"CoCNPJSindical", ""}, {"VaGlobalSindical", ""}} << true;
    QTest::newRow("no Simples") << QVariantMap{{"InPorte", "1"}, {"InOptanteSimples", "1"}} << false;
    QTest::newRow("sem empregados") << QVariantMap{{"InVornNegEstabelecimento", "1"}} << false;
    QTest::newRow("natureza 1") << QVariantMap{{"CoNaturezaJuridica", "1031"}} << false;
    QTest::newRow("centralizada") << QVariantMap{{"CoCNPJSindical", ""}, {"VaGlobalSindical", ""},
                                                 {"InCentralizada", "1"}, {"CoCNPJCentralizada", kFilial}}
                                  << false;
}

void tst_ufmDadosEstabEconomicas::contribuicaoAusente3687()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(bool, avisa);
    abre(mudancas);
    ok();
    QCOMPARE(textos().join(u'|'), avisa ? texto(QStringLiteral("3687")) : QString());
    QVERIFY(!form->isVisible()); // a warning: the save completes
}

void tst_ufmDadosEstabEconomicas::valorNegativoNaoGrava()
{
    abre({{"CoCNPJSindical", kEntidade}, {"VaGlobalSindical", "000000500"}});
    digita(QStringLiteral("deValorSindical"), QStringLiteral("-5"));
    w(QStringLiteral("BtAjuda"))->setFocus();
    const QVariantMap antes = linhaEstab();
    ok();
    QCOMPARE(presenter->boxes.size(), 1);
    QCOMPARE(presenter->boxes.first().kind, MessageKind::Error);
    QCOMPARE(aba(), QStringLiteral("tSindicais"));
    QCOMPARE(foco(), QStringLiteral("deValorSindical"));
    QVERIFY(form->isVisible());
    QCOMPARE(linhaEstab(), antes);
    QCOMPARE(antes.value("VaGlobalSindical").toString(), QStringLiteral("000000500"));
}

QTEST_MAIN(tst_ufmDadosEstabEconomicas)
#include "tst_ufmDadosEstabEconomicas.moc"
