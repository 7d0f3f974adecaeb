#include "app/base/Table.h"

#include "app/base/EngineError.h"
#include "app/base/Statement.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVarLengthArray>

#include <sqlite3.h>

#include <bit>
#include <cstring>

namespace gdvorn {

namespace {

constexpr int kPageSize = 1000;
// The first page read past a row that a search or a post put under the cursor; each further one doubles,
// up to kPageSize: a search followed by a few moves reads a few rows, a long walk reads full pages.
constexpr int kFirstPage = 16;

// Text is never NULL: an empty text is stored as ''.
const QString kEmpty = QStringLiteral("");

QVariant defaultValue(const FieldDef &f)
{
    switch (f.type) {
    case FieldType::Boolean: return false;
    case FieldType::Integer: return qlonglong(0);
    case FieldType::Float: return 0.0;
    case FieldType::Text: break;
    }
    return kEmpty;
}

} // namespace

Table::Table(const QString &tableName, const QString &connection)
    : m_tableName(tableName), m_connection(connection), m_pageSize(kPageSize), m_statements(connection)
{
}

Table::~Table()
{
    m_state = DataSetState::Inactive;
}

void Table::setTableName(const QString &name)
{
    if (Active())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset."));
    m_tableName = name;
}

void Table::setConnection(const QString &connection)
{
    if (Active())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset."));
    m_connection = connection;
    m_statements.setConnection(connection);
}

void Table::setFieldDeclarations(const QList<FieldDef> &fields)
{
    if (Active())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset."));
    m_declared = fields;
}

void Table::setIndexName(const QString &indexName)
{
    m_indexName = indexName;
    m_indexFieldNames.clear();
    if (Active()) {
        prepareColumns();
        First();
    }
}

void Table::setIndexFieldNames(const QString &fieldNames)
{
    m_indexFieldNames = fieldNames;
    m_indexName.clear();
    if (Active()) {
        prepareColumns();
        First();
    }
}

void Table::prepareColumns()
{
    m_statements.clear();
    m_insertSql.clear();
    m_updateSql.clear();
    m_deleteSql.clear();
    m_blankRow.clear();
    m_def = Schema::require(m_tableName);
    m_fields.clear();
    m_fieldIndex.clear();
    if (m_declared.isEmpty()) {
        m_fields = m_def.fields;
    } else {
        for (const FieldDef &d : m_declared) {
            const FieldDef *f = m_def.field(d.name);
            if (!f)
                throw DatabaseError(QStringLiteral("Field '%1' not found.\nTable: %2").arg(d.name, m_tableName));
            FieldDef decl = *f;
            if (f->type == FieldType::Text && d.width > 0)
                decl.width = d.width;
            m_fields << decl;
        }
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        m_fieldIndex.insert(m_fields[i].name.toLower(), i);
        m_fieldIndex.insert(m_fields[i].name, i); // found without a lower-case copy
    }

    QStringList orderNames;
    bool noCase = false;
    if (!m_indexFieldNames.isEmpty()) {
        orderNames = m_indexFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    } else {
        const IndexDef *idx = m_indexName.isEmpty() ? m_def.primaryIndex() : m_def.index(m_indexName);
        if (!m_indexName.isEmpty() && !idx)
            throw EngineError(ErrIndexMissing,
                              QStringLiteral("Index does not exist.\nIndex: %1\nTable: %2").arg(m_indexName, m_tableName));
        if (idx) {
            orderNames = idx->fields;
            noCase = idx->caseInsensitive;
        }
    }
    QStringList columns{QStringLiteral("rowid")};
    for (const auto &f : m_fields)
        columns << quotedIdentifier(f.name);
    m_order.clear();
    int hidden = int(m_fields.size());
    for (const QString &n : orderNames) {
        const FieldDef *f = m_def.field(n);
        if (!f)
            throw DatabaseError(QStringLiteral("Field '%1' not found.\nTable: %2").arg(n, m_tableName));
        OrderField o{f->name, noCase, 0, f->width};
        const auto it = m_fieldIndex.constFind(f->name.toLower());
        if (it != m_fieldIndex.constEnd()) {
            o.column = it.value();
            o.width = m_fields[o.column].width;
        } else {
            o.column = hidden++;
            columns << quotedIdentifier(f->name);
        }
        m_order << o;
    }
    m_sql.from = m_def.qualifiedName();
    m_sql.select = QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), m_sql.from);
    columns.removeFirst();
    m_columnNames = columns;
    QStringList keys, ascending, descending, marks, conditions;
    m_sql.find.clear();
    for (const auto &o : m_order) {
        const QString collate = o.noCase ? QStringLiteral(" COLLATE NOCASE") : QString();
        keys << quotedIdentifier(o.name) + collate;
        descending << keys.last() + QStringLiteral(" DESC");
        marks << QStringLiteral("?");
        conditions << quotedIdentifier(o.name) + QStringLiteral(" = ?") + collate;
        m_sql.find << QString();
    }
    keys << QStringLiteral("rowid");
    descending << QStringLiteral("rowid DESC");
    marks << QStringLiteral("?");
    m_sql.ascending = QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
    m_sql.descending = QStringLiteral(" ORDER BY ") + descending.join(QStringLiteral(", "));
    m_sql.afterKey = QStringLiteral(" WHERE (%1) ").arg(keys.join(QStringLiteral(", ")));
    m_sql.afterValues = QStringLiteral(" (%1)").arg(marks.join(QStringLiteral(", ")));
    for (int n = 1; n <= m_order.size(); ++n)
        m_sql.find[n - 1] = m_sql.select + QStringLiteral(" WHERE ") + conditions.mid(0, n).join(QStringLiteral(" AND ")) +
                            m_sql.ascending + QStringLiteral(" LIMIT 1");

    // What identifies a record: the order fields and the primary key's fields that are declared.
    m_keyColumns.clear();
    for (const auto &o : m_order)
        m_keyColumns << o.column;
    if (const IndexDef *primary = m_def.primaryIndex()) {
        for (const QString &n : primary->fields) {
            const auto it = m_fieldIndex.constFind(n.toLower());
            if (it != m_fieldIndex.constEnd() && !m_keyColumns.contains(it.value()))
                m_keyColumns << it.value();
        }
    }
    // A table without a key: a record is all of its values.
    if (m_keyColumns.isEmpty()) {
        for (int i = 0; i < m_columnNames.size(); ++i)
            m_keyColumns << i;
    }
}

