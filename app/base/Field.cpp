#include "app/base/Field.h"

namespace gdvorn {

bool textIsTrue(const QString &text)
{
    const QString s = text.trimmed();
    return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1");
}

QString Field::AsString() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return QString();
    if (DataType() == FieldType::Boolean)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

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
