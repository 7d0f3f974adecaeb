#pragma once
// The new-declaration dialog: appends one row of BD8EMP for the base year, takes the first identifying
// values of the establishment (inscription type and number, prefix, linked CEI, company name, own-use
// text, declaration type, activity in the base year), checks each when it is left, finds an
// establishment already stored under the inscription (and offers to copy it), stores the row with its
// defaults and hands over to the establishment form.
//
// The row is dmEntradaDados->ta8Empresa's pending insert; the controls write their fields as the user
// types. A taken key (same year, inscription and prefix) is refused with its message before anything is
// stored, on leaving the prefix and again on OK. The copy of a stored establishment gets the defaults of
// a new row wherever the copy leaves a field empty.
//
// TfmTipoInscricao is the small chooser of the inscription type ("CNPJ" or "CEI", TipoInscricaoEscolhido)
// for a number valid as both.

#include "app/FormBinder.h"
#include "entry/EntryForm.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace gdvorn {

class MaskEdit;
class RadioGroup;

class TfmNovaDecl : public EntryForm {
    Q_OBJECT
public:
    explicit TfmNovaDecl(QWidget *parent = nullptr);
    ~TfmNovaDecl() override;

    // The hand-over after a successful store: opens the establishment form on (year, inscription, prefix)
    // with EstabelecimentoNovo true. Without one the dialog just closes.
    std::function<void(const QString &ano, const QString &inscricao, const QString &prefixo)> AbreEstabelecimento;

    // The duplicate check of an inscription and prefix; stops with the silent abort after its message.
    void DuplicidadeEstab(const QString &inscricao, const QString &prefixo);
    // Stores the pending row with the defaults of a new establishment.
    bool GravaNovoEstab();

    RadioGroup *dbrTipoInscr = nullptr;
    MaskEdit *deInscricao = nullptr;
    QLineEdit *dePrefixo = nullptr;
    MaskEdit *deCeiVinc = nullptr;
    QLabel *lbCeiVinc = nullptr;
    QLineEdit *deRazao = nullptr;
    QLineEdit *deUsoEmpresa = nullptr;
    RadioGroup *dgTipoVorn = nullptr;
    RadioGroup *dgEmAtividade = nullptr;
    QPushButton *btOk = nullptr;
    QPushButton *BtCancelar = nullptr;
    QLabel *lbAnoBase = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    QString inscricao() const;      // the digits typed
    QString formaCritica() const;   // "00" + a 12-digit inscription, else the inscription
    void exigeTipo();
    void criticaInscricao();
    void criticaTipoDeclaracao();
    void criticaPrefixo(bool comDuplicidade);
    void criticaCeiVinculado();
    void criticaRazao();
    void criticaUsoEmpresa();
    void reiniciaCeiVinculado();
    void liberaCeiVinculado();
    void tipoVornMudou(const QString &valor);
    void entregaEstabelecimento();
    void copiaEstabelecimento(bool completo);
    void gravaCurto();
    void BtOkClick();
    void BtCancelarClick();
    void posta();

    FormBinder m_binder;
    QString m_ano;
};

// The answer of the inscription-type chooser: "CNPJ" or "CEI"; kept from one use to the next.
extern QString TipoInscricaoEscolhido;

class TfmTipoInscricao : public QDialog {
    Q_OBJECT
public:
    explicit TfmTipoInscricao(QWidget *parent = nullptr);
    QRadioButton *rbCGC = nullptr;
    QRadioButton *rbCEI = nullptr;
    QRadioButton *rbCNPJ = nullptr;
    QPushButton *BtOk = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};

// The main window's "&Nova...": the dialog shown modally, then the establishment table closed.
void NovaDeclaracao();

// The start-up step that plugs the entry commands into the main window; returns what unplugs them.
std::function<void()> LigaComandosEntrada();

} // namespace gdvorn
