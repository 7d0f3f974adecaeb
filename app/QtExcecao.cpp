#include "app/QtExcecao.h"

#include "app/ugExcecao.h"

#include <QApplication>
#include <QComboBox>
#include <QWidget>

namespace gdvorn {

bool FocoEmComboLookup()
{
    // An editable combo box may leave the focus on its line edit.
    const QWidget *foco = QApplication::focusWidget();
    const auto *combo = qobject_cast<const QComboBox *>(foco);
    if (!combo && foco)
        combo = qobject_cast<const QComboBox *>(foco->parentWidget());
    return combo && combo->property(kComboLookup).toBool();
}

void InstalaTratamentoExcecao() { setFocoEmComboLookup(FocoEmComboLookup); }

} // namespace gdvorn
