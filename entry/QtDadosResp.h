#pragma once
// The responsible person's checks as the forms call them, on their own controls: the responsible-person
// form and the recording wizard's responsible page pass their edits, so a value accepted by one is
// accepted by the other. Each routine runs its check on dmDadosResp->ta8Resp (ugDadosResp); a failure
// shows its code, puts the focus on the control named and stops with the silent abort. A control that
// shows a field the check rewrote is refreshed.

#include "entry/ugDadosResp.h"

#include <QList>
#include <QPair>
#include <QPointer>

#include <functional>

class QHBoxLayout;
class QLineEdit;
class QToolButton;
class QWidget;

namespace gdvorn {

class FormBinder;
class MaskEdit;
class RadioGroup;

namespace UgDadosResp {

// The controls of the calling form that a check may focus or refresh (null when the form has none).
struct Controles {
    QPointer<RadioGroup> tipo;
    QPointer<MaskEdit> inscricao;
    QPointer<QLineEdit> tipoInscricao; // the kind edit ("CNPJ", "CEI", "CPF")
    QPointer<QLineEdit> cep, municipio, nomeMunicipio, uf, ddd, telefone, complemento;
    QPointer<MaskEdit> cpf;
};

// The responsible person's edits, as the responsible-person form and the recording wizard's responsible
// page both show them. A window derives from it, so the edits are its members under these names.
struct EditsResp {
    RadioGroup *dbrTipoInscr = nullptr; // buttons rbCNPJ "1", rbCEI "3", rbCPF "4"
    MaskEdit *mdInscricao = nullptr;
    QLineEdit *edTipodeInscricao = nullptr; // hidden, read-only
    QLineEdit *deNome = nullptr, *deLogradouro = nullptr, *deNumero = nullptr, *deComplemento = nullptr,
              *deBairro = nullptr, *deNomeMunicipio = nullptr, *deUF = nullptr, *deDDD = nullptr, *deTelefone = nullptr, *deNomeResp = nullptr, *deEmail = nullptr;
    MaskEdit *deCep = nullptr;          // "99999-999"
    MaskEdit *deCodMunicipio = nullptr; // "99-99999"
    MaskEdit *deCpfResponsavel = nullptr;
    QToolButton *botaoMunicipio = nullptr; // "...": picks the municipality
    MaskEdit *edNascimento = nullptr;      // the birth date, "99/99/9999
};

// What differs between the windows: the object names of the municipality button and the birth-date
// edit, and the help contexts of the type group, the municipality name and the state.
struct AjustesResp {
    const char *nomeBotaoMunicipio;
    const char *nomeNascimento;
    int ajudaTipo;
    int ajudaNomeMunicipio;
    int ajudaUF;
};

// Creates the edits on `pai` (CEP, municipality and birth date under the tables' masks, which they do not
// store; upper case where the field is; the municipality name and state locked
// and out of the focus chain; the button takes the focus on a click only). Layout and tab order are
// the window's.
void CriaEditsResp(EditsResp &e, QWidget *pai, const AjustesResp &ajustes);
// The rows the windows lay the edits out in, each a new layout with its captions made on `pai`: the type
// group, "Número" and the inscription with its kind; the street number, "Complemento" and the complement;
// the district, "CEP" and the CEP; "DDD", the area code, "Número" and the telephone.
QHBoxLayout *LinhaInscricaoResp(const EditsResp &e, QWidget *pai);
QHBoxLayout *LinhaNumeroResp(const EditsResp &e, QWidget *pai);
QHBoxLayout *LinhaBairroResp(const EditsResp &e, QWidget *pai);
QHBoxLayout *LinhaTelefoneResp(const EditsResp &e, QWidget *pai);
// Binds the edits to their fields of ta8Resp.
void LigaEditsResp(FormBinder &binder, const EditsResp &e);
// The edits that the checks focus or refresh.
Controles ControlesResp(const EditsResp &e);

// The exit checks of the edits, one list for every window that shows them: each edit (the inscription's
// edit, the address, phone, e-mail, names, CPF and birth date) with the check run when the focus leaves
// it. None runs with the focus on "bbCancelar"; the optional texts are checked only when filled; a cleared
// municipality code clears (and stores through `binder`) the name and state, and a code left for the
// municipality button waits for the pick; an inscription taken as a CPF is shown in the CPF edit too.
using CriticaSaidaResp = QPair<QWidget *, std::function<void()>>;
QList<CriticaSaidaResp> CriticasSaidaResp(const EditsResp &e, FormBinder &binder);

// The entry actions of the edits, for every window that shows them: entering the inscription's or the
// CPF's edit shows its entry mask with the digits kept and the cursor after them; entering the
// inscription's then runs `aoEntrarInscricao`, when given.
QList<CriticaSaidaResp> EntradasResp(const EditsResp &e, std::function<void()> aoEntrarInscricao = {});

// Shows the row in the edits: the edits of `painel` cleared, ta8Resp opened when closed and its row put
// into edit (created when the table is empty), a stored street number without its leading zeros, the
// bound edits loaded through `binder`, the inscription and the CPF in their masked edits.
void MostraResp(const EditsResp &e, FormBinder &binder, QWidget *painel);

// The municipality button: the picker stores the chosen code in the row, the code edit shows it and the
// municipality check runs.
void EscolheMunicipioResp(const EditsResp &e, FormBinder &binder);

// The checks that OK and Next run over all the edits; each window runs them in an order of its own.
enum class CriticaResp {
    TipoPreenchido, Inscricao, RazaoSocial, Logradouro, Numero, Complemento, Bairro, Cep, Municipio, DDD,
    Telefone, Email, Nome, Cpf, CpfInscricao, Nascimento
};
// Runs the checks of `ordem` (the first failure stops with the silent abort), then stores the row: a
// street number shorter than 6 characters zero-filled, the area code and telephone trimmed, ta8Resp posted.
void ConfereEGravaResp(const EditsResp &e, const QList<CriticaResp> &ordem);

// "0049" with the focus on the first type button (left unselected) when no type is chosen.
void ConfereTipoPreenchidoResp(RadioGroup *tipo);

// Processes pending events; false when the focus is on "bbCancelar".
bool PodeValidarResp();
bool FocoEmAvancar();
bool FocoEmMunicipios();
bool FocoEmCodMunicipio();

void ExibeInscricaoResp(MaskEdit *edit, QLineEdit *tipo);
void ExibeCpfResp(MaskEdit *edit);

// The typed inscription; the type group of `c` takes the focus after a failed type check.
void ConfereInscricaoResp(const Controles &c);
void ConfereCpfResp(MaskEdit *edit);
void ConfereCpfInscricaoResp(MaskEdit *inscricao, MaskEdit *cpf);

// The checks of one data edit: `edit` is the control of the field judged, focused on failure.
void ConfereRazaoSocialResp(QLineEdit *edit);
void ConfereNomeResp(QLineEdit *edit);
void ConfereLogradouroResp(QLineEdit *edit);
void ConfereNumeroResp(QLineEdit *edit);
void ConfereComplementoResp(QLineEdit *edit); // with the street number the row holds
void ConfereBairroResp(QLineEdit *edit);
void ConfereCepResp(QLineEdit *edit);
void ConfereMunicipioResp(const Controles &c);
void ConfereDDDResp(QLineEdit *edit);
void ConfereDDDUfResp();
void ConfereTelefoneResp(const Controles &c);
void ConfereEmailResp(QLineEdit *edit);
void ConfereNascimentoResp(QLineEdit *edit);

} // namespace UgDadosResp
} // namespace gdvorn
