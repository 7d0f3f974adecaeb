#include "app/ufmLimpaEdits.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextEdit>

namespace gdvorn {

void LimpaEdits(QWidget *controle)
{
    if (!controle)
        return;
    // The line edit of an editable combo box is one of these; that of a spin or date box is not ours.
    for (QLineEdit *edit : controle->findChildren<QLineEdit *>())
        if (!qobject_cast<QAbstractSpinBox *>(edit->parentWidget()))
            edit->clear();
    for (QPlainTextEdit *memo : controle->findChildren<QPlainTextEdit *>())
        memo->clear();
    for (QTextEdit *memo : controle->findChildren<QTextEdit *>())
        if (!qobject_cast<QTextBrowser *>(memo))
            memo->clear();
}

} // namespace gdvorn
