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
    // The values are searched as a write would store them (storedText with the field's width).
    bool FindKey(const QStringList &keyValues);

    void Append();
    void Insert() { Append(); }

    // Bulk append, for loading many rows inside one Transaction. Append then starts from the defaults
    // without building a record, setFieldText() takes a field's text without a copy, and Post inserts the
    // row through the one prepared INSERT without reading it back: the cursor stays on the row it was on,
    // and its next move reads again. Values are stored by the same rules, and a duplicate key still
    // throws KeyViolation with nothing written and the row kept in insert state. Edit and Delete work as
    // ever. A pending row is posted when the mode is switched.
    void setBulkAppend(bool on);
    bool bulkAppend() const { return m_bulk; }
    // The text of field `index` of the row being edited or inserted, as setAsString would store it.
    void setFieldText(int index, QStringView text);
    // On an empty table, starts an Append. EngineError ErrRecordDeleted when the row under the cursor is no
    // longer its record (deleted, or its row number taken by another). The record as read here is what
    // Post and Delete check the stored row against.
    void Edit();
    // Post throws KeyViolation on a duplicate key; EngineError ErrRecordDeleted when the stored row is no
    // longer the record read at Edit (deleted, or its row number taken by another record) and
    // ErrRecordChanged when it was changed since Edit. It writes nothing then and stays in edit or
    // insert state.
    void Post();
    void Cancel();
    // The cursor moves to the next row (or to the last, with Eof set). ErrRecordDeleted, and nothing
    // deleted, when the row under the cursor is no longer its record.
    void Delete();
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
    // A text field of the row under the cursor is a view of the bytes the engine gave.
    QUtf8StringView fieldText(int index, QByteArray &holder) const override;

private:
    // A record to edit, post or search from: declared fields, then hidden order fields.
    struct Row {
        qint64 rowid = 0;
        QVector<QVariant> values;
    };
    // Rows as the engine gave them, read once per page: per column (declared fields, then hidden order
    // fields) a number, or the span of its UTF-8 text in the page's one buffer. A value becomes a
    // QVariant only when a caller asks for it.
    struct Cell {
        qint64 value = 0; // an Integer or Boolean; a Float's bits; a text's offset in Page::text
        int size = 0;     // a text's bytes
    };
    struct Page {
        struct Entry {
            qint64 rowid = 0;
            qsizetype firstCell = 0;
        };
        QVector<Entry> rows;
        QVector<Cell> cells;
        QByteArray text;
        qsizetype size() const { return rows.size(); }
        bool isEmpty() const { return rows.isEmpty(); }
    };
    struct OrderField {
        QString name;
        bool noCase = false;
        int column = 0; // position in Row::values
        int width = 0;  // search values are cut to it, as stored values are
    };

    void checkActive() const;
    void checkBrowseMode();
    void prepareColumns();
    FieldType columnType(int column) const
    {
        return column < m_fields.size() ? m_fields[column].type : FieldType::Text;
    }
    // At most `limit` rows after (or before) `after`, the nearest ones, in key order.
    Page fetch(const Row *after, bool forward, int limit, bool inclusive = false);
    void readRow(sqlite3_stmt *stmt, Page &page) const;
    void appendRow(Page &page, const Row &row) const;
    QVariant cellValue(const Page &page, int row, int column) const;
    Row rowAt(const Page &page, int row) const;
    bool readByRowid(qint64 rowid, Page &page);
    sqlite3_stmt *statement(const QString &sql);
    int step(sqlite3_stmt *stmt); // SQLITE_ROW or SQLITE_DONE; throws the engine's error otherwise
    bool sameKey(const Row &a, const Row &b) const;
    // " AND col IS ?" for every column read (or only those that identify the record), after "rowid = ?";
    // bindSameRow binds the rowid and those values of `row` from parameter `first` on.
    QString sameRowCondition(bool keyOnly) const;
    void bindSameRow(sqlite3_stmt *stmt, int first, const Row &row, bool keyOnly) const;
    // After a write that found no row: the record is gone (another took its row number) or was changed.
    [[noreturn]] void throwLostRecord(const Row &original);
    void setPage(Page rows);
    bool hasCurrent() const { return !m_page.isEmpty(); }
    Row currentRow() const { return rowAt(m_page, m_pos); }
    // True while no write may have touched the table since the page was read.
    bool pageCurrent();
    QVariant storedValue(const FieldDef &f, const QVariant &value) const;
    void execWrite(sqlite3_stmt *stmt);
    void prepareWrites();
    const QVector<QVariant> &blankRow();
    void postBulk();
    void putBulkText(int index, QStringView stored); // a text already cut by the width rule

    QString m_tableName;
    QString m_connection;
    TableDef m_def;
    QList<FieldDef> m_declared;   // empty: every field
    QList<FieldDef> m_fields;     // the fields this object exposes
    QHash<QString, int> m_fieldIndex; // lower-case names and the catalogue's spelling -> position
    QString m_indexName;
    QString m_indexFieldNames;
    QVector<OrderField> m_order;
    QVector<int> m_keyColumns; // positions in Row::values of the fields that identify a record (all of them
                               // on a table without a key)
    QStringList m_columnNames; // the quoted names of Row::values, in order
    // The texts of the reads, made once per field list and order.
    struct Sql {
        QString from;        // schema.table
        QString select;      // SELECT rowid, the columns FROM schema.table
        QString ascending;   // " ORDER BY" the order fields and rowid
        QString descending;
        QString afterKey;    // " WHERE (order fields, rowid) ", then the comparison, then
        QString afterValues; // " (?, ?)" for the values of a row
        QStringList find;    // FindKey on the first n order fields: find[n - 1]
    };
    Sql m_sql;
    QString m_insertSql; // the statements of Post and Delete, made once per field list
    QString m_updateSql;
    QString m_deleteSql;
    QVector<QVariant> m_blankRow; // what Append starts from
    QByteArray m_bindText;        // the text values of the row being posted, bound without a copy

    DataSetState m_state = DataSetState::Inactive;
    Page m_page;
    int m_pos = 0;
    int m_pageSize; // the rows the next move past the page reads
    bool m_eof = true;
    bool m_bof = true;
    quint64 m_version = 0; // the table's data version when the page was read
    quint64 m_changes = 0; // dataChanges() when the version was last seen unchanged
    Row m_buffer;   // the record being edited or inserted
    Row m_original; // the record as read at Edit
    // The row of a bulk append: per declared field, its text in m_bulkText, another value, or the default.
    struct BulkValue {
        enum Kind : quint8 { Default, Text, Other };
        Kind kind = Default;
        int size = 0;
        qsizetype offset = 0;
        QVariant value;
    };
    bool m_bulk = false;
    QVector<BulkValue> m_bulkRow;
    QByteArray m_bulkText; // UTF-8, bound without a copy
    PreparedStatements m_statements;
};

} // namespace gdvorn
