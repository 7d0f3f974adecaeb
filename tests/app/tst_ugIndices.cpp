// The start-up table check and the re-creation of indexes.

#include "ScriptedPresenter.h"
#include "TestData.h"
#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Schema.h"
#include "app/ugIndices.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace gdvorn;

namespace {

const QString kManip = QStringLiteral("manip");

// The CREATE statement of an index, or "" when the index is missing.
QString indexSql(const QString &schema, const QString &name)
{
    QSqlQuery q(database(kManip));
    q.prepare(QStringLiteral("SELECT sql FROM \"%1\".sqlite_master WHERE type = 'index' AND name = ?").arg(schema));
    q.addBindValue(name);
    return q.exec() && q.next() ? q.value(0).toString() : QString();
}

} // namespace

class TestUgIndices : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { closeDatabase(kManip); }

    void completeInstallationIsLeftAlone()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, false);
        const QByteArray before = [&] {
            QFile f(data.file(QStringLiteral("tabelas.db")));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QVERIFY(VerificaTabelas(data.path()));
        QFile f(data.file(QStringLiteral("tabelas.db")));
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), before);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void missingTableFailsAndTouchesNoIndex_data()
    {
        QTest::addColumn<QString>("removal");
        QTest::newRow("table tbTrab") << QStringLiteral("DROP TABLE tabelas.tbtrab");
        QTest::newRow("file bd8resp.db") << QString();
    }
    void missingTableFailsAndTouchesNoIndex()
    {
        QFETCH(QString, removal);
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, false);
        openDatabase(data.path(), kManip);
        execSql(QStringLiteral("DROP INDEX tabelas.tb8msg_Main"), kManip);
        if (!removal.isEmpty())
            execSql(removal, kManip);
        closeDatabase(kManip);
        if (removal.isEmpty())
            QVERIFY(QFile::remove(data.file(QStringLiteral("bd8resp.db"))));

        QVERIFY(!VerificaTabelas(data.path()));
        QFile::copy(test::builtDataFolder() + QStringLiteral("/bd8resp.db"), data.file(QStringLiteral("bd8resp.db")));
        openDatabase(data.path(), kManip);
        QCOMPARE(indexSql(QStringLiteral("tabelas"), QStringLiteral("tb8msg_Main")), QString());
    }

    void missingIndexesAreRecreated()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, false);
        openDatabase(data.path(), kManip);
        execSql(QStringLiteral("DROP INDEX tabelas.tb8msg_Main"), kManip);
        execSql(QStringLiteral("DROP INDEX tabelas.tbuf_ISgUf"), kManip);
        execSql(QStringLiteral("DROP INDEX bd8vinc.bd8vinc_Main"), kManip);
        closeDatabase(kManip);

        QVERIFY(VerificaTabelas(data.path()));
        QVERIFY(boxes.boxes.isEmpty());
        openDatabase(data.path(), kManip);
        QCOMPARE(indexSql(QStringLiteral("tabelas"), QStringLiteral("tb8msg_Main")),
                 QStringLiteral("CREATE UNIQUE INDEX \"tb8msg_Main\" ON \"tb8msg\" (\"NuMensagem\")"));
        QCOMPARE(indexSql(QStringLiteral("tabelas"), QStringLiteral("tbuf_ISgUf")),
                 QStringLiteral("CREATE INDEX \"tbuf_ISgUf\" ON \"tbuf\" (\"SgUf\" COLLATE NOCASE)"));
        QVERIFY(indexSql(QStringLiteral("bd8vinc"), QStringLiteral("bd8vinc_Main")).contains(QLatin1String("\"CoCbo\")")));
    }

    void busyTableIsReportedAndLeftAlone()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, false);
        openDatabase(data.path(), kManip);
        execSql(QStringLiteral("DROP INDEX tabelas.tb8msg_Main"), kManip);
        // Another user holds the code tables' file.
        execSql(QStringLiteral("BEGIN IMMEDIATE"), kManip);
        execSql(QStringLiteral("INSERT INTO tabelas.tb8base (MeDataBase) VALUES ('13')"), kManip);

        QVERIFY(VerificaTabelas(data.path())); // the check itself goes on
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, MessageKind::Warning);
        QVERIFY2(boxes.boxes[0].text.startsWith(QStringLiteral("Nenhum usuário pode estar usando o sistema: \"Table is busy.")),
                 qPrintable(boxes.boxes[0].text));
        execSql(QStringLiteral("ROLLBACK"), kManip);
        QCOMPARE(indexSql(QStringLiteral("tabelas"), QStringLiteral("tb8msg_Main")), QString());
    }

    void duplicateKeysNameTheTable()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, false);
        openDatabase(data.path(), kManip);
        execSql(QStringLiteral("DROP INDEX tabelas.tb8msg_Main"), kManip);
        execSql(QStringLiteral("INSERT INTO tb8msg (NuMensagem, TxMensagem) VALUES ('0001', 'a'), ('0001', 'b')"), kManip);
        closeDatabase(kManip);
        try {
            VerificaTabelas(data.path());
            QFAIL("the index was built over duplicate keys");
        } catch (const KeyViolation &e) {
            QVERIFY2(e.message().contains(QStringLiteral("A tabela TB8MSG não pode ser indexada")), qPrintable(e.message()));
        }
        openDatabase(data.path(), kManip);
        QCOMPARE(indexSql(QStringLiteral("tabelas"), QStringLiteral("tb8msg_Main")), QString());
    }

    void recreatesThroughTheAlias()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data; // open as "GDVORN"
        execSql(QStringLiteral("DROP INDEX tabelas.tbuf_Main"));
        QVERIFY(RecriaIndiceExclusivo(QStringLiteral("GDVORN"), QStringLiteral("TBUF.PX"), QStringLiteral("Main"),
                                      ixPrimary, QStringLiteral("CoUF;SgUF")));
        QVERIFY(!RecriaIndiceExclusivo(QStringLiteral("GDVORN"), QStringLiteral("TBUFPX"), QStringLiteral("Main"),
                                       ixPrimary, QStringLiteral("CoUF")));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Parâmetro TabelaIndice deve conter nome da Tabela.indice"));
        openDatabase(data.path(), kManip);
        QVERIFY(indexSql(QStringLiteral("tabelas"), QStringLiteral("tbuf_Main")).startsWith(QLatin1String("CREATE UNIQUE INDEX")));
    }

    void rebuildJoinsTheOpenTransactionOnItsOwnConnection()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, true, kManip);
        execSql(QStringLiteral("DROP INDEX tabelas.tbuf_Main"), kManip);
        {
            Transaction operacao(kManip);
            QVERIFY(RecriaIndiceExclusivo(kManip, QStringLiteral("TBUF.PX"), QStringLiteral("Main"), ixPrimary,
                                          QStringLiteral("CoUF;SgUF")));
            // An operation that fails after the rebuild undoes it with the rest of its work.
        }
        QCOMPARE(indexSql(QStringLiteral("tabelas"), QStringLiteral("tbuf_Main")), QString());
        {
            Transaction operacao(kManip);
            QVERIFY(RecriaIndiceExclusivo(kManip, QStringLiteral("TBUF.PX"), QStringLiteral("Main"), ixPrimary,
                                          QStringLiteral("CoUF;SgUF")));
            operacao.commit();
        }
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(!isDatabaseOpen()); // nothing was done on the program's alias

        // The key is the catalogue's, whatever fields the caller names.
        QVERIFY(RecriaIndiceExclusivo(kManip, QStringLiteral("TBUF.PX"), QStringLiteral("Main"), ixPrimary,
                                      QStringLiteral("SgUF")));
        QCOMPARE(indexSql(QStringLiteral("tabelas"), QStringLiteral("tbuf_Main")),
                 QStringLiteral("CREATE UNIQUE INDEX \"tbuf_Main\" ON \"tbuf\" (\"CoUf\", \"SgUf\")"));
        QVERIFY_THROWS_EXCEPTION(EngineError, RecriaIndiceExclusivo(kManip, QStringLiteral("TBUF.PX"), QStringLiteral("Outro"),
                                                                    0, QStringLiteral("NoUf")));

        // An unknown connection is the engine's error, and nothing is rebuilt anywhere.
        try {
            RecriaIndiceExclusivo(QStringLiteral("NAOEXISTE"), QStringLiteral("TBUF.PX"), QStringLiteral("Main"),
                                  ixPrimary, QStringLiteral("CoUF;SgUF"));
            QFAIL("rebuilt on an unknown connection");
        } catch (const EngineError &e) {
            QCOMPARE(e.code(), int(ErrUnknownDatabase));
        }
        QVERIFY(boxes.boxes.isEmpty());
    }

    void installedIndexesAreTheCatalogues()
    {
        // Every index of an installed table is looked at, with the catalogue's fields and options.
        int catalogue = 0;
        for (const QString &name : Schema::installedTables())
            catalogue += int(Schema::require(name).indexes.size());
        QCOMPARE(IndicesInstalados().size(), catalogue);
        for (const IndiceInstalado &i : IndicesInstalados()) {
            const TableDef &t = Schema::require(i.TabelaIndice.section(QLatin1Char('.'), 0, 0));
            const IndexDef *idx = t.index(i.NomeIndice);
            QVERIFY2(idx, qPrintable(i.TabelaIndice));
            QCOMPARE(i.Campos, idx->fields.join(QLatin1Char(';')));
        }
    }
};

QTEST_GUILESS_MAIN(TestUgIndices)
#include "tst_ugIndices.moc"
