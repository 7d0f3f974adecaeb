// The establishment form driven as a user drives it: opened by "&Nova..." through the new-declaration
// dialog and again for a stored row; the opening, the identification and address checks, the frame's
// keys and tab guard, and what the save leaves in BD8EMP and BD8VINC.

#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/base/Statement.h"
#include "app/udmEntradaDados.h"
#include "app/ufmGDVORN.h"
#include "app/ugExcecao.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/QtComandosEntrada.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmSeletores.h"
#include "rules/ugRegrasInscricao.h"

#include "ProgramaTeste.h"
#include "ScriptedHelp.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

using namespace gdvorn;

namespace {

// The first number of `digitos` digits after `base` that the classifier puts in `classe`.
QString numero(const QString &base, int digitos, const char *classe)
{
    for (int i = 0; i < 100000; ++i) {
        const QString n = (base + QString::number(i).rightJustified(5, QLatin1Char('0'))).left(digitos);
        const QString forma = n.size() == 12 ? QStringLiteral("00") + n : n;
        if (CriticaInscricao(forma) == QLatin1String(classe))
            return n;
    }
    return QString();
}

QString cnpj() { return numero(QStringLiteral("112223330"), 14, "0051"); }
QString cei() { return QStringLiteral("00") + numero(QStringLiteral("1234567"), 12, "0052"); }
// Fourteen digits valid as a CNPJ and, as "00" + 12 digits, as a CEI.
QString ambos() { return numero(QStringLiteral("001234567"), 14, "0050"); }
// A CEI vinculado that its rules accept.
QString ceiVinculado() { return numero(QStringLiteral("9876543"), 12, "0052"); }

const QString kAno = QStringLiteral("2010");
const QString kPrefixo = QStringLiteral("00");

// The text of a message of the installed table, as MostraMensagem shows it.
QString msg(const char *codigo)
{
    Table t(QStringLiteral("tb8msg"));
    t.Open();
    return t.FindKey({QLatin1String(codigo)}) ? t.FieldByName(QStringLiteral("TxMensagem")).AsString() : QString();
}

using Campos = QMap<QString, QString>;

// A complete establishment that every check accepts.
Campos estabelecimentoValido(const QString &inscricao, const QString &tipo)
{
    return {{"AnBase", kAno},
            {"CoCgcCeiEstabelecimento", inscricao},
            {"NuPrefixoEstabelecimento", kPrefixo},
            {"InInscrEstabelecimento", tipo},
            {"CoCgcVinculado", "00000000000000"},
            {"NoRazaoEstabelecimento", "PADARIA PAO BOM"},
            {"InVornNegEstabelecimento", "0"},
            {"InAtividadeAnoBase", "1"},
            {"EdEstabelecimento", "RUA DAS FLORES"},
            {"NuEnderecoEstabelecimento", "000012"},
            {"NoBairroEstabelecimento", "CENTRO"},
            {"CoCepEstabelecimento", "01001000"},
            {"CoMunicipio", "3550308"},
            {"NoMunicEstabelecimento", "SÃO PAULO"},
            {"SgUf", "SP"},
            {"NuDDD", "11"},
            {"NuTelefone", "32345678"},
            {"InEncerramentoAtividade", "2"},
            {"NuVinculosEstabelecimento", "000000"},
            {"NuEstrangeirosEstabelec", "00000"},
            {"InOpcaoAberta", ""},
            // The economic, PAT and union tabs.
            {"CoCnae2", "4711302"},
            {"CoNaturezaJuridica", "2062"},
            {"MeDataBase", "05"},
            {"InPorte", "1"},
            {"InOptanteSimples", "1"},
            {"InParticipaPAT", "2"},
            {"InCentralizada", "2"},
            {"InSindicalizada", "2"}};
}

void grava(const Campos &campos)
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    t.Append();
    for (auto it = campos.cbegin(); it != campos.cend(); ++it)
        t.FieldByName(it.key()).setAsString(it.value());
    t.Post();
}

Campos linha(const QString &inscricao)
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    Campos campos;
    if (t.FindKey({kAno, inscricao, kPrefixo}))
        for (const QString &nome : t.FieldNames())
            campos.insert(nome, t.FieldByName(nome).AsString());
    return campos;
}

// A link of the establishment: PIS `pis`, nationality `nacionalidade`.
void vinculo(const QString &inscricao, const QString &tipo, const QString &pis, const QString &nacionalidade = "10")
{
    test::ProgramaTeste::addRow(QStringLiteral("bd8vinc"),
                                {kAno, inscricao, kPrefixo, pis, QStringLiteral("01022005"), QStringLiteral("FULANO ") + pis,
                                 QString(), QStringLiteral("00000000000000"), tipo, QString(), QStringLiteral("123456"),
                                 QStringLiteral("01011980"), nacionalidade});
}

// Every link as "PIS type CEI-vinculado".
QStringList vinculos()
{
    Query q;
    q.setSql(QStringLiteral("select CoPisPasepEmpregado, InInscrEstabelecimento, CoCgcVinculado from bd8vinc order by 1"));
    q.Open();
    QStringList linhas;
    for (; !q.Eof(); q.Next())
        linhas << q.Fields(0).AsString() + QLatin1Char(' ') + q.Fields(1).AsString() + QLatin1Char(' ') +
                      q.Fields(2).AsString();
    return linhas;
}

