#pragma once
// Establishments of the open connection for the backup tests: one written, all read back.

#include "app/base/Database.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTest>

namespace gdvorn::test {

inline void insereEstab(const QString &cnpj, const QString &nome)
{
    QSqlQuery q(database());
    q.prepare(QStringLiteral("INSERT INTO bd8emp.bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                             "NoRazaoEstabelecimento) VALUES ('2010', ?, '00', ?)"));
    q.addBindValue(cnpj);
    q.addBindValue(nome);
    QVERIFY(q.exec());
}

// "cnpj nome" of every establishment, in inscription order.
inline QStringList estabs()
{
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT CoCgcCeiEstabelecimento, NoRazaoEstabelecimento FROM bd8emp.bd8emp ORDER BY 1"));
    QStringList r;
    while (q.next())
        r << q.value(0).toString() + " " + q.value(1).toString();
    return r;
}

} // namespace gdvorn::test
