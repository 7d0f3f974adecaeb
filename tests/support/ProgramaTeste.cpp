#include "ProgramaTeste.h"

#include "TestData.h"
#include "app/base/Database.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"

#include <QDir>
#include <QFile>

namespace gdvorn::test {

ProgramaTeste::ProgramaTeste()
{
    QDir().mkpath(dados());
    const QDir src(builtDataFolder());
    for (const QString &f : src.entryList({QStringLiteral("*.db")}, QDir::Files))
        QFile::copy(src.filePath(f), QDir(dados()).filePath(f));
    for (const QString &f : QDir(dados()).entryList(QDir::Files))
        QFile(QDir(dados()).filePath(f)).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    dmGDVorn = new TdmGDVorn(path());
    dmEntradaDados = new TdmEntradaDados;
}

ProgramaTeste::~ProgramaTeste() { close(); }

void ProgramaTeste::close()
{
    delete dmEntradaDados;
    dmEntradaDados = nullptr;
    delete dmGDVorn;
    dmGDVorn = nullptr;
}

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
