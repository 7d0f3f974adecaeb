// The checks of a link's pay (V25-V42): each month's pay, the two instalments of the 13th salary, the
// year's pay against the leaves and the dismissal, and the 13th salary against the average pay. Every
// finding is of record type 2; errors count one occurrence each, warnings none. Money is summed in
// integer cents.

#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugConsistencia.h"
#include "rules/ugRegras.h"
#include "rules/ugRegrasDecimoTerceiro.h"
#include "rules/ugRegrasRemuneracao.h"
#include "rules/ugRegrasSalario.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

#include <memory>

namespace gdvorn {

namespace {

const QString kSemRemuneracao = QStringLiteral("Não há remuneração informada.");

// What the twelve monthly checks of one link carry from month to month, renewed by January's check:
// whether the contractual-salary row of "3728" was written (once per link), and what every month reads of
// the link, read once by January's check (views over the texts the reader keeps for the record).
struct MesesDoVinculo {
    bool salarioDo3728Escrito = false;
    qint64 salarioContratual = 0; // as CriticaRemuneracaoAbaixoContratual reads it
    SalarioMinimoDoVinculo minimo;
    qint64 limiteInstrucao = 0;   // of CriticaRemuneracaoLimiteInstrucao
    bool admitidoNoAno = false;   // admitted in the reference year
    bool desligado = false;       // a dismissal month other than "00"
    bool aprendiz = false;        // link type "55"
};

const QString kMesTexto[12] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                               QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"),
                               QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")};
const QString kMesDoisDigitos[12] = {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"),
                                     QStringLiteral("04"), QStringLiteral("05"), QStringLiteral("06"),
                                     QStringLiteral("07"), QStringLiteral("08"), QStringLiteral("09"),
                                     QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")};

const QString &campo(AnaliseConsistencia &a, const char *nome) { return a.CamposVinculo.Gravado(nome); }
const QString &anoReferencia(AnaliseConsistencia &a) { return a.TextoAnoReferencia(); }
const QString &valorDoMes(AnaliseConsistencia &a, int mes) { return a.CamposVinculo.Gravado(kValorMes[mes - 1]); }

void erro(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraErro(RegistroVinculo, codigo, campos);
}

void aviso(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraAviso(RegistroVinculo, codigo, campos);
}

// A stored amount as cents: 0 when it is empty or not all digits.
qint64 centavos(const QString &valor)
{
    return ValorDigitos(VistaAparada(valor));
}

// What the twelve months read of the link, into the state.
void leVinculo(AnaliseConsistencia &a, MesesDoVinculo &estado)
{
    const QString &tipoSalario = campo(a, "CoTipoSalarioContratual");
    const QString &vinculo = campo(a, "CoVinculo");
    const QString &admissao = campo(a, "DaAdmissaoEmpregado");
    const QString &desligamento = campo(a, "DaDesligamentoEmpregado");
    const QString &natureza = a.CamposEstabelecimento.Gravado("CoNaturezaJuridica");
    const QString &ano = anoReferencia(a);
    estado.salarioDo3728Escrito = false;
    estado.salarioContratual = ValorSemZerosEsquerda(campo(a, "VaSalContratualEmpregado"));
    estado.minimo = SalarioMinimoDoVinculo(tipoSalario, vinculo, natureza, desligamento, admissao, ano);
    estado.limiteInstrucao = LimiteRemuneracaoInstrucao(campo(a, "CoInstrucao"), natureza);
    estado.admitidoNoAno = QStringView(admissao).mid(4, 4) == ano;
    estado.desligado = QStringView(desligamento).mid(2, 2) != QLatin1String("00");
    estado.aprendiz = VistaAparada(vinculo) == QLatin1String("55");
}

// The inputs that the two month rules below share: the month, its pay and the link's contract.
template <typename Parametros>
Parametros parametrosDoMes(AnaliseConsistencia &a, int mes, const QString &valor)
{
    Parametros p;
    p.valor = valor;
    p.mes = kMesDoisDigitos[mes - 1];
    p.tipoSalario = campo(a, "CoTipoSalarioContratual");
    p.vinculo = campo(a, "CoVinculo");
    p.admissao = campo(a, "DaAdmissaoEmpregado");
    p.desligamento = campo(a, "DaDesligamentoEmpregado");
    return p;
}

// CriticaRemuneracaoAbaixoContratual of the month, its inputs read only when its first test does not decide.
QString abaixoContratual(AnaliseConsistencia &a, int mes, const QString &valor)
{
    auto p = parametrosDoMes<ParametrosRemuneracaoAbaixoContratual>(a, mes, valor);
    p.salarioContratual = campo(a, "VaSalContratualEmpregado");
    p.inicioAfastamento1 = campo(a, "DaInicioprimeiroAfas");
    p.fimAfastamento1 = campo(a, "DaFinalPrimeiroAfas");
    p.inicioAfastamento2 = campo(a, "DaInicioSegundoAfas");
    p.fimAfastamento2 = campo(a, "DaFinalSegundoAfas");
    p.inicioAfastamento3 = campo(a, "DaInicioTerceiroAfas");
    p.fimAfastamento3 = campo(a, "DaFinalTerceiroAfas");
    return CriticaRemuneracaoAbaixoContratual(p);
}

// CriticaSalarioMinimo of a month whose pay does not fill its field with nine digits.
QString salarioMinimo(AnaliseConsistencia &a, int mes, const QString &valor)
{
    auto p = parametrosDoMes<ParametrosSalarioMinimo>(a, mes, valor);
    p.naturezaJuridica = a.CamposEstabelecimento.Gravado("CoNaturezaJuridica");
    p.anoBase = anoReferencia(a);
    return CriticaSalarioMinimo(p);
}

void remuneracaoDoMes(AnaliseConsistencia &a, int mes, MesesDoVinculo &estado)
{
    if (mes == 1)
        leVinculo(a, estado);
    const QString &valor = valorDoMes(a, mes);
    // The months' pay of the current link, as read once per record.
    const std::array<AnaliseConsistencia::NumerosDoMes, 12> &meses = a.NumerosDosMeses();
    const AnaliseConsistencia::NumerosDoMes &numeros = meses[size_t(mes - 1)];
    const QString &mesDoisDigitos = kMesDoisDigitos[mes - 1];
    const QString &mesTexto = kMesTexto[mes - 1];
    const auto linhaValor = [&] { return CampoOcorrencia{Rotulo::RemuneracaoMes(mes), valor}; };

    // The pay read as a number answers the rule's first test, where most months end.
    if (!numeros.valorDigitos || !RemuneracaoAtingeContratual(numeros.centavos, estado.salarioContratual)) {
        const QString codigo = abaixoContratual(a, mes, valor);
        if (!Passa(codigo) && codigo == QLatin1String("3728")) {
            QList<CampoOcorrencia> linhas;
            if (!estado.salarioDo3728Escrito)
                linhas << CampoOcorrencia{Rotulo::SalarioContratual, campo(a, "VaSalContratualEmpregado")};
            estado.salarioDo3728Escrito = true;
            linhas << linhaValor();
            aviso(a, codigo, linhas);
        }
    }

    QString codigo = numeros.valorNoveDigitos ? CriticaSalarioMinimoMes(estado.minimo, mesDoisDigitos, numeros.centavos)
                                              : salarioMinimo(a, mes, valor);
    if (!Passa(codigo)) {
        if (codigo != QLatin1String("0312") && codigo != QLatin1String("0313")) {
            erro(a, codigo, {linhaValor()});
            return;
        }
        aviso(a, codigo, {linhaValor()});
    }

    const bool informado = !SoZeros(valor);
    if (informado && estado.admitidoNoAno) {
        const QString &admissao = campo(a, "DaAdmissaoEmpregado");
        codigo = CriticaRemuneracaoAntesAdmissao(mesTexto, admissao, anoReferencia(a));
        if (!Passa(codigo))
            erro(a, codigo, {linhaValor(), {Rotulo::DataAdmissao, admissao}});
    }
    if (informado && estado.desligado) {
        const QString &desligamento = campo(a, "DaDesligamentoEmpregado");
        codigo = CriticaRemuneracaoAposDesligamento(mesTexto, desligamento);
        if (!Passa(codigo))
            aviso(a, codigo, {linhaValor(), {Rotulo::DataDesligamento, desligamento}});
    }
    const qint64 anterior = mes > 1 ? meses[size_t(mes - 2)].centavosGravados : 0;
    codigo = CriticaRemuneracaoDezVezesNumeros(numeros.centavosGravados, mes, anterior);
    if (!Passa(codigo))
        aviso(a, codigo, {{Rotulo::RemuneracaoMes(mes - 1), valorDoMes(a, mes - 1)}, linhaValor()});
    if (!informado)
        return;
    codigo = CriticaRemuneracaoAcimaDoLimite(numeros.centavosGravados, estado.limiteInstrucao);
    if (!Passa(codigo))
        aviso(a, codigo, {linhaValor(), {Rotulo::Instrucao, campo(a, "CoInstrucao")}});
    // Only an apprentice's pay is judged against the birthdays.
    if (!estado.aprendiz)
        return;
    const QString &vinculo = campo(a, "CoVinculo");
    const QString &nascimento = campo(a, "DaNascimentoEmpregado");
    codigo = CriticaRemuneracaoAprendiz(mesDoisDigitos, vinculo, nascimento, campo(a, "CoDeficienteFisico"),
                                        a.TextoAnoBase());
    if (!Passa(codigo))
        erro(a, codigo, {linhaValor(), {Rotulo::Vinculo, vinculo}, {Rotulo::DataNascimento, nascimento}});
}

void mesAdiantamento(AnaliseConsistencia &a)
{
    const QString &mes = campo(a, "Me13AdiantamentoEmpregado");
    const auto linha = [&] { return CampoOcorrencia{Rotulo::MesAdiantamento13, mes}; };
    QString codigo = CriticaFormatoMes13Adiantamento(mes);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha()});
        return;
    }
    const QString &admissao = campo(a, "DaAdmissaoEmpregado");
    codigo = CriticaMes13(mes, admissao, anoReferencia(a));
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::DataAdmissao, admissao}});
    const QString &desligamento = campo(a, "DaDesligamentoEmpregado");
    codigo = CriticaMes13Adiantamento(mes, desligamento);
    if (!Passa(codigo))
        aviso(a, codigo, {linha(), {Rotulo::DataDesligamento, desligamento}});
}

