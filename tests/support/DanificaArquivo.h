#pragma once
// Damage as a disk or a crash leaves it: the page of a database file that holds the root of a table or
// an index overwritten with noise, the rest of the file untouched.

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace gdvorn::test {

// Overwrites the root page of `objeto` (its name in sqlite_master) in the file `arquivo`, which no
// connection may hold. False when the object or the file cannot be found.
inline bool danificaRaiz(const QString &arquivo, const QString &objeto)
{
    const QString conexao = QStringLiteral("danifica-raiz");
    qsizetype raiz = 0;
    qsizetype tamanho = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexao);
        db.setDatabaseName(arquivo);
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_master WHERE name = ?"));
            q.addBindValue(objeto);
            if (q.exec() && q.next()) {
                raiz = q.value(0).toLongLong();
                tamanho = q.value(1).toLongLong();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(conexao);
    QFile f(arquivo);
    if (raiz <= 0 || !f.open(QIODevice::ReadWrite) || !f.seek((raiz - 1) * tamanho))
        return false;
    QByteArray ruido(tamanho, '\0');
    quint32 x = 3;
    for (char &c : ruido) {
        x = x * 1664525u + 1013904223u;
        c = char(x >> 24);
    }
    return f.write(ruido) == tamanho;
}

} // namespace gdvorn::test
