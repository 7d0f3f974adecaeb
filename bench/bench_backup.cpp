// Archives and restores the three declaration table files (about 200 MB with the default rows) with the
// backup archive, and compresses and expands the same files with "gzip -1" and "gzip -d" in the same run
// for comparison.
//
//   bench_backup [--vinculos=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "backup/BackupFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace gdvorn;

namespace {

int g_vinculos = 420000;
QTemporaryDir *g_dir = nullptr;
const QStringList kTabelas{QStringLiteral("bd8emp.db"), QStringLiteral("bd8vinc.db"), QStringLiteral("bd8resp.db")};

QString caminho(const QString &nome) { return g_dir->filePath(nome); }

// Tables of a large declaration: 2,000 establishments and their links, with the values people type.
void preenche()
{
    Transaction t;
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 2000) "
        "INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, "
        "NoBairroEstabelecimento, CoCepEstabelecimento, CoMunicipio, NoMunicEstabelecimento, SgUf, CoCnae, "
        "TxEmailEstabelecimento, TxtCnae, TxtNatJur) "
        "SELECT '2010', printf('%014d', 11222333000100 + x * 37), '00', 'EMPRESA ' || x || ' COMERCIO LTDA', "
        "'CENTRO', printf('%08d', 1000000 + x * 13), printf('%07d', 3550308 + x % 50), 'SAO PAULO', 'SP', "
        "printf('%05d', 47110 + x % 90), 'contato' || x || '@empresa.com.br', "
        "'Comércio varejista de mercadorias em geral, com predominância de produtos alimentícios', "
        "'Sociedade Empresária Limitada' FROM n"));
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
        "INSERT INTO bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
        "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento, "
        "DaDesligamentoEmpregado, CoCbo, CoNacionalidade, VaJaneiroEmpregado, VaFevereiroEmpregado, "
        "VaMarcoEmpregado, NoMunicipioTrabalho, TxtCBO, TxtVinculo, TxtRaca, TxtInstrucao) "
        "SELECT '2010', printf('%014d', 11222333000100 + (x % 2000) * 37), '00', printf('%011d', (x * 7919) % 99999999989), "
        "printf('%02d%02d20%02d', 1 + x % 28, 1 + x % 12, x % 10), 'EMPREGADO ' || hex(randomblob(6)) || ' DA SILVA', "
        "printf('%06d', x % 999999), '', '1', '', printf('%06d', 212405 + x % 300), '10', "
        "printf('%09d', 100000 + abs(random()) % 900000), printf('%09d', 100000 + abs(random()) % 900000), "
        "printf('%09d', 100000 + abs(random()) % 900000), 'SAO PAULO', 'Analista de desenvolvimento de sistemas', "
        "'Trabalhador urbano vinculado a empregador pessoa jurídica por contrato de trabalho', 'Parda', "
        "'Superior completo' FROM n").arg(g_vinculos));
    t.commit();
}

void executa(const QString &comando)
{
    if (std::system(comando.toLocal8Bit().constData()) != 0)
        std::abort();
}

void BM_Arquiva(benchmark::State &state)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        TBackupFile bk;
        bk.BackupTitle = QStringLiteral("Vorn2010");
        if (!bk.Backup({caminho(QStringLiteral("dados/bd8*.db"))}, caminho(QStringLiteral("copia.bkp"))))
            state.SkipWithError("backup failed");
        bytes = bk.TotalSize();
    }
    state.counters["MB"] = double(bytes) / 1e6;
    state.counters["arquivo_MB"] = double(QFileInfo(caminho(QStringLiteral("copia.bkp"))).size()) / 1e6;
}

void BM_Restaura(benchmark::State &state)
{
    for (auto _ : state) {
        TBackupFile bk;
        if (!bk.Restore(caminho(QStringLiteral("copia.bkp")), caminho(QStringLiteral("volta"))))
            state.SkipWithError("restore failed");
    }
}

void BM_Gzip1(benchmark::State &state)
{
    QDir().mkpath(caminho(QStringLiteral("gz")));
    for (auto _ : state)
        for (const QString &t : kTabelas)
            executa(QStringLiteral("gzip -1 -c '%1' > '%2'").arg(caminho("dados/" + t), caminho("gz/" + t + ".gz")));
}

void BM_GzipD(benchmark::State &state)
{
    QDir().mkpath(caminho(QStringLiteral("gzvolta")));
    for (auto _ : state)
        for (const QString &t : kTabelas)
            executa(QStringLiteral("gzip -d -c '%1' > '%2'").arg(caminho("gz/" + t + ".gz"), caminho("gzvolta/" + t)));
}

} // namespace

BENCHMARK(BM_Arquiva)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Restaura)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Gzip1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_GzipD)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (qstrncmp(argv[i], "--vinculos=", 11) == 0)
            g_vinculos = QByteArray(argv[i] + 11).toInt();
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    const QString dados = dir.filePath(QStringLiteral("dados"));
    createDataFolder(dados);
    openDatabase(dados);
    preenche();
    closeDatabase();
    qint64 total = 0;
    for (const QString &t : kTabelas)
        total += QFileInfo(QDir(dados).filePath(t)).size();
    benchmark::AddCustomContext("tabelas_MB", std::to_string(double(total) / 1e6));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
