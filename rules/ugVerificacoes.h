#pragma once
// The check groups of the consistency analysis. Each group adds its checks to the sequences under the
// numbers of the run order (ugConsistencia.h), so that the run executes R1..R20, E1..E41 and V1..V87 in
// that order whichever group a check belongs to. A group that is not built yet adds nothing; its empty
// definition is in ugVerificacoesPendentes.cpp until its own unit replaces it.

namespace gdvorn {

struct SequenciasConsistencia;

void VerificacoesResponsavel(SequenciasConsistencia &s);                  // R1-R20
void VerificacoesIdentificacaoEstabelecimento(SequenciasConsistencia &s); // E1-E20
void VerificacoesDadosEstabelecimento(SequenciasConsistencia &s);         // E22-E41
void VerificacoesCruzadas(SequenciasConsistencia &s);                     // E21, V3, V87 (by query)
void VerificacoesPessoaVinculo(SequenciasConsistencia &s);                // V1, V2, V4-V14
void VerificacoesContratoVinculo(SequenciasConsistencia &s);              // V15-V24
void VerificacoesRemuneracaoVinculo(SequenciasConsistencia &s);           // V25-V42
void VerificacoesAfastamentosVinculo(SequenciasConsistencia &s);          // V43-V55
void VerificacoesSindicaisVinculo(SequenciasConsistencia &s);             // V56-V73, V86
void VerificacoesHorasVinculo(SequenciasConsistencia &s);                 // V74-V85

} // namespace gdvorn
