#pragma once
// The rectification wizard: the rules window TfmRetifRegras, then the pages TfmRetifDecl01 (base year)
// and TfmRetifDecl02 (establishments and their links to re-send), then the recording wizard's pages 01, 03
// and 04 with dmDadosResp->Retificacao set, which analyse and write the work tables te8resp, te8emp and
// te8vinc that the selection is copied into.
//
// The link list shows an establishment's links in key order; a link already chosen is shown checked, so
// that coming back to an establishment (by click or by the arrow keys) shows its choice as it stands.

#include "app/ufmAssistente.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ugGravaDecl.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace gdvorn {

class TfmRetifRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmRetifRegras(QWidget *parent = nullptr);
    QPlainTextEdit *meRegras = nullptr;
    QPushButton *BtOk = nullptr;
};

class TfmRetifDecl02;

class TfmRetifDecl01 : public TPaginaInicial {
    Q_OBJECT
public:
    explicit TfmRetifDecl01(TfmRetifDecl02 *seguinte);

    QPlainTextEdit *meRetif01 = nullptr;

private:
    void Avancar();
    TfmRetifDecl02 *m_seguinte;
};

class TfmRetifDecl02 : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TfmRetifDecl02(TfmGravaDecl01 *seguinte);
    TfmRetifDecl01 *Anterior = nullptr;
    void aoMostrar() override;
    void aoCancelar() override;

    // A fresh selection over the listed establishments, none chosen.
    void Carrega(const QList<EstabelecimentoNaLista> &listados);
    // The copy of the selection into the work tables: "0000", or the code of the failure shown by the caller.
    QString CopiaSelecaoRetificacao();
    void LiberaSelecaoRetificacao();

    QWidget *paSelecao = nullptr;
    TListaMarcada *clEmpresas = nullptr;
    TListaMarcada *clVinculos = nullptr;
    QCheckBox *ckSelecVinculos = nullptr;

    SelecaoRetificacao Selecao;

private:
    void passoEstabelecimento(int linha);
    void carregaVinculos(int estabelecimento);
    void vinculoAlterado(QListWidgetItem *item);
    void marcaTodosVinculos(bool marcado);
    void desmarcaEstabelecimento(int linha);
    void Avancar();

    TfmGravaDecl01 *m_seguinte;
    QList<VinculoNaLista> m_vinculos; // the links shown, by line
    bool m_programatico = false;      // the lists are being changed here, not by the user
};

// The rectification wizard's pages, after its work tables were made; nullptr (after the error box) when
// they could not be.
std::unique_ptr<TfmAssistente> CriaRetificacao(QWidget *parent = nullptr);

} // namespace gdvorn
