#include "rules/ugRegrasContrato.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"
#include "rules/ugRegrasAdmissao.h"

namespace gdvorn {

namespace {

struct CboRecusado {
    const char *cbo;
    const char *codigo;
};

constexpr CboRecusado kCbosRecusados[] = {
    {"111105", "3645"}, {"111110", "3645"}, {"111115", "3645"}, {"111120", "3645"}, {"111205", "3645"},
    {"111210", "3645"}, {"111230", "3645"}, {"111235", "3645"}, {"111240", "3645"}, {"111245", "3645"},
    {"111250", "3645"}, {"111255", "3645"},
    {"514210", "3747"}, {"514220", "3747"}, {"516135", "3747"}, {"991405", "3747"}, {"991410", "3747"},
    {"991415", "3747"}, {"223615", "3747"}, {"223620", "3747"}, {"842305", "3747"},
    {"512110", "3770"}, {"512115", "3770"}, {"512120", "3770"}, {"513210", "3770"},
};

// A link type of public administration: 30, 31, 35, 96, 97, as the trimmed text stands.
bool vinculoPublico(const QString &vinculo)
{
    const QStringView v = VistaAparada(vinculo);
    return SoDigitos(v) && UmDosCodigos(ValorDigitos(v), {30, 31, 35, 96, 97});
}

} // namespace

QString CriticaCbo(const QString &cbo)
{
    const QString c = TextoAparado(cbo);
    for (const CboRecusado &recusado : kCbosRecusados)
        if (c == QLatin1String(recusado.cbo))
            return QString::fromLatin1(recusado.codigo);
    if (c.isEmpty())
        return QStringLiteral("0261");
    if (c.size() != 6)
        return QStringLiteral("0030");
    const QString numerico = CriticaNumericoCampo(c, 6);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(c))
        return QStringLiteral("0261");
    return contextoRegras().Tabelas().taCBO.FindKey({c}) ? CodigoValido : QStringLiteral("0260");
}

QString CriticaCboInstrucao(const QString &instrucao, const QString &cbo)
{
    const QStringView i = VistaAparada(instrucao);
    // A level that is not judged needs no search.
    if (!SoDigitos(i) || !ValorInformado(i))
        return CodigoValido;
    return CriticaCboInstrucaoBandeiras(instrucao, BandeirasCbo(cbo));
}

QString BandeirasCbo(const QString &cbo)
{
    const QString c = TextoAparado(cbo);
    if (!SoDigitos(c) || SoZeros(c))
        return QString();
    Table &cbos = contextoRegras().Tabelas().taCBO;
    if (!cbos.FindKey({c}))
        return QString();
    const auto bandeira = [&cbos](const QString &nome) {
        return cbos.FieldByName(nome).AsBoolean() ? QLatin1Char('1') : QLatin1Char('0');
    };
    return QString(bandeira(QStringLiteral("InCriticaCbo"))) + bandeira(QStringLiteral("InCriticaAna"));
}

QString CriticaCboInstrucaoBandeiras(const QString &instrucao, const QString &bandeiras)
{
    const QStringView i = VistaAparada(instrucao);
    if (!SoDigitos(i) || !ValorInformado(i) || bandeiras.size() != 2)
        return CodigoValido;
    const qint64 nivel = ValorDigitos(i);
    if (bandeiras.at(0) == QLatin1Char('1') && !UmDosCodigos(nivel, {9, 10, 11}))
        return QStringLiteral("3501");
    if (bandeiras.at(1) == QLatin1Char('1') && nivel == 1)
        return QStringLiteral("3635");
    return CodigoValido;
}

QString CriticaCodigoVinculo(const QString &vinculo)
{
    const QString v = TextoAparado(vinculo);
    if (!ValorInformado(v))
        return QStringLiteral("0273");
    const QString numerico = CriticaNumericoCampo(v, 2);
    if (numerico != CodigoValido)
        return numerico;
    return contextoRegras().Tabelas().taTpVinc.FindKey({v}) ? CodigoValido : QStringLiteral("0270");
}

