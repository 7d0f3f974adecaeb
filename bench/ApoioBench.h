#pragma once
// What the benchmarks share: their "--name=N" options and a copy of the installed code tables.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace gdvorn::bench {

// The value of the option `nome` ("--vinculos=") among the arguments, or `padrao` when it is absent.
inline int Opcao(int argc, char **argv, const char *nome, int padrao)
{
    const qsizetype n = qstrlen(nome);
    for (int i = 1; i < argc; ++i)
        if (qstrncmp(argv[i], nome, size_t(n)) == 0)
            return QByteArray(argv[i] + n).toInt();
    return padrao;
}

// Copies the code tables of the build's data folder (its *.db files) into `pasta`.
inline void CopiaTabelasInstaladas(const QString &pasta)
{
    const QDir instalados(QStringLiteral(GDVORN_DADOS_DIR));
    for (const QString &f : instalados.entryList({QStringLiteral("*.db")}, QDir::Files))
        QFile::copy(instalados.filePath(f), QDir(pasta).filePath(f));
}

} // namespace gdvorn::bench
