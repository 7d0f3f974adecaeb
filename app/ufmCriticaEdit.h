#pragma once
// The text check of an edit control.

class QLineEdit;

namespace gdvorn {

// Applies CriticaTexto to the edit's text; on any code but "0000" shows it with MostraMensagem, gives the
// edit the focus and stops the event handler with the silent abort.
void CriticaEditTexto(QLineEdit *edit);

} // namespace gdvorn
