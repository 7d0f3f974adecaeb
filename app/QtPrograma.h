#pragma once
// The main sequence of the program: second guard, splash, table check, the program-wide modules and
// windows in their fixed order, then the message loop. It is the one owner of the program-wide objects:
// it creates them and frees them in reverse order of creation; closing the main window only ends the
// message loop.

#include "app/base/ProgramObjects.h"

#include <QString>

#include <functional>

class QWidget;

namespace gdvorn {

class Programa {
public:
    explicit Programa(const QString &pastaPrograma);
    ~Programa();
    Programa(const Programa &) = delete;
    Programa &operator=(const Programa &) = delete;

    // Runs the sequence up to the message loop. Returns true when the program is ready to run its loop;
    // otherwise CodigoSaida() is the process exit code (0 for a second copy, non-zero for a failed
    // start-up). A failure reported while the windows are first shown (a box of the exception handler)
    // ends the start-up as well.
    bool Inicia();
    int CodigoSaida() const { return m_codigoSaida; }

    // Frees everything created, in reverse order.
    void Libera();

private:
    QString m_pasta;
    ProgramObjects m_objetos;
    int m_codigoSaida = 0;
};

// A start-up step of the units that app does not link (the entry forms): it creates their program-wide
// objects after the data modules and the main window's own windows, and returns what frees them. The
// executable registers the steps before the sequence runs; they run in the order registered.
using PassoInicial = std::function<std::function<void()>()>;
void registraPassoInicial(PassoInicial passo);

// The restore window of a backup copy, which app does not link: the executable registers it. When the
// start-up finds a declaration file damaged, it names the file and offers the restore before the main
// window opens: the window runs on the program's connection (opened for it and closed afterwards), then
// the table check runs again. Without a registered window, or when the user declines, the start-up ends
// with the file named and the advice to restore a backup copy.
using RestauracaoInicial = std::function<void(QWidget *parent)>;
void registraRestauracaoInicial(RestauracaoInicial restaura);

// The whole program: first guard, main sequence and message loop. Returns the exit code.
int ExecutaGDVORN();

} // namespace gdvorn
