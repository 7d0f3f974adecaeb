#include "rules/ugRegrasRemuneracao.h"

#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

#include <algorithm>

namespace gdvorn {

namespace {

// The month (characters 3 and 4) of a DDMM or DDMMYYYY date that is all digits; 0 otherwise.
int mesDaData(const QString &data)
{
    const QString m = data.mid(2, 2);
    return SoDigitos(data) && m.size() == 2 ? int(ValorDigitos(m)) : 0;
}

// Every pay of the months `de` to `ate` (1 to 12) is zero.
bool mesesSemRemuneracao(const ValoresMensais &valores, int de, int ate)
{
    for (int m = std::max(de, 1); m <= std::min(ate, 12); ++m)
        if (valores[size_t(m - 1)] != 0)
            return false;
    return true;
}

// A year without pay that the link's own data explain.
bool semRemuneracaoExplicada(const ParametrosRemuneracaoAfastamento &p, const QString &anoBase)
{
    const QString &desligamento = p.desligamento;
    if (!desligamento.isEmpty() && desligamento != QLatin1String("0000") && desligamento == p.fimAfastamento1)
        return true;
    if (p.inicioAfastamento1 == QLatin1String("0101") && p.fimAfastamento1 == QLatin1String("3112"))
        return true;
    if (p.admissao.mid(4, 4) == anoBase && p.inicioAfastamento1 == p.admissao.left(4)
        && p.fimAfastamento1 == QLatin1String("3112"))
        return true;
    if (SoDigitos(p.causaDesligamento)
        && UmDosCodigos(ValorDigitos(p.causaDesligamento), {30, 31, 60, 70, 72, 73, 74, 75, 76, 79}))
        return true;
    return desligamento.mid(2, 2) == QLatin1String("01") || p.diasAfastamento == QLatin1String("365");
}

} // namespace

QString CriticaRemuneracaoDezVezes(const QString &valor, const QString &mes, const QString &valorAnterior)
{
    // Each text that is not all digits values 0, which decides as its digits test would.
    return CriticaRemuneracaoDezVezesNumeros(ValorDigitos(valor), ValorDigitos(mes), ValorDigitos(valorAnterior));
}

QString CriticaRemuneracaoDezVezesNumeros(qint64 atual, qint64 mes, qint64 anterior)
{
    if (mes < 2)
        return CodigoValido;
    return atual != 0 && anterior != 0 && atual == 10 * anterior ? QStringLiteral("0314") : CodigoValido;
}

QString CriticaRemuneracaoLimiteInstrucao(const QString &valor, const QString &instrucao, const QString &natureza,
                                          const QString &)
{
    return CriticaRemuneracaoLimiteInstrucaoNumero(ValorDigitos(valor), instrucao, natureza);
}

QString CriticaRemuneracaoLimiteInstrucaoNumero(qint64 pago, const QString &instrucao, const QString &natureza)
{
    // A pay or a level that is not all digits values 0, and neither 0 reaches a limit below.
    if (pago == 0 || !SoDigitos(natureza) || SoZeros(natureza))
        return CodigoValido;
    if (natureza == QLatin1String("2011") || natureza == QLatin1String("2038"))
        return CodigoValido;
    const QChar primeiro = natureza.at(0);
    if (primeiro < QLatin1Char('2') || primeiro > QLatin1Char('5'))
        return CodigoValido;
    const qint64 nivel = ValorDigitos(instrucao);
    if (nivel >= 1 && nivel <= 7 && pago >= 510001)
        return QStringLiteral("3768");
    if (nivel >= 8 && nivel <= 11 && pago >= 1020001)
        return QStringLiteral("3768");
    return CodigoValido;
}

QString CriticaRemuneracaoAntesAdmissao(const QString &mes, const QString &admissao, const QString &ano)
{
    const QString m = TextoAparado(mes);
    const QString a = TextoAparado(admissao);
    const QString y = TextoAparado(ano);
    if (!SoDigitos(m) || !SoDigitos(a) || !SoDigitos(y))
        return CodigoValido;
    if (SoZeros(a) || SoZeros(m) || SoZeros(y) || a.size() != 8)
        return CodigoValido;
    const qint64 anoAdmissao = ValorDigitos(a.mid(4, 4));
    if (anoAdmissao <= 0 || anoAdmissao != ValorDigitos(y))
        return CodigoValido;
    return ValorDigitos(m) < mesDaData(a) ? QStringLiteral("0310") : CodigoValido;
}

QString CriticaRemuneracaoAposDesligamento(const QString &mes, const QString &desligamento)
{
    const QString m = TextoAparado(mes);
    const QString d = TextoAparado(desligamento);
    if (!SoDigitos(d) || !SoDigitos(m) || SoZeros(d) || d.size() != 4)
        return CodigoValido;
    return mesDaData(d) < ValorDigitos(m) ? QStringLiteral("0311") : CodigoValido;
}

QString CriticaRemuneracaoAprendiz(const QString &mes, const QString &vinculo, const QString &nascimento,
                                   const QString &deficiencia, const QString &ano)
{
    // The link type first: only apprentices go further.
    if (VistaAparada(vinculo) != QLatin1String("55"))
        return CodigoValido;
    const QString m = TextoAparado(mes);
    const QString n = TextoAparado(nascimento);
    const QString d = TextoAparado(deficiencia);
    if (!SoDigitos(n) || !SoDigitos(m) || !SoDigitos(ano))
        return CodigoValido;
    if (SoZeros(n) || n.size() != 8 || (!d.isEmpty() && d != QLatin1String("0")))
        return CodigoValido;
    const qint64 idade = ValorDigitos(ano) - ValorDigitos(n.mid(4, 4));
    const qint64 mesPago = ValorDigitos(m);
    const int mesNascimento = mesDaData(n);
    if (idade == 24 && mesNascimento < mesPago)
        return QStringLiteral("3503");
    if (idade == 14 && mesPago < mesNascimento)
        return QStringLiteral("3503");
    return CodigoValido;
}

QString CriticaRemuneracaoAfastamento(const ParametrosRemuneracaoAfastamento &entrada)
{
    ParametrosRemuneracaoAfastamento p = entrada;
    for (QString *texto : {&p.motivoAfastamento1, &p.inicioAfastamento1, &p.fimAfastamento1, &p.desligamento,
                           &p.causaDesligamento, &p.admissao, &p.diasAfastamento})
        *texto = texto->trimmed();
    const QString anoBase = QString::number(contextoRegras().AnoBase());
    const QString semRemuneracao = QStringLiteral("1674");

    if (p.remuneracaoTotal == 0 && !semRemuneracaoExplicada(p, anoBase))
        return semRemuneracao;

    if (!SoDigitos(p.admissao) || !SoDigitos(p.inicioAfastamento1)
        || p.desligamento.mid(2, 2) != p.fimAfastamento1.mid(2, 2))
        return CodigoValido;
    const int mesAdmissao = mesDaData(p.admissao);
    const int mesInicio = mesDaData(p.inicioAfastamento1);
    int de = 0;
    if (p.admissao.mid(4, 4) == anoBase) {
        if (mesAdmissao < mesInicio)
            de = mesAdmissao;
    } else if (mesInicio >= 2) {
        de = 1;
    }
    if (de == 0)
        return CodigoValido;
    return mesesSemRemuneracao(p.valores, de, mesInicio - 1) ? semRemuneracao : CodigoValido;
}

QString CriticaRemuneracaoMesDesligamento(const QString &desligamento, const ValoresMensais &valores)
{
    const QString d = TextoAparado(desligamento);
    if (d.size() != 4 || !SoDigitos(d) || SoZeros(d))
        return CodigoValido;
    const qint64 dia = ValorDigitos(d.left(2));
    const int mes = mesDaData(d);
    if (mes < 2 || mes > 12)
        return CodigoValido;
    const qint64 anterior = valores[size_t(mes - 2)];
    if (anterior == 0)
        return CodigoValido;
    // Pay > day × previous / 30, in integers.
    return 30 * valores[size_t(mes - 1)] > dia * anterior ? QStringLiteral("3775") : CodigoValido;
}

QString CriticaHorasNumericas(const QString &horas)
{
    // Digits pass CriticaDigitos: only another text needs the generic check.
    const QStringView h = VistaAparada(horas);
    return SoDigitos(h) ? CodigoValido : CriticaDigitos(h.toString());
}

QString CriticaHorasMes(const QString &horas)
{
    // A text that is not all digits values 0.
    return CriticaHorasMesNumero(ValorDigitos(VistaAparada(horas)));
}

QString CriticaHorasMesNumero(qint64 horas)
{
    return horas > 100 ? QStringLiteral("3698") : CodigoValido;
}

QString CriticaHorasSemRemuneracao(const QString &horas, const QString &valor)
{
    // Hours that are not all digits value 0, as do the zeros: neither needs the pay.
    const qint64 h = ValorDigitos(VistaAparada(horas));
    if (h == 0)
        return CodigoValido;
    const QStringView v = VistaAparada(valor);
    return CriticaHorasSemRemuneracaoNumero(h, SoDigitos(v) && ValorDigitos(v) == 0);
}

QString CriticaHorasSemRemuneracaoNumero(qint64 horas, bool valorZerado)
{
    return horas != 0 && valorZerado ? QStringLiteral("3677") : CodigoValido;
}

QString CriticaHorasRemuneracao(const ParametrosHorasRemuneracao &p)
{
    if (p.horas <= 0)
        return CodigoValido;
    if (p.mesDesligamento != 0)
        return p.mes > p.mesDesligamento ? QStringLiteral("3710") : CodigoValido;
    const QString semRemuneracao = p.valor == 0 ? QStringLiteral("3677") : CodigoValido;
    const QString admissao = TextoAparado(p.admissao);
    if (admissao.size() != 6 || !SoDigitos(admissao))
        return semRemuneracao;
    const QString anoAdmissao = admissao.mid(2, 4);
    if (anoAdmissao < QString::number(contextoRegras().AnoBase()))
        return semRemuneracao;
    const QString encerramento = TextoAparado(p.anoEncerramento);
    const bool naoEncerrouEmOutroAno =
        encerramento.isEmpty() || SoZeros(encerramento) || encerramento == anoAdmissao;
    if (p.mes < ValorDigitos(admissao.left(2)) && naoEncerrouEmOutroAno)
        return QStringLiteral("3711");
    return semRemuneracao;
}

} // namespace gdvorn