void Table::Open()
{
    if (Active())
        return;
    prepareColumns();
    QSqlDatabase db = database(m_connection);
    // The table must exist in its file, and no declared field may be wider than the file's.
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA %1.table_info(%2)").arg(quotedIdentifier(m_def.schemaName()), quotedIdentifier(m_def.name))))
        throwEngineError(info.lastError(), m_tableName);
    QHash<QString, int> fileWidths;
    static const QRegularExpression widthRe(QStringLiteral("\\((\\d+)\\)"));
    while (info.next()) {
        const auto m = widthRe.match(info.value(2).toString());
        fileWidths.insert(info.value(1).toString().toLower(), m.hasMatch() ? m.captured(1).toInt() : 0);
    }
    if (fileWidths.isEmpty())
        throw EngineError(ErrNoSuchTable, QStringLiteral("Table does not exist.\nTable: %1").arg(m_tableName));
    for (const FieldDef &f : m_fields) {
        const auto it = fileWidths.constFind(f.name.toLower());
        if (it == fileWidths.constEnd())
            throw DatabaseError(QStringLiteral("Field '%1' not found.\nTable: %2").arg(f.name, m_tableName));
        if (f.type == FieldType::Text && it.value() > 0 && f.width > it.value())
            throw EngineError(ErrFieldSizeMismatch,
                              QStringLiteral("Field size mismatch.\nField: %1\nTable: %2").arg(f.name, m_tableName));
    }
    m_state = DataSetState::Browse;
    First();
}

