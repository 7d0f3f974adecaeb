#pragma once
// The query object of the table layer: SQL text in lines with named parameters (":name"), Open for a
// SELECT walked forward row by row. Every value is a bound parameter. Writes go through Statement
// (app/base/Statement.h), the one write path.

#include "app/base/Database.h"
#include "app/base/Field.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <memory>

namespace gdvorn {

class Query;

class Param {
public:
    Param(Query *query, QString name) : m_query(query), m_name(std::move(name)) {}
    void setValue(const QVariant &value);
    void setAsString(const QString &value) { setValue(value); }
    void setAsInteger(int value) { setValue(value); }
    void setAsBoolean(bool value) { setValue(value); }
    // A value compared with the text field `field` of `table` (a table of the catalogue): bound as a
    // write to that field would store it (storedText with the field's width), so that a keyed query
    // finds the record that FindKey finds. An unknown table or field is a DatabaseError.
    void setAsStored(const QString &table, const QString &field, const QString &value);
    QVariant Value() const;

private:
    Query *m_query;
    QString m_name;
};

class Query : public RecordSource {
public:
    explicit Query(const QString &connection = kAlias);
    ~Query() override;
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    // The SQL text: lines joined with a line break.
    void setSql(const QString &text);
    void setSql(const QStringList &lines) { setSql(lines.join(QLatin1Char('\n'))); }
    void addSql(const QString &line);
    void clearSql();
    QString sql() const { return m_sql; }
    QStringList paramNames() const;

    Param ParamByName(const QString &name);

    void Open();     // runs a SELECT and stands on its first row
    void Close();
    bool Active() const { return m_active; }

    void First();    // runs the query again when it has moved past its first row
    void Next();
    bool Eof() const { return m_eof; }
    bool IsEmpty() const { return m_active && m_eof && !m_hasRow; }

    Field FieldByName(const QString &name);
    Field Fields(int index) { return Field(this, index); }
    int FieldCount() const { return int(m_fields.size()); }

    // RecordSource
    const FieldDef &fieldDef(int index) const override { return m_fields.at(index); }
    QVariant fieldValue(int index) const override;
    void setFieldValue(int index, const QVariant &value) override;

private:
    friend class Param;
    void checkParam(const QString &name) const;
    void run();
    [[noreturn]] void fail(const QSqlError &error); // throws the engine's error, noting it for Transaction

    QString m_connection;
    QString m_sql;
    QHash<QString, QVariant> m_params; // lower-case name -> value
    std::unique_ptr<QSqlQuery> m_query;
    QList<FieldDef> m_fields;
    QHash<QString, int> m_fieldIndex;
    QVector<QVariant> m_row;
    bool m_active = false;
    bool m_eof = true;
    bool m_hasRow = false;
    bool m_atFirst = false;
};

} // namespace gdvorn
