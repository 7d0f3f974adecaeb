#pragma once
// A program folder of the tests: dados/ with a copy of the built tables (installed code tables and empty
// permanent tables), opened by the program's data modules dmGDVorn and dmEntradaDados, which are made
// and freed through the fixture's ProgramFixture. Code tables may be given rows of the test's own (addRow).

#include "ProgramFixture.h"

#include <QStringList>

namespace gdvorn::test {

class ProgramaTeste {
public:
    ProgramaTeste();
    ~ProgramaTeste();
    QString path() const { return m_fixture.folder().chopped(1); }
    QString dados() const { return m_fixture.dataFolder(); }
    ProgramFixture &fixture() { return m_fixture; }
    // Empties a table of the connection.
    static void clearTable(const QString &table);
    // Inserts a row of text values (in the table's field order, the rest blank) through the table layer.
    static void addRow(const QString &table, const QStringList &values);
    // Closes and frees the data modules (the fixture's destructor does it too); open makes them again.
    void close();
    void open();

private:
    ProgramFixture m_fixture;
};

} // namespace gdvorn::test
