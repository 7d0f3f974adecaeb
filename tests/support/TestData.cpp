#include "TestData.h"

#include "app/Database.h"

#include <QDir>
#include <QFile>

namespace gdvorn::test {

QString builtDataFolder() { return QStringLiteral(GDVORN_DADOS_DIR); }

TempDataFolder::TempDataFolder(Contents contents, bool open, const QString &connection)
    : m_connection(connection)
{
    if (contents == InstalledTables) {
        const QDir src(builtDataFolder());
        for (const QString &f : src.entryList({QStringLiteral("*.db")}, QDir::Files))
            QFile::copy(src.filePath(f), m_dir.filePath(f));
    } else {
        createDataFolder(m_dir.path());
    }
    if (open)
        openDatabase(m_dir.path(), m_connection);
}

TempDataFolder::~TempDataFolder() { close(); }

void TempDataFolder::close() { closeDatabase(m_connection); }

} // namespace gdvorn::test
