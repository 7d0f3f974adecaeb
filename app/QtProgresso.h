#pragma once
// The progress of a long operation shown on a form's progress bar.

#include "app/base/Progresso.h"

#include <QPointer>
#include <QProgressBar>

namespace gdvorn {

class QtProgresso : public Progresso {
public:
    // Shows the range and position on `barra` (not owned; nothing is shown once it is gone). The bar
    // takes the current range and position at once.
    explicit QtProgresso(QProgressBar *barra);

protected:
    void mostraIntervalo(int minimo, int maximo) override;
    void mostraPosicao(int posicao) override;
    // Input goes to the bar's own window (its cancel button) and to a modal box open over it.
    bool aceitaEntrada(QObject *receptor) const override;

private:
    QPointer<QProgressBar> m_barra;
};

} // namespace gdvorn
