#pragma once
// The progress of the tests: records the range and positions, counts the event runs, and can request a
// cancel when the position reaches a given value. Confirmation goes through the presenter.

#include "app/base/Progresso.h"

#include <QList>

namespace gdvorn::test {

class ScriptedProgress : public Progresso {
public:
    int cancelAt = -1;   // request a cancel when this position is reached
    QList<int> positions;
    int eventRuns = 0;

protected:
    void mostraPosicao(int p) override
    {
        positions << p;
        if (p == cancelAt)
            solicitaCancelamento();
    }
    void executaEventos() override { ++eventRuns; }
};

} // namespace gdvorn::test
