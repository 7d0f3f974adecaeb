#include "rules/ugRegrasSalario.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

#include <algorithm>

namespace gdvorn {

namespace {

bool vinculoIsento(QStringView vinculo)
{
    return UmDosCodigos(ValorDigitos(vinculo), {30, 31, 35, 95, 96, 97});
}

// A month as a two-digit text, so that "5" and "05" compare alike with the months cut out of dates.
QString mesDoisDigitos(const QString &mes)
{
    return mes.size() < 2 ? CompletaZeros(mes, 2) : mes;
}

QString seVazio(const QString &valor, const char *padrao)
{
    const QString v = TextoAparado(valor);
    return v.isEmpty() ? QString::fromLatin1(padrao) : v;
}

} // namespace

qint64 ValorSemZerosEsquerda(const QString &valor)
{
    QStringView v = VistaAparada(valor);
    while (!v.isEmpty() && v.front() == QLatin1Char('0'))
        v = v.sliced(1);
    return ValorDigitos(VistaAparada(v));
}

QString CriticaSalarioNumerico(const QString &salario)
{
    return CriticaNumericoCampo(TextoAparado(salario), 9);
}

QString CriticaTipoSalario(const QString &tipo)
{
    const QString t = TextoAparado(tipo);
    if (!ValorInformado(t))
        return QStringLiteral("0241");
    const QString numerico = CriticaNumericoCampo(t, 1);
    if (numerico != CodigoValido)
        return numerico;
    return contextoRegras().Tabelas().taSalario.FindKey({t}) ? CodigoValido : QStringLiteral("0240");
}

QString CriticaSalarioContratual(const QString &salario, const QString &tipo, const QString &vinculo)
{
    const QString s = TextoAparado(salario);
    const QString t = TextoAparado(tipo);
    const QString v = TextoAparado(vinculo);
    if (!SoDigitos(s) || !SoDigitos(t) || !SoDigitos(v) || SoZeros(v))
        return CodigoValido;
    const bool isento = vinculoIsento(v);
    if (!isento && SoZeros(s))
        return QStringLiteral("0232");
    if (t != QLatin1String("1") || isento)
        return CodigoValido;
    if (AbaixoSalarioMinimo(s))
        return QStringLiteral("0230");
    return AcimaLimiteRemuneracao(s) ? QStringLiteral("0231") : CodigoValido;
}

QString CriticaSalarioValor(const QString &vinculo, const QString &salario, const QString &, const QString &)
{
    const QString v = TextoAparado(vinculo);
    if (!SoDigitos(v) || !UmDosCodigos(ValorDigitos(v), {10, 15, 20, 25, 40, 50, 55, 60, 65, 70, 75, 80, 90}))
        return CodigoValido;
    const QString s = TextoAparado(salario);
    const QString numerico = CriticaNumericoCampo(s, 9);
    if (numerico != CodigoValido)
        return numerico;
    return SoZeros(s) ? QStringLiteral("0232") : CodigoValido;
}

QString CriticaSalarioMinimo(const ParametrosSalarioMinimo &p)
{
    const QString valor = TextoAparado(p.valor);
    if (valor.isEmpty())
        return QStringLiteral("0315");
    const QString numerico = CriticaNumericoCampo(valor, 9);
    if (numerico != CodigoValido)
        return numerico;
    // Nine digits by now: their value is the amount in cents.
    return CriticaSalarioMinimoCentavos(p, ValorDigitos(valor));
}

QString CriticaSalarioMinimoCentavos(const ParametrosSalarioMinimo &p, qint64 centavos)
{
    const SalarioMinimoDoVinculo vinculo(p.tipoSalario, p.vinculo, p.naturezaJuridica, p.desligamento, p.admissao,
                                         p.anoBase);
    return CriticaSalarioMinimoMes(vinculo, mesDoisDigitos(TextoAparado(p.mes)), centavos);
}

SalarioMinimoDoVinculo::SalarioMinimoDoVinculo(QStringView tipoSalario, QStringView vinculo,
                                               QStringView naturezaJuridica, QStringView desligamento,
                                               QStringView admissao, QStringView anoBase)
{
    const QStringView tipoVinculo = VistaAparada(vinculo);
    julgado = SoDigitos(tipoVinculo) && !vinculoIsento(tipoVinculo);
    mensal = VistaAparada(tipoSalario) == QLatin1String("1");
    const QStringView dataDesligamento = VistaAparada(desligamento);
    desligamentoInformado = ValorInformado(dataDesligamento);
    mesDesligamento = dataDesligamento.mid(2, 2);
    const QStringView dataAdmissao = VistaAparada(admissao);
    admitidoNoAno = dataAdmissao.mid(4, 4) == VistaAparada(anoBase);
    mesAdmissao = dataAdmissao.mid(2, 2);
    this->naturezaJuridica = VistaAparada(naturezaJuridica);
}

QString CriticaSalarioMinimoMes(const SalarioMinimoDoVinculo &vinculo, QStringView mes, qint64 centavos)
{
    if (centavos == 0 || !vinculo.julgado)
        return CodigoValido;
    const bool acimaLimite = AcimaLimiteRemuneracaoCentavos(centavos);
    if (!vinculo.mensal)
        return acimaLimite ? QStringLiteral("0313") : CodigoValido;

    const bool mesCheio = !vinculo.desligamentoInformado || mes < vinculo.mesDesligamento;
    if (mesCheio && (!vinculo.admitidoNoAno || mes != vinculo.mesAdmissao)) {
        if (AbaixoSalarioMinimoCentavos(centavos)) {
            const QStringView natureza = vinculo.naturezaJuridica;
            const bool naturezaIsenta = natureza == QLatin1String("1015") || natureza == QLatin1String("1040")
                || natureza == QLatin1String("1074") || natureza == QLatin1String("1104")
                || natureza == QLatin1String("1139") || natureza == QLatin1String("1163");
            return naturezaIsenta ? CodigoValido : QStringLiteral("0312");
        }
        return acimaLimite ? QStringLiteral("0313") : CodigoValido;
    }
    if (!vinculo.admitidoNoAno)
        return CodigoValido;
    return acimaLimite ? QStringLiteral("0313") : CodigoValido;
}

QString CriticaRemuneracaoAbaixoContratual(const ParametrosRemuneracaoAbaixoContratual &p)
{
    // The first two tests without a copy of any text: most months end here, before any other field is
    // looked at.
    if (RemuneracaoAtingeContratual(ValorSemZerosEsquerda(p.valor), ValorSemZerosEsquerda(p.salarioContratual)))
        return CodigoValido;

    const QString valor = seVazio(RetiraZerosEsquerda(TextoAparado(p.valor)), "0");
    const QString salario = seVazio(RetiraZerosEsquerda(TextoAparado(p.salarioContratual)), "0");
    const QString mes = mesDoisDigitos(seVazio(p.mes, "0000"));
    const QString tipo = seVazio(p.tipoSalario, "0");
    const QString desligamento = seVazio(p.desligamento, "0000");
    const QString vinculo = seVazio(p.vinculo, "00");
    const QString admissao = TextoAparado(p.admissao);
    QStringList afastamentos;
    for (const QString *data : {&p.inicioAfastamento1, &p.fimAfastamento1, &p.inicioAfastamento2,
                                &p.fimAfastamento2, &p.inicioAfastamento3, &p.fimAfastamento3})
        afastamentos << seVazio(*data, "0000");

    if (!SoDigitos(valor) || ValorDigitos(valor) <= 0)
        return CodigoValido;
    // At least 70 % of the contractual salary, in integers: exactly 70 % passes.
    if (10 * ValorDigitos(valor) >= 7 * ValorDigitos(salario))
        return CodigoValido;
    if (!SoDigitos(mes) || !SoDigitos(admissao) || !SoDigitos(desligamento))
        return CodigoValido;
    if (std::any_of(afastamentos.cbegin(), afastamentos.cend(), [](const QString &d) { return !SoDigitos(d); }))
        return CodigoValido;
    if (!SoDigitos(vinculo) || tipo != QLatin1String("1") || vinculoIsento(vinculo))
        return CodigoValido;
    if (std::any_of(afastamentos.cbegin(), afastamentos.cend(),
                    [&](const QString &d) { return d.mid(2, 2) == mes; }))
        return CodigoValido;
    const QString mesDesligamento = desligamento.mid(2, 2);
    if (mesDesligamento == QLatin1String("00") || mes < mesDesligamento)
        return QStringLiteral("3728");
    return CodigoValido;
}

} // namespace gdvorn
