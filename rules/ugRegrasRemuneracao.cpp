#include "rules/ugRegrasRemuneracao.h"

#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace gdvorn {

namespace {

// The month (characters 3 and 4) of a DDMM or DDMMYYYY date that is all digits; 0 otherwise.
int mesDaData(QStringView data)
{
    const QStringView m = data.mid(2, 2);
    return SoDigitos(data) && m.size() == 2 ? int(ValorDigitos(m)) : 0;
}

// The base year's text, as QString::number writes it, in `texto`.
QLatin1StringView textoDoAnoBase(std::array<char, 12> &texto)
{
    const char *fim = std::to_chars(texto.data(), texto.data() + texto.size(), contextoRegras().AnoBase()).ptr;
    return QLatin1StringView(texto.data(), fim - texto.data());
}

// Every pay of the months `de` to `ate` (1 to 12) is zero.
bool mesesSemRemuneracao(const ValoresMensais &valores, int de, int ate)
{
    for (int m = std::max(de, 1); m <= std::min(ate, 12); ++m)
        if (valores[size_t(m - 1)] != 0)
            return false;
    return true;
}

// The texts of CriticaRemuneracaoAfastamento's inputs, trimmed.
struct TextosAfastamento {
    explicit TextosAfastamento(const ParametrosRemuneracaoAfastamento &p)
        : inicioAfastamento1(VistaAparada(p.inicioAfastamento1)), fimAfastamento1(VistaAparada(p.fimAfastamento1)),
          desligamento(VistaAparada(p.desligamento)), causaDesligamento(VistaAparada(p.causaDesligamento)),
          admissao(VistaAparada(p.admissao)), diasAfastamento(VistaAparada(p.diasAfastamento))
    {
    }
    QStringView inicioAfastamento1;
    QStringView fimAfastamento1;
    QStringView desligamento;
    QStringView causaDesligamento;
    QStringView admissao;
    QStringView diasAfastamento;
};

// A year without pay that the link's own data explain.
bool semRemuneracaoExplicada(const TextosAfastamento &p, QLatin1StringView anoBase)
{
    const QStringView desligamento = p.desligamento;
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
    // A pay that is not all digits values 0, which reaches no limit.
    if (pago == 0)
        return CodigoValido;
    return CriticaRemuneracaoAcimaDoLimite(pago, LimiteRemuneracaoInstrucao(instrucao, natureza));
}

qint64 LimiteRemuneracaoInstrucao(QStringView instrucao, QStringView natureza)
{
    // A level that is not all digits values 0, which has no limit; so does a legal nature of zeros
    // (all digits by then, so not informed is zeros).
    if (!SoDigitos(natureza) || !ValorInformado(natureza))
        return 0;
    if (natureza == QLatin1String("2011") || natureza == QLatin1String("2038"))
        return 0;
    const QChar primeiro = natureza.at(0);
    if (primeiro < QLatin1Char('2') || primeiro > QLatin1Char('5'))
        return 0;
    const qint64 nivel = ValorDigitos(instrucao);
    if (nivel >= 1 && nivel <= 7)
        return 510001;
    if (nivel >= 8 && nivel <= 11)
        return 1020001;
    return 0;
}

QString CriticaRemuneracaoAcimaDoLimite(qint64 pago, qint64 limite)
{
    return limite != 0 && pago >= limite ? QStringLiteral("3768") : CodigoValido;
}

QString CriticaRemuneracaoAntesAdmissao(const QString &mes, const QString &admissao, const QString &ano)
{
    const QStringView m = VistaAparada(mes);
    const QStringView a = VistaAparada(admissao);
    const QStringView y = VistaAparada(ano);
    if (!SoDigitos(m) || !SoDigitos(a) || !SoDigitos(y))
        return CodigoValido;
    // All digits by now: not informed is zeros.
    if (!ValorInformado(a) || !ValorInformado(m) || !ValorInformado(y) || a.size() != 8)
        return CodigoValido;
    const qint64 anoAdmissao = ValorDigitos(a.mid(4, 4));
    if (anoAdmissao <= 0 || anoAdmissao != ValorDigitos(y))
        return CodigoValido;
    return ValorDigitos(m) < mesDaData(a) ? QStringLiteral("0310") : CodigoValido;
}

QString CriticaRemuneracaoAposDesligamento(const QString &mes, const QString &desligamento)
{
    const QStringView m = VistaAparada(mes);
    const QStringView d = VistaAparada(desligamento);
    if (!SoDigitos(d) || !SoDigitos(m) || !ValorInformado(d) || d.size() != 4)
        return CodigoValido;
    return mesDaData(d) < ValorDigitos(m) ? QStringLiteral("0311") : CodigoValido;
}

QString CriticaRemuneracaoAprendiz(const QString &mes, const QString &vinculo, const QString &nascimento,
                                   const QString &deficiencia, const QString &ano)
{
    // The link type first: only apprentices go further.
    if (VistaAparada(vinculo) != QLatin1String("55"))
        return CodigoValido;
    const QStringView m = VistaAparada(mes);
    const QStringView n = VistaAparada(nascimento);
    const QStringView d = VistaAparada(deficiencia);
    if (!SoDigitos(n) || !SoDigitos(m) || !SoDigitos(ano))
        return CodigoValido;
    if (!ValorInformado(n) || n.size() != 8 || (!d.isEmpty() && d != QLatin1String("0")))
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
    const TextosAfastamento p(entrada);
    std::array<char, 12> texto;
    const QString semRemuneracao = QStringLiteral("1674");

    if (entrada.remuneracaoTotal == 0 && !semRemuneracaoExplicada(p, textoDoAnoBase(texto)))
        return semRemuneracao;

    if (!SoDigitos(p.admissao) || !SoDigitos(p.inicioAfastamento1)
        || p.desligamento.mid(2, 2) != p.fimAfastamento1.mid(2, 2))
        return CodigoValido;
    const int mesAdmissao = mesDaData(p.admissao);
    const int mesInicio = mesDaData(p.inicioAfastamento1);
    int de = 0;
    if (p.admissao.mid(4, 4) == textoDoAnoBase(texto)) {
        if (mesAdmissao < mesInicio)
            de = mesAdmissao;
    } else if (mesInicio >= 2) {
        de = 1;
    }
    if (de == 0)
        return CodigoValido;
    return mesesSemRemuneracao(entrada.valores, de, mesInicio - 1) ? semRemuneracao : CodigoValido;
}

QString CriticaRemuneracaoMesDesligamento(const QString &desligamento, const ValoresMensais &valores)
{
    const QStringView d = VistaAparada(desligamento);
    // All digits before it is zeros: not informed is zeros.
    if (d.size() != 4 || !SoDigitos(d) || !ValorInformado(d))
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
    return CriticaHorasRemuneracao(p.valor, p.horas, p.mes, p.mesDesligamento, p.admissao, p.anoEncerramento);
}

QString CriticaHorasRemuneracao(qint64 valor, int horas, int mes, int mesDesligamento, QStringView admissaoMesAno,
                                QStringView anoEncerramento)
{
    if (horas <= 0)
        return CodigoValido;
    if (mesDesligamento != 0)
        return mes > mesDesligamento ? QStringLiteral("3710") : CodigoValido;
    const QString semRemuneracao = valor == 0 ? QStringLiteral("3677") : CodigoValido;
    const QStringView admissao = VistaAparada(admissaoMesAno);
    if (admissao.size() != 6 || !SoDigitos(admissao))
        return semRemuneracao;
    const QStringView anoAdmissao = admissao.mid(2, 4);
    std::array<char, 12> texto;
    if (anoAdmissao < textoDoAnoBase(texto))
        return semRemuneracao;
    const QStringView encerramento = VistaAparada(anoEncerramento);
    const bool naoEncerrouEmOutroAno = !ValorInformado(encerramento) || encerramento == anoAdmissao;
    if (mes < ValorDigitos(admissao.left(2)) && naoEncerrouEmOutroAno)
        return QStringLiteral("3711");
    return semRemuneracao;
}

} // namespace gdvorn
