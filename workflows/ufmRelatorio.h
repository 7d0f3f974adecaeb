#pragma once
// The print wizard: the choice page, the report-type page, the order page and the selection page over a
// responsible, an establishment and a link table (the stored declaration or a file the browser loaded).
// One wizard frame holds, in this order,
//   03 TfmRelatorio03  the declaration or the transmission protocol (the tool button starts here)
//   02 TfmRelatorio02  complete or summary report (the menu and the browser start here, "< &Voltar" hidden)
//   00 TfmRelatorio00  the order of the links
//   01 TfmRelatorio01  the establishments and, "Parcial", the links of one of them; the preview
// Next shows the next page, Back the one before (its show step runs again), Cancel and Esc end the
// wizard. The Cancels of 02, 00 and 01 set IdTransmissao to " "; going back from 00 and ending from 00
// or 01 set ProtocoloPeloAssistente to 0.
//
// The protocol choice ends the wizard; its opener then shows the transmission window in print mode,
// with the wizard still alive behind it: the browser opened from there reuses it (ImprimeArquivoConsultado).
//
// The lists keep each line's key as item data (an establishment: year, inscription as stored, prefix;
// a link: its 11-field key); the statement is built from those keys, never from the lines' texts.

#include "workflows/ufmGravaDecl.h"

#include <QStringList>

class QGroupBox;
class QListWidgetItem;
class QRadioButton;

namespace gdvorn {

class RadioGroup;
class TfmRelatorio00;
class TfmRelatorio01;
class TfmRelatorio02;

class TfmRelatorio03 : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TfmRelatorio03(TfmRelatorio02 *seguinte);
    void aoMostrar() override;

    QRadioButton *rbDeclaracao = nullptr;
    QRadioButton *rbProtocolo = nullptr;
    // The protocol was chosen: the wizard's opener shows the transmission window once it ends.
    bool ProtocoloEscolhido = false;

private:
    void Avancar();
    TfmRelatorio02 *m_seguinte;
};

class TfmRelatorio02 : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TfmRelatorio02(TfmRelatorio01 *selecao);
    void aoMostrar() override;
    void aoCancelar() override;

    QString AnoRelatorio;
    // The pages around it: the choice page when the wizard starts there, and the order page.
    TPaginaAssistente *Anterior = nullptr;
    TfmRelatorio00 *Seguinte = nullptr;

    QRadioButton *rbRelatorioComp = nullptr;
    QRadioButton *rbRelatorioResum = nullptr;
    QGroupBox *gbAnoBase = nullptr;
    QLabel *lblAno = nullptr;

private:
    void Avancar();
    TfmRelatorio01 *m_selecao;
};

class TfmRelatorio00 : public TPaginaGravacao {
    Q_OBJECT
public:
    TfmRelatorio00(TfmRelatorio02 *anterior, TfmRelatorio01 *seguinte);
    void aoMostrar() override;
    void aoCancelar() override;

    RadioGroup *rgOrdemRelat = nullptr;

private:
    void Avancar();
    TfmRelatorio02 *m_anterior;
    TfmRelatorio01 *m_seguinte;
};

class TfmRelatorio01 : public TPaginaGravacao {
    Q_OBJECT
public:
    // The employee list's most lines.
    static constexpr int MaximoEmpregados = 50000;

    TfmRelatorio01();
    void aoMostrar() override;
    void aoCancelar() override;

    QString AnoRelatorio;
    QString TabelaEmpresa, TabelaVinculo, TabelaResponsavel;
    bool ImprimeCompleto = true;
    QString TituloRelatorio;
    QString OrdemRelatorio;
    int Ordem = 0; // 0 PIS/PASEP, 1 name, 2 company use
    TfmRelatorio00 *Anterior = nullptr;
    // The key of the establishment last clicked (year, inscription, prefix).
    QStringList EstabelecimentoClicado;

    TListaMarcada *clbEmpresas = nullptr;
    TListaMarcada *clbEmpregados = nullptr;
    QRadioButton *rbImprimTotal = nullptr;
    QRadioButton *rbImprimParcial = nullptr;
    QRadioButton *rbSelecaoLimpar = nullptr;
    QRadioButton *rbSelecaoTodos = nullptr;
    QPushButton *bbVisualizar = nullptr;

    // An establishment clicked (its tick already toggled) or Enter on it.
    void clbEmpresasClick(QListWidgetItem *item);
    void rbImprimParcialClick();
    void bbVisualizarClick();

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    void CarregaEmpregados(const QStringList &estabelecimento);
};

// The wizard's frame with its four pages; the picture is "IMP".
class TAssistenteImpressao : public TfmAssistente {
    Q_OBJECT
public:
    explicit TAssistenteImpressao(QWidget *parent = nullptr);

    // The tables, the year and the first page: the choice page, or the report-type page without Back.
    void Prepara(const QString &empresa, const QString &vinculo, const QString &responsavel, const QString &ano,
                 bool comEscolha);

    TfmRelatorio03 *Escolha = nullptr;
    TfmRelatorio02 *Tipo = nullptr;
    TfmRelatorio00 *Ordem = nullptr;
    TfmRelatorio01 *Selecao = nullptr;
};

// The main window's commands: the wizard over the stored declaration of the base year, from the choice
// page (`comEscolha`) or from the report-type page; after the protocol choice, the transmission window
// in print mode.
void AbreImpressao(QWidget *pai, bool comEscolha);

// The browser's "&Relatório": the wizard over the work tables (Te8Emp, Te8Vinc, Te8Resp) of the base
// year, shown at its report-type page with "< &Voltar" hidden. When ProtocoloPeloAssistente is 1 the
// wizard open behind the browser is reused; otherwise one of its own is made and freed on return. The
// window of `pai` is hidden meanwhile.
void ImprimeArquivoConsultado(QWidget *pai);

// Registers the main window's "Declarao1" and "sbRelatorio".
void RegistraImpressao();

} // namespace gdvorn
