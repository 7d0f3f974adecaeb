#pragma once
// The schema catalogue: every table of the program with its fields in order, their widths, its primary
// index and secondary indexes, and the database file that holds it. DDL, the start-up table check, index
// repair, structure copy and the width rule on writes all come from here.

#include <QList>
#include <QString>
#include <QStringList>

namespace gdvorn {

enum class FieldType { Text, Boolean, Integer, Float };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int width = 0; // characters, for text fields
};

struct IndexDef {
    QString name;        // "Main" for the primary index
    QStringList fields;
    bool primary = false;
    bool caseInsensitive = false;
};

struct TableDef {
    QString name;        // one spelling, lower case
    QString file;        // database file without ".db" ("tabelas", "bd8emp", ..., "trabalho")
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    int fieldIndex(const QString &fieldName) const; // case-insensitive; -1 when absent
    const FieldDef *field(const QString &fieldName) const;
    const IndexDef *primaryIndex() const;
    const IndexDef *index(const QString &indexName) const;

    QString schemaName() const;                       // the attached schema that holds the table
    QString qualifiedName() const;                    // schema.table
    QString sqlIndexName(const IndexDef &index) const; // table_index
    QString createTableSql() const;
    QString createIndexSql(const IndexDef &index) const;
    TableDef copiedAs(const QString &newName, const QString &newFile, bool withIndexes) const;
};

// An SQL identifier between double quotes.
QString quotedIdentifier(const QString &identifier);

namespace Schema {

// The catalogue lookup; names are matched without regard to case. nullptr for an unknown table.
const TableDef *table(const QString &name);
const TableDef &require(const QString &name); // throws DatabaseError for an unknown table
const QList<TableDef> &tables();

// The database files of the data folder, in the order in which the connection attaches them.
// The first one ("trabalho") is the connection's main file.
QStringList databaseFiles();
QString fileName(const QString &file); // "bd8emp" -> "bd8emp.db"

// The 25 installed tables, in the order in which the start-up check looks at them.
QStringList installedTables();

} // namespace Schema

} // namespace gdvorn
