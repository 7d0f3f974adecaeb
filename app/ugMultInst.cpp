#include "app/ugMultInst.h"

#include <QDir>

namespace gdvorn {

QString GuardaInstancia::Caminho(const QString &nome)
{
    // The user's runtime folder; without one, a folder of the user's own under the temporary folder.
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty())
        folder = QDir(QDir::tempPath()).filePath(QStringLiteral("gdvorn-%1").arg(qEnvironmentVariable("USER", QStringLiteral("usuario"))));
    QDir().mkpath(folder);
    return QDir(folder).filePath(nome + QStringLiteral(".lock"));
}

GuardaInstancia::GuardaInstancia(const QString &nome) : m_lock(std::make_unique<QLockFile>(Caminho(nome)))
{
    // A lock left by a copy that died is stale and taken over; only a living copy keeps it.
    m_lock->setStaleLockTime(0);
    m_tomada = m_lock->tryLock(0);
}

} // namespace gdvorn
