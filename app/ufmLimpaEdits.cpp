#include "app/ufmLimpaEdits.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextEdit>

namespace gdvorn {

void LimpaEdits(QWidget *controle)
{
    if (!controle)
        return;
    // The line edits inside combo, spin and date boxes belong to those controls, which are no edits.
    for (QLineEdit *edit : controle->findChildren<QLineEdit *>())
        if (!qobject_cast<QComboBox *>(edit->parentWidget())
            && !qobject_cast<QAbstractSpinBox *>(edit->parentWidget()))
            edit->clear();
    for (QPlainTextEdit *memo : controle->findChildren<QPlainTextEdit *>())
        memo->clear();
    for (QTextEdit *memo : controle->findChildren<QTextEdit *>())
        if (!qobject_cast<QTextBrowser *>(memo))
            memo->clear();
}

} // namespace gdvorn