QString focado() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

} // namespace

class tst_ufmDadosEstab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        test::expectInstalledMessages({{"0133", "ERR"}, {"0134", "ERR"}, {"0135", "ERR"}, {"0350", "ERR"},
                                       {"1005", "CNF"}, {"1006", "ERR"}, {"1007", "INF"}});
        QVERIFY(!cnpj().isEmpty());
        QVERIFY(cei().size() == 14);
        QVERIFY(!ambos().isEmpty());
        QVERIFY(!ceiVinculado().isEmpty());
        RegistraJanelasEntrada();
        m_terminaAntes = setTerminaPrograma([this] { ++m_terminou; });
    }
    void cleanupTestCase() { setTerminaPrograma(m_terminaAntes); }
    void init()
    {
        m_programa = std::make_unique<test::ProgramaTeste>();
        m_terminou = 0;
    }
    void cleanup()
    {
        m_form.reset();
        m_programa.reset();
    }

    void novaDeclaracaoDePontaAPonta();
    void abertura_data();
    void abertura();
    void estabelecimentoNaoEncontrado();
    void identificacao_data();
    void identificacao();
    void encerramentoDesmarcado();
    void enderecoNaSaida_data();
    void enderecoNaSaida();
    void numeroGravadoComZeros();
    void municipioApagado();
    void seletorDeMunicipioPreencheNomeEUf();
    void dddDeOutraUfSoNaSaida();
    void emailInvalidoRecusaUmaTroca();
    void enterEEsc_data();
    void enterEEsc();
    void okParaNaPrimeiraCritica_data();
    void okParaNaPrimeiraCritica();
    void semEmpregadosComVinculos_data();
    void semEmpregadosComVinculos();
    void vinculosAcompanhamTipoECei_data();
    void vinculosAcompanhamTipoECei();
    void erroNaGravacaoNaoAlteraNada();
    void vinculosAbreOPrimeiroVinculo();
    void ajudaDosCampos();

private:
    TfmDadosEstab &f() { return *m_form; }
    // Shows the form on (2010, inscription, "00") as the establishment list does.
    void abre(const QString &inscricao, bool novo = false)
    {
        m_form = std::make_unique<TfmDadosEstab>();
        f().AnoEstab = kAno;
        f().InscricaoEstab = inscricao;
        f().PrefixoEstab = kPrefixo;
        f().EstabelecimentoNovo = novo;
        f().show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    static void digita(QLineEdit *e, const QString &texto)
    {
        e->setFocus();
        e->selectAll();
        if (texto.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, texto);
    }
    std::unique_ptr<test::ProgramaTeste> m_programa;
    std::unique_ptr<TfmDadosEstab> m_form;
    std::function<void()> m_terminaAntes;
    int m_terminou = 0;
};

