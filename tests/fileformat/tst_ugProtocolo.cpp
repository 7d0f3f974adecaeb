// The protocol tables of a writer run: an engine failure while making them reaches the caller with its
// text, and dropping them after a failed run never throws over the failure that led there.

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "fileformat/ugProtocolo.h"

#include "TestData.h"

#include <QSqlQuery>
#include <QtTest>

using namespace gdvorn;

class tst_ugProtocolo : public QObject {
    Q_OBJECT

private slots:
    void criaEExclui()
    {
        test::TempDataFolder dados;
        QVERIFY(CriaTabelaProtocolo(dados.path()));
        QVERIFY(CriaTabelaProtocoloEstab(QString()));
        QVERIFY(!CriaTabelaProtocolo(dados.path() + QStringLiteral("/outra")));
        QVERIFY(schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), QStringLiteral("te8proid")));
        QVERIFY(ExcluiTabelasProtocolo());
        QVERIFY(!schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), QStringLiteral("te8proes")));
        QVERIFY(ExcluiTabelasProtocolo()); // absent: nothing to do
    }

    void discoCheioChegaComOTextoDoMotor()
    {
        test::TempDataFolder dados;
        // The work file may not grow: the disk is full for it.
        execSql(QStringLiteral("PRAGMA main.max_page_count = 1"));
        try {
            CriaTabelaProtocolo(dados.path());
            QFAIL("a table was made on a full disk");
        } catch (const DiskFull &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Insufficient disk space.")), qPrintable(e.message()));
        }
        QVERIFY(!schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), QStringLiteral("te8proid")));
    }

    void exclusaoQueFalhaNaoEncobreAPrimeiraFalha()
    {
        test::TempDataFolder dados;
        QVERIFY(CriaTabelaProtocolo(dados.path()) && CriaTabelaProtocoloEstab(dados.path()));
        execSql(QStringLiteral("INSERT INTO main.te8proid (NuDisquete) VALUES ('1'), ('2')"));
        {
            // A statement of the failed run still stands on a row: the engine refuses the DROP.
            QSqlQuery lendo(database());
            lendo.setForwardOnly(true);
            QVERIFY(lendo.exec(QStringLiteral("SELECT NuDisquete FROM main.te8proid")) && lendo.next());
            bool excluidas = true;
            try {
                excluidas = ExcluiTabelasProtocolo();
            } catch (const std::exception &e) {
                QFAIL(qPrintable(QStringLiteral("the drop threw: ") + QString::fromUtf8(e.what())));
            }
            QVERIFY(!excluidas);
        }
        // The next run replaces what stayed.
        QVERIFY(CriaTabelaProtocolo(dados.path()));
        QVERIFY(ExcluiTabelasProtocolo());
    }
};

QTEST_GUILESS_MAIN(tst_ugProtocolo)
#include "tst_ugProtocolo.moc"
