// The employment-link form offscreen: opening a new and a stored link, the field checks on exit with their
// gates, the monthly pay checks, the tab traps and the cancel.

#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ugExcecao.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmDadosEmpreg.h"

#include "BancadaDadosEmpreg.h"
#include "FixtureVinculos.h"
#include "ProgramaTeste.h"
#include "ScriptedHelp.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "entry/ufmSeletores.h"

#include <QTreeWidget>

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QLabel>
#include <QTabBar>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {
const QString &kPis = kPisBancada;
} // namespace

class tst_ufmDadosEmpreg : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramaTeste> programa;
    std::unique_ptr<ScriptedPresenter> presenter;
    std::unique_ptr<TfmDadosEmpreg> form;
    QVariantMap gravado;

    template <typename T = QWidget>
    T *w(const char *nome)
    {
        auto *c = form->findChild<T *>(QLatin1String(nome));
        if (!c)
            qFatal("control %s missing", nome);
        return c;
    }
    QLineEdit *ed(const char *nome) { return w<QLineEdit>(nome); }
    // Opens the stored link (with `mudancas`) or a new one.
    void abre(bool armazenado = true, const QVariantMap &mudancas = {}, const QVariantMap &estab = {})
    {
        insereLinha(QStringLiteral("bd8emp"), estabelecimentoDeTeste(estab));
        gravado = vinculoDeTeste(kPis, mudancas);
        insereLinha(QStringLiteral("bd8vinc"), gravado);
        contextoVinculo(armazenado ? kPis : QString(), gravado);
        form = std::make_unique<TfmDadosEmpreg>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // Types `texto` into `nome` (replacing it) and leaves with `tecla`.
    void digitaESai(const char *nome, const QString &texto, Qt::Key tecla = Qt::Key_Tab)
    {
        QLineEdit *e = ed(nome);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, texto);
        QTest::keyClick(QApplication::focusWidget(), tecla, tecla == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::processEvents();
    }
    // Brings `pagina` forward with the focus parked on the help button, so that no field is left on the way.
    void vaiPara(const char *pagina)
    {
        w("BtAjuda")->setFocus();
        w<QTabWidget>("pcEmpregados")->setCurrentWidget(w(pagina));
    }
    QString foco() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QString aba() { return w<QTabWidget>("pcEmpregados")->currentWidget()->objectName(); }

private slots:
    void init()
    {
        programa = std::make_unique<ProgramaTeste>();
        presenter = std::make_unique<ScriptedPresenter>();
    }
    void cleanup()
    {
        form.reset();
        presenter.reset();
        programa.reset();
    }

    void legendaPorInscricao_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("inscricao");
        QTest::addColumn<QString>("mostrada");
        QTest::newRow("CNPJ") << "1" << "11222333000181" << "CNPJ: 11.222.333/0001-81";
        QTest::newRow("CEI") << "3" << "00123456789012" << "CEI: 12345.67890-12";
    }
    void legendaPorInscricao()
    {
        QFETCH(QString, tipo);
        QFETCH(QString, inscricao);
        QFETCH(QString, mostrada);
        insereLinha(QStringLiteral("bd8emp"), estabelecimentoDeTeste(
                                             {{"CoCgcCeiEstabelecimento", inscricao}, {"InInscrEstabelecimento", tipo}}));
        contextoVinculo();
        InscricaoVinculo = inscricao;
        TipoInscricaoVinculo = tipo;
        form = std::make_unique<TfmDadosEmpreg>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(form->windowTitle(), QStringLiteral("EMPRESA EXEMPLO LTDA - ") + mostrada +
                                          QStringLiteral(" | Prefixo: 01 - Informações Referentes ao Empregado / Servidor"));
    }

    void cabeNumaTelaDe1024()
    {
        // At the size it takes on a 1024 x 768 screen every tab caption shows whole (no scroll arrows), each
        // option group keeps its natural height, and a long description shows its start and its tool tip.
        abre();
        form->resize(1000, 550);
        QCoreApplication::processEvents();
        auto *abas = w<QTabWidget>("pcEmpregados");
        QTabBar *barra = abas->tabBar();
        QCOMPARE(barra->count(), 7);
        QVERIFY2(barra->sizeHint().width() <= abas->width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(barra->sizeHint().width()).arg(abas->width())));
        for (int i = 0; i < barra->count(); ++i) {
            QVERIFY(barra->tabText(i).simplified() == barra->tabToolTip(i));
            QVERIFY(barra->tabRect(i).height() >= barra->fontMetrics().size(0, barra->tabText(i)).height());
        }
        for (const auto &[grupo, pagina] : {std::pair{"dgDeficiencia", "tDadosPessoais"}, std::pair{"dgAlvara", "tVinculo"},
                                            std::pair{"dbrSindicalizado", "tSindicais"}}) {
            vaiPara(pagina);
            QCoreApplication::processEvents();
            QCOMPARE(w(grupo)->height(), w(grupo)->sizeHint().height());
        }
        // The monthly-pay tab names its hours column.
        QCOMPARE(w<QLabel>("lbHorasExtras1")->text(), QStringLiteral("Horas Extras"));
        QLineEdit *descricao = ed("edTxAdmissao");
        const QString longa = QStringLiteral("Transferência de empregado oriundo de estabelecimento da mesma empresa ou de outra empresa");
        descricao->setText(longa);
        QCoreApplication::processEvents();
        QTRY_COMPARE(descricao->cursorPosition(), 0);
        QCOMPARE(descricao->toolTip(), longa);
    }

    void abreNovoEArmazenado()
    {
        abre(false);
        QCOMPARE(form->ModoEdicao, QStringLiteral("I"));
        QVERIFY(!w<QPushButton>("BtExcluir")->isEnabled());
        QCOMPARE(foco(), QStringLiteral("dePisPasep"));
        QCOMPARE(ed("dePisPasep")->text(), QString());
        form.reset();
        programa.reset();
        programa = std::make_unique<ProgramaTeste>();

        abre(true, {{"VaSalContratualEmpregado", "000123456"}, {"VaGlobalFerias", "00012345"}});
        QCOMPARE(form->ModoEdicao, QStringLiteral("A"));
        QVERIFY(w<QPushButton>("BtExcluir")->isEnabled());
        QCOMPARE(foco(), QStringLiteral("deNomeEmpregado"));
        QCOMPARE(ed("dePisPasep")->text(), kPis);
        QCOMPARE(ed("edSalario")->text().trimmed(), QStringLiteral("1.234,56"));
        QCOMPARE(ed("deValorGlobalFerias")->text().trimmed(), QStringLiteral("123,45"));
        QCOMPARE(ed("edAvisoPrevio")->text().trimmed(), QStringLiteral("0,00"));
        QVERIFY(!ed("edTxRaca")->text().isEmpty());
        QVERIFY(!ed("edTxVinculo")->text().isEmpty());
        QCOMPARE(w<QComboBox>("cbSexo")->currentIndex(), 0);
        QCOMPARE(form->PisOriginal, kPis);
        QCOMPARE(form->AnoEfetivo, 2010);
    }

    void chaveSemVinculoFecha()
    {
        insereLinha(QStringLiteral("bd8emp"), estabelecimentoDeTeste());
        contextoVinculo(QStringLiteral("99999999999"));
        form = std::make_unique<TfmDadosEmpreg>();
        form->show();
        QTRY_VERIFY(!form->isVisible());
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(presenter->boxes.first().kind, MessageKind::Error);
        QCOMPARE(campoGravado(QStringLiteral("99999999999"), QStringLiteral("AnBase")), QStringLiteral("<ausente>"));
    }

    void travasNaAbertura_data()
    {
        QTest::addColumn<QString>("causa");
        QTest::addColumn<QString>("nascimento");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<bool>("dataAberta");
        QTest::addColumn<bool>("avisoAberto");
        QTest::addColumn<bool>("alvaraAberto");
        QTest::addColumn<QString>("alvara");
        QTest::newRow("sem causa, adulto") << "00" << "15031980" << "10" << false << false << false << "2";
        QTest::newRow("causa 11") << "11" << "15031980" << "10" << true << true << false << "2";
        QTest::newRow("causa 32") << "32" << "15031980" << "10" << true << false << false << "2";
        QTest::newRow("menor, tipo 55") << "00" << "15031994" << "55" << false << false << false << "";
        QTest::newRow("menor, tipo 10") << "00" << "15031994" << "10" << false << false << true << "2";
    }
    void travasNaAbertura()
    {
        QFETCH(QString, causa);
        QFETCH(QString, nascimento);
        QFETCH(QString, tipo);
        QFETCH(bool, dataAberta);
        QFETCH(bool, avisoAberto);
        QFETCH(bool, alvaraAberto);
        QFETCH(QString, alvara);
        abre(true, {{"CoCausaDesligamento", causa},
                    {"DaDesligamentoEmpregado", causa == "00" ? "0000" : "1005"},
                    {"DaNascimentoEmpregado", nascimento},
                    {"CoVinculo", tipo},
                    {"InAlvaraEmpregado", ""}});
        QCOMPARE(!ed("deDataDeslig")->isReadOnly(), dataAberta);
        QCOMPARE(!ed("edAvisoPrevio")->isReadOnly(), avisoAberto);
        QCOMPARE(w("dgAlvara")->isEnabled(), alvaraAberto);
        QCOMPARE(w<RadioGroup>("dgAlvara")->valor(), alvara);
    }

    void causa80EsvaziaDataSoComEdicaoAberta()
    {
        abre(true, {{"CoCausaDesligamento", "80"}, {"DaDesligamentoEmpregado", "1005"}});
        QCOMPARE(ed("deDataDeslig")->text(), QString());
        // The form object is shown again for the next link: the edit is locked now and the date stays.
        form->findChild<QPushButton *>("BtCancelar")->click();
        presenter->answer(MessageButton::Yes);
        QVERIFY(!form->isVisible());
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(ed("deDataDeslig")->text(), QStringLiteral("1005"));
    }

    void mesmoPis()
    {
        abre(false);
        PisVinculo = QStringLiteral("12345678919");
        QCOMPARE(form->BuscaDadosPis(), QStringLiteral("3"));
        QVERIFY(presenter->boxes.isEmpty());

        PisVinculo = kPis;
        presenter->answer(MessageButton::No);
        QCOMPARE(form->BuscaDadosPis(), QStringLiteral("1"));
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(ed("deNomeEmpregado")->text(), QString());

        presenter->answer(MessageButton::Yes);
        QCOMPARE(form->BuscaDadosPis(), QStringLiteral("2"));
        QCOMPARE(ed("deNomeEmpregado")->text(), gravado.value("NoEmpregado").toString());
        QCOMPARE(ed("deNascimento")->text(), QStringLiteral("15031980"));
        QCOMPARE(w<QComboBox>("cbSexo")->currentIndex(), 0);
        QVERIFY(!ed("edTxNacionalidade")->text().isEmpty());
    }

    void criticaNaSaida_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("abaEsperada");
        QTest::addColumn<QString>("focoFinal");
        QTest::newRow("nascimento") << "deNascimento" << "01011800" << "0175" << "tDadosPessoais" << "deNascimento";
        QTest::newRow("horas") << "deHoras" << "45" << "0250" << "tAdmissao" << "deHoras";
        QTest::newRow("tipo de salario") << "deTipoSalContratual" << "9" << "0240" << "tAdmissao"
                                         << "deTipoSalContratual";
        QTest::newRow("salario letras") << "edSalario" << "abc" << "0040" << "tAdmissao" << "edSalario";
        QTest::newRow("salario longo") << "edSalario" << "1234567890" << "0315" << "tAdmissao" << "edSalario";
        QTest::newRow("tipo de vinculo") << "deVinculo" << "99" << "0270" << "tVinculo" << "deVinculo";
        QTest::newRow("mes antes da admissao") << "edJaneiro" << "1000" << "0310" << "tRemuneracoes" << "edJaneiro";
        QTest::newRow("mes letras") << "edMaio" << "abc" << "0040" << "tRemuneracoes" << "edMaio";
        QTest::newRow("mes dez digitos") << "edMaio" << "1234567890" << "0315" << "tRemuneracoes" << "edMaio";
    }
    void criticaNaSaida()
    {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, codigo);
        QFETCH(QString, abaEsperada);
        QFETCH(QString, focoFinal);
        abre(true, {{"DaAdmissaoEmpregado", "01032010"}});
        w("BtAjuda")->setFocus();
        w<QTabWidget>("pcEmpregados")->setCurrentWidget(ed(campo.toLatin1())->parentWidget());
        digitaESai(campo.toLatin1(), texto);
        QVERIFY2(!presenter->boxes.isEmpty(), "no message");
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(aba(), abaEsperada);
        QCOMPARE(foco(), focoFinal);
        QVERIFY(!form->TrocaAbaPermitida);
        // The rule's own text was shown.
        const QString esperado = [&] {
            ScriptedPresenter p;
            MostraMensagem(codigo);
            return p.boxes.first().text;
        }();
        QCOMPARE(presenter->boxes.first().text, esperado);
    }

    void semCriticaParaTrasOuParaCancelar()
    {
        abre();
        // Backwards in the personal tab: nothing checked.
        digitaESai("deNascimento", QStringLiteral("01011800"), Qt::Key_Backtab);
        QVERIFY(presenter->boxes.isEmpty());
        QCOMPARE(foco(), QStringLiteral("deNomeEmpregado"));
        // To Cancelar: nothing checked; with a PIS the cancel asks, No goes back to the name.
        ed("deNascimento")->setFocus();
        presenter->answer(MessageButton::No);
        QTest::mouseClick(w<QPushButton>("BtCancelar"), Qt::LeftButton);
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(presenter->boxes.first().text, QStringLiteral("As informações não salvas serão perdidas. Deseja sair ?"));
        QCOMPARE(foco(), QStringLiteral("deNomeEmpregado"));
        QVERIFY(form->isVisible());
        // Enter moves forward as Tab does, with the check.
        digitaESai("deNascimento", QStringLiteral("01011800"), Qt::Key_Return);
        QCOMPARE(presenter->boxes.size(), 2);
        QCOMPARE(foco(), QStringLiteral("deNascimento"));
    }

    void abaRecusadaUmaVez()
    {
        abre();
        vaiPara("tVinculo");
        ed("deVinculo")->setFocus();
        ed("deVinculo")->selectAll();
        QTest::keyClicks(ed("deVinculo"), QStringLiteral("99"));
        auto *barra = w<QTabWidget>("pcEmpregados")->tabBar();
        const QPoint pessoais = barra->tabRect(0).center();
        QTest::mouseClick(barra, Qt::LeftButton, {}, pessoais);
        QCOMPARE(aba(), QStringLiteral("tVinculo"));
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(foco(), QStringLiteral("deVinculo"));
        QTest::keyClick(ed("deVinculo"), Qt::Key_Backspace);
        QTest::keyClick(ed("deVinculo"), Qt::Key_Backspace);
        QTest::keyClicks(ed("deVinculo"), QStringLiteral("10"));
        QTest::mouseClick(barra, Qt::LeftButton, {}, pessoais);
        QCOMPARE(aba(), QStringLiteral("tDadosPessoais"));
    }

    void armadilhasDeAba()
    {
        abre();
        vaiPara("tAdmissao");
        ed("deCBO")->setFocus();
        QTest::keyClick(ed("deCBO"), Qt::Key_Tab);
        QTRY_COMPARE(foco(), QStringLiteral("deVinculo"));
        QCOMPARE(aba(), QStringLiteral("tVinculo"));
        ed("deMunicipioTrabalho")->setFocus();
        QTest::keyClick(ed("deMunicipioTrabalho"), Qt::Key_Tab);
        QTRY_COMPARE(foco(), QStringLiteral("dePrimCod"));
        QCOMPARE(aba(), QStringLiteral("tAfastamento"));
        QVERIFY(presenter->boxes.isEmpty());
    }

    void cancelarSemPisSaiSemGravar()
    {
        abre(false);
        QTest::keyClicks(ed("deNomeEmpregado"), QStringLiteral("FULANO"));
        QTest::mouseClick(w<QPushButton>("BtCancelar"), Qt::LeftButton);
        QVERIFY(presenter->boxes.isEmpty());
        QVERIFY(!form->isVisible());
        QCOMPARE(form->QtdVinculos, 1);
        QVERIFY(!form->SemVinculos);
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        QCOMPARE(t.RecordCount(), 1);
    }

    void mesFormatadoEFalhasDoSalvamento()
    {
        abre(true, {{"DaAdmissaoEmpregado", "01032010"}, {"VaJaneiroEmpregado", "0"}, {"VaFevereiroEmpregado", "0"}});
        vaiPara("tRemuneracoes");
        digitaESai("edAbril", QStringLiteral("1234"));
        QCOMPARE(ed("edAbril")->text().trimmed(), QStringLiteral("1.234,00"));
        // A zero month is not compared with the admission.
        digitaESai("edJaneiro", QStringLiteral("0"));
        QVERIFY(presenter->boxes.isEmpty());
        // Letters typed and left towards the tab bar are refused on save.
        ed("edJunho")->setText(QStringLiteral("abc"));
        QVERIFY(!Protege([this] { form->ValidaMesesRemuneracao(); }));
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(foco(), QStringLiteral("edJunho"));
        ed("edJunho")->setText(QStringLiteral("12345678901"));
        QVERIFY(!Protege([this] { form->ValidaMesesRemuneracao(); }));
        QCOMPARE(foco(), QStringLiteral("edJunho"));
        ed("edJunho")->setText(QStringLiteral("100,00"));
        // A month before the admission stops the save too, with the focus on it.
        ed("edFevereiro")->setText(QStringLiteral("100,00"));
        QVERIFY(!Protege([this] { form->ValidaMesesRemuneracao(); }));
        QCOMPARE(foco(), QStringLiteral("edFevereiro"));
        QCOMPARE(aba(), QStringLiteral("tRemuneracoes"));
        ed("edFevereiro")->setText(QStringLiteral("0,00"));
        QVERIFY(Protege([this] { form->ValidaMesesRemuneracao(); }));
    }

    void mesAbaixoDoContratual()
    {
        abre(true, {{"VaSalContratualEmpregado", "000200000"}});
        vaiPara("tRemuneracoes");
        presenter->answer(MessageButton::No);
        digitaESai("edMaio", QStringLiteral("1000"));
        QVERIFY(presenter->boxes.last().text.startsWith(QStringLiteral("Atenção: O valor da remuneração")));
        QCOMPARE(foco(), QStringLiteral("edMaio"));
        QCOMPARE(ed("edMaio")->text(), QStringLiteral("1000,00"));
    }

    void estrangeiros_data()
    {
        QTest::addColumn<int>("vinculos");
        QTest::addColumn<int>("estrangeiros");
        QTest::addColumn<bool>("aviso");
        QTest::newRow("6 com 3") << 6 << 3 << true;
        QTest::newRow("6 com 2") << 6 << 2 << false;
        QTest::newRow("5 com 5") << 5 << 5 << false;
    }
    void estrangeiros()
    {
        QFETCH(int, vinculos);
        QFETCH(int, estrangeiros);
        QFETCH(bool, aviso);
        // The link opened is one of them (a Brazilian); the others are added here.
        for (int i = 1; i < vinculos; ++i)
            insereLinha(QStringLiteral("bd8vinc"),
                   vinculoDeTeste(QStringLiteral("1200000000%1").arg(i),
                                  {{"CoNacionalidade", i <= estrangeiros ? "21" : "10"}}));
        abre();
        digitaESai("deNacionalidade", QStringLiteral("21"));
        QCOMPARE(foco(), QStringLiteral("deAnoChegada"));
        bool mostrado = false;
        for (const auto &b : presenter->boxes)
            mostrado = mostrado || b.text.contains(QStringLiteral("estrangeiros"));
        QCOMPARE(mostrado, aviso);
    }

    void verbaSemCausaNaoTravaAbas()
    {
        abre(true, {{"VaGlobalFerias", "00010000"}});
        vaiPara("tVerbas");
        digitaESai("deValorGlobalFerias", QStringLiteral("500"));
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(foco(), QStringLiteral("deValorGlobalFerias"));
        QVERIFY(form->TrocaAbaPermitida);
    }

    void avisosSoNaSaida()
    {
        abre(true, {{"DaNascimentoEmpregado", "15031997"}});
        // Under 15 in the base year: a warning on exit, nothing on save; neither stops.
        QVERIFY(Protege([this] { form->ValidaNascimento(false); }));
        QVERIFY(presenter->boxes.isEmpty());
        QVERIFY(Protege([this] { form->ValidaNascimento(true); }));
        QCOMPARE(presenter->boxes.size(), 1);
    }

    void salarioContratual()
    {
        abre(true, {{"VaSalContratualEmpregado", "000000000"}, {"CoTipoSalarioContratual", "1"}});
        // No salary for a link that owes one: stops on the salary, the tab switch stays allowed.
        QVERIFY(!Protege([this] { form->ValidaTipoSalario(true); }));
        QCOMPARE(foco(), QStringLiteral("edSalario"));
        QCOMPARE(aba(), QStringLiteral("tAdmissao"));
        QVERIFY(form->TrocaAbaPermitida);
        QVERIFY(!form->AvisoSalarioMostrado);
        // Below the minimum wage: a warning, remembered so that the save does not repeat it.
        ed("edSalario")->setText(QStringLiteral("100,00"));
        QVERIFY(Protege([this] { form->ValidaTipoSalario(true); }));
        QCOMPARE(presenter->boxes.size(), 2);
        QVERIFY(form->AvisoSalarioMostrado);
        QVERIFY(Protege([this] { form->ValidaTipoSalario(false); }));
        QCOMPARE(presenter->boxes.size(), 2);
    }

    void avisosDeTipoDeVinculoTresVezes()
    {
        abre(true, {}, {{"CoCnae2", "8411600"}});
        for (int i = 0; i < 5; ++i)
            QVERIFY(Protege([this] { form->ValidaTipoVinculo(true); }));
        QCOMPARE(presenter->boxes.size(), 3);
        // The count belongs to the run: another showing of the form shows no more.
        QVERIFY(Protege([this] { form->ValidaTipoVinculo(true); }));
        QCOMPARE(presenter->boxes.size(), 3);
    }

    void aprendizNoMesmoAnoNaSaidaENoSalvamento()
    {
        // Closed in the next year: dates are judged in 2011, when this apprentice turns 24 in June.
        abre(true, {{"CoVinculo", "55"}, {"DaNascimentoEmpregado", "15061987"}, {"VaDezembroEmpregado", "000000000"}});
        EncerradoAnoSeguinte = true;
        form->done(QDialog::Rejected);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(form->AnoEfetivo, 2011);
        vaiPara("tRemuneracoes");
        digitaESai("edDezembro", QStringLiteral("1000"));
        QCOMPARE(presenter->boxes.size(), 1);
        QCOMPARE(foco(), QStringLiteral("edDezembro"));
        const QString naSaida = presenter->boxes.last().text;
        QVERIFY(!Protege([this] { form->ValidaMesesRemuneracao(); }));
        QCOMPARE(presenter->boxes.size(), 2);
        QCOMPARE(presenter->boxes.last().text, naSaida);
        // The first month after the birthday month stops the save (in the base year it would pass).
        QCOMPARE(foco(), QStringLiteral("edJulho"));
    }

    void ajuda()
    {
        ScriptedHelp ajuda;
        abre();
        vaiPara("tRemuneracoes");
        ed("edAdiantamento")->setFocus();
        ed("edParcelaFinal")->setFocus();
        // The help button refers to the control entered before the final installment.
        QTest::mouseClick(w<QPushButton>("BtAjuda"), Qt::LeftButton);
        QCOMPARE(ajuda.last(), QStringLiteral("vinculo.html#adiantamento"));
        ed("edParcelaFinal")->setFocus();
        QTest::keyClick(ed("edParcelaFinal"), Qt::Key_F1);
        QCOMPARE(ajuda.last(), QStringLiteral("vinculo.html#parcelafinal"));
    }

    void sexoPorSetasFicaNoCampo()
    {
        abre(false);
        auto *sexo = w<QComboBox>("cbSexo");
        sexo->setFocus();
        // The arrow keys change the choice and keep the focus.
        QTest::keyClick(sexo, Qt::Key_Down);
        QCOMPARE(sexo->currentText(), QStringLiteral("1-Masculino"));
        QCOMPARE(foco(), QStringLiteral("cbSexo"));
        QTest::keyClick(sexo, Qt::Key_Down);
        QCOMPARE(sexo->currentText(), QStringLiteral("2-Feminino"));
        QCOMPARE(foco(), QStringLiteral("cbSexo"));
        QCOMPARE(dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("InSexo")).AsString(), QStringLiteral("2"));
        QTest::keyClick(sexo, Qt::Key_Up);
        QCOMPARE(foco(), QStringLiteral("cbSexo"));
        // Enter leaves, as Tab does.
        QTest::keyClick(sexo, Qt::Key_Return);
        QCOMPARE(foco(), QStringLiteral("deNacionalidade"));
        QCOMPARE(dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("InSexo")).AsString(), QStringLiteral("1"));
        // A choice made in the open list moves on to the nationality.
        sexo->setFocus();
        sexo->showPopup();
        QAbstractItemView *lista = sexo->view();
        QTRY_VERIFY(lista->isVisible());
        const QRect item = lista->visualRect(lista->model()->index(1, 0));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_COMPARE(sexo->currentText(), QStringLiteral("2-Feminino"));
        QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("deNacionalidade"));
    }

    void anoDeChegadaFechadoSemNacionalidade()
    {
        abre(false);
        QLineEdit *ano = ed("deAnoChegada");
        QVERIFY(ano->isReadOnly());
        QCOMPARE(ano->focusPolicy(), Qt::NoFocus);
        // With no nationality the focus passes the arrival year by, and nothing is refused.
        ed("deNacionalidade")->setFocus();
        QTest::keyClick(ed("deNacionalidade"), Qt::Key_Tab);
        QCOMPARE(foco(), QStringLiteral("deInstrucao"));
        QVERIFY(presenter->boxes.isEmpty());
        // A foreign nationality opens it.
        digitaESai("deNacionalidade", QStringLiteral("21"));
        QCOMPARE(foco(), QStringLiteral("deAnoChegada"));
        QVERIFY(!ano->isReadOnly());
    }

    void seletoresPreenchemADescricao()
    {
        ScriptedModal modal;
        auto escolhe = [](const QString &codigo) {
            return [codigo](QDialog &janela) {
                QTreeWidget *arvore = janela.findChild<QTreeWidget *>();
                const auto itens = arvore->findItems(codigo, Qt::MatchStartsWith | Qt::MatchRecursive);
                QVERIFY(!itens.isEmpty());
                arvore->setCurrentItem(itens.first());
                if (auto *lista = dynamic_cast<TfmSeletorLista *>(&janela))
                    lista->SelecionaCodigo();
                else
                    dynamic_cast<TfmSeletorArvore &>(janela).SelecionaCodigo();
            };
        };
        modal.then(escolhe(QStringLiteral("21")));
        modal.then(escolhe(QStringLiteral("3509502")));
        abre();
        // The picker button is clicked with the focus on an earlier field of the tab.
        ed("deNomeEmpregado")->setFocus();
        QTest::mouseClick(w("sbNacionalidade"), Qt::LeftButton);
        QCOMPARE(ed("deNacionalidade")->text(), QStringLiteral("21"));
        QCOMPARE(ed("edTxNacionalidade")->text(), QStringLiteral("Argentina"));
        QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("deAnoChegada"));
        vaiPara("tVinculo");
        ed("deVinculo")->setFocus();
        QTest::mouseClick(w("bbCodMunicipio"), Qt::LeftButton);
        QCOMPARE(modal.shown.size(), 2);
        QCOMPARE(ed("deNomeMunicipioTrabalho")->text(), QStringLiteral("CAMPINAS"));
        QCOMPARE(ed("deSiglaUFTrabalho")->text(), QStringLiteral("SP"));
        QVERIFY(presenter->boxes.isEmpty());
    }

    void seletorDeVinculo()
    {
        ScriptedModal modal;
        modal.then([](QDialog &janela) {
            auto &lista = dynamic_cast<TfmSeletorLista &>(janela);
            const auto itens = lista.arvore->findItems(QStringLiteral("10"), Qt::MatchStartsWith | Qt::MatchRecursive);
            QVERIFY(!itens.isEmpty());
            lista.arvore->setCurrentItem(itens.first());
            lista.SelecionaCodigo();
        });
        abre(true, {{"CoVinculo", "55"}});
        vaiPara("tVinculo");
        QTest::mouseClick(w("sbVinculo"), Qt::LeftButton);
        QCOMPARE(modal.shown.size(), 1);
        QCOMPARE(ed("deVinculo")->text(), QStringLiteral("10"));
        QVERIFY(!ed("edTxVinculo")->text().isEmpty());
        QCOMPARE(aba(), QStringLiteral("tVinculo"));
        QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("deCodDeslig"));
        QVERIFY(presenter->boxes.isEmpty());
    }
};

QTEST_MAIN(tst_ufmDadosEmpreg)
#include "tst_ufmDadosEmpreg.moc"
