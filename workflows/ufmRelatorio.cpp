#include "workflows/ufmRelatorio.h"

namespace gdvorn {

// Placeholders until the wizard's pages are in.
void ImprimeArquivoConsultado(QWidget *) {}
void RegistraImpressao() {}

} // namespace gdvorn
