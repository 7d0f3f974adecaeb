// The start-up's table check on a large declaration (200,000 links by default): the whole check with
// the quick check of the three declaration files, the quick check alone, and the opening of the data
// module that follows it. The start-up without the quick check costs the first less the second.
//
//   bench_inicio [--vinculos=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "app/udmGDVorn.h"
#include "app/ugIndices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace gdvorn;

namespace {

int g_vinculos = 200000;
QTemporaryDir *g_dir = nullptr;

QString dados() { return g_dir->filePath(QStringLiteral("dados")); }

// 1,000 establishments and their links, with text in the fields people fill.
void preenche()
{
    Transaction t;
    execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 1000) "
                           "INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                           "NoRazaoEstabelecimento, NoMunicEstabelecimento, SgUf) "
                           "SELECT '2010', printf('%014d', 11222333000100 + x * 41), '00', 'EMPRESA ' || x || ' LTDA', "
                           "'SAO PAULO', 'SP' FROM n"));
    // The count goes in by hand: the printf formats of the statement would be taken for markers of arg().
    execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < $N) "
                           "INSERT INTO bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                           "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, CoCgcVinculado, InInscrEstabelecimento, "
                           "CoCbo, NoMunicipioTrabalho, TxtCBO, TxtVinculo) "
                           "SELECT '2010', printf('%014d', 11222333000100 + (x % 1000) * 41), '00', "
                           "printf('%011d', (x * 7919) % 99999999989), printf('%02d%02d2009', 1 + x % 28, 1 + x % 12), "
                           "'EMPREGADO ' || hex(randomblob(6)) || ' DOS SANTOS', '00000000000000', '1', "
                           "printf('%06d', 212405 + x % 300), 'SAO PAULO', 'Analista de desenvolvimento de sistemas', "
                           "'Trabalhador urbano vinculado a empregador pessoa jurídica por contrato de trabalho' FROM n")
                .replace(QLatin1String("$N"), QString::number(g_vinculos)));
    t.commit();
}

void BM_VerificaTabelas(benchmark::State &state)
{
    for (auto _ : state) {
        if (!VerificaTabelas(dados()))
            state.SkipWithError("tables missing");
    }
}

void BM_VerificacaoRapida(benchmark::State &state)
{
    openDatabase(dados(), QStringLiteral("rapida"));
    for (auto _ : state) {
        for (const QString &arquivo : ArquivosVerificados()) {
            QSqlQuery q(database(QStringLiteral("rapida")));
            if (!q.exec(QStringLiteral("PRAGMA %1.quick_check(1)").arg(arquivo)) || !q.next() ||
                q.value(0).toString() != QLatin1String("ok"))
                state.SkipWithError("damaged");
        }
    }
    closeDatabase(QStringLiteral("rapida"));
}

void BM_AbreModuloDeDados(benchmark::State &state)
{
    for (auto _ : state) {
        TdmGDVorn dm(g_dir->path());
        benchmark::DoNotOptimize(&dm);
    }
}

BENCHMARK(BM_VerificaTabelas)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_VerificacaoRapida)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AbreModuloDeDados)->Unit(benchmark::kMillisecond)->Iterations(5);

// A program folder with the installed tables and a large declaration.
void preparaPasta()
{
    QDir().mkpath(dados());
    const QDir origem(QStringLiteral(GDVORN_DADOS_DIR));
    for (const QString &f : origem.entryList({QStringLiteral("*.db")}, QDir::Files))
        QFile::copy(origem.filePath(f), QDir(dados()).filePath(f));
    openDatabase(dados());
    preenche();
    closeDatabase();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (qstrncmp(argv[i], "--vinculos=", 11) == 0)
            g_vinculos = QByteArray(argv[i] + 11).toInt();
    QTemporaryDir dir;
    g_dir = &dir;
    preparaPasta();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
