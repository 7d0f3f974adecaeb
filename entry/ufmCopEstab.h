#pragma once
// The employee transfer wizard: page 00 introduces it (with the rules window beside it), page 01
// (TPaginaEscolhaEstab) chooses the source establishment, page 02 ticks the links to move, page 03 takes the new destination
// (inscription, with its type, and prefix) and moves the links there on its progress bar.

#include "entry/ufmAssistentesVinculos.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace gdvorn {

class MaskEdit;
class TfmCopEstab02;
class TfmCopEstab03;

class TfmCopEstabRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmCopEstabRegras(QWidget *parent = nullptr);
    QPlainTextEdit *meRegras = nullptr;
    QPushButton *BtFechar = nullptr;
};

class TfmCopEstab00 : public TPaginaAssistente {
    Q_OBJECT
public:
    TfmCopEstab00();
    void aoMostrar() override;
    QPushButton *btVoltar = nullptr, *btAvancar = nullptr, *btCancelar = nullptr, *bbRegras = nullptr;
    TPaginaAssistente *Seguinte = nullptr;
    ChaveEstabelecimento Origem;
};

class TfmCopEstab02 : public TPaginaAssistente {
    Q_OBJECT
public:
    explicit TfmCopEstab02(ChaveEstabelecimento &origem);
    void aoMostrar() override;
    TListaMarcada *clVinculos = nullptr;
    QRadioButton *rbSelecaoTodos = nullptr, *rbSelecaoLimpar = nullptr;
    QPushButton *btVoltar = nullptr, *btAvancar = nullptr, *btCancelar = nullptr;
    TPaginaAssistente *Anterior = nullptr;
    TfmCopEstab03 *Seguinte = nullptr;

private:
    // Refuses, naming them, two ticked links that would become one at the destination.
    bool SemColisao(const QList<ChaveVinculo> &marcados);

    ChaveEstabelecimento &m_origem;
};

class TfmCopEstab03 : public TPaginaConclusaoVinculos {
    Q_OBJECT
public:
    TfmCopEstab03(ChaveEstabelecimento &origem, EscolhaTipoInscricao escolha);
    void aoMostrar() override;
    MaskEdit *mdCGCCEI = nullptr;
    QLineEdit *edTipoCGCCEI = nullptr, *edPrefixo = nullptr;
    QProgressBar *pbTransferencia = nullptr;
    TfmCopEstab02 *Anterior = nullptr;

    // The destination accepted on leaving mdCGCCEI: its stored inscription and type ("1", "3"); empty
    // while none is.
    QString InscricaoDestino, TipoDestino;

    // The checks run when a box is left; false (after the message, the focus back in the box) on failure.
    bool SaiInscricao();
    bool SaiPrefixo();

protected:
    TPaginaAssistente *paginaAnterior() const override { return Anterior; }
    void Concluir() override;

private:
    bool m_criticando = false;
    void esquece();
    ChaveEstabelecimento &m_origem;
    EscolhaTipoInscricao m_escolha;
};

std::unique_ptr<TfmAssistente> CriaCopEstab(QWidget *parent = nullptr, EscolhaTipoInscricao escolha = {});

} // namespace gdvorn
