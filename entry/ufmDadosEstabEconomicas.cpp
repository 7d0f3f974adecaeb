// The establishment form's economic, PAT and union tabs.

#include "entry/ufmDadosEstab.h"

namespace gdvorn {

void TfmDadosEstab::MontaAbasEconomicas() {}

void TfmDadosEstab::AbreAbasEconomicas() {}

void TfmDadosEstab::AcrescentaCriticasEconomicas() {}

void TfmDadosEstab::PreparaGravacaoEconomicas() {}

} // namespace gdvorn
