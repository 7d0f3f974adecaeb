// The table layer: key searches, walks in key order, editing, the width rule and engine errors.

#include "TestData.h"
#include "app/base/EngineError.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/base/Statement.h"

#include <QSqlQuery>
#include <QtTest>

#include <functional>

using namespace gdvorn;

class TestTable : public QObject {
    Q_OBJECT

private:
    static void addState(Table &t, const QString &co, const QString &sg, const QString &no)
    {
        t.Append();
        t.FieldByName(QStringLiteral("CoUf")).setAsString(co);
        t.FieldByName(QStringLiteral("SgUf")).setAsString(sg);
        t.FieldByName(QStringLiteral("NoUf")).setAsString(no);
        t.Post();
    }
    static QStringList walk(Table &t, const QString &field)
    {
        QStringList seen;
        for (t.First(); !t.Eof(); t.Next())
            seen << t.FieldByName(field).AsString();
        return seen;
    }
    static void addLinks(int count)
    {
        Transaction tr;
        PreparedStatements statements;
        Statement insert(statements,
                         QStringLiteral("INSERT INTO bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                                        "CoPisPasepEmpregado, NoEmpregado) VALUES ('2010', '11222333000181', '00', ?1, ?2)"),
                         kAlias, QStringLiteral("bd8vinc"));
        for (int i = 0; i < count; ++i) {
            insert.bind(1, QStringLiteral("%1").arg(i, 11, 10, QLatin1Char('0')));
            insert.bind(2, QStringLiteral("EMPREGADO %1").arg(i));
            insert.exec();
        }
        noteDataChanged(kAlias, QStringLiteral("bd8vinc"));
        tr.commit();
    }

private slots:
    // A table is dropped with the fast secure deletion and the file's own setting is put back; a table that
    // is not there is nothing to drop; a statement still running on the connection makes the drop busy.
    void droppingATable()
    {
        test::TempDataFolder data;
        const TableDef &def = Schema::require(QStringLiteral("te8errwa"));
        const auto seguro = [&] {
            QSqlQuery q(database());
            q.exec(QStringLiteral("PRAGMA %1.secure_delete").arg(def.schemaName()));
            return q.next() ? q.value(0).toInt() : -1;
        };
        execSql(QStringLiteral("PRAGMA %1.secure_delete = 1").arg(def.schemaName()));
        createTable(def);
        execSql(QStringLiteral("INSERT INTO te8errwa (ErrWar) VALUES ('err')"));
        {
            Query aberta;
            aberta.setSql(QStringLiteral("select * from te8errwa"));
            aberta.Open();
            QVERIFY_THROWS_EXCEPTION(TableBusy, dropTable(def));
        }
        QCOMPARE(seguro(), 1);
        QVERIFY(schemaObjectExists(database(), def.schemaName(), QStringLiteral("table"), def.name));
        dropTable(def);
        QVERIFY(!schemaObjectExists(database(), def.schemaName(), QStringLiteral("table"), def.name));
        QCOMPARE(seguro(), 1);
        dropTable(def);
    }

    void walksInKeyOrderAcrossPages()
    {
        test::TempDataFolder data;
        addLinks(2500); // more than two pages
        execWrite(QStringLiteral("UPDATE bd8vinc SET NoEmpregado = 'X' WHERE CoPisPasepEmpregado = '00000001234'"));
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        QCOMPARE(t.RecordCount(), 2500);
        const QStringList pis = walk(t, QStringLiteral("CoPisPasepEmpregado"));
        QCOMPARE(pis.size(), 2500);
        QStringList sorted = pis;
        sorted.sort();
        QCOMPARE(pis, sorted);
    }

    void findKeyExactAndPrefix()
    {
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("35"), QStringLiteral("SP"), QStringLiteral("São Paulo"));
        addState(t, QStringLiteral("33"), QStringLiteral("RJ"), QStringLiteral("Rio de Janeiro"));
        addState(t, QStringLiteral("31"), QStringLiteral("MG"), QStringLiteral("Minas Gerais"));

        QVERIFY(t.FindKey({QStringLiteral("33"), QStringLiteral("RJ")}));
        QCOMPARE(t.FieldByName(QStringLiteral("NoUf")).AsString(), QStringLiteral("Rio de Janeiro"));
        QVERIFY(t.FindKey({QStringLiteral("35")})); // leading field only
        QCOMPARE(t.FieldByName(QStringLiteral("SgUf")).AsString(), QStringLiteral("SP"));
        t.Next();
        QVERIFY(t.Eof());

        // An absent key leaves the cursor where it was.
        QVERIFY(t.FindKey({QStringLiteral("31")}));
        QVERIFY(!t.FindKey({QStringLiteral("99")}));
        QVERIFY(!t.FindKey({QStringLiteral("31"), QStringLiteral("SP")}));
        QCOMPARE(t.FieldByName(QStringLiteral("SgUf")).AsString(), QStringLiteral("MG"));
        t.Next();
        QCOMPARE(t.FieldByName(QStringLiteral("SgUf")).AsString(), QStringLiteral("RJ"));

