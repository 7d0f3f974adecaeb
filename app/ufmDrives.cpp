#include "app/ufmDrives.h"

#include "app/ugDrives.h"

#include <QComboBox>
#include <QListWidget>

namespace gdvorn {

void CarregaDrives(QStringList &letras, QComboBox *combo)
{
    combo->clear();
    ListaDrives(letras);
    for (const QString &l : letras)
        combo->addItem(QStringLiteral("Drive ") + l + QLatin1Char(':'));
    // A combo makes its first item current as it is filled; the user must choose the destination.
    combo->setCurrentIndex(-1);
}

int QtdMarcados(const QListWidget *lista)
{
    int n = 0;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->checkState() == Qt::Checked)
            ++n;
    return n;
}

} // namespace gdvorn
