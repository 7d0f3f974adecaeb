#include "ProgramaTeste.h"

#include "app/base/Database.h"
#include "app/base/Table.h"

#include <QDir>
#include <QFile>

namespace gdvorn::test {

ProgramaTeste::ProgramaTeste()
{
    const QDir dados(m_fixture.dataFolder());
    for (const QString &f : dados.entryList(QDir::Files))
        QFile(dados.filePath(f)).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    open();
}

ProgramaTeste::~ProgramaTeste() { close(); }

void ProgramaTeste::close() { m_fixture.freeAll(); }

void ProgramaTeste::open() { m_fixture.createDataModules(); }

void ProgramaTeste::clearTable(const QString &table)
{
    execSql(QStringLiteral("DELETE FROM ") + table);
}

void ProgramaTeste::addRow(const QString &table, const QStringList &values)
{
    Table t(table);
    t.Open();
    t.Append();
    for (int i = 0; i < values.size(); ++i)
        t.Fields(i).setAsString(values[i]);
    t.Post();
    t.Close();
}

} // namespace gdvorn::test
