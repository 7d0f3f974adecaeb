#include "rules/ugRegras.h"

#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"

#include <algorithm>

namespace gdvorn {

QString CodigoDaCritica(const QString &codigo)
{
    return codigo == QLatin1String("X") ? QStringLiteral("0040") : codigo;
}

namespace {

// A value that fills a field of `tamanho` characters with digits, blanks around it aside: what the generic
// numeric checks pass without a look at the rest.
bool preencheComDigitos(QStringView valor, int tamanho)
{
    const QStringView v = VistaAparada(valor);
    return v.size() == tamanho && SoDigitos(v);
}

} // namespace

QString CriticaNumericoCampo(QStringView valor, int tamanho)
{
    if (preencheComDigitos(valor, tamanho))
        return CodigoValido;
    return CodigoDaCritica(CriticaNumerico(valor.toString(), QString::number(tamanho)));
}

QString CriticaNumericoTamanhoCampo(QStringView valor, int tamanho)
{
    if (preencheComDigitos(valor, tamanho))
        return CodigoValido;
    return CodigoDaCritica(CriticaNumericoTamanho(valor.toString(), QString::number(tamanho)));
}

bool UmDosCodigos(qint64 valor, std::initializer_list<qint64> codigos)
{
    return std::find(codigos.begin(), codigos.end(), valor) != codigos.end();
}

bool ValorInformado(QStringView s)
{
    const QStringView t = VistaAparada(s);
    return !t.isEmpty() && !std::all_of(t.begin(), t.end(), [](QChar c) { return c == QLatin1Char('0'); });
}

namespace {

// The number written by the digits of `s` (which has passed SoDigitos).
int numeroDosDigitos(QStringView s)
{
    int n = 0;
    for (QChar c : s)
        n = n * 10 + (c.unicode() - u'0');
    return n;
}

// The date of those day, month and year, or a null one.
QDate dataOuNula(int ano, int mes, int dia)
{
    const QDate d(ano, mes, dia);
    return d.isValid() ? d : QDate();
}

} // namespace

int DataNumero(QStringView data)
{
    if (data.size() != 8)
        return 0;
    // Digits tested and read in one pass: every link's dates come here several times.
    int digitos[8];
    const char16_t *c = data.utf16();
    for (int i = 0; i < 8; ++i) {
        const unsigned digito = char16_t(c[i] - u'0');
        if (digito > 9)
            return 0;
        digitos[i] = int(digito);
    }
    const int dia = digitos[0] * 10 + digitos[1];
    const int mes = digitos[2] * 10 + digitos[3];
    const int ano = ((digitos[4] * 10 + digitos[5]) * 10 + digitos[6]) * 10 + digitos[7];
    static constexpr int kDiasDoMes[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // Year 0 is no year of the calendar (as QDate has it).
    if (ano == 0 || mes < 1 || mes > 12 || dia < 1)
        return 0;
    const int ultimo = mes == 2 && QDate::isLeapYear(ano) ? 29 : kDiasDoMes[mes - 1];
    return dia <= ultimo ? ano * 10000 + mes * 100 + dia : 0;
}

QDate DataCalendario(const QString &data)
{
    // DataValida's test: eight digits, nothing around them, a real date.
    const int numero = DataNumero(data);
    return numero ? QDate(numero / 10000, numero / 100 % 100, numero % 100) : QDate();
}

QDate DataDiaMes(const QString &diaMes, int ano)
{
    if (diaMes.size() != 4 || !SoDigitos(diaMes))
        return QDate();
    const QStringView d(diaMes);
    return dataOuNula(ano, numeroDosDigitos(d.mid(2, 2)), numeroDosDigitos(d.left(2)));
}

bool DiaMesValido(const QString &diaMes, const QString &ano)
{
    return ano.size() == 4 && SoDigitos(ano) && DataDiaMes(diaMes, int(ValorDigitos(ano))).isValid();
}

QString DataAnoMesDia(const QString &data)
{
    return data.mid(4, 4) + data.mid(2, 2) + data.left(2);
}

int ComparaDiaMes(QStringView a, QStringView b)
{
    const int mes = a.mid(2, 2).compare(b.mid(2, 2));
    if (mes != 0)
        return mes;
    return a.left(2).compare(b.left(2));
}

QDate SomaAnos(const QDate &data, int anos)
{
    return data.addMonths(12 * anos);
}

int SomaAnosNumero(int data, int anos)
{
    const int ano = data / 10000 + anos;
    const int mesDia = data % 10000;
    if (mesDia == 229 && !QDate::isLeapYear(ano))
        return ano * 10000 + 228;
    return ano * 10000 + mesDia;
}

} // namespace gdvorn