QString CriticaTipoVinculo(const QString &vinculo, const QString &tipo)
{
    const QStringView v = VistaAparada(vinculo);
    const QStringView t = VistaAparada(tipo);
    if (!SoDigitos(v) || !ValorInformado(v) || !SoDigitos(t) || !ValorInformado(t))
        return CodigoValido;
    const qint64 codigo = ValorDigitos(v);
    switch (ValorDigitos(t)) {
    case 1:
        return UmDosCodigos(codigo, {10, 20, 30, 31, 35, 40, 50, 55, 60, 70, 80, 90, 95, 96, 97}) ? CodigoValido
                                                                                           : QStringLiteral("0271");
    case 3:
        return UmDosCodigos(codigo, {15, 25, 55, 65, 75}) ? CodigoValido : QStringLiteral("0271");
    default:
        return CodigoValido;
    }
}

QString CriticaVinculoTipos1(const QString &vinculo, const QString &cnae)
{
    return VistaAparada(cnae).startsWith(QLatin1String("84")) && !vinculoPublico(vinculo) ? QStringLiteral("3507")
                                                                                       : CodigoValido;
}

QString CriticaVinculoTipos2(const QString &vinculo, const QString &natureza)
{
    return VistaAparada(natureza).startsWith(QLatin1Char('1')) && !vinculoPublico(vinculo) ? QStringLiteral("3519")
                                                                                       : CodigoValido;
}

QString CriticaVinculoSeriePis(const QString &vinculo, const QString &pis)
{
    const QStringView v = VistaAparada(vinculo);
    const QStringView p = VistaAparada(pis);
    if (!SoDigitos(v) || !SoDigitos(p))
        return CodigoValido;
    const qint64 serie = ValorDigitos(p.left(3));
    const bool restrita = (serie >= 109 && serie <= 119) || UmDosCodigos(serie, {167, 168, 267, 268});
    return restrita && !UmDosCodigos(ValorDigitos(v), {35, 80}) ? QStringLiteral("0272") : CodigoValido;
}

QString CriticaVinculoIdade(const QString &vinculo, const QString &nascimento, const QString &admissao,
                            const QString &deficiencia)
{
    const QStringView d = VistaAparada(deficiencia);
    if (VistaAparada(vinculo) != QLatin1String("55") || (!d.isEmpty() && d != QLatin1String("2")))
        return CodigoValido;
    // Zeros and texts that are no date give 0: not judged.
    const int nascido = DataNumero(VistaAparada(nascimento));
    const int admitido = DataNumero(VistaAparada(admissao));
    if (nascido == 0 || admitido == 0)
        return CodigoValido;

    const int anoBase = contextoRegras().AnoBase();
    const int idade = anoBase - nascido / 10000;
    if (idade > 24 || idade < 14)
        return QStringLiteral("3502");
    if (admitido / 10000 != anoBase)
        return CodigoValido;
    if (admitido < SomaAnosNumero(nascido, 14) || admitido > SomaAnosNumero(nascido, 24))
        return QStringLiteral("3502");
    return CodigoValido;
}

QString CriticaHorasSemanais(const QString &horas)
{
    const QStringView h = VistaAparada(horas);
    if (h.isEmpty())
        return QStringLiteral("0251");
    if (h.size() != 2 || !SoDigitos(h)) {
        const QString numerico = CriticaNumericoCampo(TextoAparado(horas), 2);
        if (numerico != CodigoValido)
            return numerico;
    }
    const qint64 valor = ValorDigitos(h);
    if (valor == 0)
        return QStringLiteral("0251");
    return valor > 44 ? QStringLiteral("0250") : CodigoValido;
}

QString CriticaHorasVinculo(const QString &vinculo, const QString &instrucao, const QString &horas)
{
    if (vinculo != QLatin1String("55") || !SoDigitos(instrucao) || !SoDigitos(horas))
        return CodigoValido;
    const qint64 h = ValorDigitos(horas);
    const qint64 limite = ValorDigitos(instrucao) <= 4 ? 30 : 40;
    return h > limite ? QStringLiteral("3773") : CodigoValido;
}

} // namespace gdvorn
