// Saving by the OK button's shortcut (Alt+O) with the focus still in a field stores what leaving the field
// and then saving stores: the field's exit steps run first, in the link form and the establishment form.

#include "app/base/Table.h"
#include "entry/FormEdits.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosEstab.h"

#include "BancadaDadosEmpreg.h"
#include "FixtureVinculos.h"
#include "ProgramaTeste.h"
#include "ScriptedPresenter.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

// Every row of the establishment and link tables, field by field.
QStringList linhasGravadas()
{
    QStringList linhas;
    for (const char *nome : {"bd8emp", "bd8vinc"}) {
        Table t(QString::fromLatin1(nome));
        t.Open();
        for (t.First(); !t.Eof(); t.Next()) {
            QStringList campos;
            for (const QString &campo : t.FieldNames())
                campos << campo + QLatin1Char('=') + t.FieldByName(campo).AsString();
            linhas << campos.join(QLatin1Char('|'));
        }
    }
    return linhas;
}

// Gives `campo` the value: "#n" clicks the n-th button of a radio group or picks the n-th item of a combo
// box; any other text is typed over the field's text. The focus stays in the field.
void daValor(QWidget *campo, const QString &valor)
{
    if (valor.startsWith(QLatin1Char('#'))) {
        const int n = valor.mid(1).toInt();
        if (auto *grupo = qobject_cast<RadioGroup *>(campo)) {
            QRadioButton *b = grupo->botoes().at(n);
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        } else {
            auto *combo = qobject_cast<QComboBox *>(campo);
            QVERIFY(combo);
            combo->setFocus();
            while (combo->currentIndex() != n)
                QTest::keyClick(combo, combo->currentIndex() < n ? Qt::Key_Down : Qt::Key_Up);
        }
        return;
    }
    auto *e = qobject_cast<QLineEdit *>(campo);
    QVERIFY(e);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, valor);
}

// What a save leaves: the stored rows, whether the form closed, and the boxes shown on the way.
struct Resultado {
    QStringList linhas;
    bool fechou = false;
    QStringList caixas;
};

// Clicks OK with the mouse (the field is left for the button first) or presses Alt+O with the focus left
// in the field.
void salva(EntryForm &form, bool teclado)
{
    auto *ok = form.findChild<QPushButton *>(QStringLiteral("BtOk"));
    if (!teclado) {
        QTest::mouseClick(ok, Qt::LeftButton);
        return;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    // The shortcut animates the press and clicks once it is released.
    QTRY_VERIFY(!ok->isDown());
    QCoreApplication::processEvents();
}

void preparaCampo(EntryForm &form, const QString &nome, const QString &valor)
{
    auto *campo = form.findChild<QWidget *>(nome);
    QVERIFY2(campo, qPrintable(nome));
    // The field's tab comes forward with the focus parked on the help button: no other field is left.
    form.findChild<QWidget *>(QStringLiteral("BtAjuda"))->setFocus();
    form.mostraAba(campo);
    daValor(campo, valor);
    QWidget *foco = QApplication::focusWidget();
    QVERIFY2(foco && (foco == campo || campo->isAncestorOf(foco)), qPrintable(nome));
}

Resultado noVinculo(const QString &nome, const QString &valor, const QVariantMap &mudancas, bool teclado)
{
    BancadaDadosEmpreg b;
    b.abre(true, mudancas);
    preparaCampo(*b.form, nome, valor);
    b.presenter->boxes.clear();
    salva(*b.form, teclado);
    return {linhasGravadas(), !b.form->isVisible(), b.textos()};
}

Resultado noEstabelecimento(const QString &nome, const QString &valor, const QVariantMap &mudancas, bool teclado)
{
    ProgramaTeste programa;
    ScriptedPresenter presenter;
    insereLinha(QStringLiteral("bd8emp"), estabelecimentoDeTeste(mudancas));
    TfmDadosEstab form;
    form.AnoEstab = QStringLiteral("2010");
    form.InscricaoEstab = QStringLiteral("11222333000181");
    form.PrefixoEstab = QStringLiteral("01");
    form.show();
    if (!QTest::qWaitForWindowActive(&form))
        return {};
    preparaCampo(form, nome, valor);
    presenter.boxes.clear();
    salva(form, teclado);
    return {linhasGravadas(), !form.isVisible(), presenter.textos()};
}

const QVariantMap kSindicalizado{{"InSindicalizadoVinculo", "1"},
                                 {"CoCNPJPrimAssociativa", "33222111000100"},
                                 {"VaGlobalPrimAssociativa", "00002000"}};
const QVariantMap kDesligado{{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "3010"}};
const QVariantMap kAfastado{{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "0103"},
                            {"DaFinalPrimeiroAfas", "3103"}, {"QtDiasAfas", "031"}};
const QVariantMap kComPat{{"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", "000010"}, {"PoServicoProprio", "100"}};
const QVariantMap kSindicalizada{{"InSindicalizada", "1"}, {"CoCNPJSindical", "33222111000100"},
                                 {"VaGlobalSindical", "000001000"}};

QVariantMap com(QVariantMap a, const QVariantMap &b)
{
    for (auto it = b.cbegin(); it != b.cend(); ++it)
        a.insert(it.key(), it.value());
    return a;
}

} // namespace

