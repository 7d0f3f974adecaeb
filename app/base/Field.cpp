#include "app/base/Field.h"

#include "app/base/EngineError.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace gdvorn {

bool textIsTrue(const QString &text)
{
    const QString s = text.trimmed();
    return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1");
}

namespace {

// The rule for any text: whole characters found by the grapheme rules.
QString fullRule(const QString &text, int width)
{
    QString s = text.trimmed();
    // A lone surrogate cannot be stored: the engine gets what its UTF-8 form holds, and so does the caller.
    if (std::any_of(s.cbegin(), s.cend(), [](QChar c) { return c.isSurrogate(); }))
        s = QString::fromUtf8(s.toUtf8());
    // Fewer UTF-16 units than the width means fewer characters too: nothing to cut.
    if (width <= 0 || s.size() <= width)
        return s;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, s);
    int characters = 0;
    qsizetype end = 0;
    for (qsizetype b = graphemes.toNextBoundary(); b > 0 && characters < width; b = graphemes.toNextBoundary()) {
        end = b;
        ++characters;
    }
    return s.left(end).trimmed();
}

} // namespace

QStringView storedText(QStringView text, int width, QString &holder)
{
    const QStringView s = text.trimmed();
    // Below U+0300 there are no combining marks and no surrogates, and a printable unit is a character
    // of its own: the cut is a plain one. Anything else takes the rule's full path.
    bool plain = true;
    const qsizetype scan = width > 0 ? std::min<qsizetype>(s.size(), qsizetype(width) + 1) : s.size();
    for (qsizetype i = 0; plain && i < scan; ++i) {
        const char16_t c = s[i].unicode();
        plain = c >= 0x20 && c < 0x300;
    }
    if (plain && (width <= 0 || s.size() <= width))
        return s;
    if (plain)
        return s.left(width).trimmed();
    holder = fullRule(s.toString(), width);
    return holder;
}

QString storedText(const QString &text, int width)
{
    QString holder;
    const QStringView s = storedText(QStringView(text), width, holder);
    if (s.data() == holder.constData())
        return holder;
    // The value as given when the rule leaves it whole, without a copy.
    return s.size() == text.size() ? text : s.toString();
}

QString storedText(const QString &table, const QString &field, const QString &text)
{
    const FieldDef *f = Schema::require(table).field(field);
    if (!f)
        throw DatabaseError(QStringLiteral("Field '%1' not found.\nTable: %2").arg(field, table));
    return storedText(text, f->width);
}

namespace {

QString asString(const QVariant &v, FieldType type)
{
    if (!v.isValid() || v.isNull())
        return QString();
    if (type == FieldType::Boolean)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

} // namespace

QUtf8StringView RecordSource::fieldText(int index, QByteArray &holder) const
{
    holder = asString(fieldValue(index), fieldDef(index).type).toUtf8();
    return holder;
}

QString Field::AsString() const { return asString(Value(), DataType()); }

bool Field::AsBoolean() const
{
    const QVariant v = Value();
    return v.typeId() == QMetaType::QString ? textIsTrue(v.toString()) : v.toBool();
}

int Field::AsInteger() const
{
    bool ok = false;
    const int n = Value().toString().trimmed().toInt(&ok);
    return ok ? n : (DataType() == FieldType::Boolean ? int(Value().toBool()) : 0);
}

double Field::AsFloat() const
{
    bool ok = false;
    QString s = Value().toString().trimmed();
    const double n = s.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? n : 0.0;
}

bool Field::IsNull() const
{
    const QVariant v = Value();
    return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

} // namespace gdvorn