void Table::Close()
{
    m_statements.clear();
    m_state = DataSetState::Inactive;
    m_page = Page{};
    m_pos = 0;
    m_eof = m_bof = true;
}

void Table::checkActive() const
{
    if (!Active())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset.\nTable: %1")
                                .arg(m_tableName));
}

void Table::checkBrowseMode()
{
    checkActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        Post();
}

void Table::readRow(sqlite3_stmt *stmt, Page &page) const
{
    const int columns = sqlite3_column_count(stmt) - 1;
    const qsizetype first = page.cells.size();
    page.rows.append({sqlite3_column_int64(stmt, 0), first});
    page.cells.resize(first + columns);
    Cell *const cells = page.cells.data() + first;
    // The texts are measured first and copied after, into one piece of the page's buffer.
    QVarLengthArray<const char *, 64> texts(columns, nullptr);
    qsizetype end = page.text.size();
    for (int c = 0; c < columns; ++c) {
        const int i = c + 1;
        Cell &cell = cells[c];
        switch (columnType(c)) {
        case FieldType::Boolean: cell.value = sqlite3_column_int(stmt, i) != 0; break;
        case FieldType::Integer: cell.value = sqlite3_column_int64(stmt, i); break; // NULL reads 0
        case FieldType::Float: cell.value = std::bit_cast<qint64>(sqlite3_column_double(stmt, i)); break;
        case FieldType::Text:
            // Text is never NULL: a NULL reads as ''.
            texts[c] = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
            cell.size = texts[c] ? sqlite3_column_bytes(stmt, i) : 0;
            cell.value = end;
            end += cell.size;
            break;
        }
    }
    page.text.resize(end);
    for (int c = 0; c < columns; ++c)
        if (cells[c].size > 0)
            std::memcpy(page.text.data() + cells[c].value, texts[c], cells[c].size);
}

void Table::appendRow(Page &page, const Row &row) const
{
    const qsizetype first = page.cells.size();
    page.rows.append({row.rowid, first});
    page.cells.resize(first + row.values.size());
    for (int c = 0; c < row.values.size(); ++c) {
        const QVariant &v = row.values[c];
        Cell &cell = page.cells[first + c];
        switch (columnType(c)) {
        case FieldType::Boolean: cell.value = v.toBool(); break;
        case FieldType::Integer: cell.value = v.toLongLong(); break;
        case FieldType::Float: cell.value = std::bit_cast<qint64>(v.toDouble()); break;
        case FieldType::Text: {
            cell.value = page.text.size();
            // The buffer's texts are QStrings already (storedValue): read in place, not converted.
            const QString text = v.typeId() == QMetaType::QString ? *static_cast<const QString *>(v.constData()) : v.toString();
            if (!text.isEmpty()) {
                page.text.append(text.toUtf8());
                cell.size = int(page.text.size() - cell.value);
            }
            break;
        }
        }
    }
}

QVariant Table::cellValue(const Page &page, int row, int column) const
{
    const Cell &cell = page.cells[page.rows[row].firstCell + column];
    switch (columnType(column)) {
    case FieldType::Boolean: return cell.value != 0;
    case FieldType::Integer: return qlonglong(cell.value);
    case FieldType::Float: return std::bit_cast<double>(cell.value);
    case FieldType::Text: break;
    }
    if (cell.size == 0)
        return kEmpty;
    return QString::fromUtf8(page.text.constData() + cell.value, cell.size);
}

Table::Row Table::rowAt(const Page &page, int row) const
{
    Row r{page.rows[row].rowid, {}};
    r.values.resize(m_columnNames.size());
    for (int c = 0; c < r.values.size(); ++c)
        r.values[c] = cellValue(page, row, c);
    return r;
}

sqlite3_stmt *Table::statement(const QString &sql) { return m_statements.get(sql, m_tableName); }