// The value of an instalment (V38, V40): its format, then with its month.
void valorParcela(AnaliseConsistencia &a, bool final)
{
    const QString &valor = campo(a, final ? "Va13ParcelaFinalEmpregado" : "Va13AdiantamentoEmpregado");
    const QString &mes = campo(a, final ? "Me13ParcelaFinalEmpregado" : "Me13AdiantamentoEmpregado");
    const auto linhaValor = [&] {
        return CampoOcorrencia{final ? Rotulo::ValorParcelaFinal13 : Rotulo::ValorAdiantamento13, valor};
    };
    QString codigo = final ? CriticaValor13FinalNum(valor) : CriticaValor13AdiantamentoNum(valor);
    if (!Passa(codigo)) {
        erro(a, codigo, {linhaValor()});
        return;
    }
    codigo = final ? CriticaValor13Final(mes, valor) : CriticaValor13Adiantamento(mes, valor);
    if (Passa(codigo))
        return;
    const QList<CampoOcorrencia> linhas{{final ? Rotulo::MesParcelaFinal13 : Rotulo::MesAdiantamento13, mes},
                                        linhaValor()};
    if (codigo == QLatin1String("0332"))
        aviso(a, codigo, linhas);
    else
        erro(a, codigo, linhas);
}

void mesParcelaFinal(AnaliseConsistencia &a)
{
    const QString &mes = campo(a, "Me13ParcelaFinalEmpregado");
    const auto linha = [&] { return CampoOcorrencia{Rotulo::MesParcelaFinal13, mes}; };
    QString codigo = CriticaFormatoMes13Final(mes);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha()});
        return;
    }
    const QString &adiantamento = campo(a, "Me13AdiantamentoEmpregado");
    codigo = CriticaMes13Final(adiantamento, mes);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::MesAdiantamento13, adiantamento}, linha()});
    const QString &admissao = campo(a, "DaAdmissaoEmpregado");
    codigo = CriticaMes13(mes, admissao, anoReferencia(a));
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::DataAdmissao, admissao}});
    const QString &desligamento = campo(a, "DaDesligamentoEmpregado");
    codigo = CriticaMes13FinalAposDesligamento(mes, desligamento);
    if (!Passa(codigo))
        aviso(a, codigo, {linha(), {Rotulo::DataDesligamento, desligamento}});
}

