#pragma once
// The responsible person's checks as the forms call them, on their own controls: the responsible-person
// form and the recording wizard's responsible page pass their edits, so a value accepted by one is
// accepted by the other. Each routine runs its check on dmDadosResp->ta8Resp (ugDadosResp); a failure
// shows its code, puts the focus on the control named and stops with the silent abort. A control that
// shows a field the check rewrote is refreshed.

#include "entry/ugDadosResp.h"

#include <QPointer>

class QLineEdit;
class QWidget;

namespace gdvorn {

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
void ConfereComplementoResp(QLineEdit *edit);
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