void tst_ufmDadosEstab::novaDeclaracaoDePontaAPonta()
{
    test::ScriptedPresenter caixas;
    test::ScriptedModal janelas;
    auto *principal = new TfmGDVORN;
    fmGDVORN = principal;
    QString focoNoVinculo;
    janelas.then([](QDialog &d) {
        // The new-declaration dialog: type, number, prefix left empty, name, OK.
        QTest::mouseClick(d.findChild<QRadioButton *>(QStringLiteral("rbTipoCNPJ")), Qt::LeftButton);
        digita(d.findChild<QLineEdit *>(QStringLiteral("deInscricao")), cnpj());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        digita(d.findChild<QLineEdit *>(QStringLiteral("deRazao")), QStringLiteral("padaria pao bom"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("btOk")), Qt::LeftButton);
    });
    janelas.then([&](QDialog &d) {
        // The establishment form on the new row: the address, then Ok.
        auto *estab = qobject_cast<TfmDadosEstab *>(&d);
        QVERIFY(estab);
        QCOMPARE(estab->paAnoBase->text(), QStringLiteral("Ano-Base 2010"));
        // The dialog hid itself when it handed over; the form takes the activation back.
        if (QApplication::activeWindow() != &d)
            QApplication::setActiveWindow(&d);
        QCOMPARE(QApplication::activeWindow(), &d);
        QCOMPARE(focado(), QStringLiteral("deLogradouro"));
        QCOMPARE(estab->deRazao->text(), QStringLiteral("PADARIA PAO BOM"));
        QCOMPARE(linha(cnpj()).value("InOpcaoAberta"), QStringLiteral("0"));
        digita(estab->deLogradouro, QStringLiteral("rua das flores"));
        digita(estab->deNumero, QStringLiteral("12"));
        digita(estab->deBairro, QStringLiteral("centro"));
        digita(estab->deCEP, QStringLiteral("01001000"));
        digita(estab->deMunicipio, QStringLiteral("3550308"));
        QTest::keyClick(estab->deMunicipio, Qt::Key_Tab);
        QCOMPARE(estab->deSiglaUF->text(), QStringLiteral("SP"));
        digita(estab->deDDD, QStringLiteral("11"));
        digita(estab->deTelefone, QStringLiteral("32345678"));
        QTest::keyClick(estab->deTelefone, Qt::Key_Tab);
        QCOMPARE(focado(), QStringLiteral("deEmail"));
        QTest::keyClicks(estab->deEmail, QStringLiteral("Contato@Padaria.com.br"));
        // The economic, PAT and union tabs, through their controls.
        digita(estab->deCNAE, QStringLiteral("4711302"));
        digita(estab->deNatJuridica, QStringLiteral("2062"));
        digita(estab->deDataBase, QStringLiteral("5"));
        for (RadioGroup *g : {estab->dgPorte, estab->dgOptanteSimples, estab->dgPat, estab->dbrCentralizada,
                              estab->dbrSindicato}) {
            QRadioButton *b = g->botoes().at(g == estab->dgPorte || g == estab->dgOptanteSimples ? 0 : 1);
            estab->mostraAba(b);
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        }
        QTest::mouseClick(estab->BtOk, Qt::LeftButton);
    });
    janelas.then([&](QDialog &d) { focoNoVinculo = d.focusWidget() ? d.focusWidget()->objectName() : QString(); });

    principal->Nova1->trigger();

    QCOMPARE(janelas.shown, QStringList({QStringLiteral("fmNovaDecl"), QStringLiteral("fmDadosEstab"),
                                         QStringLiteral("fmDadosEmpreg")}));
    QCOMPARE(focoNoVinculo, QStringLiteral("dePisPasep")); // a first link
    QCOMPARE(m_terminou, 0);
    const Campos gravada = linha(cnpj());
    QCOMPARE(gravada.value("EdEstabelecimento"), QStringLiteral("RUA DAS FLORES"));
    QCOMPARE(gravada.value("NuEnderecoEstabelecimento"), QStringLiteral("000012"));
    QCOMPARE(gravada.value("NoBairroEstabelecimento"), QStringLiteral("CENTRO"));
    QCOMPARE(gravada.value("CoCepEstabelecimento"), QStringLiteral("01001000"));
    QCOMPARE(gravada.value("CoMunicipio"), QStringLiteral("3550308"));
    QCOMPARE(gravada.value("NoMunicEstabelecimento"), QStringLiteral("SÃO PAULO"));
    QCOMPARE(gravada.value("TxEmailEstabelecimento"), QStringLiteral("contato@padaria.com.br"));
    QCOMPARE(gravada.value("CoCgcVinculado"), QStringLiteral("00000000000000"));
    QCOMPARE(gravada.value("InOpcaoAberta"), QString()); // closed normally
    // The only boxes: the dialog's name reminder.
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, msg("3625"));

    // Opened again from the list: the same values.
    abre(cnpj());
    QCOMPARE(f().deLogradouro->text(), QStringLiteral("RUA DAS FLORES"));
    QCOMPARE(f().deNumero->text(), QStringLiteral("12"));
    QCOMPARE(f().deCEP->textoArmazenado(), QStringLiteral("01001000"));
    QCOMPARE(f().deMunicipio->textoArmazenado(), QStringLiteral("3550308"));
    QCOMPARE(f().deNomeMunicipio->text(), QStringLiteral("SÃO PAULO"));
    QCOMPARE(f().deEmail->text(), QStringLiteral("contato@padaria.com.br"));
    QCOMPARE(f().mdInscricao->textoArmazenado(), cnpj());
    QCOMPARE(f().edPrefixo->text(), kPrefixo);
    QCOMPARE(f().dgTipoVorn->valor(), QStringLiteral("0"));
    QCOMPARE(caixas.boxes.size(), 1);
    fmGDVORN = nullptr;
    delete principal;
}

void tst_ufmDadosEstab::abertura_data()
{
    QTest::addColumn<Campos>("gravados");
    QTest::addColumn<int>("nacionais");
    QTest::addColumn<int>("estrangeiros");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("aviso");
    QTest::addColumn<QString>("gravadoVinculos");
    QTest::addColumn<QString>("gravadoEstrangeiros");
    QTest::newRow("contagens que não batem") << Campos{{"NuVinculosEstabelecimento", "000000"}} << 2 << 1 << "3"
                                             << "" << "000003" << "00001";
    QTest::newRow("marca deixada") << Campos{{"InOpcaoAberta", "0"}} << 0 << 0 << "0" << "0500" << "000000" << "00000";
    QTest::newRow("sem empregados mostra zero")
        << Campos{{"InVornNegEstabelecimento", "1"}, {"InAtividadeAnoBase", ""}} << 0 << 0 << "0" << ""
        << "000000" << "00000";
}

