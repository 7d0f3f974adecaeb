// The start-up table check and the re-creation of indexes.

#include "DanificaArquivo.h"
#include "MorteNoMeio.h"
#include "ScriptedPresenter.h"
#include "SomenteLeitura.h"
#include "TestData.h"
#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Schema.h"
#include "app/ugIndices.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <unistd.h>

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

// `n` links of one establishment in bd8vinc, written with one statement on `connection`.
void preencheVinculos(const QString &connection, int n)
{
    execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                           "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                           "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, CoCgcVinculado, InInscrEstabelecimento) "
                           "SELECT '2010', '11222333000181', '00', substr('0000000000' || x, -11), '01022009', 'EMPREGADO ' || x, "
                           "'00000000000000', '1' FROM n")
                .arg(n),
            connection);
}

// bd8vinc.db of `data` (open on kManip) with 3,000 links, closed, the root page of `objeto` garbled; its
// path, or "" when it could not be garbled.
QString vinculosDanificados(const test::TempDataFolder &data, const QString &objeto)
{
    preencheVinculos(kManip, 3000);
    closeDatabase(kManip);
    const QString vinc = data.file(QStringLiteral("bd8vinc.db"));
    return test::danificaRaiz(vinc, objeto) ? vinc : QString();
}

int linhasDe(const QString &tabela)
{
    QSqlQuery q(database(kManip));
    return q.exec(QStringLiteral("SELECT count(*) FROM %1 NOT INDEXED").arg(tabela)) && q.next() ? q.value(0).toInt() : -1;
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

    void journalOfAKilledRunIsRolledBack()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, true, kManip);
        preencheVinculos(kManip, 50);
        closeDatabase(kManip);
        const QString vinc = data.file(QStringLiteral("bd8vinc.db"));
        const QByteArray antes = test::lerArquivo(vinc);

        // A run killed in the middle of a long write: with a small page cache the engine has written
        // pages to the file, and the journal stays beside it.
        const pid_t filho = fork();
        if (filho == 0) {
            try {
                openDatabase(data.path(), kManip);
                execSql(QStringLiteral("PRAGMA bd8vinc.cache_size = 10"), kManip);
                execSql(QStringLiteral("BEGIN IMMEDIATE"), kManip);
                execSql(QStringLiteral("UPDATE bd8vinc.bd8vinc SET TxtVinculo = 'ALTERADO'"), kManip);
                execSql(QStringLiteral("DELETE FROM bd8vinc.bd8vinc WHERE rowid % 2 = 0"), kManip);
                execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 3000) "
                                       "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, CoPisPasepEmpregado, "
                                       "NoEmpregado) SELECT '2011', '11222333000181', printf('%011d', x), "
                                       "printf('%052d', x) FROM n"),
                        kManip);
                _exit(7);
            } catch (const std::exception &e) {
                fprintf(stderr, "%s\n", e.what());
            }
            _exit(9);
        }
        QString porque;
        QVERIFY2(test::morreuGravando(filho, vinc, antes, porque), qPrintable(porque));

        QVERIFY(VerificaTabelas(data.path()));
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(!QFileInfo::exists(vinc + QStringLiteral("-journal")));
        QCOMPARE(test::lerArquivo(vinc), antes);
    }

    void damagedIndexIsRebuiltWithEveryRow()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, true, kManip);
        const QString vinc = vinculosDanificados(data, QStringLiteral("bd8vinc_Main"));
        QVERIFY(!vinc.isEmpty());
        QFile::setPermissions(vinc, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
        const QFileDevice::Permissions permissoes = QFile::permissions(vinc);

        QVERIFY(VerificaTabelas(data.path()));
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(!QFileInfo::exists(vinc + QStringLiteral(".reconstrucao")));
        QCOMPARE(QFile::permissions(vinc), permissoes);
        openDatabase(data.path(), kManip);
        QCOMPARE(linhasDe(QStringLiteral("bd8vinc.bd8vinc")), 3000);
        QSqlQuery q(database(kManip));
        QVERIFY(q.exec(QStringLiteral("PRAGMA bd8vinc.integrity_check")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
        QVERIFY(!indexSql(QStringLiteral("bd8vinc"), QStringLiteral("bd8vinc_Main")).isEmpty());
        // The index orders the rows again.
        QVERIFY2(q.exec(QStringLiteral("SELECT NoEmpregado FROM bd8vinc.bd8vinc INDEXED BY bd8vinc_Main "
                                       "WHERE AnBase = '2010' AND CoCgcCeiEstabelecimento = '11222333000181' "
                                       "AND NuPrefixoEstabelecimento = '00' AND CoPisPasepEmpregado = '00000002999'")),
                 qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("EMPREGADO 2999"));
    }

    void damagedTableIsNamedAndLeftAsItWas()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, true, kManip);
        const QString vinc = vinculosDanificados(data, QStringLiteral("bd8vinc"));
        QVERIFY(!vinc.isEmpty());
        const QByteArray danificado = test::lerArquivo(vinc);
        try {
            VerificaTabelas(data.path());
            QFAIL("a damaged table passed the check");
        } catch (const DamagedFile &e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(vinc)) && e.message().contains(QStringLiteral("danificado")) &&
                         e.message().contains(QStringLiteral("cópia de segurança")),
                     qPrintable(e.message()));
        }
        QCOMPARE(test::lerArquivo(vinc), danificado);
        QVERIFY(!QFileInfo::exists(vinc + QStringLiteral(".reconstrucao")));
    }

    void readOnlyTableFileIsNamed()
    {
        test::ScriptedPresenter boxes;
        test::TempDataFolder data(test::TempDataFolder::EmptyTables, false);
        const QString vinc = data.file(QStringLiteral("bd8vinc.db"));
        test::SomenteLeitura protecao(vinc);
        if (!protecao.protegida())
            QSKIP("the file cannot be made read-only here");
        try {
            VerificaTabelas(data.path());
            QFAIL("a file that cannot be written passed the check");
        } catch (const EngineError &e) {
            QCOMPARE(e.code(), int(ErrOsAccessDenied));
            QVERIFY2(e.message().startsWith(QStringLiteral("O arquivo %1 não pode ser gravado").arg(QDir::toNativeSeparators(vinc))),
                     qPrintable(e.message()));
        }
        QCOMPARE(LocalSemGravacao(data.path()), vinc);
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
