#pragma once
// Fixtures of the tests: a temporary data folder with the schema and no rows, or with a copy of the
// installed code tables, opened under the program's alias.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace gdvorn::test {

// The data folder that the build lays out (dados/ with tabelas.db and the empty permanent tables).
QString builtDataFolder();

// Checks, in the installed message table, that each code has a row of its kind ("CNF", "WAR", "INF",
// "ERR") with a text. Call it from a test function (it uses QVERIFY/QCOMPARE).
void expectInstalledMessages(const QList<QPair<QString, QString>> &codeKinds);

class TempDataFolder {
public:
    enum Contents { EmptyTables, InstalledTables };
    // Lays out a data folder in a temporary folder: the catalogue's installed and permanent tables with no
    // rows, or a copy of the built data folder. With `open`, opens it under `connection`.
    explicit TempDataFolder(Contents contents = EmptyTables, bool open = true,
                            const QString &connection = QStringLiteral("GDVORN"));
    ~TempDataFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    void close();

private:
    QTemporaryDir m_dir;
    QString m_connection;
};

} // namespace gdvorn::test