void tst_ufmDadosEstab::abertura()
{
    QFETCH(Campos, gravados);
    QFETCH(int, nacionais);
    QFETCH(int, estrangeiros);
    QFETCH(QString, total);
    QFETCH(QString, aviso);
    QFETCH(QString, gravadoVinculos);
    QFETCH(QString, gravadoEstrangeiros);
    Campos campos = estabelecimentoValido(cnpj(), QStringLiteral("1"));
    campos.insert(gravados);
    grava(campos);
    for (int i = 0; i < nacionais; ++i)
        vinculo(cnpj(), QStringLiteral("1"), QStringLiteral("1000000000%1").arg(i));
    for (int i = 0; i < estrangeiros; ++i)
        vinculo(cnpj(), QStringLiteral("1"), QStringLiteral("2000000000%1").arg(i), QStringLiteral("20"));
    test::ScriptedPresenter caixas;
    abre(cnpj());
    QCOMPARE(caixas.boxes.size(), aviso.isEmpty() ? 0 : 1);
    if (!aviso.isEmpty())
        QVERIFY(caixas.boxes[0].text.contains(msg(aviso.toLatin1().constData()).left(30)));
    QCOMPARE(f().edTotalEmpreg->text(), total);
    QCOMPARE(f().BtVinculos->isEnabled(), campos.value("InVornNegEstabelecimento") == QLatin1String("0"));
    QVERIFY(f().dgEmAtividade->isEnabled());
    QCOMPARE(f().dgEmAtividade->valor(), QStringLiteral("1"));
    QCOMPARE(linha(cnpj()).value("InOpcaoAberta"), QStringLiteral("0")); // while open
    QCOMPARE(focado(), QStringLiteral("deLogradouro"));
    QCOMPARE(f().pcInformacoes->currentWidget(), f().tCadastrais);

    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QVERIFY(!f().isVisible());
    const Campos gravada = linha(cnpj());
    QCOMPARE(gravada.value("NuVinculosEstabelecimento"), gravadoVinculos);
    QCOMPARE(gravada.value("NuEstrangeirosEstabelec"), gravadoEstrangeiros);
    QCOMPARE(gravada.value("InOpcaoAberta"), QString()); // after
}

void tst_ufmDadosEstab::estabelecimentoNaoEncontrado()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    test::ScriptedPresenter caixas;
    m_form = std::make_unique<TfmDadosEstab>();
    f().AnoEstab = kAno;
    f().InscricaoEstab = cei();
    f().PrefixoEstab = kPrefixo;
    f().show();
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, msg("1006"));
    QTRY_VERIFY(!f().isVisible());
    // No other row took its place.
    QCOMPARE(linha(cnpj()), [] {
        Campos c;
        Table t(QStringLiteral("bd8emp"));
        t.Open();
        t.First();
        for (const QString &nome : t.FieldNames())
            c.insert(nome, t.FieldByName(nome).AsString());
        return c;
    }());
    QCOMPARE(linha(cnpj()).value("InOpcaoAberta"), QString());
}

void tst_ufmDadosEstab::identificacao_data()
{
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("acao");   // what the user does
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("codigo"); // the box shown
    QTest::addColumn<QString>("foco");
    QTest::newRow("CEI sem empregados") << cei() << "3" << "semEmpregados" << "" << "0133" << "rbSemEmpregados";
    QTest::newRow("CNPJ com CEI vinculado sem empregados")
        << cnpj() << "1" << "semEmpregados" << ceiVinculado() << "0133" << "rbSemEmpregados";
    QTest::newRow("CNPJ sem CEI vinculado sem empregados")
        << cnpj() << "1" << "semEmpregados" << "" << "1007" << "rbSemEmpregados";
    QTest::newRow("CNPJ passa a CEI") << cnpj() << "1" << "tipoCEI" << "" << "0135" << "rbTipoCNPJ";
    QTest::newRow("CEI passa a CNPJ") << cei() << "3" << "tipoCNPJ" << "" << "0134" << "rbTipoCEI";
    QTest::newRow("CEI vinculado num estabelecimento CEI")
        << ambos() << "1" << "tipoCEIeVinculado" << ceiVinculado() << "0350" << "BtOk";
    QTest::newRow("CEI vinculado só de zeros") << cnpj() << "1" << "vinculado" << "000000000000" << "" << "rbTipoCNPJ";
}

void tst_ufmDadosEstab::identificacao()
{
    QFETCH(QString, inscricao);
    QFETCH(QString, tipo);
    QFETCH(QString, acao);
    QFETCH(QString, valor);
    QFETCH(QString, codigo);
    QFETCH(QString, foco);
    grava(estabelecimentoValido(inscricao, tipo));
    abre(inscricao);
    test::ScriptedPresenter caixas;
    test::ScriptedModal janelas;
    if (acao == QLatin1String("semEmpregados")) {
        if (!valor.isEmpty()) {
            digita(f().meCeiVinc, valor);
            QTest::keyClick(f().meCeiVinc, Qt::Key_Tab);
            QCOMPARE(caixas.boxes.size(), 0);
        }
        QTest::mouseClick(f().dgTipoVorn->botoes()[1], Qt::LeftButton);
        QVERIFY(f().dgEmAtividade->isEnabled());
        QCOMPARE(janelas.shown, QStringList{QStringLiteral("fmSemEmpregados")}); // the tip follows
        QCOMPARE(QApplication::focusWidget()->parentWidget(), f().dgTipoVorn);
        foco = focado();
    } else if (acao.startsWith(QLatin1String("tipo"))) {
        QTest::mouseClick(f().dbrTipoInscr->botoes()[acao.startsWith(QLatin1String("tipoCEI")) ? 1 : 0], Qt::LeftButton);
        if (acao == QLatin1String("tipoCEIeVinculado")) {
            QCOMPARE(caixas.boxes.size(), 0); // valid as both: shown as a CEI
            QCOMPARE(f().mdInscricao->displayText().size(), 16);
            digita(f().meCeiVinc, valor);
            QTest::keyClick(f().meCeiVinc, Qt::Key_Tab);
            QCOMPARE(f().meCeiVinc->text(), QString());
        }
    } else {
        digita(f().meCeiVinc, valor);
        QTest::keyClick(f().meCeiVinc, Qt::Key_Tab);
        QCOMPARE(f().meCeiVinc->text(), QString());
    }
    QCOMPARE(caixas.boxes.size(), codigo.isEmpty() ? 0 : 1);
    if (!codigo.isEmpty())
        QCOMPARE(caixas.boxes[0].text, msg(codigo.toLatin1().constData()));
    QCOMPARE(focado(), foco);
    QVERIFY(f().TrocaAbaPermitida); // none of these refuses a tab switch
    if (acao == QLatin1String("vinculado")) {
        f().deRazao->setFocus();
        QTest::mouseClick(f().BtOk, Qt::LeftButton);
        QCOMPARE(linha(inscricao).value("CoCgcVinculado"), QStringLiteral("00000000000000"));
        QCOMPARE(caixas.boxes.size(), 0);
    }
}

