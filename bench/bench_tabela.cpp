// Walks 1,000,000 rows of a table shaped like the employment-link table in key order through the table
// layer, forward and backward, and the same rows with one plain SELECT ordered by the key.
//
//   bench_tabela [--linhas=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Table.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace gdvorn;

namespace {

int g_linhas = 1000000;
int g_acrescimos = 100000;

void preenche()
{
    Transaction t;
    // Keys spread over 200 establishments, PIS numbers out of order.
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
        "INSERT INTO bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
        "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento, "
        "DaDesligamentoEmpregado, CoCbo, CoNacionalidade, VaJaneiroEmpregado, NoMunicipioTrabalho) "
        "SELECT '2010', printf('%014d', 11222333000100 + x % 200), '00', printf('%011d', (x * 7919) % 99999999989), "
        "printf('%02d%02d20%02d', 1 + x % 28, 1 + x % 12, x % 10), 'EMPREGADO NUMERO ' || x, printf('%06d', x % 999999), "
        "'', '1', '', '212405', '10', '000150000', 'SAO PAULO' FROM n").arg(g_linhas));
    t.commit();
}

void BM_TabelaEmOrdemDeChave(benchmark::State &state)
{
    for (auto _ : state) {
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        qint64 linhas = 0, soma = 0;
        for (t.First(); !t.Eof(); t.Next()) {
            soma += t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString().size();
            ++linhas;
        }
        benchmark::DoNotOptimize(soma);
        state.counters["linhas"] = double(linhas);
    }
}

// The same walk backward, as the lists of the entry forms scroll: Last, then Prior to the first row.
void BM_TabelaEmOrdemInversa(benchmark::State &state)
{
    for (auto _ : state) {
        Table t(QStringLiteral("bd8vinc"));
        t.Open();
        qint64 linhas = 0, soma = 0;
        for (t.Last(); !t.Bof(); t.Prior()) {
            soma += t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString().size();
            ++linhas;
        }
        benchmark::DoNotOptimize(soma);
        state.counters["linhas"] = double(linhas);
    }
}

void BM_SelectSimplesOrdenado(benchmark::State &state)
{
    for (auto _ : state) {
        QSqlQuery q(database());
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT * FROM bd8vinc ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                              "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, "
                              "CoCgcVinculado, InInscrEstabelecimento, DaDesligamentoEmpregado, CoCbo"));
        const int col = q.record().indexOf(QStringLiteral("CoPisPasepEmpregado"));
        qint64 linhas = 0, soma = 0;
        while (q.next()) {
            soma += q.value(col).toString().size();
            ++linhas;
        }
        benchmark::DoNotOptimize(soma);
        state.counters["linhas"] = double(linhas);
    }
}

// The same SELECT straight on the engine, without the Qt driver's conversion of every column.
void BM_SelectSimplesMotor(benchmark::State &state)
{
    sqlite3 *h = *static_cast<sqlite3 *const *>(database().driver()->handle().constData());
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(h, "SELECT * FROM bd8vinc ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                              "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, "
                              "CoCgcVinculado, InInscrEstabelecimento, DaDesligamentoEmpregado, CoCbo",
                           -1, &st, nullptr);
        qint64 linhas = 0, soma = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                soma += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                          sqlite3_column_bytes(st, i)).size();
            ++linhas;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(soma);
        state.counters["linhas"] = double(linhas);
    }
}

// Appends 100,000 links through the table layer in one transaction, as an import copy does.
void BM_TabelaAcrescenta(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        execSql(QStringLiteral("DELETE FROM te8vinc"));
        state.ResumeTiming();
        Transaction tr;
        Table t(QStringLiteral("te8vinc"));
        t.Open();
        for (int i = 0; i < g_acrescimos; ++i) {
            t.Append();
            t.FieldByName(QStringLiteral("AnBase")).setAsString(QStringLiteral("2010"));
            t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(QStringLiteral("11222333000181"));
            t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(QStringLiteral("00"));
            t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).setAsString(QString::number(10000000000LL + i));
            t.FieldByName(QStringLiteral("NoEmpregado")).setAsString(QStringLiteral("EMPREGADO %1").arg(i));
            t.FieldByName(QStringLiteral("VaJaneiroEmpregado")).setAsString(QStringLiteral("000150000"));
            t.Post();
        }
        tr.commit();
        state.counters["linhas"] = g_acrescimos;
    }
}

} // namespace

BENCHMARK(BM_TabelaEmOrdemDeChave)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TabelaEmOrdemInversa)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectSimplesOrdenado)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectSimplesMotor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TabelaAcrescenta)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (qstrncmp(argv[i], "--linhas=", 9) == 0)
            g_linhas = QByteArray(argv[i] + 9).toInt();
        else if (qstrncmp(argv[i], "--acrescimos=", 13) == 0)
            g_acrescimos = QByteArray(argv[i] + 13).toInt();
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    createDataFolder(dir.path());
    openDatabase(dir.path());
    createTable(*Schema::table(QStringLiteral("te8vinc")));
    preenche();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeDatabase();
    return 0;
}
