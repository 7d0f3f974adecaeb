#pragma once
// The forms' part of the exception handling.
//
// A data-aware lookup combo box is a QComboBox whose dynamic property "lookup" is true: a form sets
// `combo->setProperty(kComboLookup, true)` on each combo box that picks a code of a code table for a
// field. While such a combo box has the focus, the engine's lookup error (10756) is ignored.

namespace gdvorn {

inline constexpr char kComboLookup[] = "lookup";

// Whether the application's focus widget is a lookup combo box.
bool FocoEmComboLookup();

// Installs FocoEmComboLookup as the focus test of MostraErroBDE.
void InstalaTratamentoExcecao();

} // namespace gdvorn
