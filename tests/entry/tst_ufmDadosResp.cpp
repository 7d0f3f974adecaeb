// The responsible-person form driven offscreen: the type required before the number, the CPF copied to
// the CPF edit, the focus after a refused type, the street number as stored and shown, the municipality
// refused, OK that posts and Cancel that drops.

#include "app/base/Table.h"
#include "app/udmDadosResp.h"
#include "entry/FormEdits.h"
#include "entry/ufmDadosResp.h"

#include "ProgramaTeste.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

// A complete, valid responsible person of type CNPJ.
void gravaResponsavel(const QString &numero = QStringLiteral("000012"))
{
    ProgramaTeste::clearTable(QStringLiteral("bd8resp"));
    Table t(QStringLiteral("bd8resp"));
    t.Open();
    t.Append();
    const QList<QPair<const char *, QString>> campos{
        {"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
        {"NoResponsavelArquivo", "ACME COMERCIO LTDA"}, {"EdLogradouroRespArquivo", "RUA DAS FLORES"},
        {"NuLogradouroRespArquivo", numero},       {"NoBairroRespArquivo", "CENTRO"},
        {"CoCepRespArquivo", "01001000"},          {"CoMunicipioRespArquivo", "3550308"},
        {"NoMunicipioRespArquivo", "SÃO PAULO"},   {"SgUfRespArquivo", "SP"},
        {"NuFoneDDD", "11"},                       {"NuFoneAssinante", "32345678"},
        {"TxEMailRespArquivo", "ACME@ACME.COM.BR"}, {"NoResponsavelDeclaracao", "JOAO DA SILVA"},
        {"CoCpfResponsavel", "52998224725"},       {"DaNascimentoRespArquivo", "01011970"}};
    for (const auto &[campo, valor] : campos)
        t.FieldByName(QLatin1String(campo)).setAsString(valor);
    t.Post();
}

QString campo(const char *nome)
{
    Table t(QStringLiteral("bd8resp"));
    t.Open();
    return t.FieldByName(QLatin1String(nome)).AsString();
}

// Opens the form through the command and runs `script` on it.
void abre(ScriptedModal &janelas, std::function<void(TfmDadosResp &)> script)
{
    janelas.then([script](QDialog &d) { script(static_cast<TfmDadosResp &>(d)); });
    AbreDadosResp(nullptr);
}

QString mensagem(const QString &codigo)
{
    Table t(QStringLiteral("tb8msg"));
    t.Open();
    return t.FindKey({codigo}) ? t.FieldByName(QStringLiteral("TxMensagem")).AsString().trimmed() : codigo;
}

} // namespace

class tst_ufmDadosResp : public QObject {
    Q_OBJECT

private slots:
    void init() { m_programa = std::make_unique<ProgramaTeste>(); }
    void cleanup() { m_programa.reset(); }

    void semTipoPedeOTipo();
    void cpfCopiadoParaOCpf();
    void cpfSobCnpjFocaOTipo();
    void numeroGravadoEMostrado();
    void municipioRecusado();
    void cancelarDescarta();
    void mascarasDoCepMunicipioENascimento();
    void tipoEscolhidoSaiComTabEEnter_data();
    void tipoEscolhidoSaiComTabEEnter();

private:
    std::unique_ptr<ProgramaTeste> m_programa;
};

void tst_ufmDadosResp::semTipoPedeOTipo()
{
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    abre(janelas, [&](TfmDadosResp &f) {
        f.mdInscricao->setFocus();
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.first().text, mensagem(QStringLiteral("0049")));
        QCOMPARE(QApplication::focusWidget(), f.dbrTipoInscr->botoes().first());
        QVERIFY(!f.dbrTipoInscr->botoes().first()->isChecked());
    });
}

void tst_ufmDadosResp::cpfCopiadoParaOCpf()
{
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    abre(janelas, [&](TfmDadosResp &f) {
        f.dbrTipoInscr->botoes().at(2)->click(); // CPF
        f.mdInscricao->setFocus();
        QTest::keyClicks(f.mdInscricao, QStringLiteral("52998224725"));
        QTest::keyClick(f.mdInscricao, Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), 0);
        QCOMPARE(f.edTipodeInscricao->text(), QStringLiteral("CPF"));
        QCOMPARE(f.deCpfResponsavel->textoArmazenado(), QStringLiteral("52998224725"));
        QCOMPARE(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("CoCgcCeiResponsavel")).AsString(),
                 QStringLiteral("00052998224725"));
    });
}

void tst_ufmDadosResp::cpfSobCnpjFocaOTipo()
{
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    abre(janelas, [&](TfmDadosResp &f) {
        f.dbrTipoInscr->botoes().at(0)->click(); // CNPJ
        f.mdInscricao->setFocus();
        QTest::keyClicks(f.mdInscricao, QStringLiteral("52998224725"));
        QTest::keyClick(f.mdInscricao, Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.first().text, mensagem(QStringLiteral("0131")));
        QCOMPARE(QApplication::focusWidget(), f.dbrTipoInscr->botoes().at(0));
    });
}

