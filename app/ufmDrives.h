#pragma once
// The drive choice of the recording and analysis wizards and the count of a check list.

#include <QStringList>

class QComboBox;
class QListWidget;

namespace gdvorn {

// Clears the combo, fills `letras` with ListaDrives and adds "Drive X:" to the combo for each letter;
// no item is current afterwards (no drive chosen).
void CarregaDrives(QStringList &letras, QComboBox *combo);

// The number of checked items of a check list.
int QtdMarcados(const QListWidget *lista);

} // namespace gdvorn
