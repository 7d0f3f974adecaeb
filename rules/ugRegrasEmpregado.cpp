#include "rules/ugRegrasEmpregado.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegrasAdmissao.h"
#include "rules/ugRegras.h"

#include <algorithm>
#include <iterator>

namespace gdvorn {

namespace {

// PIS numbers refused whatever their check digit (eleven digits each, the first not "0").
constexpr qint64 kPisRecusados[] = {
    11111111116, 10000000016, 10000000024, 10000000032, 10000000040, 10000000059,
    10000000067, 10000000075, 10000000091, 10000000105, 10000000121, 10000000148,
    10000000156, 10000000164, 10000000172, 10000000199, 10000000202,
};

// The text is one of the refused numbers: eleven digits of one of their values.
bool pisRecusado(QStringView pis)
{
    if (pis.size() != 11 || !SoDigitos(pis))
        return false;
    const qint64 valor = ValorDigitos(pis);
    return std::find(std::begin(kPisRecusados), std::end(kPisRecusados), valor) != std::end(kPisRecusados);
}

QString primeiraPalavra(const QString &nome)
{
    return nome.left(nome.indexOf(QLatin1Char(' ')));
}

} // namespace

QString CriticaPis(const QString &pis)
{
    const QStringView p = VistaAparada(pis);
    if (SoZeros(p))
        return QStringLiteral("0150");
    if (p.isEmpty())
        return QStringLiteral("0153");
    if (pisRecusado(p))
        return QStringLiteral("0150");
    const QString aparado = p.size() == pis.size() ? pis : TextoAparado(pis);
    if (p.size() != 11 || !SoDigitos(p)) {
        const QString numerico = CriticaNumericoCampo(aparado, 11);
        if (numerico != CodigoValido)
            return numerico;
    }
    return ValidaPisPasep(aparado) ? CodigoValido : QStringLiteral("0150");
}

QString CriticaPisInscricao(const QString &, const QString &)
{
    return CodigoValido;
}

QString CriticaNomeEmpregado(QString &nome, const QString &pis)
{
    nome = TextoAparado(nome);
    QString codigo;
    if (nome.isEmpty())
        codigo = QStringLiteral("0160");
    else if (!SemCaracterRepetido(nome))
        codigo = QStringLiteral("3100");
    else if (ContaPalavras(nome) == 1)
        codigo = QStringLiteral("0161");
    else
        codigo = CriticaTexto(nome);
    if (codigo != CodigoValido)
        return codigo;

    const QString p = TextoAparado(pis);
    Table &pisIndevidos = contextoRegras().Tabelas().tbPisInval;
    // An empty list of wrongly issued numbers (as installed) is not searched for every link.
    if (contextoRegras().TemLinhas(pisIndevidos) && pisIndevidos.FindKey({p})) {
        const QString declarado = pisIndevidos.FieldByName(QStringLiteral("NoEmpregado")).AsString();
        if (nome.contains(QLatin1Char(' ')) && declarado.contains(QLatin1Char(' '))
            && primeiraPalavra(nome) != primeiraPalavra(declarado))
            return QStringLiteral("3647");
        return CodigoValido;
    }
    for (const PisNomeConhecido &par : kPisNomesConhecidos)
        if (p == QLatin1String(par.pis))
            return nome.toUpper() == QLatin1String(par.nome) ? CodigoValido : QStringLiteral("3647");
    return CodigoValido;
}

QString CriticaCpfEmpregado(const QString &cpf)
{
    const QStringView c = VistaAparada(cpf);
    if (c.isEmpty())
        return CodigoValido;
    const QString aparado = c.size() == cpf.size() ? cpf : TextoAparado(cpf);
    if (c.size() != 11 || !SoDigitos(c)) {
        const QString numerico = CriticaNumericoCampo(aparado, 11);
        if (numerico != CodigoValido)
            return numerico;
    }
    if (SoZeros(c))
        return CodigoValido;
    return ValidaCPF(aparado) && NaoRepetido(aparado) ? CodigoValido : QStringLiteral("0210");
}

QString CriticaCpfObrigatorio(const QString &cpf, const QString &vinculo, const QString &desligamento,
                              const QString &alvara)
{
    if (ValorInformado(cpf))
        return CodigoValido;
    const QStringView v = VistaAparada(vinculo);
    // The link types whose employee needs a CPF.
    const bool exigeCpf =
        SoDigitos(v) && UmDosCodigos(ValorDigitos(v), {10, 15, 30, 31, 35, 40, 50, 60, 65, 80, 90, 95, 96, 97});
    if (VistaAparada(alvara) != QLatin1String("1") && exigeCpf && !ValorInformado(desligamento))
        return QStringLiteral("3722");
    return CodigoValido;
}

QString CriticaDataNascimento(const QString &data)
{
    const QStringView d = VistaAparada(data);
    // A real date is informed and numeric: only its year is left to judge.
    if (const int numero = DataNumero(d))
        return numero / 10000 <= 1900 ? QStringLiteral("0175") : CodigoValido;
    if (!ValorInformado(d))
        return QStringLiteral("0170");
    if (d.size() != 8 || !SoDigitos(d)) {
        const QString numerico = CriticaNumericoCampo(TextoAparado(data), 8);
        if (numerico != CodigoValido)
            return numerico;
    }
    const int numero = DataNumero(d);
    if (numero == 0 || numero / 10000 <= 1900)
        return QStringLiteral("0175");
    return CodigoValido;
}

QString CriticaNascimento(const QString &data, const QString &ano)
{
    const QStringView nascido = VistaAparada(data).mid(4, 4);
    const QStringView a = VistaAparada(ano);
    if (!SoDigitos(nascido) || !SoDigitos(a))
        return CodigoValido;
    const qint64 anoNascimento = ValorDigitos(nascido);
    const qint64 anoBase = ValorDigitos(a);
    if (anoNascimento == 0 || anoBase == 0)
        return CodigoValido;
    if (anoNascimento > anoBase)
        return QStringLiteral("0174");
    if (anoBase - anoNascimento < 10)
        return QStringLiteral("0172");
    if (anoBase - anoNascimento < 15)
        return QStringLiteral("0176");
    return CodigoValido;
}

QString CriticaSexo(const QString &sexo)
{
    const QStringView s = VistaAparada(sexo);
    return s == QLatin1String("1") || s == QLatin1String("2") ? CodigoValido : QStringLiteral("3524");
}

QString CriticaRaca(const QString &raca)
{
    const QString r = TextoAparado(raca);
    if (r.isEmpty())
        return QStringLiteral("0480");
    return contextoRegras().Tabelas().taRaca.FindKey({r}) ? CodigoValido : QStringLiteral("0481");
}

QString CriticaIndicadorDeficiencia(const QString &indicador)
{
    const QStringView i = VistaAparada(indicador);
    return i == QLatin1String("1") || i == QLatin1String("2") ? CodigoValido : QStringLiteral("0001");
}

QString CriticaTipoDeficiencia(const QString &tipo, const QString &indicador, bool modoArquivo)
{
    const QStringView t = VistaAparada(tipo);
    const QStringView i = VistaAparada(indicador);
    const QString invalido = QStringLiteral("3701");
    const bool tem = i == QLatin1String("1");
    const bool naoTem = i == QLatin1String("2");
    if (modoArquivo) {
        if (!SoDigitos(t) || ValorDigitos(t) >= 7)
            return invalido;
        const bool nenhum = ValorDigitos(t) == 0;
        if ((nenhum && tem) || (!nenhum && naoTem))
            return invalido;
        return CodigoValido;
    }
    if (i.isEmpty() || (t.isEmpty() && tem) || (!t.isEmpty() && !SoZeros(t) && naoTem))
        return invalido;
    if (tem && !contextoRegras().Tabelas().taDeficiente.FindKey({t.toString()}))
        return invalido;
    return CodigoValido;
}

} // namespace gdvorn
