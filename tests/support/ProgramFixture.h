#pragma once
// The program-wide objects of a test, as the program's start-up makes them: a program folder with its
// data folder, the program-wide state of a fresh start, and the program-wide modules and windows created
// into their variables through the one owner (ProgramObjects), freed in reverse order when the fixture
// goes. Tests never new or delete a program-wide object by hand.

#include "app/base/ProgramObjects.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace gdvorn::test {

class FixtureTabelas;

class ProgramFixture {
public:
    enum Contents { InstalledTables, EmptyTables };
    // Lays out `programFolder` (a temporary folder when empty) with dados/: a copy of the built data
    // folder, or the catalogue's tables with no rows. Sets the program folder and puts the program-wide
    // counters back to a fresh start.
    explicit ProgramFixture(Contents contents = InstalledTables, const QString &programFolder = QString());
    // The program on the folder of `tabelas` (code tables with the test's own rows): its module stands as
    // dmGDVorn until the fixture goes. The tables keep owning the module and must outlive the fixture.
    explicit ProgramFixture(FixtureTabelas &tabelas);
    ~ProgramFixture();
    ProgramFixture(const ProgramFixture &) = delete;
    ProgramFixture &operator=(const ProgramFixture &) = delete;

    QString folder() const { return m_folder; } // ends with "/"
    QString dataFolder() const { return m_folder + QStringLiteral("dados"); }

    // dmGDVorn (which opens the connection), then dmEntradaDados, as the start-up creates them.
    void createDataModules();
    // Any other program-wide object, created into its variable after those made before.
    template <class T, class... A>
    T *create(T *&variable, A &&...args)
    {
        return m_objects.create(variable, std::forward<A>(args)...);
    }
    // Only the connection of the alias on the data folder, for tests of units below the data modules.
    void openConnection();
    void freeAll();

private:
    void start();

    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_folder;
    ProgramObjects m_objects;
    bool m_connection = false;
};

} // namespace gdvorn::test
