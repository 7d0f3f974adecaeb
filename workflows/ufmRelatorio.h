#pragma once
// The print wizard: the choice page, the report-type page, the order page and the selection page over a
// responsible, an establishment and a link table (the stored declaration or a file the browser loaded).

class QWidget;

namespace gdvorn {

// The browser's "&Relatório": the wizard over the work tables (Te8Emp, Te8Vinc, Te8Resp) of the base
// year, shown at its report-type page with "< &Voltar" hidden. When ProtocoloPeloAssistente is 1 the
// wizard open behind the browser is reused; otherwise one of its own is made and freed on return.
void ImprimeArquivoConsultado(QWidget *pai);

// Registers the main window's "Declarao1" and "sbRelatorio".
void RegistraImpressao();

} // namespace gdvorn