int Table::step(sqlite3_stmt *stmt)
{
    return Statement(stmt, m_connection, m_tableName).step() ? SQLITE_ROW : SQLITE_DONE;
}

Table::Page Table::fetch(const Row *after, bool forward, int limit, bool inclusive)
{
    QString sql = m_sql.select;
    if (after)
        sql += m_sql.afterKey +
               (forward ? (inclusive ? QLatin1String(">=") : QLatin1String(">")) : (inclusive ? QLatin1String("<=") : QLatin1String("<"))) +
               m_sql.afterValues;
    sql += (forward ? m_sql.ascending : m_sql.descending) + QStringLiteral(" LIMIT ?");

    // Pages are read straight from the engine: the Qt driver's row conversion costs more than the walk.
    sqlite3_stmt *stmt = statement(sql);
    int n = 1;
    if (after) {
        for (const auto &o : m_order)
            bindValue(stmt, n++, after->values.value(o.column));
        sqlite3_bind_int64(stmt, n++, after->rowid);
    }
    sqlite3_bind_int(stmt, n, limit);
    Page page;
    page.rows.reserve(limit);
    while (step(stmt) == SQLITE_ROW)
        readRow(stmt, page);
    sqlite3_reset(stmt);
    if (!forward)
        std::reverse(page.rows.begin(), page.rows.end());
    return page;
}

bool Table::readByRowid(qint64 rowid, Page &page)
{
    sqlite3_stmt *stmt =
        statement(m_sql.select + QStringLiteral(" WHERE rowid = ?"));
    sqlite3_bind_int64(stmt, 1, rowid);
    const bool found = step(stmt) == SQLITE_ROW;
    if (found)
        readRow(stmt, page);
    sqlite3_reset(stmt);
    return found;
}

QString Table::sameRowCondition(bool keyOnly) const
{
    // Each column is compared as it was read (readRow): a stored NULL or a text in a number column
    // must not make a row that was read unchanged look changed.
    QString sql;
    for (int i = 0; i < m_columnNames.size(); ++i) {
        if (keyOnly && !m_keyColumns.contains(i))
            continue;
        const QString &c = m_columnNames[i];
        switch (i < m_fields.size() ? m_fields[i].type : FieldType::Text) {
        case FieldType::Text: sql += QStringLiteral(" AND IFNULL(%1, '') IS ?").arg(c); break;
        case FieldType::Boolean: sql += QStringLiteral(" AND (IFNULL(CAST(%1 AS INTEGER), 0) <> 0) IS ?").arg(c); break;
        case FieldType::Integer: sql += QStringLiteral(" AND IFNULL(CAST(%1 AS INTEGER), 0) IS ?").arg(c); break;
        case FieldType::Float: sql += QStringLiteral(" AND IFNULL(CAST(%1 AS REAL), 0.0) IS ?").arg(c); break;
        }
    }
    return sql;
}

void Table::bindSameRow(sqlite3_stmt *stmt, int first, const Row &row, bool keyOnly) const
{
    sqlite3_bind_int64(stmt, first++, row.rowid);
    for (int i = 0; i < m_columnNames.size(); ++i) {
        if (!keyOnly || m_keyColumns.contains(i))
            bindValue(stmt, first++, row.values.value(i));
    }
}

void Table::throwLostRecord(const Row &original)
{
    Page now;
    if (readByRowid(original.rowid, now) && sameKey(rowAt(now, 0), original))
        throw EngineError(ErrRecordChanged, QStringLiteral("%1\nTable: %2").arg(engineCodeText(ErrRecordChanged), m_tableName));
    throw EngineError(ErrRecordDeleted, QStringLiteral("%1\nTable: %2").arg(engineCodeText(ErrRecordDeleted), m_tableName));
}

bool Table::sameKey(const Row &a, const Row &b) const
{
    for (const int column : m_keyColumns)
        if (a.values.value(column) != b.values.value(column))
            return false;
    return true;
}

void Table::setPage(Page rows)
{
    m_page = std::move(rows);
    m_pos = 0;
    m_version = dataVersion(m_connection, m_def.name);
    m_changes = dataChanges();
}

