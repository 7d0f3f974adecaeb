#pragma once
// The progress interface of long operations (writer, analyser, loaders, import copy, consistency
// analysis, archive). They run on the GUI thread: they set the range and position, let pending events
// run now and then (at most every 50 ms, never at every record) so that the window repaints and its
// cancel button works, and read the cancel request. A cancel is confirmed with ConfirmaInterrupcao.
// Forms implement it with their progress bar; tests with a scripted one.
//
// While a long operation lets events run (and while it asks its cancel question), the windows behind it
// take no input: keys, clicks, shortcuts and close requests reach only what aceitaEntrada accepts (the
// form's own progress window and the question's box), and emExecucao() tells the main window to refuse
// to close. The only way out of a run is the operation's own cancel.

#include <QElapsedTimer>

class QObject;

namespace gdvorn {

class Progresso {
public:
    virtual ~Progresso() = default;

    // The bar. Positions are clamped to the range.
    void setRange(int minimo, int maximo);
    void setPosition(int posicao);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int position() const { return m_pos; }

    // Lets pending events run when 50 ms have passed since the last time (always with `forcar`).
    void processaEventos(bool forcar = false);

    // The cancel button: sets the request that the running loop reads.
    void solicitaCancelamento() { m_cancelamento = true; }
    bool cancelamentoSolicitado() const { return m_cancelamento; }
    // Forgets a request left from an earlier run; a long operation calls it when it starts.
    void limpaCancelamento() { m_cancelamento = false; }

    // The check of a long loop at each record: lets events run (throttled); when a cancel was requested,
    // asks "Deseja interromper?": Yes returns true (stop), No clears the request and returns false.
    bool Interrompido();

    // True while any long operation is letting events run or asking its cancel question.
    static bool emExecucao();

protected:
    // What a form shows; the defaults show nothing.
    virtual void mostraIntervalo(int, int) {}
    virtual void mostraPosicao(int) {}
    // Runs the pending events (QCoreApplication::processEvents by default).
    virtual void executaEventos();
    // The confirmation of a cancel ("Deseja interromper?" through the presenter by default).
    virtual bool confirmaInterrupcao();
    // Whether user input for `receptor` may go through while the run lets events run. None by default.
    virtual bool aceitaEntrada(QObject *receptor) const;

private:
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
    bool m_cancelamento = false;
    QElapsedTimer m_relogio;
};

// Points `vaga` at the progress of the run under way for as long as the run lasts, and gives back what it
// held on every exit path: a cancel routine called from outside the run (a window's interrupt button)
// reaches the running loop through it.
class ProgressoEmCurso {
public:
    ProgressoEmCurso(Progresso *&vaga, Progresso *p) : m_vaga(vaga), m_anterior(vaga) { vaga = p; }
    ~ProgressoEmCurso() { m_vaga = m_anterior; }
    ProgressoEmCurso(const ProgressoEmCurso &) = delete;
    ProgressoEmCurso &operator=(const ProgressoEmCurso &) = delete;

private:
    Progresso *&m_vaga;
    Progresso *m_anterior;
};

} // namespace gdvorn
