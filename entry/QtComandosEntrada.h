#pragma once
// The main window's commands of declaration entry, plugged in from the program's start-up: "Abrir1"
// (the establishment list in open mode), "Excluir1" (the list in delete mode with the deletion window) and
// "DadosResponsvel1" (the responsible-person form), and the start-up steps that create the employee list
// and the establishment list kept for the run, in that order. Call before the main window is created.

namespace gdvorn {

void RegistraJanelasEntrada();

} // namespace gdvorn
