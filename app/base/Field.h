#pragma once
// A field of the current record of a table or query, reached by name: Table::FieldByName("NoUf").AsString().

#include "app/base/Schema.h"

#include <QByteArray>
#include <QUtf8StringView>
#include <QVariant>

namespace gdvorn {

// A Boolean written as text: "True" (any case) or "1".
bool textIsTrue(const QString &text);

// The one rule for text that is stored or searched in a field of `width` characters (0: no limit):
// blanks trimmed, cut to the width, trimmed again. Characters are what the user sees: a surrogate pair
// or a base character with its combining marks counts as one and is never split.
QString storedText(const QString &text, int width);
// The same rule without a copy: a view into `text`, or into `holder` when the rule had to build a text.
QStringView storedText(QStringView text, int width, QString &holder);
// The same rule with the width of `field` of `table` in the catalogue (DatabaseError when either is unknown).
QString storedText(const QString &table, const QString &field, const QString &text);

class RecordSource {
public:
    virtual ~RecordSource() = default;
    virtual const FieldDef &fieldDef(int index) const = 0;
    virtual QVariant fieldValue(int index) const = 0;
    virtual void setFieldValue(int index, const QVariant &value) = 0;
    // The text of field `index` as Field::AsString gives it, in UTF-8: a view of the row's own bytes
    // where the source holds them, otherwise of `holder`, which it fills.
    virtual QUtf8StringView fieldText(int index, QByteArray &holder) const;
};

class Field {
public:
    Field(RecordSource *source, int index) : m_source(source), m_index(index) {}

    QString FieldName() const { return m_source->fieldDef(m_index).name; }
    int Size() const { return m_source->fieldDef(m_index).width; }
    FieldType DataType() const { return m_source->fieldDef(m_index).type; }

    QVariant Value() const { return m_source->fieldValue(m_index); }
    QString AsString() const;      // Booleans read "True" / "False"; NULL reads ""
    // AsString's text in UTF-8, read without a conversion where the row holds it: the view lasts while
    // `holder` does and the row stays under the cursor unchanged.
    QUtf8StringView AsUtf8(QByteArray &holder) const { return m_source->fieldText(m_index, holder); }
    bool AsBoolean() const;
    int AsInteger() const;         // 0 for text that is not a number
    double AsFloat() const;
    bool IsNull() const;           // NULL or empty text

    void setValue(const QVariant &value) { m_source->setFieldValue(m_index, value); }
    void setAsString(const QString &value) { setValue(value); }
    void setAsBoolean(bool value) { setValue(value); }
    void setAsInteger(int value) { setValue(value); }
    void Clear() { setValue(QVariant()); }

private:
    RecordSource *m_source;
    int m_index;
};

} // namespace gdvorn
