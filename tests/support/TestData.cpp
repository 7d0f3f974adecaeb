#include "TestData.h"

#include "app/base/Database.h"
#include "app/base/Table.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace gdvorn::test {

QString builtDataFolder() { return QStringLiteral(GDVORN_DADOS_DIR); }

void expectInstalledMessages(const QList<QPair<QString, QString>> &codeKinds)
{
    TempDataFolder installed(TempDataFolder::InstalledTables, true, QStringLiteral("mensagens-instaladas"));
    Table msg(QStringLiteral("tb8msg"), QStringLiteral("mensagens-instaladas"));
    msg.Open();
    for (const auto &[code, kind] : codeKinds) {
        QVERIFY2(msg.FindKey({code}), qPrintable(code));
        QCOMPARE(msg.FieldByName(QStringLiteral("TpMensagem")).AsString(), kind);
        QVERIFY2(!msg.FieldByName(QStringLiteral("TxMensagem")).AsString().isEmpty(), qPrintable(code));
    }
}

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
