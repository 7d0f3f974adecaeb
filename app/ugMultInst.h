#pragma once
// The single-instance guards. Each named guard is a lock on a file in the user's runtime folder, held
// through a descriptor open for the whole run: a second copy of the program finds it locked. The lock is
// the kernel's (flock), so it goes with the process that holds it however that process ends (a kill, a
// crash): a file left behind, empty or with anything in it, never keeps a later copy out.

#include <QString>

namespace gdvorn {

inline const QString kPrimeiraGuarda = QStringLiteral("This is a unique string!");
inline const QString kSegundaGuarda = QStringLiteral("GDVorn");
inline const QString kMensagemRestaura = QStringLiteral("This String is unique!");

class GuardaInstancia {
public:
    // Takes the guard `nome`; Tomada() is false when another running copy holds it. A guard whose file
    // cannot be opened at all (no runtime folder to write) is taken: the start goes on, as the program
    // does when it cannot make its guard.
    explicit GuardaInstancia(const QString &nome);
    ~GuardaInstancia();
    GuardaInstancia(const GuardaInstancia &) = delete;
    GuardaInstancia &operator=(const GuardaInstancia &) = delete;
    bool Tomada() const { return m_tomada; }
    static QString Caminho(const QString &nome);

private:
    int m_fd = -1;
    bool m_tomada = false;
};

} // namespace gdvorn
