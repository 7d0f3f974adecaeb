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
};

QTEST_GUILESS_MAIN(TestStatement)
#include "tst_Statement.moc"