bool Table::pageCurrent()
{
    if (m_changes == dataChanges())
        return true;
    if (m_version != dataVersion(m_connection, m_def.name))
        return false;
    m_changes = dataChanges(); // the writes were to other tables
    return true;
}

void Table::First()
{
    checkBrowseMode();
    setPage(fetch(nullptr, true, kPageSize));
    m_pageSize = kPageSize;
    m_bof = true;
    m_eof = m_page.isEmpty();
}

void Table::Last()
{
    checkBrowseMode();
    setPage(fetch(nullptr, false, kPageSize));
    m_pageSize = kPageSize;
    m_pos = std::max(0, int(m_page.size()) - 1);
    m_eof = true;
    m_bof = m_page.isEmpty();
}

void Table::Next()
{
    checkBrowseMode();
    if (m_page.isEmpty()) {
        m_eof = true;
        return;
    }
    if (m_pos + 1 < m_page.size() && pageCurrent()) {
        ++m_pos;
        m_bof = false;
        return;
    }
    const Row here = currentRow();
    Page rows = fetch(&here, true, m_pageSize);
    m_pageSize = std::min(kPageSize, m_pageSize * 2);
    if (rows.isEmpty()) {
        m_eof = true;
        return;
    }
    setPage(std::move(rows));
    m_bof = false;
}

void Table::Prior()
{
    checkBrowseMode();
    if (m_page.isEmpty()) {
        m_bof = true;
        return;
    }
    if (m_pos > 0 && pageCurrent()) {
        --m_pos;
        m_eof = false;
        return;
    }
    const Row here = currentRow();
    Page rows = fetch(&here, false, m_pageSize);
    m_pageSize = std::min(kPageSize, m_pageSize * 2);
    if (rows.isEmpty()) {
        m_bof = true;
        return;
    }
    setPage(std::move(rows));
    m_pos = int(m_page.size()) - 1;
    m_eof = false;
}

bool Table::IsEmpty()
{
    checkActive();
    sqlite3_stmt *stmt = statement(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(m_sql.from));
    const bool empty = step(stmt) != SQLITE_ROW;
    sqlite3_reset(stmt);
    return empty;
}

int Table::RecordCount()
{
    checkActive();
    sqlite3_stmt *stmt = statement(QStringLiteral("SELECT count(*) FROM %1").arg(m_sql.from));
    const int n = step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
    sqlite3_reset(stmt);
    return n;
}

bool Table::FindKey(const QStringList &keyValues)
{
    checkBrowseMode();
    if (keyValues.isEmpty() || keyValues.size() > m_order.size())
        throw DatabaseError(QStringLiteral("Key search with %1 values on an index of %2 fields.\nTable: %3")
                                .arg(keyValues.size())
                                .arg(m_order.size())
                                .arg(m_tableName));
    sqlite3_stmt *stmt = statement(m_sql.find[keyValues.size() - 1]);
    // The values are searched as they would be stored: blank keys as '', long ones cut to the width.
    Statement search(stmt, m_connection, m_tableName);
    for (int i = 0; i < keyValues.size(); ++i)
        search.bindStored(i + 1, keyValues[i], m_order[i].width);
    if (step(stmt) != SQLITE_ROW) {
        sqlite3_reset(stmt);
        return false;
    }
    Page rows;
    readRow(stmt, rows);
    sqlite3_reset(stmt);
    setPage(std::move(rows));
    m_pageSize = kFirstPage;
    m_eof = m_bof = false;
    return true;
}

const QVector<QVariant> &Table::blankRow()
{
    if (m_blankRow.isEmpty()) {
        // The declared fields, then the order fields that are not declared (stored as '' by the engine).
        int total = int(m_fields.size());
        for (const auto &o : m_order)
            total = std::max(total, o.column + 1);
        m_blankRow.resize(total);
        for (int i = 0; i < total; ++i)
            m_blankRow[i] = i < m_fields.size() ? defaultValue(m_fields[i]) : QVariant(kEmpty);
    }
    return m_blankRow;
}

