// The consistency analysis of a declaration of 200,000 links in 100 establishments, on a copy of the
// installed code tables: the driver's bare walk (no checks) and the analysis with every check group the
// program has. The declaration is valid but for a few planted findings (one inscription under two
// prefixes with two names, duplicated links, PIS numbers with other person data), and 5 % of the links
// are second links of an employee with the same person data. A run that does not reach the end, or whose
// findings are not the planted ones, fails the benchmark; so does a full analysis after which the process'
// peak resident memory (getrusage, the declaration's generation included) is 200 MB or more.
//
//   bench_consistencia [--vinculos=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/udmGDVorn.h"
#include "rules/ContextoRegras.h"
#include "rules/ugConsistencia.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/ApoioBench.h"
#include <sqlite3.h>
#include <sys/resource.h>

using namespace gdvorn;

namespace {

int g_vinculos = 200000;
constexpr int kEstabelecimentos = 100;

// Check digits of a CNPJ root and branch (12 digits).
QString cnpj(qint64 base12)
{
    QString s = QStringLiteral("%1").arg(base12, 12, 10, QLatin1Char('0'));
    for (int n : {12, 13}) {
        int soma = 0, peso = n - 7;
        for (int i = 0; i < n; ++i) {
            soma += s.at(i).digitValue() * peso;
            peso = peso == 2 ? 9 : peso - 1;
        }
        const int r = soma % 11;
        s += QString::number(r < 2 ? 0 : 11 - r);
    }
    return s;
}

// A PIS/PASEP with its check digit (10 digits in front).
QString pis(qint64 base10)
{
    QString s = QStringLiteral("%1").arg(base10, 10, 10, QLatin1Char('0'));
    static const int pesos[] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int soma = 0;
    for (int i = 0; i < 10; ++i)
        soma += s.at(i).digitValue() * pesos[i];
    const int r = 11 - soma % 11;
    return s + QString::number(r >= 10 ? 0 : r);
}

// A CPF with its check digits (9 digits in front).
QString cpf(qint64 base9)
{
    QString s = QStringLiteral("%1").arg(base9, 9, 10, QLatin1Char('0'));
    for (int n : {9, 10}) {
        int soma = 0;
        for (int i = 0; i < n; ++i)
            soma += s.at(i).digitValue() * (n + 1 - i);
        const int r = soma % 11;
        s += QString::number(r < 2 ? 0 : 11 - r);
    }
    return s;
}

// A name word for a number: a syllable per digit ("BA" for 0 ... "DE" for 9), so that no name holds a
// character four times in a row, which the name rule refuses.
QString palavraDoNumero(qint64 n)
{
    static const char *silabas[] = {"BA", "BE", "BI", "BO", "BU", "CA", "CE", "CI", "CO", "DE"};
    QString s;
    for (const QChar d : QString::number(n))
        s += QLatin1String(silabas[d.digitValue()]);
    return s;
}

void executa(sqlite3 *h, const char *sql, const QStringList &valores)
{
    static QHash<QByteArray, sqlite3_stmt *> preparados;
    sqlite3_stmt *&st = preparados[QByteArray(sql)];
    if (!st && sqlite3_prepare_v2(h, sql, -1, &st, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(h));
    for (int i = 0; i < valores.size(); ++i) {
        const QByteArray v = valores[i].toUtf8();
        sqlite3_bind_text(st, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    if (sqlite3_step(st) != SQLITE_DONE)
        qFatal("%s", sqlite3_errmsg(h));
    sqlite3_reset(st);
}

const char *kInsereEstab =
    "INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InInscrEstabelecimento, "
    "CoCgcVinculado, NoRazaoEstabelecimento, EdEstabelecimento, NuEnderecoEstabelecimento, TxComplemEstabelecimento, "
    "NoBairroEstabelecimento, CoCepEstabelecimento, CoMunicipio, NoMunicEstabelecimento, SgUf, NuDDD, NuTelefone, "
    "TxEmailEstabelecimento, InPorte, InOptanteSimples, CoCnae2, CoNaturezaJuridica, NuProprietEstabelecimento, "
    "MeDataBase, InVornNegEstabelecimento, NuVinculosEstabelecimento, NuEstrangeirosEstabelec, InOpcaoAberta, "
    "InEncerramentoAtividade, DaEncerramentoAtividade, InParticipaPAT, NuVinculoPatMaior5, NuVinculoPatMenor5, "
    "PoAdmCozinha, PoServicoProprio, PoRefeicaoConvenio, PoRefeicaoTransportadora, PoCestaAlimento, "
    "PoAlimentacaoConvenio, CoCNPJSindical, VaGlobalSindical, CoCNPJAssociativa, VaGlobalAssociativa, "
    "CoCNPJAssistencial, VaGlobalAssistencial, CoCNPJConfederativa, VaGlobalConfederativa, CoCNPJCentralizada, "
    "InCentralizada, InSindicalizada, InAtividadeAnoBase, TxUsoEstabelecimento, NuSequencialRegistro, InAvisoCnae) "
    "VALUES ('2010', ?1, ?2, '1', '00000000000000', ?3, 'RUA DAS FLORES', '000123', 'SALA 1', 'CENTRO', "
    "'13010000', '3509502', 'CAMPINAS', 'SP', '19', '32345678', 'rh@empresa.com.br', '2', '2', '4711302', "
    "'2062', '01', '05', '0', ?4, '0', '', '2', '00000000', '2', '000000', '000000', '000', '000', '000', "
    "'000', '000', '000', ?5, '000010000', '00000000000000', '000000000', '00000000000000', '000000000', "
    "'00000000000000', '000000000', '00000000000000', '2', '2', '1', '', '000001', 0)";

const char *kInsereVinculo =
    "INSERT INTO bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InInscrEstabelecimento, "
    "CoCgcVinculado, CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, "
    "DaDesligamentoEmpregado, CoCbo, DaNascimentoEmpregado, CoNacionalidade, AnChegadaEmpregado, CoInstrucao, "
    "NuCartTrabEmpregado, SeCartTrabEmpregado, CoCpfEmpregado, CoTipoAdmissao, VaSalContratualEmpregado, "
    "CoTipoSalarioContratual, HoSemanaisEmpregado, CoVinculo, CoCausaDesligamento, InSexo, CoTipoRaca, "
    "InDeficienteFisico, CoDeficienteFisico, InAlvaraEmpregado, CoMunicipioTrabalho, InSindicalizadoVinculo, "
    "CoCNPJSindical, VaGlobalSindical, VaAvisoPrevioEmpregado, "
    "VaJaneiroEmpregado, VaFevereiroEmpregado, VaMarcoEmpregado, VaAbrilEmpregado, VaMaioEmpregado, "
    "VaJunhoEmpregado, VaJulhoEmpregado, VaAgostoEmpregado, VaSetembroEmpregado, VaOutubroEmpregado, "
    "VaNovembroEmpregado, VaDezembroEmpregado, HoTrabalhadasJaneiro, HoTrabalhadasFevereiro, HoTrabalhadasMarco, "
    "HoTrabalhadasAbril, HoTrabalhadasMaio, HoTrabalhadasJunho, HoTrabalhadasJulho, HoTrabalhadasAgosto, "
    "HoTrabalhadasSetembro, HoTrabalhadasOutubro, HoTrabalhadasNovembro, HoTrabalhadasDezembro, "
    "CoMotivoPrimAfas, DaInicioprimeiroAfas, DaFinalPrimeiroAfas, CoMotivoSeguAfas, DaInicioSegundoAfas, "
    "DaFinalSegundoAfas, CoMotivoTercAfas, DaInicioTerceiroAfas, DaFinalTerceiroAfas, QtDiasAfas, "
    "Me13AdiantamentoEmpregado, Va13AdiantamentoEmpregado, Me13ParcelaFinalEmpregado, Va13ParcelaFinalEmpregado, "
    "VaGlobalPrimAssociativa, VaGlobalSegAssociativa, VaGlobalAssistencial, VaGlobalConfederativa, "
    "VaGlobalFerias, VaGlobalMultas, VaGlobalBcoHoras, QtCompBcoHoras, VaGlobalDissidio, QtCompDissidio, "
    "VaGlobalGratificacoes, QtCompGratificacoes) "
    "VALUES ('2010', ?1, ?2, '1', '00000000000000', ?3, ?4, ?5, ?6, '0000', '411005', ?7, '10', '0000', '07', "
    "'01234567', '00123', ?8, '2', '000150000', '1', '44', '10', '00', '1', '2', '2', '0', '2', '3509502', "
    "'2', ?9, '00001500', '000000000', "
    // The months before July are paid only to the links admitted before the base year.
    "?10, ?10, ?10, ?10, ?10, ?10, '000150000', '000150000', '000150000', '000150000', '000150000', '000150000', "
    "'000', '000', '000', '000', '000', '000', '000', '000', '000', '000', '000', '000', "
    "'00', '0000', '0000', '00', '0000', '0000', '00', '0000', '0000', '000', "
    "'11', '000075000', '12', '000075000', "
    "'00000000', '00000000', '00000000', '00000000', "
    "'00000000', '00000000', '00000000', '00', '00000000', '00', '00000000', '00')";

struct Plantados {
    int prefixos = 0;   // rows of E21's finding
    int duplicados = 0; // links with a duplicate
    int outraPessoa = 0; // 3761 findings
};
Plantados g_plantados;

void preencheDeclaracao()
{
    sqlite3 *h = sqliteHandle();
    Transaction t;
    const QString sindicato = cnpj(605000010001LL);
    QStringList inscricoes;
    for (int e = 0; e < kEstabelecimentos; ++e)
        inscricoes << cnpj(112223330001LL + qint64(e) * 100000000LL);
    // Planted: the second establishment is the first inscription under prefix 02, with another name.
    inscricoes[1] = inscricoes[0];
    const int porEstab = g_vinculos / kEstabelecimentos;
    for (int e = 0; e < kEstabelecimentos; ++e)
        executa(h, kInsereEstab,
                {inscricoes[e], e == 1 ? QStringLiteral("02") : QStringLiteral("01"),
                 e == 1 ? QStringLiteral("LOJA FILIAL SUL") : QStringLiteral("EMPRESA EXEMPLO %1 LTDA").arg(e),
                 QString::number(porEstab), sindicato});
    g_plantados.prefixos = 2;

    int sequencial = 0;
    for (int e = 0; e < kEstabelecimentos; ++e) {
        const QString prefixo = e == 1 ? QStringLiteral("02") : QStringLiteral("01");
        for (int i = 0; i < porEstab; ++i) {
            const qint64 n = qint64(e) * porEstab + i;
            // 5 %: a second link of the employee of the link before, same person data, another admission.
            const bool segundo = i % 20 == 19;
            const qint64 pessoa = segundo ? n - 1 : n;
            QString nome = QStringLiteral("EMPREGADO ") + palavraDoNumero(pessoa);
            // Planted: three employees declared under another name in their second link.
            if (segundo && e < 3 && i == 19) {
                nome = QStringLiteral("OUTRO ") + palavraDoNumero(pessoa);
                g_plantados.outraPessoa += 2;
            }
            QString admissao = segundo ? QStringLiteral("01072010") : QStringLiteral("01022009");
            const QString primeiroSemestre = segundo ? QStringLiteral("000000000") : QStringLiteral("000150000");
            executa(h, kInsereVinculo,
                    {inscricoes[e], prefixo, pis(1200000000LL + pessoa * 7), admissao, nome,
                     QStringLiteral("%1").arg(++sequencial, 6, 10, QLatin1Char('0')), QStringLiteral("01011980"),
                     cpf(100000000LL + pessoa), sindicato, primeiroSemestre});
            // Planted: three links declared twice (same seven fields, another record number).
            if (e >= 3 && e < 6 && i == 0) {
                executa(h, kInsereVinculo,
                        {inscricoes[e], prefixo, pis(1200000000LL + pessoa * 7), admissao, nome,
                         QStringLiteral("%1").arg(++sequencial, 6, 10, QLatin1Char('0')), QStringLiteral("01011980"),
                         cpf(100000000LL + pessoa), sindicato, primeiroSemestre});
                g_plantados.duplicados += 2;
            }
        }
    }
    t.commit();
}

int linhas(const char *retorno)
{
    Query q;
    q.setSql(QStringLiteral("select count(*) as n from te8errwa where retorno = :r"));
    q.ParamByName(QStringLiteral("r")).setAsString(QLatin1String(retorno));
    q.Open();
    return q.FieldByName(QStringLiteral("n")).AsInteger();
}

int linhasDeErro()
{
    Query q;
    q.setSql(QStringLiteral("select count(*) as n from te8errwa where errwar = 'err'"));
    q.Open();
    return q.FieldByName(QStringLiteral("n")).AsInteger();
}

// The codes of the findings and their rows, most frequent first: what a failed run found.
std::string codigosEncontrados()
{
    Query q;
    q.setSql(QStringLiteral("select errwar || ' ' || retorno as codigo, count(*) as n from te8errwa "
                            "group by errwar, retorno order by n desc limit 8"));
    q.Open();
    QStringList codigos;
    for (; !q.Eof(); q.Next())
        codigos << q.FieldByName(QStringLiteral("codigo")).AsString() + QLatin1Char('x') +
                       q.FieldByName(QStringLiteral("n")).AsString();
    return (QStringLiteral("; findings: ") + codigos.join(QStringLiteral(", "))).toStdString();
}

void analisa(benchmark::State &state, const SequenciasConsistencia &s, bool confere)
{
    for (auto _ : state) {
        Progresso barra;
        const quint8 r = AnalisaDeclaracao(&barra, QString(), false, nullptr, QStringLiteral("2010"), false, false, false, &s);
        if (barra.position() != 100 || (r & Consistencia::AnaliseInterrompida)) {
            state.SkipWithError(("the analysis did not reach the end" + codigosEncontrados()).c_str());
            return;
        }
        if (confere) {
            state.PauseTiming();
            // 3762: four rows for each of the two prefixes; 1671: five rows per duplicated link; 3761: four
            // rows per finding; and no other error.
            const int plantadas = 4 * g_plantados.prefixos + 5 * g_plantados.duplicados + 4 * g_plantados.outraPessoa;
            const bool ok = linhas("3762") == 4 * g_plantados.prefixos && linhas("1671") == 5 * g_plantados.duplicados &&
                            linhas("3761") == 4 * g_plantados.outraPessoa && linhasDeErro() == plantadas;
            state.counters["achados3762"] = linhas("3762");
            state.counters["achados1671"] = linhas("1671");
            state.counters["achados3761"] = linhas("3761");
            state.ResumeTiming();
            if (!ok) {
                state.SkipWithError(("the findings are not the planted ones" + codigosEncontrados()).c_str());
                return;
            }
        }
        state.counters["vinculos"] = g_vinculos;
    }
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const double picoMB = double(uso.ru_maxrss) / 1024.0; // ru_maxrss is in kB on Linux
    state.counters["picoMemoriaMB"] = picoMB;
    if (confere && picoMB >= 200.0)
        state.SkipWithError("the peak resident memory reached 200 MB");
}

void BM_PercursoSemVerificacoes(benchmark::State &state) { analisa(state, SequenciasConsistencia{}, false); }

void BM_AnaliseCompleta(benchmark::State &state) { analisa(state, SequenciasPadrao(), true); }

} // namespace

BENCHMARK(BM_PercursoSemVerificacoes)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_AnaliseCompleta)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_vinculos = bench::Opcao(argc, argv, "--vinculos=", g_vinculos);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir pasta;
    const QString dados = QDir(pasta.path()).filePath(QStringLiteral("dados"));
    QDir().mkpath(dados);
    bench::CopiaTabelasInstaladas(dados);
    {
        TdmGDVorn tabelas(pasta.path());
        contextoRegras().ModuloTabelas = &tabelas;
        preencheDeclaracao();
        benchmark::RunSpecifiedBenchmarks();
        contextoRegras().ModuloTabelas = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
