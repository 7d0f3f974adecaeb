#pragma once
// The main window's commands of declaration entry, plugged in from the program's start-up: "Nova1" (the
// new-declaration dialog handing its new row to the establishment form), "Abrir1"
// (the establishment list in open mode), "Excluir1" (the list in delete mode with the deletion window) and
// "DadosResponsvel1" (the responsible-person form), and the start-up steps that create the employee list
// and the establishment list kept for the run, in that order. The establishment list's "&Exibir" opens the
// establishment form, whose "Vínculos" (and Ok) hand over to the employee list, or to the link form for a
// first link; the link form comes back to the employee list. Call before the main window is created.

namespace gdvorn {

void RegistraJanelasEntrada();

} // namespace gdvorn
