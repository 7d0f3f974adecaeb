#pragma once
// The main window's commands of declaration entry, plugged in from the program's start-up: "Nova1" (the
// new-declaration dialog handing its new row to the establishment form), "Abrir1"
// (the establishment list in open mode), "Excluir1" (the list in delete mode with the deletion window) and
// "DadosResponsvel1" (the responsible-person form), and the start-up step that creates the establishment
// list kept for the run, whose "&Exibir" opens the establishment form. The establishment form hands a
// first link over to the link form. Call before the main window is created.

namespace gdvorn {

void RegistraJanelasEntrada();

} // namespace gdvorn
