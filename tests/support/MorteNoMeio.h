#pragma once
// A run killed as by a power cut: the test forks a child that writes and ends with _exit(7) in the
// middle of its work; the parent then checks that the child really died with pages of its own in the
// file, the journal left beside it, before it starts the program again on the folder.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sys/types.h>
#include <sys/wait.h>

namespace gdvorn::test {

inline QByteArray lerArquivo(const QString &caminho)
{
    QFile f(caminho);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Waits for `filho`: true when it ended with code 7 leaving the journal of `arquivo` and bytes of the
// file other than `antes` (pages written); otherwise false with `porque` telling what happened.
inline bool morreuGravando(pid_t filho, const QString &arquivo, const QByteArray &antes, QString &porque)
{
    int estado = 0;
    if (filho <= 0 || waitpid(filho, &estado, 0) != filho)
        porque = QStringLiteral("no child to wait for");
    else if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 7)
        porque = QStringLiteral("the child did not die in the middle (status %1)").arg(estado);
    else if (!QFileInfo::exists(arquivo + QStringLiteral("-journal")))
        porque = QStringLiteral("the child left no journal beside %1").arg(arquivo);
    else if (lerArquivo(arquivo) == antes)
        porque = QStringLiteral("the child wrote no page to %1").arg(arquivo);
    else
        return true;
    return false;
}

} // namespace gdvorn::test
