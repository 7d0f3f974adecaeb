// The bulk link operations on a declaration of 200,000 links, one establishment holding 50,000 of them:
// moving those 50,000 to a new establishment (TransfereVinculos, one statement per step of 1,000 chosen
// keys) against one plain UPDATE of the same rows, and deleting them (ExcluiVinculosMarcados) against one
// plain DELETE. Every run starts from a fresh copy of the same data folder; only the operation is timed,
// commit included. Then the lists of those links: the employee list and its name search keystroke by
// keystroke, and the wizards' check list.
//
//   bench_vinculos [--linhas=N] [--estabelecimento=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/base/Statement.h"
#include "app/udmEntradaDados.h"
#include "entry/ugConEmpreg.h"
#include "entry/ugOperacoesVinculos.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/ApoioBench.h"

#include <algorithm>
#include <memory>

using namespace gdvorn;

namespace {

int g_linhas = 200000;
int g_estabelecimento = 50000;
QString g_origem; // the filled data folder every run copies

const ChaveEstabelecimento kEstab{QStringLiteral("2010"), QStringLiteral("11222333000181"), QStringLiteral("00")};
const DestinoTransferencia kDestino{{QStringLiteral("2010"), QStringLiteral("00000100000002"), QStringLiteral("00")},
                                    QStringLiteral("3")};

void preenche()
{
    Transaction t;
    // The first g_estabelecimento links belong to the establishment measured, the others to 150 more.
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
        "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
        "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento, "
        "DaDesligamentoEmpregado, CoCbo, CoNacionalidade, CoVinculo, VaJaneiroEmpregado) "
        "SELECT '2010', CASE WHEN x <= %2 THEN '11222333000181' ELSE printf('%014d', 33000000000100 + x % 150) END, "
        "'00', printf('%011d', (x * 7919) % 99999999989), printf('%02d%02d20%02d', 1 + x % 28, 1 + x % 12, x % 10), "
        "'EMPREGADO NUMERO ' || x, printf('%06d', x % 999999), '00000000000000', '1', '0000', '212405', "
        "CASE WHEN x % 50 = 0 THEN '20' ELSE '10' END, '10', '000150000' FROM n")
                .arg(g_linhas)
                .arg(g_estabelecimento));
    execSql(QStringLiteral("INSERT INTO bd8emp.bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                           "InInscrEstabelecimento, InVornNegEstabelecimento, CoCgcVinculado, NoRazaoEstabelecimento) "
                           "SELECT DISTINCT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, '1', '0', "
                           "'00000000000000', 'EMPRESA' FROM bd8vinc.bd8vinc"));
    t.commit();
}

// A run's own copy of the data, open with the entry module, for as long as it lives.
class Copia {
public:
    Copia()
    {
        for (const QString &f : QDir(g_origem).entryList({QStringLiteral("*.db")}, QDir::Files))
            QFile::copy(QDir(g_origem).filePath(f), m_dir.filePath(f));
        openDatabase(m_dir.path());
        m_dm = std::make_unique<TdmEntradaDados>();
        dmEntradaDados = m_dm.get();
    }
    ~Copia()
    {
        dmEntradaDados = nullptr;
        m_dm.reset();
        closeDatabase();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TdmEntradaDados> m_dm;
};

QList<ChaveVinculo> chaves()
{
    QList<ChaveVinculo> r;
    for (const VinculoMarcavel &v : ListaVinculos(kEstab, QStringLiteral("0")))
        r << v.Chave;
    return r;
}

// Runs `operacao` on a fresh copy in each iteration, timing only the operation.
template <typename Operacao>
void emCopias(benchmark::State &state, Operacao operacao)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            Copia copia;
            const QList<ChaveVinculo> vinculos = chaves();
            state.ResumeTiming();
            operacao(vinculos);
            state.PauseTiming();
            state.counters["vinculos"] = double(vinculos.size());
        }
        state.ResumeTiming();
    }
}

// `valores`: the parameters ?1-?3 (the establishment), then ?4-?7 (the target and the linked CNPJ) when given.
void execComParametros(const QString &sql, const QStringList &valores)
{
    execWrite(sql, [&](Statement &s) {
        for (int i = 0; i < valores.size(); ++i)
            s.bind(i + 1, valores.at(i));
    });
}

void BM_TransfereVinculos(benchmark::State &state)
{
    emCopias(state, [](const QList<ChaveVinculo> &vinculos) {
        Progresso p;
        benchmark::DoNotOptimize(TransfereVinculos(kEstab, kDestino, vinculos, p));
    });
}

