#pragma once
// Plugs the backup, restore and index-rebuild windows into the main window's commands "&Gravar",
// "&Restaurar" (under "Cópia de &Segurança") and "&Indexar Arquivos". Called by the program's start-up
// before the main window is created.

namespace gdvorn {

void RegistraJanelasCopiaSeguranca();

} // namespace gdvorn
