// The check groups that are not built yet: they add no check. A group's unit, once written, defines its
// function and its line here goes away.

#include "rules/ugConsistencia.h"
#include "rules/ugVerificacoes.h"

namespace gdvorn {

void VerificacoesRemuneracaoVinculo(SequenciasConsistencia &) {}
void VerificacoesSindicaisVinculo(SequenciasConsistencia &) {}

} // namespace gdvorn