void tst_ufmDadosEstab::encerramentoDesmarcado()
{
    Campos campos = estabelecimentoValido(cnpj(), QStringLiteral("1"));
    campos.insert({{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "30062010"}});
    grava(campos);
    abre(cnpj());
    QVERIFY(f().cbEncerramento->isChecked());
    QVERIFY(!f().deDataEncerramento->isReadOnly());
    QCOMPARE(f().deDataEncerramento->textoArmazenado(), QStringLiteral("30062010"));
    QTest::mouseClick(f().cbEncerramento, Qt::LeftButton, {}, QPoint(8, f().cbEncerramento->height() / 2));
    QVERIFY(f().deDataEncerramento->isReadOnly());
    QCOMPARE(f().deDataEncerramento->textoArmazenado(), QString());
    QCOMPARE(f().paAnoBase->text(), QStringLiteral("Ano-Base 2010"));
    test::ScriptedPresenter caixas;
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 0);
    QCOMPARE(linha(cnpj()).value("InEncerramentoAtividade"), QStringLiteral("2"));
    QCOMPARE(linha(cnpj()).value("DaEncerramentoAtividade"), QString());
}

void tst_ufmDadosEstab::enderecoNaSaida_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("foco");
    QTest::newRow("município desconhecido") << "deMunicipio" << "9999999" << "0090" << "deMunicipio";
    QTest::newRow("CEP fora da UF") << "deCEP" << "70000000" << "0083" << "deCEP";
    QTest::newRow("CEP fora do município com CEP próprio") << "deMunicipio" << "3599999" << "*" << "deCEP";
    QTest::newRow("CEP na UF, município sem CEP próprio") << "deMunicipio" << "3550308" << "" << "deDDD";
    QTest::newRow("logradouro com repetição") << "deLogradouro" << "AAAAAAAA" << "3100" << "deLogradouro";
}

void tst_ufmDadosEstab::enderecoNaSaida()
{
    QFETCH(QString, campo);
    QFETCH(QString, texto);
    QFETCH(QString, codigo);
    QFETCH(QString, foco);
    // A municipality with a CEP of its own.
    test::ProgramaTeste::addRow(QStringLiteral("tb8munic"),
                                {QStringLiteral("3599999"), QStringLiteral("MUNICIPIO DE TESTE"), QStringLiteral("01310"),
                                 QStringLiteral("0")});
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    test::ScriptedPresenter caixas;
    auto *edit = f().findChild<MaskEdit *>(campo);
    if (campo == QLatin1String("deCEP")) {
        digita(edit, texto);
        f().deMunicipio->setFocus(); // the CEP passes on its own; the municipality check judges it
        QTest::keyClick(f().deMunicipio, Qt::Key_Tab);
    } else {
        digita(edit, texto);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    QCOMPARE(caixas.boxes.size(), codigo.isEmpty() ? 0 : 1);
    if (!codigo.isEmpty() && codigo != QLatin1String("*"))
        QCOMPARE(caixas.boxes[0].text, msg(codigo.toLatin1().constData()));
    QCOMPARE(focado(), foco);
    QCOMPARE(f().pcInformacoes->currentWidget(), f().tCadastrais);
    QCOMPARE(f().TrocaAbaPermitida, codigo.isEmpty());
}

void tst_ufmDadosEstab::numeroGravadoComZeros()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    QCOMPARE(f().deNumero->text(), QStringLiteral("12"));
    digita(f().deNumero, QStringLiteral("0045"));
    QTest::keyClick(f().deNumero, Qt::Key_Tab);
    QCOMPARE(f().deNumero->text(), QStringLiteral("45"));
    test::ScriptedPresenter caixas;
    // Number and complement both blank: refused, the focus on the number.
    digita(f().deNumero, QString());
    f().deComplemento->setFocus();
    QTest::keyClick(f().deComplemento, Qt::Key_Tab);
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, msg("0120"));
    QCOMPARE(focado(), QStringLiteral("deNumero"));
    QCOMPARE(linha(cnpj()).value("NuEnderecoEstabelecimento"), QStringLiteral("000012"));
    digita(f().deNumero, QStringLiteral("45"));
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(linha(cnpj()).value("NuEnderecoEstabelecimento"), QStringLiteral("000045"));
}

