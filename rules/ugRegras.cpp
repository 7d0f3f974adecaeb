#include "rules/ugRegras.h"

#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"

#include <algorithm>

namespace gdvorn {

QString CodigoDaCritica(const QString &codigo)
{
    return codigo == QLatin1String("X") ? QStringLiteral("0040") : codigo;
}

QString CriticaNumericoCampo(const QString &valor, int tamanho)
{
    return CodigoDaCritica(CriticaNumerico(valor, QString::number(tamanho)));
}

QString CriticaNumericoTamanhoCampo(const QString &valor, int tamanho)
{
    return CodigoDaCritica(CriticaNumericoTamanho(valor, QString::number(tamanho)));
}

bool SoDigitos(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

qint64 ValorDigitos(const QString &s)
{
    // Eighteen digits still fit in 64 bits; a longer text of digits is cut to its last eighteen, far
    // beyond any field of the declaration.
    if (!SoDigitos(s))
        return 0;
    return s.right(18).toLongLong();
}

bool UmDosCodigos(qint64 valor, std::initializer_list<qint64> codigos)
{
    return std::find(codigos.begin(), codigos.end(), valor) != codigos.end();
}

bool ValorInformado(const QString &s)
{
    const QString t = s.trimmed();
    return !t.isEmpty() && !SoZeros(t);
}

QDate DataCalendario(const QString &data)
{
    if (!DataValida(data))
        return QDate();
    return QDate(data.mid(4, 4).toInt(), data.mid(2, 2).toInt(), data.left(2).toInt());
}

QDate DataDiaMes(const QString &diaMes, int ano)
{
    if (diaMes.size() != 4 || !SoDigitos(diaMes))
        return QDate();
    return QDate(ano, diaMes.mid(2, 2).toInt(), diaMes.left(2).toInt());
}

bool DiaMesValido(const QString &diaMes, const QString &ano)
{
    return ano.size() == 4 && SoDigitos(ano) && DataDiaMes(diaMes, int(ValorDigitos(ano))).isValid();
}

QString DataAnoMesDia(const QString &data)
{
    return data.mid(4, 4) + data.mid(2, 2) + data.left(2);
}

int ComparaDiaMes(const QString &a, const QString &b)
{
    const int mes = QString::compare(a.mid(2, 2), b.mid(2, 2));
    if (mes != 0)
        return mes;
    return QString::compare(a.left(2), b.left(2));
}

QDate SomaAnos(const QDate &data, int anos)
{
    return data.addMonths(12 * anos);
}

} // namespace gdvorn