        // The case-insensitive secondary index.
        t.setIndexName(QStringLiteral("ISgUf"));
        QVERIFY(t.FindKey({QStringLiteral("sp")}));
        QCOMPARE(t.FieldByName(QStringLiteral("CoUf")).AsString(), QStringLiteral("35"));
        QCOMPARE(walk(t, QStringLiteral("SgUf")), (QStringList{"MG", "RJ", "SP"}));
    }

    void walkSurvivesDeletes()
    {
        test::TempDataFolder data;
        addLinks(2100);
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        // Delete every other row through the cursor itself, and every tenth through a query ahead of it.
        int visited = 0;
        Transaction tr;
        t.First();
        while (!t.Eof()) {
            const int n = t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString().toInt();
            ++visited;
            if (n % 20 == 1 && n + 10 < 2100) {
                execWrite(QStringLiteral("DELETE FROM bd8vinc WHERE CoPisPasepEmpregado = ?1"), [n](Statement &s) {
                    s.bind(1, QStringLiteral("%1").arg(n + 10, 11, 10, QLatin1Char('0')));
                });
            }
            if (n % 2 == 0)
                t.Delete();
            else
                t.Next();
        }
        tr.commit();
        // Rows 11, 31, 51, ... were deleted ahead of the cursor and never visited.
        QCOMPARE(visited, 2100 - 105);
        QCOMPARE(t.RecordCount(), 1050 - 105);
        for (t.First(); !t.Eof(); t.Next())
            QVERIFY(t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString().toInt() % 2 == 1);
    }

    void deletingTheLastRowEndsTheWalk()
    {
        test::TempDataFolder data;
        addLinks(3);
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        t.Last();
        t.Delete();
        QVERIFY(t.Eof());
        QCOMPARE(t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(), QStringLiteral("00000000001"));
        t.First();
        t.Delete();
        t.Delete();
        QVERIFY(t.Eof() && t.Bof());
        QVERIFY(t.IsEmpty());
    }

    void duplicateKeyRaisesKeyViolation()
    {
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("35"), QStringLiteral("SP"), QStringLiteral("São Paulo"));
        t.Append();
        t.FieldByName(QStringLiteral("CoUf")).setAsString(QStringLiteral("35"));
        t.FieldByName(QStringLiteral("SgUf")).setAsString(QStringLiteral("SP"));
        QVERIFY_THROWS_EXCEPTION(KeyViolation, t.Post());
        QCOMPARE(t.State(), DataSetState::Insert); // the record can still be corrected
        t.Cancel();
        QCOMPARE(t.RecordCount(), 1);
        try {
            t.Append();
            t.FieldByName(QStringLiteral("CoUf")).setAsString(QStringLiteral("35"));
            t.FieldByName(QStringLiteral("SgUf")).setAsString(QStringLiteral("SP"));
            t.Post();
            QFAIL("no exception");
        } catch (const EngineError &e) {
            QCOMPARE(e.code(), int(ErrKeyViolation));
            QCOMPARE(e.category(), 0x26);
        }
    }

    void writesAreTrimmedAndCutToTheDeclaredWidth()
    {
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral(" 35 "), QStringLiteral("SPX"), QStringLiteral("Um nome muito mais longo que dezenove"));
        t.First();
        QCOMPARE(t.FieldByName(QStringLiteral("CoUf")).AsString(), QStringLiteral("35"));
        QCOMPARE(t.FieldByName(QStringLiteral("SgUf")).AsString(), QStringLiteral("SP"));
        QCOMPARE(t.FieldByName(QStringLiteral("NoUf")).AsString(), QStringLiteral("Um nome muito mais"));

        // A narrower declaration writes at most its own width; a wider one does not open.
        Table narrow(QStringLiteral("tbuf"));
        narrow.setFieldDeclarations({{QStringLiteral("CoUf"), FieldType::Text, 2},
                                     {QStringLiteral("SgUf"), FieldType::Text, 2},
                                     {QStringLiteral("NoUf"), FieldType::Text, 5}});
        narrow.Open();
        narrow.Edit();
        narrow.FieldByName(QStringLiteral("NoUf")).setAsString(QStringLiteral("Paulista"));
        narrow.Post();
        t.Refresh();
        QCOMPARE(t.FieldByName(QStringLiteral("NoUf")).AsString(), QStringLiteral("Pauli"));

        Table wide(QStringLiteral("tbuf"));
        wide.setFieldDeclarations({{QStringLiteral("NoUf"), FieldType::Text, 30}});
        try {
            wide.Open();
            QFAIL("a wider declaration opened");
        } catch (const EngineError &e) {
            QCOMPARE(e.code(), int(ErrFieldSizeMismatch));
        }
    }

    void editChangesOnlyItsRowAndEditOnEmptyAppends()
    {
        test::TempDataFolder data;
        Table resp(QStringLiteral("bd8resp"));
        resp.Open();
        Table other(QStringLiteral("bd8resp")); // opened while the table is still empty
        other.Open();
        resp.Edit(); // empty table: the first edit creates the single row
        resp.FieldByName(QStringLiteral("NoResponsavelArquivo")).setAsString(QStringLiteral("FULANO"));
        resp.FieldByName(QStringLiteral("InDicas")).setAsBoolean(true);
        resp.Post();
        QCOMPARE(resp.RecordCount(), 1);
        resp.First();
        QVERIFY(resp.FieldByName(QStringLiteral("InDicas")).AsBoolean());
        QVERIFY(!resp.FieldByName(QStringLiteral("InRetificacao")).AsBoolean());
        // The other object edits the row now there instead of adding a second one.
        other.Edit();
        QCOMPARE(other.FieldByName(QStringLiteral("NoResponsavelArquivo")).AsString(), QStringLiteral("FULANO"));
        other.FieldByName(QStringLiteral("InDicasSemEmpregados")).setAsBoolean(true);
        other.Post();
        QCOMPARE(resp.RecordCount(), 1);

        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("35"), QStringLiteral("SP"), QStringLiteral("São Paulo"));
        addState(t, QStringLiteral("33"), QStringLiteral("RJ"), QStringLiteral("Rio de Janeiro"));
        QVERIFY(t.FindKey({QStringLiteral("35"), QStringLiteral("SP")}));
        t.Edit();
        t.FieldByName(QStringLiteral("CoUf")).setAsString(QStringLiteral("30")); // a key field
        t.Post();
        QCOMPARE(t.FieldByName(QStringLiteral("NoUf")).AsString(), QStringLiteral("São Paulo"));
        QCOMPARE(walk(t, QStringLiteral("CoUf")), (QStringList{"30", "33"}));
        QCOMPARE(t.RecordCount(), 2);

        // Moving away posts a pending edit; Cancel discards one.
        QVERIFY(t.FindKey({QStringLiteral("33")}));
        t.Edit();
        t.FieldByName(QStringLiteral("NoUf")).setAsString(QStringLiteral("Guanabara"));
        t.Cancel();
        QCOMPARE(t.FieldByName(QStringLiteral("NoUf")).AsString(), QStringLiteral("Rio de Janeiro"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, t.FieldByName(QStringLiteral("NoUf")).setAsString(QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, t.FieldByName(QStringLiteral("NoPais")));
    }

    void fieldTextAsUtf8()
    {
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("35"), QStringLiteral("SP"), QStringLiteral("São Paulo"));
        addState(t, QStringLiteral("33"), QStringLiteral("RJ"), QStringLiteral("Rio de Janeiro"));
        t.First();
        Field name = t.FieldByName(QStringLiteral("noUF")); // any case
        QByteArray holder;
        QCOMPARE(name.AsUtf8(holder).toString(), QStringLiteral("Rio de Janeiro"));
        t.Next();
        QCOMPARE(name.AsUtf8(holder).toString(), QStringLiteral("São Paulo"));
        QVERIFY(holder.isNull()); // the row's own bytes, nothing converted
        // The row being edited reads as AsString does.
        t.Edit();
        name.setAsString(QStringLiteral("  Piratininga  "));
        QCOMPARE(name.AsUtf8(holder).toString(), QStringLiteral("Piratininga"));
        t.Cancel();
        QCOMPARE(name.AsUtf8(holder).toString(), QStringLiteral("São Paulo"));

        Table resp(QStringLiteral("bd8resp"));
        resp.Open();
        resp.Edit();
        resp.FieldByName(QStringLiteral("InDicas")).setAsBoolean(true);
        resp.Post();
        resp.First();
        QCOMPARE(resp.FieldByName(QStringLiteral("InDicas")).AsUtf8(holder).toString(), QStringLiteral("True"));
        QCOMPARE(resp.FieldByName(QStringLiteral("InRetificacao")).AsUtf8(holder).toString(), QStringLiteral("False"));
        QCOMPARE(resp.FieldByName(QStringLiteral("NoResponsavelArquivo")).AsUtf8(holder).toString(), QStringLiteral(""));
    }

    void queryWithNamedParameters()
    {
        test::TempDataFolder data;
        addLinks(5);
        Query q;
        q.setSql(QStringList{QStringLiteral("select count(*) as n from bd8vinc"),
                             QStringLiteral("where AnBase = :sAnoBase and NoEmpregado <> 'it''s :not'")});
        QCOMPARE(q.paramNames(), QStringList{QStringLiteral("sAnoBase")});
        q.ParamByName(QStringLiteral("sAnoBase")).setValue(QStringLiteral("2010"));
        q.Open();
        QCOMPARE(q.FieldByName(QStringLiteral("n")).AsInteger(), 5);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, q.ParamByName(QStringLiteral("outro")));

        // Outer-join reads give "" for NULL.
        Query j;
        j.setSql(QStringLiteral("select v.NoEmpregado, u.NoUf from bd8vinc v left join tbuf u on u.CoUf = v.AnBase"));
        j.Open();
        QVERIFY(!j.Eof());
        QCOMPARE(j.FieldByName(QStringLiteral("NoUf")).AsString(), QString());
        int rows = 0;
        for (; !j.Eof(); j.Next())
            ++rows;
        QCOMPARE(rows, 5);

        Query bad;
        bad.setSql(QStringLiteral("select * from naoexiste"));
        QVERIFY_THROWS_EXCEPTION(EngineError, bad.Open());
    }

    void writtenTableOfAStatement_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("table");
        QTest::newRow("insert") << QStringLiteral("INSERT INTO BD8Vinc (AnBase) VALUES ('2010')") << QStringLiteral("bd8vinc");
        QTest::newRow("insert or replace, schema") << QStringLiteral(" insert or replace into main.\"te8errwa\" values (1)")
                                                   << QStringLiteral("te8errwa");
        QTest::newRow("update") << QStringLiteral("update bd8emp set InOpcaoAberta = ''") << QStringLiteral("bd8emp");
        QTest::newRow("delete") << QStringLiteral("DELETE FROM tb8msg WHERE 1") << QStringLiteral("tb8msg");
        QTest::newRow("select") << QStringLiteral("select * from bd8emp") << QString();
    }
    void writtenTableOfAStatement()
    {
        QFETCH(QString, sql);
        QFETCH(QString, table);
        QCOMPARE(writtenTable(sql), table);
    }

    void cursorNoticesRowsWrittenByAnyStatement()
    {
        test::TempDataFolder data;
        addLinks(3);
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        // A write behind a WITH clause names its table too late to be read: it counts for every table.
        execSql(QStringLiteral("WITH gone(pis) AS (SELECT '00000000001') "
                               "DELETE FROM bd8vinc WHERE CoPisPasepEmpregado IN (SELECT pis FROM gone)"));
        t.Next();
        QCOMPARE(t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(), QStringLiteral("00000000002"));
    }

    void cursorOutlivesAReopenedConnection()
    {
        test::TempDataFolder data;
        addLinks(3);
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        QCOMPARE(t.RecordCount(), 3);
        // The connection closes under the open table; the table's kept statements go with it.
        closeDatabase();
        QVERIFY(!isDatabaseOpen());
        openDatabase(data.path());
        t.Close();
        t.Open();
        QCOMPARE(t.RecordCount(), 3);
        QVERIFY(t.FindKey({QStringLiteral("2010"), QStringLiteral("11222333000181"), QStringLiteral("00"),
                           QStringLiteral("00000000002")}));
        t.Delete();
        QCOMPARE(t.RecordCount(), 2);
    }

    void transactionRollsBackWhenNotCommitted()
    {
        test::TempDataFolder data;
        {
            Transaction tr;
            addLinks(10); // joins the outer transaction
        }
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        QVERIFY(t.IsEmpty());

        // A nested operation that fails undoes its own rows only; the outer one keeps its work.
        {
            Transaction outer;
            addLinks(2);
            try {
                Transaction inner;
                t.Append();
                t.FieldByName(QStringLiteral("AnBase")).setAsString(QStringLiteral("2011"));
                t.Post();
                throw DatabaseError(QStringLiteral("falha no meio da operação"));
            } catch (const DatabaseError &) {
            }
            outer.commit();
        }
        QCOMPARE(t.RecordCount(), 2);
        t.First();
        QCOMPARE(walk(t, QStringLiteral("AnBase")), (QStringList{"2010", "2010"}));
    }

    // Rows read inside a transaction that rolled back are not walked afterwards.
    void cursorForgetsRowsOfARolledBackTransaction()
    {
        test::TempDataFolder data;
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        {
            Transaction tr;
            addLinks(3);
            t.First();
            QCOMPARE(t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(), QStringLiteral("00000000000"));
        }
        t.Next();
        QVERIFY(t.Eof());
        QVERIFY(t.IsEmpty());
    }

    void walksBackwardAcrossPages()
    {
        test::TempDataFolder data;
        addLinks(2300);
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        QStringList back;
        for (t.Last(); !t.Bof(); t.Prior())
            back << t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString();
        QCOMPARE(back.size(), 2300);
        QStringList sorted = back;
        sorted.sort();
        std::reverse(sorted.begin(), sorted.end());
        QCOMPARE(back, sorted);

        // Past the end the cursor stays on the last row; Prior steps back from there.
        QVERIFY(t.FindKey({QStringLiteral("2010"), QStringLiteral("11222333000181"), QStringLiteral("00"),
                           QStringLiteral("00000002298")}));
        t.Next();
        t.Next();
        QVERIFY(t.Eof());
        QCOMPARE(t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(), QStringLiteral("00000002299"));
        t.Prior();
        QVERIFY(!t.Eof());
        QCOMPARE(t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(), QStringLiteral("00000002298"));
    }

    void editingARowChangedUnderTheCursor()
    {
        test::TempDataFolder data;
        addLinks(3);
        Table t(QStringLiteral("bd8vinc"));
        t.Open();

        // Changed by another object: Edit starts from the row as it is now.
        execWrite(QStringLiteral("UPDATE bd8vinc SET TxUsoEmpregado = 'USO' WHERE CoPisPasepEmpregado = '00000000000'"));
        t.Edit();
        QCOMPARE(t.FieldByName(QStringLiteral("TxUsoEmpregado")).AsString(), QStringLiteral("USO"));

        // Deleted between Edit and Post: Post fails and the edit can still be cancelled.
        execWrite(QStringLiteral("DELETE FROM bd8vinc WHERE CoPisPasepEmpregado = '00000000000'"));
        t.FieldByName(QStringLiteral("NoEmpregado")).setAsString(QStringLiteral("OUTRO NOME"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, t.Post());
        QCOMPARE(t.State(), DataSetState::Edit);
        t.Cancel();
        QCOMPARE(t.RecordCount(), 2);

        // Deleted, and its row number taken by a new row: Edit must not open the new row instead.
        t.Last();
        execWrite(QStringLiteral("DELETE FROM bd8vinc WHERE CoPisPasepEmpregado = '00000000002'"));
        execWrite(QStringLiteral("INSERT INTO bd8vinc (AnBase, CoPisPasepEmpregado) VALUES ('2011', '99999999999')"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, t.Edit());
        QCOMPARE(t.State(), DataSetState::Browse);
    }

    void aReusedRowNumberIsNotTheRecord()
    {
        test::TempDataFolder data;
        Table a(QStringLiteral("tbuf"));
        Table b(QStringLiteral("tbuf"));
        a.Open();
        b.Open();
        addState(a, QStringLiteral("11"), QStringLiteral("RO"), QStringLiteral("Rondônia"));
        addState(a, QStringLiteral("22"), QStringLiteral("PI"), QStringLiteral("Piauí"));
        auto expectLost = [](int code, const std::function<void()> &write) {
            try {
                write();
                QFAIL("the write went on");
            } catch (const EngineError &e) {
                QCOMPARE(e.code(), code);
            }
        };

        // b deletes the last row and appends another, which takes its row number.
        QVERIFY(a.FindKey({QStringLiteral("22")}));
        a.Edit();
        a.FieldByName(QStringLiteral("NoUf")).setAsString(QStringLiteral("PIAUI"));
        QVERIFY(b.FindKey({QStringLiteral("22")}));
        b.Delete();
        addState(b, QStringLiteral("99"), QStringLiteral("XX"), QStringLiteral("Novo"));
        expectLost(ErrRecordDeleted, [&] { a.Post(); });
        QCOMPARE(a.State(), DataSetState::Edit);
        a.Cancel();
        expectLost(ErrRecordDeleted, [&] { a.Delete(); });
        QCOMPARE(walk(b, QStringLiteral("CoUf")), (QStringList{"11", "99"}));
        QVERIFY(b.FindKey({QStringLiteral("99")}));
        QCOMPARE(b.FieldByName(QStringLiteral("NoUf")).AsString(), QStringLiteral("Novo"));

        // b changes the record between a's Edit and Post: a's Post does not undo it.
        QVERIFY(a.FindKey({QStringLiteral("11")}));
        a.Edit();
        QVERIFY(b.FindKey({QStringLiteral("11")}));
        b.Edit();
        b.FieldByName(QStringLiteral("NoUf")).setAsString(QStringLiteral("RONDONIA"));
        b.Post();
        a.FieldByName(QStringLiteral("NoUf")).setAsString(QStringLiteral("outro"));
        expectLost(ErrRecordChanged, [&] { a.Post(); });
        a.Cancel();
        a.Refresh();
        QCOMPARE(a.FieldByName(QStringLiteral("NoUf")).AsString(), QStringLiteral("RONDONIA"));
        // Changed, but still the record: it can be edited and deleted once read again.
        a.Edit();
        a.FieldByName(QStringLiteral("NoUf")).setAsString(QStringLiteral("Rondônia"));
        a.Post();
        a.Delete();
        QCOMPARE(walk(b, QStringLiteral("CoUf")), (QStringList{"99"}));

        // A table without a key: the record is all of its values.
        Table c(QStringLiteral("tbufcep"));
        Table d(QStringLiteral("tbufcep"));
        c.Open();
        d.Open();
        for (const char *uf : {"SP", "RJ"}) {
            d.Append();
            d.FieldByName(QStringLiteral("CoUf")).setAsString(QLatin1String(uf));
            d.Post();
        }
        c.Last();
        QCOMPARE(c.FieldByName(QStringLiteral("CoUf")).AsString(), QStringLiteral("RJ"));
        d.Last();
        d.Delete();
        d.Append();
        d.FieldByName(QStringLiteral("CoUf")).setAsString(QStringLiteral("MG"));
        d.Post();
        expectLost(ErrRecordDeleted, [&] { c.Edit(); });
        expectLost(ErrRecordDeleted, [&] { c.Delete(); });
        QCOMPARE(d.RecordCount(), 2);
    }

    void rowWrittenByOthersInOtherFormsCanBeEdited()
    {
        test::TempDataFolder data;
        // A value another program may have left: a Boolean as text.
        execSql(QStringLiteral("INSERT INTO bd8resp (InDicas, NoResponsavelArquivo) VALUES ('True', 'X')"));
        Table t(QStringLiteral("bd8resp"));
        t.Open();
        t.Edit();
        t.FieldByName(QStringLiteral("NoResponsavelArquivo")).setAsString(QStringLiteral("FULANO"));
        t.Post();
        t.Delete();
        QVERIFY(t.IsEmpty());
    }

    void storingAndSearchingCutAlike()
    {
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        // Cut to the width, a value must not keep a blank at its end: it could not be found again.
        addState(t, QStringLiteral("0 1"), QStringLiteral("SP"), QStringLiteral("x"));
        Query stored;
        stored.setSql(QStringLiteral("SELECT CoUf FROM tbuf"));
        stored.Open();
        QCOMPARE(stored.FieldByName(QStringLiteral("CoUf")).AsString(), QStringLiteral("0"));
        for (const QString &key : {QStringLiteral("0"), QStringLiteral(" 0 "), QStringLiteral("0 1")}) {
            t.First();
            QVERIFY2(t.FindKey({key, QStringLiteral("SP")}), qPrintable(key));
        }

        // A name that differs only past the width is the same key.
        const QString name51(51, QLatin1Char('A'));
        Table v(QStringLiteral("bd8vinc"));
        v.Open();
        const QStringList key{QStringLiteral("2010"), QStringLiteral("11222333000181"), QStringLiteral("00"),
                              QStringLiteral("12345678901"), QStringLiteral("01012010")};
        for (const QString &name : {name51, name51 + QStringLiteral(" FILHO")}) {
            v.Append();
            const QStringList fields{QStringLiteral("AnBase"), QStringLiteral("CoCgcCeiEstabelecimento"),
                                     QStringLiteral("NuPrefixoEstabelecimento"), QStringLiteral("CoPisPasepEmpregado"),
                                     QStringLiteral("DaAdmissaoEmpregado")};
            for (int i = 0; i < fields.size(); ++i)
                v.FieldByName(fields[i]).setAsString(key[i]);
            v.FieldByName(QStringLiteral("NoEmpregado")).setAsString(name);
            if (name == name51) {
                v.Post();
            } else {
                QVERIFY_THROWS_EXCEPTION(KeyViolation, v.Post());
                v.Cancel();
            }
        }
        QCOMPARE(v.RecordCount(), 1);
        QVERIFY(v.FindKey(key + QStringList{name51 + QStringLiteral(" FILHO")}));
        QCOMPARE(v.FieldByName(QStringLiteral("NoEmpregado")).AsString(), name51);
    }

    void widthCutKeepsWholeCharacters_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("stored");
        const QString x18(18, QLatin1Char('X'));
        const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // outside the basic plane
        const QString accented = QStringLiteral("E\u0301");           // base letter and combining accent
        QTest::newRow("pair at the end") << x18 + smile + QStringLiteral("Z") << x18 + smile;
        QTest::newRow("pair past the end") << x18 + QStringLiteral("Z") + smile << x18 + QStringLiteral("Z");
        QTest::newRow("combining accent at the end") << x18 + accented + QStringLiteral("Z") << x18 + accented;
        QTest::newRow("blank at the cut") << x18 + QStringLiteral(" Z") << x18;
        QTest::newRow("lone surrogate") << QStringLiteral("A") + QChar(0xD83D) + QStringLiteral("B")
                                        << QString::fromUtf8((QStringLiteral("A") + QChar(0xD83D) + QStringLiteral("B")).toUtf8());
    }
    void widthCutKeepsWholeCharacters()
    {
        QFETCH(QString, written);
        QFETCH(QString, stored);
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("35"), QStringLiteral("SP"), written);
        // The cursor shows what the file holds.
        QCOMPARE(t.FieldByName(QStringLiteral("NoUf")).AsString(), stored);
        Query q;
        q.setSql(QStringLiteral("SELECT NoUf FROM tbuf"));
        q.Open();
        QCOMPARE(q.FieldByName(QStringLiteral("NoUf")).AsString(), stored);
    }

    void engineRollbackFailsEveryEnclosingTransaction_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("disk full") << true;
        QTest::newRow("OR ROLLBACK conflict") << false;
    }
    void engineRollbackFailsEveryEnclosingTransaction()
    {
        QFETCH(bool, diskFull);
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("35"), QStringLiteral("SP"), QStringLiteral("kept before"));
        try {
            Transaction outer;
            addState(t, QStringLiteral("33"), QStringLiteral("RJ"), QStringLiteral("outer step"));
            try {
                Transaction inner;
                if (diskFull) {
                    QSqlQuery pages(database());
                    QVERIFY(pages.exec(QStringLiteral("PRAGMA tabelas.page_count")) && pages.next());
                    execSql(QStringLiteral("PRAGMA tabelas.max_page_count = %1").arg(pages.value(0).toInt() + 2));
                    for (int i = 0; i < 10000; ++i)
                        addState(t, QStringLiteral("%1").arg(i % 100, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("%1").arg(i / 100, 2, 10, QLatin1Char('0')), QString(19, QLatin1Char('N')));
                } else {
                    execSql(QStringLiteral("INSERT OR ROLLBACK INTO tbuf (CoUf, SgUf) VALUES ('35', 'SP')"));
                }
                QFAIL("no engine error");
            } catch (const DiskFull &e) {
                QVERIFY(diskFull);
                QCOMPARE(e.code(), int(ErrDiskFull));
                QVERIFY2(!e.message().contains(QLatin1String("Invalid SQL")), qPrintable(e.message()));
            } catch (const KeyViolation &) {
                QVERIFY(!diskFull);
            }
            if (diskFull)
                execSql(QStringLiteral("PRAGMA tabelas.max_page_count = 1073741823"));
            // The outer step goes on: nothing more is written under it, and it cannot commit.
            QVERIFY_THROWS_EXCEPTION(EngineError,
                                     addState(t, QStringLiteral("31"), QStringLiteral("MG"), QStringLiteral("later")));
            t.Cancel();
            QVERIFY_THROWS_EXCEPTION(EngineError, Transaction());
            outer.commit();
            QFAIL("the outer transaction committed");
        } catch (const EngineError &e) {
            QVERIFY(e.code() == ErrDiskFull || e.code() == ErrKeyViolation);
        }
        Query rows;
        rows.setSql(QStringLiteral("SELECT NoUf FROM tbuf ORDER BY NoUf"));
        rows.Open();
        QStringList names;
        for (; !rows.Eof(); rows.Next())
            names << rows.FieldByName(QStringLiteral("NoUf")).AsString();
        QCOMPARE(names, QStringList{QStringLiteral("kept before")});
        // The connection works as before.
        {
            Transaction again;
            addState(t, QStringLiteral("33"), QStringLiteral("RJ"), QStringLiteral("after"));
            again.commit();
        }
        QCOMPARE(t.RecordCount(), 2);
    }

    void transactionOutlivingItsConnection()
    {
        test::TempDataFolder data;
        {
            Transaction old;
            closeDatabase();
            openDatabase(data.path());
        }
        Table t(QStringLiteral("tbuf"));
        t.Open();
        {
            Transaction outer;
            Transaction inner;
            addState(t, QStringLiteral("35"), QStringLiteral("SP"), QStringLiteral("São Paulo"));
            inner.commit();
            outer.commit();
        }
        closeDatabase();
        openDatabase(data.path());
        Table again(QStringLiteral("tbuf"));
        again.Open();
        QCOMPARE(again.RecordCount(), 1);
    }

    void anyIdentifierIsQuoted()
    {
        test::TempDataFolder data;
        const QString odd = QStringLiteral("a\"b c");
        QCOMPARE(quotedIdentifier(odd), QStringLiteral("\"a\"\"b c\""));
        Query q;
        q.setSql(QStringLiteral("SELECT 1 AS %1").arg(quotedIdentifier(odd)));
        q.Open();
        QCOMPARE(q.Fields(0).AsInteger(), 1);
    }

    void queryWalkEndsWithTheEngineError()
    {
        test::TempDataFolder data;
        addLinks(5);
        // The fourth row fails while the walk steps onto it: the walk must not look finished.
        Query q;
        q.setSql(QStringLiteral("SELECT CoPisPasepEmpregado, CASE WHEN CoPisPasepEmpregado = '00000000003' "
                                "THEN abs(-9223372036854775807 - 1) END AS x FROM bd8vinc"));
        q.Open();
        int rows = 0;
        try {
            for (; !q.Eof(); q.Next())
                ++rows;
            QFAIL("the walk ended as if every row was read");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(QLatin1String("integer overflow")), qPrintable(e.message()));
        }
        QCOMPARE(rows, 3);
        QVERIFY(q.Eof());
    }

    void keyedQueryFindsWhatFindKeyFinds_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("typed");
        QTest::newRow("blank left at the cut") << QStringLiteral("0 1") << QStringLiteral("0 9");
        QTest::newRow("past the width") << QStringLiteral("35") << QStringLiteral("351");
        QTest::newRow("blanks around") << QStringLiteral("35") << QStringLiteral(" 35 ");
    }
    void keyedQueryFindsWhatFindKeyFinds()
    {
        QFETCH(QString, written);
        QFETCH(QString, typed);
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, written, QStringLiteral("SP"), QStringLiteral("x"));
        QVERIFY(t.FindKey({typed, QStringLiteral("SP")}));
        Query q;
        q.setSql(QStringLiteral("SELECT count(*) AS n FROM tbuf WHERE CoUf = :co AND SgUf = :sg"));
        q.ParamByName(QStringLiteral("co")).setAsStored(QStringLiteral("tbuf"), QStringLiteral("CoUf"), typed);
        q.ParamByName(QStringLiteral("sg")).setAsStored(QStringLiteral("tbuf"), QStringLiteral("SgUf"), QStringLiteral("SP"));
        q.Open();
        QCOMPARE(q.FieldByName(QStringLiteral("n")).AsInteger(), 1);
        // A field the catalogue does not know cannot give a width: an error, not an unchecked value.
        QVERIFY_THROWS_EXCEPTION(DatabaseError, q.ParamByName(QStringLiteral("co")).setAsStored(
                                                    QStringLiteral("tbuf"), QStringLiteral("CoUff"), typed));
    }

    void bulkAppendStoresAsPost_data()
    {
        QTest::addColumn<QString>("written");
        const QString x17(17, QLatin1Char('X'));
        QTest::newRow("plain") << QStringLiteral("São Paulo");
        QTest::newRow("blank at the cut") << x17 + QStringLiteral("Á Z");
        QTest::newRow("accented letters past the width") << x17 + QStringLiteral("ÉÍÓÚ");
        QTest::newRow("combining accent at the cut") << x17 + QStringLiteral("AE\u0301Z");
        QTest::newRow("pair at the cut") << x17 + QStringLiteral("A") + QString::fromUtf8("\xF0\x9F\x98\x80Z");
        QTest::newRow("control character inside") << QStringLiteral(" A\tB ");
        QTest::newRow("no-break spaces around") << QStringLiteral("\u00A0Belém\u00A0");
        QTest::newRow("only blanks") << QStringLiteral("   ");
    }
    void bulkAppendStoresAsPost()
    {
        QFETCH(QString, written);
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("01"), QStringLiteral("AA"), written);
        t.setBulkAppend(true);
        t.Append();
        t.setFieldText(0, u"02");
        t.setFieldText(1, u"AA");
        t.setFieldText(2, written);
        QCOMPARE(t.FieldByName(QStringLiteral("NoUf")).AsString(), storedText(written, 19)); // pending, as stored
        t.Post();
        Query q;
        q.setSql(QStringLiteral("SELECT NoUf FROM tbuf ORDER BY CoUf"));
        q.Open();
        const QString posted = q.FieldByName(QStringLiteral("NoUf")).AsString();
        q.Next();
        QCOMPARE(q.FieldByName(QStringLiteral("NoUf")).AsString(), posted);
    }

    void bulkAppendKeepsKeyViolationsAndTheCursor()
    {
        test::TempDataFolder data;
        Table t(QStringLiteral("tbuf"));
        t.Open();
        addState(t, QStringLiteral("11"), QStringLiteral("RO"), QStringLiteral("a"));
        addState(t, QStringLiteral("53"), QStringLiteral("DF"), QStringLiteral("b"));
        t.First();
        t.setBulkAppend(true);
        addState(t, QStringLiteral("35"), QStringLiteral("SP"), QStringLiteral("c"));
        QCOMPARE(t.FieldByName(QStringLiteral("CoUf")).AsString(), QStringLiteral("11")); // not read back
        t.Next();
        QCOMPARE(t.FieldByName(QStringLiteral("CoUf")).AsString(), QStringLiteral("35")); // the walk sees it

        t.Append();
        t.setFieldText(0, u" 35 ");
        t.setFieldText(1, u"SP");
        QVERIFY_THROWS_EXCEPTION(KeyViolation, t.Post());
        QCOMPARE(t.State(), DataSetState::Insert);
        t.setFieldText(0, u"41");
        t.Post();
        QCOMPARE(walk(t, QStringLiteral("CoUf")),
                 (QStringList{QStringLiteral("11"), QStringLiteral("35"), QStringLiteral("41"), QStringLiteral("53")}));

        // Values other than text, and the defaults of the fields left alone.
        Table r(QStringLiteral("bd8resp"));
        r.Open();
        r.setBulkAppend(true);
        r.Append();
        r.FieldByName(QStringLiteral("InRetificacao")).setAsBoolean(true);
        r.Post();
        r.setBulkAppend(false);
        r.First();
        QVERIFY(r.FieldByName(QStringLiteral("InRetificacao")).AsBoolean());
        QVERIFY(!r.FieldByName(QStringLiteral("InReciboParaRespArquivo")).AsBoolean());
        QCOMPARE(r.FieldByName(QStringLiteral("NoResponsavelArquivo")).Value(), QVariant(QStringLiteral("")));
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_Table.moc"