void tst_ufmDadosEstab::municipioApagado()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    QCOMPARE(f().deSiglaUF->text(), QStringLiteral("SP"));
    digita(f().deMunicipio, QString());
    QTest::keyClick(f().deMunicipio, Qt::Key_Tab);
    QCOMPARE(f().deNomeMunicipio->text(), QString());
    QCOMPARE(f().deSiglaUF->text(), QString());
    QCOMPARE(focado(), QStringLiteral("deDDD"));
}

void tst_ufmDadosEstab::seletorDeMunicipioPreencheNomeEUf()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    test::ScriptedPresenter caixas;
    test::ScriptedModal janelas;
    janelas.then([](QDialog &d) {
        auto &seletor = dynamic_cast<TfmSeletorArvore &>(d);
        const auto itens = seletor.arvore->findItems(QStringLiteral("3509502"), Qt::MatchStartsWith | Qt::MatchRecursive);
        QVERIFY(!itens.isEmpty());
        seletor.arvore->setCurrentItem(itens.first());
        seletor.SelecionaCodigo();
    });
    QCOMPARE(f().deNomeMunicipio->text(), QStringLiteral("SÃO PAULO"));
    QTest::mouseClick(f().findChild<QWidget *>(QStringLiteral("sbCodMunicipio")), Qt::LeftButton);
    // The picker has closed and the form is not the active window yet (as under a window manager): the
    // name and state of the town picked show all the same, and nothing was refused.
    QCOMPARE(janelas.shown, QStringList{QStringLiteral("frmT8Munic")});
    QCOMPARE(f().deMunicipio->textoArmazenado(), QStringLiteral("3509502"));
    QCOMPARE(f().deNomeMunicipio->text(), QStringLiteral("CAMPINAS"));
    QCOMPARE(f().deSiglaUF->text(), QStringLiteral("SP"));
    QVERIFY(caixas.boxes.isEmpty());
    QCOMPARE(f().focusWidget(), f().deDDD);
}

void tst_ufmDadosEstab::dddDeOutraUfSoNaSaida()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    test::ScriptedPresenter caixas;
    digita(f().deDDD, QStringLiteral("21"));
    QTest::keyClick(f().deDDD, Qt::Key_Tab);
    QCOMPARE(caixas.boxes.size(), 1); // a warning: the form goes on
    QCOMPARE(focado(), QStringLiteral("deTelefone"));
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 1); // not again on save
    QVERIFY(!f().isVisible());
    QCOMPARE(linha(cnpj()).value("NuDDD"), QStringLiteral("21"));
}

void tst_ufmDadosEstab::emailInvalidoRecusaUmaTroca()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    test::ScriptedPresenter caixas;
    digita(f().deEmail, QStringLiteral("sem arroba"));
    QTabBar *abas = f().pcInformacoes->tabBar();
    QTest::mouseClick(abas, Qt::LeftButton, {}, abas->tabRect(1).center());
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(f().pcInformacoes->currentWidget(), f().tCadastrais);
    QCOMPARE(focado(), QStringLiteral("deEmail"));
    // Exactly one switch is refused: the next passes (the field is left by the tab bar again and checked
    // again, but the guard was reset).
    digita(f().deEmail, QStringLiteral("contato@padaria.com.br"));
    QTest::mouseClick(abas, Qt::LeftButton, {}, abas->tabRect(1).center());
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(f().pcInformacoes->currentWidget(), f().tEconomicas);
}

void tst_ufmDadosEstab::enterEEsc_data()
{
    QTest::addColumn<bool>("novo");
    QTest::addColumn<bool>("sim");
    QTest::newRow("Não volta à razão social") << false << false;
    QTest::newRow("Sim num estabelecimento gravado") << false << true;
    QTest::newRow("Sim num estabelecimento novo") << true << true;
}

void tst_ufmDadosEstab::enterEEsc()
{
    QFETCH(bool, novo);
    QFETCH(bool, sim);
    Campos campos = estabelecimentoValido(cnpj(), QStringLiteral("1"));
    campos.insert(QStringLiteral("InOpcaoAberta"), novo ? QStringLiteral("0") : QString());
    grava(campos);
    abre(cnpj(), novo);
    // Enter moves as Tab does (and the field left is checked).
    digita(f().deLogradouro, QStringLiteral("avenida central"));
    QTest::keyClick(f().deLogradouro, Qt::Key_Return);
    QCOMPARE(focado(), QStringLiteral("deNumero"));
    test::ScriptedPresenter caixas;
    caixas.answer(sim ? MessageButton::Yes : MessageButton::No);
    QTest::keyClick(f().deNumero, Qt::Key_Escape);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("As informações não salvas serão perdidas. Deseja sair?"));
    if (!sim) {
        QVERIFY(f().isVisible());
        QCOMPARE(focado(), QStringLiteral("deRazao"));
        return;
    }
    QVERIFY(!f().isVisible());
    const Campos gravada = linha(cnpj());
    if (novo) {
        QVERIFY(gravada.isEmpty());
        return;
    }
    QCOMPARE(gravada.value("EdEstabelecimento"), QStringLiteral("RUA DAS FLORES"));
    QCOMPARE(gravada.value("InOpcaoAberta"), QString());
}

