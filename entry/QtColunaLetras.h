#pragma once
// The column of initial-letter buttons of the establishment and employee lists, top to bottom: SbTodos
// ("Todos", down at start), "A", "B", "C", "D", "EF", "GH", "IJ", "KL", "M", "N", "O", "PQ", "RS", "TU",
// "VW", "X", "YZ". The buttons are flat, mutually exclusive and out of the tab order (the lists are used
// from the keyboard through their search edits); each is named "Sb" + its letters. A click hands the
// list the button's letters, "" for SbTodos, inside the handlers' guard.

#include <QWidget>

#include <functional>

class QToolButton;

namespace gdvorn {

class ColunaLetras : public QWidget {
    Q_OBJECT
public:
    ColunaLetras(QWidget *parent, std::function<void(const QString &letras)> aoClicar);

    QToolButton *SbTodos = nullptr;
};

} // namespace gdvorn