void remuneracaoDoAno(AnaliseConsistencia &a)
{
    const std::array<AnaliseConsistencia::NumerosDoMes, 12> &meses = a.NumerosDosMeses();
    ValoresMensais valores{};
    qint64 ano = 0;
    for (size_t m = 0; m < 12; ++m) {
        valores[m] = meses[m].centavos;
        ano += valores[m];
    }
    const qint64 decimoTerceiro =
        centavos(campo(a, "Va13AdiantamentoEmpregado")) + centavos(campo(a, "Va13ParcelaFinalEmpregado"));

    ParametrosRemuneracaoAfastamento p;
    p.motivoAfastamento1 = campo(a, "CoMotivoPrimAfas");
    p.inicioAfastamento1 = campo(a, "DaInicioprimeiroAfas");
    p.fimAfastamento1 = campo(a, "DaFinalPrimeiroAfas");
    p.remuneracaoTotal = ano;
    p.desligamento = campo(a, "DaDesligamentoEmpregado");
    p.causaDesligamento = campo(a, "CoCausaDesligamento");
    p.admissao = campo(a, "DaAdmissaoEmpregado");
    p.valores = valores;
    p.diasAfastamento = campo(a, "QtDiasAfas");
    if (ano == 0 && decimoTerceiro != 0) {
        aviso(a, QStringLiteral("1675"), {{Rotulo::RemuneracaoAno, kSemRemuneracao}});
    } else {
        const QString codigo = CriticaRemuneracaoAfastamento(p);
        if (!Passa(codigo))
            erro(a, codigo, {{Rotulo::RemuneracaoAno, kSemRemuneracao}});
        if (ano != 0 && decimoTerceiro == 0)
            aviso(a, QStringLiteral("1676"), {{Rotulo::DecimoTerceiroAno, kSemRemuneracao}});
    }
    const QString codigo = CriticaRemuneracaoMesDesligamento(p.desligamento, valores);
    if (!Passa(codigo))
        aviso(a, codigo, {{Rotulo::DataDesligamento, p.desligamento}});
}