void BM_UpdateSimples(benchmark::State &state)
{
    emCopias(state, [](const QList<ChaveVinculo> &) {
        Transaction t;
        execComParametros(QStringLiteral("UPDATE bd8vinc SET CoCgcCeiEstabelecimento = ?4, NuPrefixoEstabelecimento = ?5, "
                                         "InInscrEstabelecimento = ?6, CoCgcVinculado = ?7 WHERE AnBase = ?1 AND "
                                         "CoCgcCeiEstabelecimento = ?2 AND NuPrefixoEstabelecimento = ?3"),
                          {kEstab.AnBase, kEstab.Inscricao, kEstab.Prefixo, kDestino.Chave.Inscricao,
                           kDestino.Chave.Prefixo, kDestino.Tipo, QStringLiteral("00000000000000")});
        t.commit();
    });
}

void BM_ExcluiVinculosMarcados(benchmark::State &state)
{
    emCopias(state, [](const QList<ChaveVinculo> &vinculos) {
        Progresso p;
        benchmark::DoNotOptimize(ExcluiVinculosMarcados(kEstab, vinculos, p));
    });
}

void BM_DeleteSimples(benchmark::State &state)
{
    emCopias(state, [](const QList<ChaveVinculo> &) {
        Transaction t;
        execComParametros(QStringLiteral("DELETE FROM bd8vinc WHERE AnBase = ?1 AND CoCgcCeiEstabelecimento = ?2 AND "
                                         "NuPrefixoEstabelecimento = ?3"),
                          {kEstab.AnBase, kEstab.Inscricao, kEstab.Prefixo});
        t.commit();
    });
}

// The employee list of the 50,000-link establishment: the query and the rows the list shows, with no
// filter and with the first letters of a name (what each keystroke in the name search costs).
void BM_ListaVinculos(benchmark::State &state)
{
    Copia copia;
    ContextoConsulta contexto;
    LeContextoConsulta(kEstab, contexto);
    FiltroVinculo filtro;
    if (state.range(0) == 1)
        filtro.nome = QStringLiteral("EMPREGADO NUMERO 1");
    ModeloVinculos modelo;
    for (auto _ : state) {
        Query &q = dmEntradaDados->quConVinculo;
        MontaQueryVinculos(q, contexto, filtro);
        modelo.carrega(q);
        benchmark::DoNotOptimize(modelo.rowCount());
    }
    state.counters["linhas"] = double(modelo.rowCount());
}

// The name search as the user types it, one character a keystroke, over the list of all 50,000 links:
// each keystroke reading the links again with the longer filter (0), or through ModeloVinculos::filtra,
// which narrows the rows held (1). Only the keystrokes are timed; "tecla" is the time of one, "pior" the
// slowest.
void BM_TeclaFiltro(benchmark::State &state)
{
    Copia copia;
    ContextoConsulta contexto;
    LeContextoConsulta(kEstab, contexto);
    const QString digitado = QStringLiteral("EMPREGADO NUMERO 1");
    Query &q = dmEntradaDados->quConVinculo;
    ModeloVinculos modelo;
    qint64 total = 0, pior = 0, teclas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        modelo.esquece();
        modelo.filtra(q, contexto, {});
        state.ResumeTiming();
        FiltroVinculo filtro;
        for (qsizetype n = 1; n <= digitado.size(); ++n) {
            QElapsedTimer relogio;
            relogio.start();
            filtro.nome = digitado.left(n);
            if (state.range(0) == 0) {
                MontaQueryVinculos(q, contexto, filtro);
                modelo.carrega(q);
            } else {
                modelo.filtra(q, contexto, filtro);
            }
            const qint64 ns = relogio.nsecsElapsed();
            total += ns;
            pior = std::max(pior, ns);
            ++teclas;
        }
        benchmark::DoNotOptimize(modelo.rowCount());
    }
    state.counters["linhas"] = double(modelo.rowCount());
    state.counters["tecla_ms"] = double(total) / double(teclas) / 1e6;
    state.counters["pior_ms"] = double(pior) / 1e6;
}

// The check list of the deletion and transfer wizards: the establishment's 50,000 links with their keys,
// by PIS/PASEP (0) and by name (1).
void BM_ListaMarcavel(benchmark::State &state)
{
    Copia copia;
    const QString ordem = QString::number(state.range(0));
    qsizetype linhas = 0;
    for (auto _ : state)
        linhas = ListaVinculos(kEstab, ordem).size();
    state.counters["linhas"] = double(linhas);
}

} // namespace

BENCHMARK(BM_ListaVinculos)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TeclaFiltro)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaMarcavel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransfereVinculos)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UpdateSimples)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExcluiVinculosMarcados)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DeleteSimples)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_linhas = bench::Opcao(argc, argv, "--linhas=", g_linhas);
    g_estabelecimento = bench::Opcao(argc, argv, "--estabelecimento=", g_estabelecimento);
    QTemporaryDir dir;
    g_origem = dir.path();
    createDataFolder(g_origem);
    openDatabase(g_origem);
    preenche();
    closeDatabase();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
