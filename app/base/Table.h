#pragma once
// The table cursor of the table layer: a table of the schema catalogue walked in the order of an index
// (the primary index unless another is chosen), positioned by an exact or prefix key search, edited
// through Append/Edit/Post/Cancel/Delete, fields reached by name.
//
// Rows are read in pages (keyset paging on the order fields and the rowid), so a walk over a million
// rows never holds more than one page. A write made through any table or query of the connection makes
// the next move re-read from the current key, so a walk survives deletes made while it runs.

#include "app/base/Database.h"
#include "app/base/Field.h"

#include <QHash>
#include <QStringList>
#include <QVector>

namespace gdvorn {

enum class DataSetState { Inactive, Browse, Edit, Insert };

class Table : public RecordSource {
public:
    explicit Table(const QString &tableName = QString(), const QString &connection = kAlias);
    ~Table() override;
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    void setTableName(const QString &name);
    QString TableName() const { return m_tableName; }
    void setConnection(const QString &connection);
    QString connection() const { return m_connection; }

    // A narrower declaration: the fields this object reads and writes, each at most as wide as the
    // file's. Empty (the default) declares every field of the catalogue. A declared field that the
    // file holds narrower makes Open() fail with the engine's size-mismatch error.
    void setFieldDeclarations(const QList<FieldDef> &fields);

    // The order and key of the cursor: a named index of the catalogue, or a list of fields (";").
    void setIndexName(const QString &indexName);
    void setIndexFieldNames(const QString &fieldNames);

    void Open();
    void Close();
    bool Active() const { return m_state != DataSetState::Inactive; }
    DataSetState State() const { return m_state; }

    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty();
    int RecordCount();

    // Searches the current index: all key values for an exact search, fewer for a search on the leading
    // fields (the first row in key order that matches). Found: the cursor moves there. Not found: the
    // cursor stays where it was.
    bool FindKey(const QStringList &keyValues);

    void Append();
    void Insert() { Append(); }
    void Edit();   // on an empty table, starts an Append; DatabaseError when the row is gone meanwhile
    void Post();   // throws KeyViolation on a duplicate key, DatabaseError when the edited row was deleted
                   // meanwhile; either way it stays in edit or insert state
    void Cancel();
    void Delete(); // the cursor moves to the next row (or to the last, with Eof set)
    void Refresh();
    void EmptyTable();

    Field FieldByName(const QString &name);
    Field Fields(int index) { return Field(this, index); }
    int FieldCount() const { return int(m_fields.size()); }
    QStringList FieldNames() const;
    const TableDef &definition() const { return m_def; }

    // RecordSource
    const FieldDef &fieldDef(int index) const override { return m_fields.at(index); }
    QVariant fieldValue(int index) const override;
    void setFieldValue(int index, const QVariant &value) override;

private:
    struct Row {
        qint64 rowid = 0;
        QVector<QVariant> values; // declared fields, then hidden order fields
    };
    struct OrderField {
        QString name;
        bool noCase = false;
        int column = 0; // position in Row::values
    };

    void checkActive() const;
    void checkBrowseMode();
    void prepareColumns();
    QString orderBy(bool descending) const;
    QString keyTuple() const;
    QVector<Row> fetch(const Row *after, bool forward, int limit, bool inclusive = false);
    Row readRow(sqlite3_stmt *stmt) const;
    bool readByRowid(qint64 rowid, Row &row);
    sqlite3_stmt *statement(const QString &sql);
    int step(sqlite3_stmt *stmt); // SQLITE_ROW or SQLITE_DONE; throws the engine's error otherwise
    bool sameKey(const Row &a, const Row &b) const;
    void setPage(QVector<Row> rows);
    const Row *current() const;
    QVariant storedValue(const FieldDef &f, const QVariant &value) const;
    void execWrite(sqlite3_stmt *stmt);

    QString m_tableName;
    QString m_connection;
    TableDef m_def;
    QList<FieldDef> m_declared;   // empty: every field
    QList<FieldDef> m_fields;     // the fields this object exposes
    QHash<QString, int> m_fieldIndex;
    QString m_indexName;
    QString m_indexFieldNames;
    QVector<OrderField> m_order;
    QVector<int> m_keyColumns; // positions in Row::values of the fields that identify a record
    QString m_selectColumns;
    QString m_insertSql; // the statements of Post, made once per field list
    QString m_updateSql;
    QVector<QVariant> m_blankRow; // what Append starts from
    QByteArray m_bindText;        // the text values of the row being posted, bound without a copy

    DataSetState m_state = DataSetState::Inactive;
    QVector<Row> m_page;
    int m_pos = 0;
    bool m_eof = true;
    bool m_bof = true;
    quint64 m_version = 0;
    Row m_buffer; // the record being edited or inserted
    PreparedStatements m_statements;
};

} // namespace gdvorn
