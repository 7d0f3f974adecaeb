#pragma once
// Messages by code: the texts of the installed message table, shown through the presenter.

#include "app/base/Presenter.h"

#include <QString>

namespace gdvorn {

// Shows the message of `Codigo` in the box of its kind ("CNF" Yes/No, "WAR", "INF", "ERR" with OK) and
// returns the button pressed as "mrOk", "mrYes", "mrNo" ... A code missing from the table shows
// "Mensagem NNNN não cadastrada." as an error.
QString MostraMensagem(const QString &Codigo);

// Shows the message of `Codigo` about one establishment in an information box with OK, whatever the
// row's kind: the inscription in its display form by `Tipo` ("1" CNPJ, "3" CEI; any other type as it
// is), "  - ", the prefix, "  - ", the company name, "   ", a line break, then the message's text.
void MostraMensagemEstab(const QString &Codigo, const QString &Inscricao, const QString &Razao,
                         const QString &Prefixo, const QString &Tipo);

// The result text of a button ("mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo";
// "Erro de Memoria" for none).
QString TextoResultado(MessageButton botao);

// Asks "Deseja interromper?" (information box, Yes and No); true on Yes.
bool ConfirmaInterrupcao();

} // namespace gdvorn
