#include "app/base/Query.h"

#include "app/base/EngineError.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace gdvorn {

namespace {

// The named parameters of an SQL text, in order of first appearance, outside quoted texts.
QStringList parameterNames(const QString &sql)
{
    QStringList names;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_')) &&
            (i == 0 || sql[i - 1] != QLatin1Char(':'))) {
            int j = i + 1;
            while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
                ++j;
            const QString n = sql.mid(i + 1, j - i - 1);
            if (!names.contains(n, Qt::CaseInsensitive))
                names << n;
            i = j - 1;
        }
    }
    return names;
}

} // namespace

void Param::setValue(const QVariant &value)
{
    m_query->checkParam(m_name);
    // Text is never NULL in the tables: a null text parameter stands for ''.
    const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
    m_query->m_params.insert(m_name.toLower(), nullText ? QVariant(QStringLiteral("")) : value);
}

void Param::setAsStored(const QString &table, const QString &field, const QString &value)
{
    setValue(storedText(table, field, value));
}

QVariant Param::Value() const { return m_query->m_params.value(m_name.toLower()); }

Query::Query(const QString &connection) : m_connection(connection) {}

Query::~Query() { Close(); }

void Query::setSql(const QString &text)
{
    Close();
    m_sql = text;
    m_params.clear();
}

void Query::addSql(const QString &line)
{
    setSql(m_sql.isEmpty() ? line : m_sql + QLatin1Char('\n') + line);
}

void Query::clearSql() { setSql(QString()); }

QStringList Query::paramNames() const { return parameterNames(m_sql); }

void Query::checkParam(const QString &name) const
{
    if (!paramNames().contains(name, Qt::CaseInsensitive))
        throw DatabaseError(QStringLiteral("Parameter '%1' not found.").arg(name));
}

Param Query::ParamByName(const QString &name)
{
    checkParam(name);
    return Param(this, name);
}

void Query::run()
{
    Close();
    m_query = std::make_unique<QSqlQuery>(database(m_connection));
    m_query->setForwardOnly(true);
    if (!m_query->prepare(m_sql)) {
        const QSqlError e = m_query->lastError();
        m_query.reset();
        throwEngineError(e, m_sql);
    }
    for (const QString &n : paramNames())
        m_query->bindValue(QLatin1Char(':') + n, m_params.value(n.toLower()));
    if (!m_query->exec()) {
        const QSqlError e = m_query->lastError();
        m_query.reset();
        fail(e);
    }
    const QSqlRecord rec = m_query->record();
    m_fields.clear();
    m_fieldIndex.clear();
    for (int i = 0; i < rec.count(); ++i) {
        m_fields << FieldDef{rec.fieldName(i), FieldType::Text, 0};
        if (!m_fieldIndex.contains(rec.fieldName(i).toLower()))
            m_fieldIndex.insert(rec.fieldName(i).toLower(), i);
    }
    m_active = true;
    m_atFirst = true;
    Next();
    m_atFirst = m_hasRow;
}

void Query::fail(const QSqlError &error)
{
    try {
        throwEngineError(error, m_sql);
    } catch (...) {
        noteEngineFailure(m_connection);
        throw;
    }
}

void Query::Open() { run(); }

void Query::Close()
{
    if (m_query) {
        m_query->finish();
        m_query.reset();
    }
    m_active = false;
    m_eof = true;
    m_hasRow = false;
    m_row.clear();
}

void Query::First()
{
    if (!m_active)
        throw DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset."));
    if (!m_atFirst)
        run();
}

void Query::Next()
{
    if (!m_active)
        throw DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset."));
    m_atFirst = false;
    if (m_query && m_query->next()) {
        m_row.resize(m_fields.size());
        for (int i = 0; i < m_fields.size(); ++i)
            m_row[i] = m_query->value(i);
        m_hasRow = true;
        m_eof = false;
        return;
    }
    m_eof = true;
    if (m_query) {
        // A failure of the engine while stepping ends the walk with the error, never as a plain end.
        const QSqlError e = m_query->lastError();
        m_query->finish();
        m_query.reset();
        if (e.isValid())
            fail(e);
    }
}

Field Query::FieldByName(const QString &name)
{
    const auto it = m_fieldIndex.constFind(name.toLower());
    if (it == m_fieldIndex.constEnd())
        throw DatabaseError(QStringLiteral("Field '%1' not found.").arg(name));
    return Field(this, it.value());
}

QVariant Query::fieldValue(int index) const
{
    if (!m_hasRow)
        return QString();
    const QVariant v = m_row.value(index);
    // Outer-join reads turn NULL into an empty text.
    return v.isNull() ? QVariant(QString()) : v;
}

void Query::setFieldValue(int, const QVariant &)
{
    throw DatabaseError(QStringLiteral("Cannot modify a read-only dataset."));
}

} // namespace gdvorn