void tst_ufmDadosEstab::okParaNaPrimeiraCritica_data()
{
    QTest::addColumn<Campos>("gravados");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("foco");
    QTest::addColumn<QString>("aba");
    // The controls above the tabs leave the tab shown as it was.
    QTest::newRow("razão social vazia") << Campos{{"NoRazaoEstabelecimento", ""}} << "0110" << "deRazao" << "tSindicais";
    QTest::newRow("encerramento no ano seguinte")
        << Campos{{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "31012011"}} << "3516"
        << "deDataEncerramento" << "tSindicais";
    QTest::newRow("logradouro vazio antes do telefone")
        << Campos{{"EdEstabelecimento", ""}, {"NuTelefone", ""}} << "*" << "deLogradouro" << "tCadastrais";
    QTest::newRow("telefone sem DDD") << Campos{{"NuDDD", ""}} << "3674" << "deDDD" << "tCadastrais";
    // After the municipality check (which brings its tab forward) the declaration type is judged.
    QTest::newRow("CEI sem empregados") << Campos{{"InVornNegEstabelecimento", "1"}} << "0133" << "rbSemEmpregados"
                                        << "tCadastrais";
}

void tst_ufmDadosEstab::okParaNaPrimeiraCritica()
{
    QFETCH(Campos, gravados);
    QFETCH(QString, codigo);
    QFETCH(QString, foco);
    QFETCH(QString, aba);
    const bool ceiEstab = codigo == QLatin1String("0133");
    const QString inscricao = ceiEstab ? cei() : cnpj();
    Campos campos = estabelecimentoValido(inscricao, ceiEstab ? QStringLiteral("3") : QStringLiteral("1"));
    campos.insert(gravados);
    grava(campos);
    const Campos antes = linha(inscricao);
    abre(inscricao);
    f().pcInformacoes->setCurrentWidget(f().tSindicais);
    test::ScriptedPresenter caixas;
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 1);
    if (codigo != QLatin1String("*"))
        QCOMPARE(caixas.boxes[0].text, msg(codigo.toLatin1().constData()));
    QCOMPARE(focado(), foco);
    QCOMPARE(f().pcInformacoes->currentWidget()->objectName(), aba);
    QVERIFY(f().isVisible());
    Campos depois = linha(inscricao);
    depois.insert(QStringLiteral("InOpcaoAberta"), antes.value("InOpcaoAberta"));
    QCOMPARE(depois, antes);
}

void tst_ufmDadosEstab::semEmpregadosComVinculos_data()
{
    QTest::addColumn<MessageButton>("resposta");
    QTest::newRow("Não") << MessageButton::No;
    QTest::newRow("Cancelar") << MessageButton::Cancel;
    QTest::newRow("Sim") << MessageButton::Yes;
}

void tst_ufmDadosEstab::semEmpregadosComVinculos()
{
    QFETCH(MessageButton, resposta);
    Campos campos = estabelecimentoValido(cnpj(), QStringLiteral("1"));
    campos.insert({{"NuVinculosEstabelecimento", "000002"}, {"NuEstrangeirosEstabelec", "00001"}});
    grava(campos);
    grava(estabelecimentoValido(ambos(), QStringLiteral("1")));
    vinculo(cnpj(), QStringLiteral("1"), QStringLiteral("10000000001"));
    vinculo(cnpj(), QStringLiteral("1"), QStringLiteral("10000000002"), QStringLiteral("20"));
    vinculo(ambos(), QStringLiteral("1"), QStringLiteral("10000000003")); // another establishment's
    abre(cnpj());
    test::ScriptedModal janelas;
    test::ScriptedPresenter caixas;
    QTest::mouseClick(f().dgTipoVorn->botoes()[1], Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 1); // "1007"
    caixas.answer(resposta);
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 2);
    QCOMPARE(caixas.boxes[1].text, msg("1005"));
    if (resposta != MessageButton::Yes) {
        QVERIFY(f().isVisible());
        QCOMPARE(vinculos().size(), 3);
        QCOMPARE(linha(cnpj()).value("InVornNegEstabelecimento"), QStringLiteral("0"));
        return;
    }
    QVERIFY(!f().isVisible());
    QCOMPARE(vinculos(), QStringList{QStringLiteral("10000000003 1 00000000000000")});
    const Campos gravada = linha(cnpj());
    QCOMPARE(gravada.value("InVornNegEstabelecimento"), QStringLiteral("1"));
    QCOMPARE(gravada.value("NuVinculosEstabelecimento"), QStringLiteral("000000"));
    QCOMPARE(gravada.value("NuEstrangeirosEstabelec"), QStringLiteral("00000"));
    QCOMPARE(gravada.value("InOpcaoAberta"), QString());
}

