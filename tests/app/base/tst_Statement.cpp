// The positional statement of the table layer: values bound as stored, and an engine failure that
// fails every enclosing transaction.

#include "TestData.h"
#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Statement.h"
#include "app/base/Table.h"

#include <QtTest>

using namespace gdvorn;

class TestStatement : public QObject {
    Q_OBJECT

private:
    static void addState(const QString &co, const QString &sg)
    {
        Table t(QStringLiteral("tbuf"));
        t.Open();
        t.Append();
        t.FieldByName(QStringLiteral("CoUf")).setAsString(co);
        t.FieldByName(QStringLiteral("SgUf")).setAsString(sg);
        t.Post();
    }
    static QString tbuf() { return Schema::require(QStringLiteral("tbuf")).qualifiedName(); }

private slots:
    void searchBindsValuesAsStored()
    {
        test::TempDataFolder data;
        addState(QStringLiteral("35"), QStringLiteral("SP"));
        PreparedStatements statements;
        Statement find(statements, QStringLiteral("SELECT count(*) FROM %1 WHERE CoUf = ?1 AND SgUf = ?2").arg(tbuf()),
                       kAlias, QStringLiteral("tbuf"));
        // Blanks around the value and characters past the field's width are not part of the stored value.
        find.bindStored(1, QStringLiteral("tbuf"), QStringLiteral("CoUf"), QStringLiteral(" 35 "));
        find.bindStored(2, QStringLiteral("SP") + QString(40, QLatin1Char('X')), 2);
        QVERIFY(find.step());
        QCOMPARE(find.columnInt64(0), 1);
        find.reset();
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 find.bindStored(1, QStringLiteral("tbuf"), QStringLiteral("NoSuchField"), QString()));
    }

    void engineFailureFailsEveryEnclosingTransaction()
    {
        test::TempDataFolder data;
        addState(QStringLiteral("35"), QStringLiteral("SP"));
        PreparedStatements statements;
        const QString insert = QStringLiteral("INSERT OR ROLLBACK INTO %1 (CoUf, SgUf) VALUES (?1, ?2)").arg(tbuf());
        try {
            Transaction outer;
            Transaction inner;
            Statement write(statements, insert, kAlias, QStringLiteral("tbuf"));
            write.bindStored(1, QStringLiteral("33"), 2);
            write.bindStored(2, QStringLiteral("RJ"), 2);
            QCOMPARE(write.exec(), 1);
            write.bindStored(1, QStringLiteral("35"), 2); // a duplicate key: the engine undoes the transaction
            write.bindStored(2, QStringLiteral("SP"), 2);
            QVERIFY_THROWS_EXCEPTION(KeyViolation, write.exec());
            // No write runs outside the undone transaction, and it cannot commit.
            write.bindStored(1, QStringLiteral("31"), 2);
            QVERIFY_THROWS_EXCEPTION(KeyViolation, write.exec());
            outer.commit();
            QFAIL("the outer transaction committed");
        } catch (const KeyViolation &) {
        }
        Table t(QStringLiteral("tbuf"));
        t.Open();
        QCOMPARE(t.RecordCount(), 1);
    }

    // A write of its own gives the rows it changed, binds as stored, and a cursor open on the table reads
    // the row as the write left it.
    void writeOfItsOwnIsSeenByOpenCursors()
    {
        test::TempDataFolder data;
        addState(QStringLiteral("33"), QStringLiteral("RJ"));
        addState(QStringLiteral("35"), QStringLiteral("SP"));
        Table t(QStringLiteral("tbuf"));
        t.Open();
        t.First();
        QCOMPARE(t.FieldByName(QStringLiteral("SgUf")).AsString(), QStringLiteral("RJ"));
        const int changed = execWrite(QStringLiteral("UPDATE %1 SET SgUf = ?1 WHERE CoUf = ?2").arg(tbuf()), [](Statement &s) {
            s.bindStored(1, QStringLiteral("tbuf"), QStringLiteral("SgUf"), QStringLiteral(" XX "));
            s.bindStored(2, QStringLiteral("tbuf"), QStringLiteral("CoUf"), QStringLiteral("33"));
        });
        QCOMPARE(changed, 1);
        t.First();
        QCOMPARE(t.FieldByName(QStringLiteral("SgUf")).AsString(), QStringLiteral("XX"));
        QCOMPARE(execWrite(QStringLiteral("DELETE FROM %1").arg(tbuf())), 2);
        t.First();
        QVERIFY(t.Eof());
    }
};

QTEST_GUILESS_MAIN(TestStatement)
#include "tst_Statement.moc"