void Table::Append()
{
    checkBrowseMode();
    if (m_bulk) {
        m_bulkRow.resize(m_fields.size());
        for (BulkValue &b : m_bulkRow)
            b.kind = BulkValue::Default;
        m_bulkText.resize(0); // keeps its capacity for the next rows
    } else {
        m_buffer = Row{0, blankRow()};
    }
    m_state = DataSetState::Insert;
}

void Table::setBulkAppend(bool on)
{
    if (Active())
        checkBrowseMode();
    m_bulk = on;
    m_bulkRow.clear();
    m_bulkText.clear();
}

void Table::putBulkText(int index, QStringView stored)
{
    BulkValue &b = m_bulkRow[index];
    b.kind = BulkValue::Text;
    b.offset = m_bulkText.size();
    // Latin text (what declaration files hold) is encoded here; anything wider by Qt.
    m_bulkText.resize(b.offset + stored.size() * 2);
    char *const start = m_bulkText.data() + b.offset;
    char *d = start;
    for (const QChar c : stored) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *d++ = char(u);
        } else if (u < 0x800) {
            *d++ = char(0xC0 | (u >> 6));
            *d++ = char(0x80 | (u & 0x3F));
        } else {
            const QByteArray utf8 = stored.toUtf8();
            m_bulkText.resize(b.offset);
            m_bulkText.append(utf8);
            b.size = int(utf8.size());
            return;
        }
    }
    b.size = int(d - start);
    m_bulkText.resize(b.offset + b.size);
}

void Table::setFieldText(int index, QStringView text)
{
    if (!m_bulk || m_state != DataSetState::Insert || m_fields.at(index).type != FieldType::Text) {
        setFieldValue(index, text.toString());
        return;
    }
    QString holder;
    putBulkText(index, storedText(text, m_fields[index].width, holder));
}

void Table::Edit()
{
    checkActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    if (!hasCurrent() && !pageCurrent())
        First(); // rows may have come since the table was read empty
    if (!hasCurrent()) {
        Append();
        return;
    }
    if (!pageCurrent()) {
        // Rows changed since the page was read: edit the row as it is now, if it is still the same record
        // (a deleted row's number can be taken by a row inserted later).
        Page fresh;
        if (!readByRowid(m_page.rows[m_pos].rowid, fresh) || !sameKey(rowAt(fresh, 0), currentRow()))
            throw EngineError(ErrRecordDeleted,
                              QStringLiteral("%1\nTable: %2").arg(engineCodeText(ErrRecordDeleted), m_tableName));
        setPage(std::move(fresh));
        m_pageSize = kFirstPage;
    }
    m_buffer = currentRow();
    m_original = m_buffer;
    m_state = DataSetState::Edit;
}

QVariant Table::storedValue(const FieldDef &f, const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return defaultValue(f);
    switch (f.type) {
    case FieldType::Text: {
        const QString text = storedText(value.toString(), f.width);
        return text.isEmpty() ? kEmpty : text;
    }
    case FieldType::Boolean:
        return value.typeId() == QMetaType::QString ? textIsTrue(value.toString()) : value.toBool();
    case FieldType::Integer:
        return value.toLongLong();
    case FieldType::Float:
        return value.toDouble();
    }
    return value;
}

void Table::execWrite(sqlite3_stmt *stmt)
{
    Statement(stmt, m_connection, m_tableName).exec();
    noteDataChanged(m_connection, m_def.name);
}