class tst_EntryFormOkPeloTeclado : public QObject {
    Q_OBJECT
private slots:
    void okPeloTecladoGravaComoAposSair_data();
    void okPeloTecladoGravaComoAposSair();
};

void tst_EntryFormOkPeloTeclado::okPeloTecladoGravaComoAposSair_data()
{
    QTest::addColumn<bool>("vinculo");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QVariantMap>("mudancas");

    auto v = [](const char *campo, const char *valor, const QVariantMap &mudancas = {}) {
        QTest::addRow("vínculo %s %s", campo, valor) << true << QString::fromLatin1(campo) << QString::fromLatin1(valor)
                                                     << mudancas;
    };
    auto e = [](const char *campo, const char *valor, const QVariantMap &mudancas = {}) {
        QTest::addRow("estabelecimento %s %s", campo, valor)
            << false << QString::fromLatin1(campo) << QString::fromLatin1(valor) << mudancas;
    };

    // The link form: personal data.
    v("dePisPasep", "13000000002");
    v("deNomeEmpregado", "ciclano de tal");
    v("deNascimento", "20061985");
    v("deRaca", "4");
    v("deRaca", "");
    v("dgDeficiencia", "#0");
    v("deDeficiente", "2", {{"InDeficienteFisico", "1"}, {"CoDeficienteFisico", "1"}});
    v("cbSexo", "#1");
    v("deNacionalidade", "20");
    v("deAnoChegada", "2001", {{"CoNacionalidade", "30"}, {"AnChegadaEmpregado", "1999"}});
    v("deInstrucao", "09");
    v("deCarteiraTrab", "87654321");
    v("deCarteiraTrabSerie", "54321");
    v("deCPF", "11144477735");
    v("deUsoEmpregado", "X");
    // Admission.
    v("deAdmissao", "01032006");
    v("deTipoAdmissao", "6");
    v("edSalario", "150000");
    v("edSalario", "");
    v("deHoras", "40");
    v("deTipoSalContratual", "5");
    v("deCBO", "411005");
    // Link type, permit, dismissal, notice pay, work place.
    v("deVinculo", "55");
    v("dgAlvara", "#1", {{"DaNascimentoEmpregado", "15031996"}, {"InAlvaraEmpregado", "1"}}); // a minor
    v("deCodDeslig", "11");
    v("deDataDeslig", "1510", kDesligado);
    v("edAvisoPrevio", "50000", kDesligado);
    v("deMunicipioTrabalho", "3550308");
    // Leaves.
    v("dePrimCod", "40");
    v("dePrimInicio", "0203", kAfastado);
    v("dePrimFinal", "2803", kAfastado);
    v("deSegCod", "50", kAfastado);
    v("deSegInicio", "0105", com(kAfastado, {{"CoMotivoSeguAfas", "50"}}));
    v("deSegFinal", "3105", com(kAfastado, {{"CoMotivoSeguAfas", "50"}, {"DaInicioSegundoAfas", "0105"}}));
    const QVariantMap doisAfastamentos = com(kAfastado, {{"CoMotivoSeguAfas", "50"}, {"DaInicioSegundoAfas", "0105"},
                                                         {"DaFinalSegundoAfas", "3105"}});
    v("deTerCod", "60", doisAfastamentos);
    v("deTerInicio", "0107", com(doisAfastamentos, {{"CoMotivoTercAfas", "60"}}));
    v("deTerFinal", "3107", com(doisAfastamentos, {{"CoMotivoTercAfas", "60"}, {"DaInicioTerceiroAfas", "0107"}}));
    v("deAfastQtDias", "20", kAfastado);
    // Unions: the member's association values emptied by "Não" are the case that was stored as ''.
    v("deCNPJSindical", "11222333000181");
    v("deValorSindical", "2000");
    v("dbrSindicalizado", "#1", kSindicalizado);
    v("dbrSindicalizado", "#1");
    v("dbrSindicalizado", "#0");
    v("deCNPJPrimeiroAssociativa", "11222333000181", kSindicalizado);
    v("devalorPrimeiroAssociativa", "3000", kSindicalizado);
    v("deCNPJSegundoAssociativa", "11222333000181", kSindicalizado);
    v("deValorSegundoAssociativa", "1000", com(kSindicalizado, {{"CoCNPJSegAssociativa", "11222333000181"}}));
    v("deCNPJAssistencial", "33222111000100");
    v("deValorAssistencial", "1500", {{"CoCNPJAssistencial", "33222111000100"}});
    v("deCNPJConfederativa", "33222111000100");
    v("deValorConfederativa", "1500", {{"CoCNPJConfederativa", "33222111000100"}});
    // Termination payments.
    for (const char *campo : {"deValorGlobalFerias", "deValorGlobalMultas", "deValorGlobalBcoHoras",
                              "deValorGlobalDissidio", "deValorGlobalGratificacoes"})
        v(campo, "10000", kDesligado);
    for (const char *campo : {"deCompetenciaHoras", "deCompetenciaDissidio", "deCompetenciaGratificacoes"})
        v(campo, "03", kDesligado);
    // Monthly pay and hours, 13th salary.
    for (const char *mes : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                            "Outubro", "Novembro", "Dezembro"}) {
        v(QByteArray("ed").append(mes).constData(), "120000");
        v(QByteArray("deHoras").append(mes).constData(), "20");
    }
    v("edJaneiro", "");
    v("deMesAdiantamento", "10");
    v("deMesAdiantamento", "");
    v("edAdiantamento", "60000");
    v("edAdiantamento", "");
    v("deMesParcelaFinal", "11");
    v("edParcelaFinal", "40000");

    // The establishment form: identification and address.
    e("deUsoEmpresa", "uso");
    e("deRazao", "outra razao ltda");
    e("deDataEncerramento", "15062010", {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "30062010"}});
    e("meCeiVinc", "123456789012");
    e("deLogradouro", "rua nova");
    e("deNumero", "34");
    e("deComplemento", "sala 2");
    e("deBairro", "vila");
    e("deCEP", "20040020");
    e("deMunicipio", "3304557");
    e("deMunicipio", "");
    e("deDDD", "21");
    e("deTelefone", "22223333");
    e("deEmail", "a@b.com.br");
    // Economic data and the PAT.
    e("deCNAE", "4721102");
    e("deNatJuridica", "2135");
    e("deProprietarios", "2");
    e("deDataBase", "3");
    e("dgPorte", "#0");
    e("dgOptanteSimples", "#0");
    e("dgPat", "#0");
    e("dePATVincMaior5", "12", kComPat);
    e("dePATVincMenor5", "3", kComPat);
    e("deServProprio", "50", kComPat);
    e("deAdmCozinha", "50", kComPat);
    e("deRefeicaoTransportadora", "20", kComPat);
    e("deRefeicaoConvenio", "20", kComPat);
    e("deCestaAlimento", "10", kComPat);
    e("deAlimentacaoConvenio", "10", kComPat);
    // Unions.
    e("dbrCentralizada", "#0");
    e("dbeCNPJCentralizada", "33222111000100", {{"InCentralizada", "1"}});
    e("dbrSindicato", "#0");
    e("dbrSindicato", "#1", kSindicalizada);
    e("deSindical", "11222333000181", kSindicalizada);
    e("deValorSindical", "2000", kSindicalizada);
    e("deAssociativa", "33222111000100", kSindicalizada);
    e("deValorAssociativa", "1000", com(kSindicalizada, {{"CoCNPJAssociativa", "33222111000100"}}));
    e("deAssistencial", "33222111000100", kSindicalizada);
    e("deValorAssistencial", "1000", com(kSindicalizada, {{"CoCNPJAssistencial", "33222111000100"}}));
    e("deConfederativa", "33222111000100", kSindicalizada);
    e("deValorConfederativa", "1000", com(kSindicalizada, {{"CoCNPJConfederativa", "33222111000100"}}));
}

void tst_EntryFormOkPeloTeclado::okPeloTecladoGravaComoAposSair()
{
    QFETCH(bool, vinculo);
    QFETCH(QString, campo);
    QFETCH(QString, valor);
    QFETCH(QVariantMap, mudancas);
    auto executa = [&](bool teclado) {
        return vinculo ? noVinculo(campo, valor, mudancas, teclado)
                       : noEstabelecimento(campo, valor, mudancas, teclado);
    };
    const Resultado referencia = executa(false);
    if (QTest::currentTestFailed())
        return;
    const Resultado teclado = executa(true);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(teclado.caixas, referencia.caixas);
    QCOMPARE(teclado.fechou, referencia.fechou);
    QCOMPARE(teclado.linhas, referencia.linhas);
}

QTEST_MAIN(tst_EntryFormOkPeloTeclado)
#include "tst_EntryFormOkPeloTeclado.moc"
