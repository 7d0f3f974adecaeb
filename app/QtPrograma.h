#pragma once
// The main sequence of the program: second guard, splash, table check, the program-wide modules and
// windows in their fixed order, then the message loop. One object owns everything it creates and frees
// it in reverse order of creation.

#include <QString>

#include <functional>
#include <vector>

namespace gdvorn {

class Programa {
public:
    explicit Programa(const QString &pastaPrograma);
    ~Programa();
    Programa(const Programa &) = delete;
    Programa &operator=(const Programa &) = delete;

    // Runs the sequence up to the message loop. Returns true when the program is ready to run its loop;
    // otherwise CodigoSaida() is the process exit code (0 for a second copy, non-zero for a failed
    // start-up).
    bool Inicia();
    int CodigoSaida() const { return m_codigoSaida; }

    // Frees everything created, in reverse order.
    void Libera();

private:
    template <class T, class... A>
    T *cria(T *&variavel, A &&...args);

    QString m_pasta;
    std::vector<std::function<void()>> m_liberar;
    int m_codigoSaida = 0;
};

// A start-up step of the units that app does not link (the entry forms): it creates their program-wide
// objects after the data modules and the main window's own windows, and returns what frees them. The
// executable registers the steps before the sequence runs; they run in the order registered.
using PassoInicial = std::function<std::function<void()>()>;
void registraPassoInicial(PassoInicial passo);

// The whole program: first guard, main sequence and message loop. Returns the exit code.
int ExecutaGDVORN();

} // namespace gdvorn
