// The file browser's employee list on a loaded file of 250,000 links: one establishment of 200,000 and
// one of 50,000. Each run opens the list of one of them, as the list's view does: the count and the rows
// of the first screen (first paint), then the rows of the last screen (what End shows: the last row).
// Both orders, by PIS/PASEP (0) and by name (1). "primeira_ms" and "ultima_ms" are the medians' parts.
//
//   bench_consulta [--grande=N] [--pequeno=N] [Google Benchmark options]
//   e.g. --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true

#include "app/base/Database.h"
#include "app/base/Schema.h"
#include "workflows/ugConsultaEmpregados.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/ApoioBench.h"

using namespace gdvorn;

namespace {

int g_grande = 200000;
int g_pequeno = 50000;
constexpr int kTela = 40; // rows a screen of the list shows

const QString kGrande = QStringLiteral("11222333000181");
const QString kPequeno = QStringLiteral("44555666000172");

void preenche()
{
    createTable(Schema::require(QStringLiteral("te8vinc")));
    Transaction t;
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
        "INSERT INTO te8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
        "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento, "
        "DaDesligamentoEmpregado, CoCbo, DaNascimentoEmpregado, CoNacionalidade, VaJaneiroEmpregado) "
        "SELECT '2010', CASE WHEN x <= %2 THEN '%3' ELSE '%4' END, '00', printf('%011d', (x * 7919) % 99999999989), "
        "printf('%02d%02d20%02d', 1 + x % 28, 1 + x % 12, x % 10), 'EMPREGADO NUMERO ' || (x % 99991), "
        "printf('%06d', x + 2), '00000000000000', '1', '0000', '212405', '01011980', '10', '000150000' FROM n")
                .arg(g_grande + g_pequeno)
                .arg(g_grande)
                .arg(kGrande, kPequeno));
    t.commit();
}

void linhas(const TModeloEmpregados &m, int de, int ate)
{
    for (int r = de; r < ate; ++r)
        for (int c = 0; c < m.columnCount(); ++c)
            benchmark::DoNotOptimize(m.index(r, c).data());
}

// range(0): the establishment's links; range(1): the order.
void BM_ListaEmpregados(benchmark::State &state)
{
    const QString inscricao = state.range(0) == g_grande ? kGrande : kPequeno;
    const QString ordem = QString::number(state.range(1) + 1);
    qint64 primeira = 0, ultima = 0, vezes = 0;
    int total = 0;
    for (auto _ : state) {
        QElapsedTimer relogio;
        relogio.start();
        TModeloEmpregados m;
        m.Monta(QStringLiteral("te8vinc"), QStringLiteral("2010"), inscricao, QStringLiteral("00"), ordem);
        total = m.rowCount();
        linhas(m, 0, std::min(kTela, total));
        primeira += relogio.nsecsElapsed();
        linhas(m, std::max(0, total - kTela), total);
        ultima += relogio.nsecsElapsed();
        ++vezes;
    }
    state.counters["linhas"] = double(total);
    state.counters["primeira_ms"] = double(primeira) / double(vezes) / 1e6;
    state.counters["ultima_ms"] = double(ultima) / double(vezes) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_grande = bench::Opcao(argc, argv, "--grande=", g_grande);
    g_pequeno = bench::Opcao(argc, argv, "--pequeno=", g_pequeno);
    QTemporaryDir dir;
    createDataFolder(dir.path());
    openDatabase(dir.path());
    preenche();
    for (int ordem : {0, 1})
        for (int n : {g_grande, g_pequeno})
            benchmark::RegisterBenchmark("BM_ListaEmpregados", BM_ListaEmpregados)->Args({n, ordem})->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeDatabase();
    return 0;
}
