#include "app/ugMultInst.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

GuardaInstancia::GuardaInstancia(const QString &nome)
{
    // The file is only a name to lock: its contents are never read, and it stays when the run ends (removing
    // it could let two copies lock two different files of the same name). Close-on-exec keeps the programs
    // this one runs (the transmission program) from holding the guard after it ends.
    const QByteArray caminho = QFile::encodeName(Caminho(nome));
    do
        m_fd = ::open(caminho.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        m_tomada = true;
        return;
    }
    int r;
    do
        r = ::flock(m_fd, LOCK_EX | LOCK_NB);
    while (r != 0 && errno == EINTR);
    m_tomada = r == 0 || errno != EWOULDBLOCK;
}

GuardaInstancia::~GuardaInstancia()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace gdvorn