void Table::prepareWrites()
{
    if (!m_insertSql.isEmpty())
        return;
    QStringList columns, marks, sets;
    for (const auto &f : m_fields) {
        columns << quotedIdentifier(f.name);
        marks << QStringLiteral("?");
        sets << quotedIdentifier(f.name) + QStringLiteral(" = ?");
    }
    m_insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(m_sql.from, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    // The row is written only while it still holds every value read at Edit: neither another record
    // that took its row number nor a change made meanwhile is overwritten.
    m_updateSql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                      .arg(m_sql.from, sets.join(QStringLiteral(", ")), sameRowCondition(false));
    m_deleteSql = QStringLiteral("DELETE FROM %1 WHERE rowid = ?%2").arg(m_sql.from, sameRowCondition(true));
}

void Table::postBulk()
{
    prepareWrites();
    sqlite3_stmt *stmt = statement(m_insertSql);
    const QVector<QVariant> &blank = blankRow();
    for (int i = 0; i < m_fields.size(); ++i) {
        const BulkValue &b = m_bulkRow.at(i);
        switch (b.kind) {
        case BulkValue::Text:
            sqlite3_bind_text(stmt, i + 1, m_bulkText.constData() + b.offset, b.size, SQLITE_STATIC);
            break;
        case BulkValue::Other: bindValue(stmt, i + 1, b.value); break;
        case BulkValue::Default: bindValue(stmt, i + 1, blank.at(i)); break;
        }
    }
    execWrite(stmt); // a key violation leaves the row pending, as Post does
    m_state = DataSetState::Browse;
}

void Table::Post()
{
    checkActive();
    if (m_state == DataSetState::Browse)
        return;
    if (m_bulk && m_state == DataSetState::Insert) {
        postBulk();
        return;
    }
    prepareWrites();
    sqlite3_stmt *stmt = statement(m_state == DataSetState::Insert ? m_insertSql : m_updateSql);
    // Text goes to the engine from one buffer that outlives the step, so the engine need not copy it.
    qsizetype bytes = 0;
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_buffer.values[i].typeId() == QMetaType::QString)
            bytes += static_cast<const QString *>(m_buffer.values[i].constData())->size() * 3;
    m_bindText.clear();
    m_bindText.reserve(bytes);
    int n = 1;
    for (int i = 0; i < m_fields.size(); ++i, ++n) {
        const QVariant &v = m_buffer.values[i];
        if (v.typeId() != QMetaType::QString) {
            bindValue(stmt, n, v);
            continue;
        }
        const QString &text = *static_cast<const QString *>(v.constData());
        const qsizetype start = m_bindText.size();
        bool ascii = true;
        for (const QChar c : text) {
            if (c.unicode() >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (ascii) {
            for (const QChar c : text)
                m_bindText.append(char(c.unicode()));
        } else {
            m_bindText.append(text.toUtf8());
        }
        sqlite3_bind_text(stmt, n, m_bindText.constData() + start, int(m_bindText.size() - start), SQLITE_STATIC);
    }
    if (m_state == DataSetState::Edit)
        bindSameRow(stmt, n, m_original, false);
    execWrite(stmt);
    if (m_state == DataSetState::Insert)
        m_buffer.rowid = sqlite3_last_insert_rowid(sqlite3_db_handle(stmt));
    else if (sqlite3_changes(sqlite3_db_handle(stmt)) == 0) // the edit stays open: it can be cancelled
        throwLostRecord(m_original);
    m_state = DataSetState::Browse;
    // The posted record is what the buffer holds: every value was stored as the width rule cut it.
    Page posted;
    appendRow(posted, m_buffer);
    m_buffer = Row{};
    setPage(std::move(posted));
    m_pageSize = kFirstPage;
    m_eof = m_bof = false;
}

void Table::Cancel()
{
    checkActive();
    m_state = DataSetState::Browse;
    m_buffer = Row{};
    m_original = Row{};
}

void Table::Delete()
{
    checkActive();
    if (m_state == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (m_state == DataSetState::Edit)
        Cancel();
    if (!hasCurrent())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset.\nTable: %1").arg(m_tableName));
    const Row gone = currentRow();
    const bool unchanged = pageCurrent();
    prepareWrites();
    sqlite3_stmt *stmt = statement(m_deleteSql);
    bindSameRow(stmt, 1, gone, true);
    execWrite(stmt);
    if (sqlite3_changes(sqlite3_db_handle(stmt)) == 0)
        throwLostRecord(gone);
    if (unchanged && m_pos + 1 < m_page.size()) {
        // Nothing else changed since the page was read: the next row is the next one of the page.
        m_page.rows.remove(m_pos);
        m_version = dataVersion(m_connection, m_def.name);
        m_changes = dataChanges();
        m_eof = false;
        return;
    }
    Page rows = fetch(&gone, true, kPageSize);
    if (!rows.isEmpty()) {
        setPage(std::move(rows));
        m_eof = false;
        return;
    }
    setPage(fetch(nullptr, false, 1));
    m_eof = true;
    m_bof = m_page.isEmpty();
}

void Table::Refresh()
{
    checkBrowseMode();
    if (!hasCurrent()) {
        First();
        return;
    }
    const Row here = currentRow();
    Page rows = fetch(&here, true, kPageSize, true);
    if (rows.isEmpty()) {
        Last();
        return;
    }
    setPage(std::move(rows));
}

void Table::EmptyTable()
{
    checkActive();
    Cancel();
    execWrite(statement(QStringLiteral("DELETE FROM %1").arg(m_sql.from)));
    setPage({});
    m_eof = m_bof = true;
}

Field Table::FieldByName(const QString &name)
{
    auto it = m_fieldIndex.constFind(name);
    if (it == m_fieldIndex.constEnd())
        it = m_fieldIndex.constFind(name.toLower());
    if (it == m_fieldIndex.constEnd()) {
        if (m_fields.isEmpty() && !m_tableName.isEmpty())
            prepareColumns();
        const auto again = m_fieldIndex.constFind(name.toLower());
        if (again == m_fieldIndex.constEnd())
            throw DatabaseError(QStringLiteral("Field '%1' not found.\nTable: %2").arg(name, m_tableName));
        return Field(this, again.value());
    }
    return Field(this, it.value());
}

QStringList Table::FieldNames() const
{
    QStringList names;
    for (const auto &f : m_fields)
        names << f.name;
    return names;
}

QVariant Table::fieldValue(int index) const
{
    if (m_bulk && m_state == DataSetState::Insert && index < m_bulkRow.size()) {
        const BulkValue &b = m_bulkRow[index];
        switch (b.kind) {
        case BulkValue::Text: return QString::fromUtf8(m_bulkText.constData() + b.offset, b.size);
        case BulkValue::Other: return b.value;
        case BulkValue::Default: return defaultValue(m_fields[index]);
        }
    }
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return m_buffer.values.value(index);
    if (hasCurrent())
        return index >= 0 && index < m_columnNames.size() ? cellValue(m_page, m_pos, index) : QVariant();
    return index < m_fields.size() ? defaultValue(m_fields[index]) : QVariant();
}

QUtf8StringView Table::fieldText(int index, QByteArray &holder) const
{
    if (m_state == DataSetState::Browse && hasCurrent() && index >= 0 && index < m_fields.size() &&
        m_fields[index].type == FieldType::Text) {
        const Cell &cell = m_page.cells[m_page.rows[m_pos].firstCell + index];
        return QUtf8StringView(m_page.text.constData() + cell.value, cell.size);
    }
    return RecordSource::fieldText(index, holder);
}

void Table::setFieldValue(int index, const QVariant &value)
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw DatabaseError(QStringLiteral("Dataset not in edit or insert mode.\nTable: %1").arg(m_tableName));
    if (m_bulk && m_state == DataSetState::Insert) {
        const QVariant stored = storedValue(m_fields[index], value);
        if (stored.typeId() == QMetaType::QString) {
            putBulkText(index, *static_cast<const QString *>(stored.constData()));
        } else {
            m_bulkRow[index].kind = BulkValue::Other;
            m_bulkRow[index].value = stored;
        }
        return;
    }
    m_buffer.values[index] = storedValue(m_fields[index], value);
}

} // namespace gdvorn