void decimoTerceiroContraMedia(AnaliseConsistencia &a)
{
    qint64 soma = 0;
    qint64 meses = 0;
    for (const AnaliseConsistencia::NumerosDoMes &numeros : a.NumerosDosMeses()) {
        const qint64 valor = numeros.centavos;
        if (valor != 0) {
            soma += valor;
            ++meses;
        }
    }
    const qint64 decimoTerceiro =
        centavos(campo(a, "Va13AdiantamentoEmpregado")) + centavos(campo(a, "Va13ParcelaFinalEmpregado"));
    // average + average / 2 < 13th salary, with average = soma / meses, in integers.
    if (meses > 0 && 3 * soma < 2 * meses * decimoTerceiro)
        aviso(a, QStringLiteral("3508"), {{Rotulo::RemuneracaoAno, QString::number(soma)},
                                          {Rotulo::DecimoTerceiroAno, QString::number(decimoTerceiro)}});
}

} // namespace

void VerificacoesRemuneracaoVinculo(SequenciasConsistencia &s)
{
    // One state for the twelve monthly checks, renewed by January's check of every link.
    auto estado = std::make_shared<MesesDoVinculo>();
    for (int mes = 1; mes <= 12; ++mes)
        s.Vinculo.insert(24 + mes, [mes, estado](AnaliseConsistencia &a) { remuneracaoDoMes(a, mes, *estado); });
    s.Vinculo.insert(37, mesAdiantamento);
    s.Vinculo.insert(38, [](AnaliseConsistencia &a) { valorParcela(a, false); });
    s.Vinculo.insert(39, mesParcelaFinal);
    s.Vinculo.insert(40, [](AnaliseConsistencia &a) { valorParcela(a, true); });
    s.Vinculo.insert(41, remuneracaoDoAno);
    s.Vinculo.insert(42, decimoTerceiroContraMedia);
}

} // namespace gdvorn