void tst_ufmDadosResp::numeroGravadoEMostrado()
{
    gravaResponsavel(QStringLiteral("12"));
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    abre(janelas, [&](TfmDadosResp &f) { f.bbOk->click(); });
    QCOMPARE(caixas.boxes.size(), 0);
    QCOMPARE(campo("NuLogradouroRespArquivo"), QStringLiteral("000012"));
    abre(janelas, [&](TfmDadosResp &f) {
        QCOMPARE(f.deNumero->text(), QStringLiteral("12"));
        QCOMPARE(f.mdInscricao->textoArmazenado(), QStringLiteral("11222333000181"));
        QCOMPARE(f.edTipodeInscricao->text(), QStringLiteral("CNPJ"));
    });
}

void tst_ufmDadosResp::municipioRecusado()
{
    gravaResponsavel();
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    abre(janelas, [&](TfmDadosResp &f) {
        f.deCodMunicipio->setFocus();
        f.deCodMunicipio->clear();
        QTest::keyClicks(f.deCodMunicipio, QStringLiteral("9999999"));
        QTest::keyClick(f.deCodMunicipio, Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(f.deNomeMunicipio->text(), QString());
        QCOMPARE(f.deUF->text(), QString());
        QCOMPARE(QApplication::focusWidget(), f.deCodMunicipio);
    });
}

void tst_ufmDadosResp::cancelarDescarta()
{
    gravaResponsavel();
    ScriptedModal janelas;
    abre(janelas, [&](TfmDadosResp &f) {
        f.deBairro->setText(QStringLiteral("OUTRO"));
        f.bbCancelar->click();
    });
    QCOMPARE(campo("NoBairroRespArquivo"), QStringLiteral("CENTRO"));
    QCOMPARE(dmDadosResp, nullptr);
}

void tst_ufmDadosResp::tipoEscolhidoSaiComTabEEnter_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("botao");
    QTest::newRow("Tab from CNPJ") << int(Qt::Key_Tab) << 0;
    QTest::newRow("Tab from CPF") << int(Qt::Key_Tab) << 2;
    QTest::newRow("Enter from CNPJ") << int(Qt::Key_Return) << 0;
    QTest::newRow("Enter from CEI") << int(Qt::Key_Return) << 1;
}

void tst_ufmDadosResp::tipoEscolhidoSaiComTabEEnter()
{
    // With a type chosen, the keyboard leaves the type group for the number.
    QFETCH(int, tecla);
    QFETCH(int, botao);
    gravaResponsavel();
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    abre(janelas, [&](TfmDadosResp &f) {
        QRadioButton *rb = f.dbrTipoInscr->botoes().at(botao);
        rb->setFocus();
        QTest::keyClick(rb, Qt::Key_Space);
        QVERIFY(rb->isChecked());
        QCOMPARE(QApplication::focusWidget(), rb);
        QTest::keyClick(rb, Qt::Key(tecla));
        QCOMPARE(QApplication::focusWidget(), f.mdInscricao);
        QCOMPARE(caixas.boxes.size(), 0);
        // Shift+Tab comes back to the chosen type.
        QTest::qWait(1);
        QTest::keyClick(f.mdInscricao, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), rb);
    });
}

void tst_ufmDadosResp::mascarasDoCepMunicipioENascimento()
{
    gravaResponsavel();
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    abre(janelas, [&](TfmDadosResp &f) {
        auto *nascimento = f.findChild<MaskEdit *>(QStringLiteral("deDataNascResp"));
        QVERIFY(nascimento);
        QCOMPARE(f.deCep->displayText(), QStringLiteral("01001-000"));
        QCOMPARE(f.deCodMunicipio->displayText(), QStringLiteral("35-50308"));
        QCOMPARE(nascimento->displayText(), QStringLiteral("01/01/1970"));
        // Emptied, a masked edit counts as empty: its check does not run, the field is stored empty.
        for (MaskEdit *edit : {f.deCep, nascimento}) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClick(edit, Qt::Key_Tab);
        }
        QCOMPARE(caixas.boxes.size(), 0);
        QCOMPARE(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("CoCepRespArquivo")).AsString(), QString());
        QCOMPARE(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("DaNascimentoRespArquivo")).AsString(), QString());
        // Typed, it stores the digits alone.
        f.deCep->setFocus();
        QTest::keyClicks(f.deCep, QStringLiteral("01310100"));
        QTest::keyClick(f.deCep, Qt::Key_Tab);
        nascimento->setFocus();
        QTest::keyClicks(nascimento, QStringLiteral("15031980"));
        QTest::keyClick(nascimento, Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), 0);
        QCOMPARE(f.deCep->displayText(), QStringLiteral("01310-100"));
        QCOMPARE(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("CoCepRespArquivo")).AsString(),
                 QStringLiteral("01310100"));
        QCOMPARE(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("DaNascimentoRespArquivo")).AsString(),
                 QStringLiteral("15031980"));
    });
}

QTEST_MAIN(tst_ufmDadosResp)
#include "tst_ufmDadosResp.moc"
