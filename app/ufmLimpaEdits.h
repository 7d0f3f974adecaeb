#pragma once
// Clearing the edits of a form.

class QWidget;

namespace gdvorn {

// Empties the text of every edit inside `controle`, at any depth: line edits (masked ones too), plain and
// rich text edits and editable combo boxes. Read-only edits are emptied as well; spin and date boxes
// are no text edits and keep their values.
void LimpaEdits(QWidget *controle);

} // namespace gdvorn
