#pragma once
// The establishment list: the establishments of one year, found by the start of the inscription, the
// start of the name or an initial-letter button; "&Exibir" opens one in the establishment form, in
// delete mode "&Excluir" hands it to the deletion window. Created at start-up and kept for the run
// (fmConEstab).
//
// The list hides itself while the window it opens (establishment form, deletion window) is shown, keeping
// its own modal loop, and lists the whole year again when it comes back. Alt+F3, Alt+F4 and Alt+F5 are
// taken by the list: they start the bulk wizards (transfer, multiple deletion, link-code change); the list
// hides while the wizard runs and closes when it ends; Alt+F4 never closes it otherwise. The same wizards
// are in the list's context menu, with their keys beside them, for desktops that keep those keys.

#include "app/ugListas.h"
#include "entry/EntryForm.h"
#include "entry/ugConEstab.h"

#include <functional>

class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;
class QTableWidget;
class QToolButton;
class QWidget;

namespace gdvorn {

class MaskEdit;
class TfmExcluir;

class TfmConEstab : public EntryForm {
    Q_OBJECT
public:
    explicit TfmConEstab(QWidget *parent = nullptr);
    ~TfmConEstab() override;

    bool ModoExclusao = false;
    bool ListaAnoBase = true;

    // The deletion window of the delete command (not owned).
    TfmExcluir *fmExcluir = nullptr;
    // Opens the establishment form on a row (the year, inscription and prefix as stored).
    std::function<void(const ChaveEstabelecimento &)> AbreEstabelecimento;
    // The chooser of the inscription type for a number valid as CNPJ and as CEI: "CNPJ", "CEI" or
    // anything else for none.
    std::function<QString()> EscolheTipoInscricao;
    // Shows the context menu at a global position (its exec by default; tests trigger an item instead).
    std::function<void(QMenu &, const QPoint &)> MostraMenu;

    void pMontaQuery();
    void pSetaFoco(QChar c);
    // The whole year (the base year, or the next one when ListaAnoBase is false); closes the list when
    // neither year has an establishment.
    void ListaCompleta();
    void BtExibirClick();
    void btExcluirClick();

    QLabel *paAnoBase = nullptr;
    MaskEdit *mdInscricao = nullptr;
    QLineEdit *edRazao = nullptr;
    QTableWidget *DBGridEstab = nullptr;
    QWidget *paAbrir = nullptr;
    QWidget *paExcluir = nullptr;
    QPushButton *BtExibir = nullptr, *BtCancelar = nullptr, *btExcluir = nullptr, *btCancExcluir = nullptr;
    QToolButton *SbTodos = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override; // the bulk wizards

private:
    void constroi();
    void letra(const QString &letras);
    void todos(QChar foco);
    bool focoNaSaida() const;
    void leConsulta(Query &q);
    // The selected row: false when there is none.
    bool linha(ChaveEstabelecimento &chave, QString &tipo) const;
    void apresenta(); // after the window opened from the list closes
    void abreAssistente(int tecla); // Qt::Key_F3, Key_F4 or Key_F5 pressed with Alt
    void executaAssistente(int tecla);

    FiltroEstab m_filtro;
    bool m_montando = false;
};

// The program-wide list (created at start-up).
extern TfmConEstab *fmConEstab;

} // namespace gdvorn
