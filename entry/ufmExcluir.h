#pragma once
// The establishment deletion window: shows the chosen establishment read-only, asks for confirmation,
// then marks it (committed on its own) and deletes it with all its links in one transaction, with the bar
// BarraDeProgress (ugExcluiEstab). It closes after a deletion or on "&Cancelar".

#include "app/ugListas.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace gdvorn {

class MaskEdit;

class TfmExcluir : public QDialog {
    Q_OBJECT
public:
    explicit TfmExcluir(QWidget *parent = nullptr);

    // Set by the establishment list before it shows the window.
    QString AnoExclusao;
    QString InscricaoExclusao;
    QString PrefixoExclusao;

    void MostraEstabelecimento();
    void bbExcluirClick();
    // Whether the last showing deleted the establishment.
    bool excluiu() const { return m_excluiu; }

    QLabel *paAnoBase = nullptr;
    QLabel *pbTipoVorn = nullptr;
    MaskEdit *mdInscricao = nullptr;
    QLineEdit *edTipoCGCCEI = nullptr, *edPrefixo = nullptr, *edCgcVinculado = nullptr,
              *edTotalEmpregados = nullptr, *edRazaoSocial = nullptr, *edUsoEmpresa = nullptr;
    QProgressBar *BarraDeProgress = nullptr;
    QPushButton *bbExcluir = nullptr;
    QPushButton *sbCancelar = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool m_excluiu = false;
};

} // namespace gdvorn
