#pragma once
// The checks of the responsible person's row (BD8RESP), shared by the responsible-person form and the
// recording wizard's responsible page. Each check reads the row's field (the bound control has written
// it), may store a rewritten value, and answers with the message code to show ("0000" passes) and the
// control that takes the focus on failure. The routines that take the controls are in QtDadosResp.

#include "app/base/Table.h"
#include "rules/ugRegras.h"

#include <QString>

namespace gdvorn {

inline const QString kMascaraEntradaInscricao = QStringLiteral("99999999999999;0;_");
inline const QString kMascaraCnpj = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;_");
inline const QString kMascaraCei = QStringLiteral("99999\\.99999\\-99;0;_");
inline const QString kMascaraCpf = QStringLiteral("999\\.999\\.999\\-99;0;_");
inline const QString kMascaraEntradaCpf = QStringLiteral("99999999999;0;_");

// Where the focus goes after a failed check.
enum class FocoResp { Campo, Inscricao, TipoInscricao, Municipio, Cep, DDD, Telefone, Complemento, Cpf };

struct ResultadoResp {
    QString codigo = QStringLiteral("0000"); // the code to show; "0000" shows nothing
    bool para = false;                       // the check failed: focus `foco` and stop
    FocoResp foco = FocoResp::Campo;
    bool passou() const { return !para; }
};

// What the inscription edit shows: `muda` false leaves the edit and the kind as they are.
struct InscricaoMostrada {
    bool muda = false;
    QString texto;   // the digits for the mask
    QString mascara;
    QString tipo;    // "CNPJ", "CEI", "CPF" or "" (the kind edit)
    bool limpaTipo = false; // a refused number: the edit keeps its text, the kind is emptied
};

// The stored inscription in display form (nothing when it is blank).
InscricaoMostrada ExibeInscricaoResp(Table &resp);

// Checks the typed digits, stores the 14-character form in CoCgcCeiResponsavel and tells what to show;
// the type check runs last and fails with the focus on the type group.
ResultadoResp ConfereInscricaoResp(const QString &digitos, Table &resp, InscricaoMostrada &mostrada);

// `pTipoInscricaoPreenchido`: "0049" when no type is chosen.
ResultadoResp TipoInscricaoPreenchido(Table &resp);

ResultadoResp ConfereCpfResp(const QString &cpf, Table &resp);
ResultadoResp ConfereCpfInscricaoResp(const QString &inscricao, const QString &cpf, Table &resp);
ResultadoResp ConfereRazaoSocialResp(Table &resp);
ResultadoResp ConfereNomeResp(Table &resp);
ResultadoResp ConfereLogradouroResp(Table &resp);
ResultadoResp ConfereNumeroResp(Table &resp);
// The complement, then the complement together with the street number `numero` (one of the two is needed).
ResultadoResp ConfereComplementoResp(Table &resp, const QString &numero);
ResultadoResp ConfereBairroResp(Table &resp);
ResultadoResp ConfereCepResp(Table &resp);
ResultadoResp ConfereMunicipioResp(Table &resp);   // stores name and state whatever the status
ResultadoResp ConfereDDDResp(Table &resp);
ResultadoResp ConfereDDDUfResp(Table &resp);       // a warning only: never stops
ResultadoResp ConfereTelefoneResp(Table &resp);
ResultadoResp ConfereEmailResp(Table &resp);
ResultadoResp ConfereNascimentoResp(Table &resp);

// The street number as stored on OK: zero-filled to 6 when shorter; and as shown: without leading zeros.
QString NumeroGravadoResp(const QString &numero);
QString NumeroMostradoResp(const QString &numero);

} // namespace gdvorn