void tst_ufmDadosEstab::vinculosAcompanhamTipoECei_data()
{
    QTest::addColumn<bool>("mudaTipo");
    QTest::addColumn<QString>("cei");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("novo CEI vinculado") << false << ceiVinculado() << "1 00" + ceiVinculado();
    QTest::newRow("novo tipo") << true << "" << "3 00000000000000";
    QTest::newRow("nada muda") << false << "" << "1 00000000000000";
}

void tst_ufmDadosEstab::vinculosAcompanhamTipoECei()
{
    QFETCH(bool, mudaTipo);
    QFETCH(QString, cei);
    QFETCH(QString, esperado);
    grava(estabelecimentoValido(ambos(), QStringLiteral("1")));
    vinculo(ambos(), QStringLiteral("1"), QStringLiteral("10000000001"));
    vinculo(ambos(), QStringLiteral("1"), QStringLiteral("10000000002"));
    abre(ambos());
    if (mudaTipo)
        QTest::mouseClick(f().dbrTipoInscr->botoes()[1], Qt::LeftButton);
    if (!cei.isEmpty()) {
        digita(f().meCeiVinc, cei);
        QTest::keyClick(f().meCeiVinc, Qt::Key_Tab);
    }
    test::ScriptedPresenter caixas;
    test::ScriptedModal janelas;
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 0);
    QVERIFY(!f().isVisible());
    QCOMPARE(vinculos(), QStringList({QStringLiteral("10000000001 ") + esperado, QStringLiteral("10000000002 ") + esperado}));
    QCOMPARE(linha(ambos()).value("InInscrEstabelecimento"), esperado.left(1));
}

void tst_ufmDadosEstab::erroNaGravacaoNaoAlteraNada()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    vinculo(cnpj(), QStringLiteral("1"), QStringLiteral("10000000001"));
    // The row's write fails in the engine, after the links were updated.
    abre(cnpj());
    digita(f().meCeiVinc, ceiVinculado());
    QTest::keyClick(f().meCeiVinc, Qt::Key_Tab);
    digita(f().deLogradouro, QStringLiteral("avenida central"));
    const Campos antes = linha(cnpj());
    execWrite(QStringLiteral("create temp trigger falhaEmp before update on bd8emp "
                             "begin select raise(abort, 'falha de teste'); end"));
    test::ScriptedPresenter caixas;
    QTest::mouseClick(f().BtOk, Qt::LeftButton);
    QCOMPARE(m_terminou, 1); // the error went to the program's handler
    QCOMPARE(caixas.boxes.size(), 1);
    execWrite(QStringLiteral("drop trigger falhaEmp"));
    QCOMPARE(linha(cnpj()), antes);
    QCOMPARE(vinculos(), QStringList{QStringLiteral("10000000001 1 00000000000000")});
}

void tst_ufmDadosEstab::vinculosAbreOPrimeiroVinculo()
{
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    int novos = 0;
    QList<ChaveEstabelecimento> listas;
    f().AbreNovoVinculo = [&] {
        ++novos;
        QCOMPARE(InscricaoVinculo, cnpj());
        QCOMPARE(PisVinculo, QString());
    };
    f().MostraEmpregados = [&](const ChaveEstabelecimento &c) { listas << c; };
    QTest::mouseClick(f().BtVinculos, Qt::LeftButton);
    QCOMPARE(novos, 1);
    QVERIFY(listas.isEmpty());
    // With a link: the employee list.
    vinculo(cnpj(), QStringLiteral("1"), QStringLiteral("10000000001"));
    abre(cnpj());
    f().MostraEmpregados = [&](const ChaveEstabelecimento &c) { listas << c; };
    QTest::mouseClick(f().BtVinculos, Qt::LeftButton);
    QCOMPARE(listas, (QList<ChaveEstabelecimento>{{kAno, cnpj(), kPrefixo}}));
    QCOMPARE(linha(cnpj()).value("NuVinculosEstabelecimento"), QStringLiteral("000001"));
}

void tst_ufmDadosEstab::ajudaDosCampos()
{
    test::ScriptedHelp ajuda;
    TfmDadosEstab form;
    int contextos = 0;
    const QStringList faltas = test::contextosSemPagina(&form, &contextos);
    QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QStringLiteral(", "))));
    QVERIFY(contextos >= 20);
    // Nothing cut off on a 1024 x 768 screen.
    QVERIFY2(form.minimumSizeHint().width() <= 1024 && form.minimumSizeHint().height() <= 740,
             qPrintable(QStringLiteral("%1 x %2").arg(form.minimumSizeHint().width()).arg(form.minimumSizeHint().height())));
    // F1 on a field; the help button refers to the field entered last.
    grava(estabelecimentoValido(cnpj(), QStringLiteral("1")));
    abre(cnpj());
    f().deEmail->setFocus();
    QTest::keyClick(f().deEmail, Qt::Key_F1);
    QCOMPARE(ajuda.last(), QStringLiteral("dadosestab.html#email"));
    f().cbEncerramento->setFocus();
    QTest::mouseClick(f().BtAjuda, Qt::LeftButton);
    QCOMPARE(ajuda.last(), QStringLiteral("dadosestab.html#encerramento"));
}

QTEST_MAIN(tst_ufmDadosEstab)
#include "tst_ufmDadosEstab.moc"
