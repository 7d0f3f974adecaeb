#pragma once
// A program folder of the tests that start the program as a whole: dados/ with a copy of the built data
// folder, changed by the test through a connection of its own, and the files of a folder compared whole.

#include "DanificaArquivo.h"
#include "TestData.h"
#include "app/base/Database.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QtTest>

namespace gdvorn::test {

inline void layProgramFolder(const QString &pasta)
{
    QDir(pasta).mkpath(QStringLiteral("dados"));
    const QDir src(builtDataFolder());
    for (const QString &f : src.entryList({QStringLiteral("*.db")}, QDir::Files))
        QFile::copy(src.filePath(f), pasta + QStringLiteral("/dados/") + f);
}

// Runs `statements` on the data folder of `pasta`.
inline void alterData(const QString &pasta, const QStringList &statements)
{
    openDatabase(pasta + QStringLiteral("/dados"), QStringLiteral("alter"));
    for (const QString &s : statements)
        execSql(s, QStringLiteral("alter"));
    closeDatabase(QStringLiteral("alter"));
}

// `n` links of one establishment, inserted by one statement.
inline QString insereVinculos(int n)
{
    return QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                          "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, CoPisPasepEmpregado, NoEmpregado) "
                          "SELECT '2010', '11222333000181', 10000000000 + x, 'EMPREGADO ' || x FROM n")
        .arg(n);
}

// The links table of `pasta` holding rows, then its root page overwritten: the start-up cannot build it
// again and offers the restore.
inline void danificaVinculos(const QString &pasta)
{
    alterData(pasta, {insereVinculos(2000)});
    QVERIFY(danificaRaiz(pasta + QStringLiteral("/dados/bd8vinc.db"), QStringLiteral("bd8vinc")));
}

// Every file of a folder with its bytes.
inline QMap<QString, QByteArray> conteudoPasta(const QString &pasta)
{
    QMap<QString, QByteArray> arquivos;
    const QDir dir(pasta);
    for (const QString &f : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile arquivo(dir.filePath(f));
        arquivo.open(QIODevice::ReadOnly);
        arquivos.insert(f, arquivo.readAll());
    }
    return arquivos;
}

} // namespace gdvorn::test
