#pragma once
// The employee list: the links of one establishment, found by the start of the PIS/PASEP, the start of the
// employee's name or an initial-letter button; "&Exibir" opens the selected link in the link form,
// "&Novo" a new one there. Created at start-up and kept for the run (fmConEmpreg).
//
// The list hides itself while the link form is shown (keeping its own modal loop). When the link form
// closes and the establishment has no link left (its SemVinculos), the list closes as well, so that the
// establishment form that showed it closes in turn and the establishment list comes back; otherwise the
// list comes back rebuilt without filters (fresh counts) and returns to the row of the link last opened
// (its row offset is kept for the run, also when the list is shown for another establishment).
//
// Exibir on an empty selection (or on a row without PIS) offers the establishment's link stored with a
// blank PIS for deletion; the deletion recounts the establishment's links and foreign workers in the same
// transaction. Without such a link the user is told to select one.

#include "entry/EntryForm.h"
#include "entry/ugConEmpreg.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;

namespace gdvorn {

class MaskEdit;

class TfmConEmpreg : public EntryForm {
    Q_OBJECT
public:
    explicit TfmConEmpreg(QWidget *parent = nullptr);
    ~TfmConEmpreg() override;

    // The list context, filled before the list is shown (Mostra reads it from the establishment's row).
    ContextoConsulta Consulta;
    // The row number, less one, of the link last opened from the list.
    int LinhaSalva = 0;

    // Shows the list of the stored establishment `chave` modally. Both entry points fill the list context
    // and the link context (a new link of that establishment) from its row.
    void Mostra(const ChaveEstabelecimento &chave);
    // The establishment form's hand-over to the links: a new link in the link form when the establishment
    // has none yet (then the list, once a link is stored), otherwise the list. `estabelecimentoNovo`: the
    // establishment was just created by the new-declaration dialog.
    void MostraVinculos(const ChaveEstabelecimento &chave, bool estabelecimentoNovo);

    void MontaQuery();
    void SetaFoco(QChar c);
    void BtExibirClick();
    void BtNovoClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    void constroi();
    bool leEstabelecimento(const ChaveEstabelecimento &chave);
    void letras(const QString &letras);
    void todos(QChar foco);
    void limpaFiltros();
    bool focoNaSaida() const;
    // The showing: caption, establishment, the whole list, the saved row, the focus on the PIS.
    void apresenta();
    // Shows the link form for the link context already filled; false when the establishment has no
    // link left afterwards (the link form's SemVinculos, which starts as `semVinculos`).
    bool abreVinculo(bool semVinculos);
    // Back from the link form: the list is shown again, or closes when no link is left.
    void depoisDoVinculo(bool restamVinculos);
    // The establishment's part of the link context; `novo` also empties the link's own part.
    void preencheContextoVinculo(bool novo);

    QLabel *paAnoBase = nullptr;
    QLineEdit *mdInscricao = nullptr, *edPrefixo = nullptr, *edRazao = nullptr;
    MaskEdit *edPisPasep = nullptr;
    QLineEdit *edNome = nullptr;
    QTableView *DBGridVinculo = nullptr;
    ModeloVinculos *m_modelo = nullptr;
    QPushButton *BtNovo = nullptr, *BtExibir = nullptr, *BtCancelar = nullptr;
    QToolButton *SbTodos = nullptr;

    FiltroVinculo m_filtro;
    bool m_montando = false;
    QString m_pisDevolvido; // handed back by the link form: the list comes back filtered by it
};

// The program-wide list (created at start-up).
extern TfmConEmpreg *fmConEmpreg;

} // namespace gdvorn
