#include "ProgramFixture.h"

#include "FixtureTabelas.h"
#include "TestData.h"
#include "app/base/Database.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugConfiguracao.h"
#include "rules/ugOcorrencias.h"

#include <QDir>
#include <QFile>

namespace gdvorn::test {

ProgramFixture::ProgramFixture(Contents contents, const QString &programFolder)
{
    if (programFolder.isEmpty())
        m_temp = std::make_unique<QTemporaryDir>();
    m_folder = m_temp ? m_temp->path() : programFolder;
    if (!m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
    if (contents == InstalledTables) {
        QDir().mkpath(dataFolder());
        const QDir src(builtDataFolder());
        for (const QString &f : src.entryList({QStringLiteral("*.db")}, QDir::Files))
            QFile::copy(src.filePath(f), QDir(dataFolder()).filePath(f));
    } else {
        createDataFolder(dataFolder());
    }
    start();
}

ProgramFixture::ProgramFixture(FixtureTabelas &tabelas)
    : m_folder(tabelas.pastaPrograma() + QLatin1Char('/'))
{
    start();
    dmGDVorn = &tabelas.modulo();
    m_objects.adopt([] { dmGDVorn = nullptr; });
}

void ProgramFixture::start()
{
    setDiretorioPrograma(m_folder);
    ReiniciaSequencialOcorrencia();
}

ProgramFixture::~ProgramFixture() { freeAll(); }

void ProgramFixture::createDataModules()
{
    create(dmGDVorn, m_folder);
    create(dmEntradaDados);
}

void ProgramFixture::openConnection()
{
    openDatabase(dataFolder());
    m_connection = true;
}

void ProgramFixture::freeAll()
{
    m_objects.freeAll();
    if (m_connection)
        closeDatabase();
    m_connection = false;
}

} // namespace gdvorn::test
