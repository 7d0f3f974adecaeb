#pragma once
// The single-instance guards. Each named guard is a lock file in the user's runtime folder, held for the
// whole run: a second copy of the program finds it locked.

#include <QLockFile>
#include <QString>

#include <memory>

namespace gdvorn {

inline const QString kPrimeiraGuarda = QStringLiteral("This is a unique string!");
inline const QString kSegundaGuarda = QStringLiteral("GDVorn");
inline const QString kMensagemRestaura = QStringLiteral("This String is unique!");

class GuardaInstancia {
public:
    // Takes the guard `nome`; Tomada() is false when another running copy holds it.
    explicit GuardaInstancia(const QString &nome);
    bool Tomada() const { return m_tomada; }
    static QString Caminho(const QString &nome);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_tomada = false;
};

} // namespace gdvorn
