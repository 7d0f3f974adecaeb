#pragma once
// Clearing the edits of a form.

class QWidget;

namespace gdvorn {

// Empties the text of every edit inside `controle`, at any depth: line edits (masked ones too) and plain
// and rich text edits. Read-only edits are emptied as well; combo, spin and date boxes are no edits and
// keep their text and values.
void LimpaEdits(QWidget *controle);

} // namespace gdvorn
