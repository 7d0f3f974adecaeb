// The structure analyser with its loader on a declaration file of 200,000 links in 100 establishments,
// against the sqlite3 shell importing the same links as a tab-separated file into one table of the same
// columns as the link work table (without its key index, which the loader builds too). The shell runs in a
// process of its own: its processor time is the counter "cpu_shell_ms", beside the analyser's CPU column,
// which is the fairer comparison on a machine that other work keeps busy.
//
//   bench_analisador [--vinculos=N] [--estabelecimentos=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "app/base/Table.h"
#include "fileformat/ugAnaliseEstrutura.h"
#include "fileformat/ugLayoutVorn.h"
#include "fileformat/ugRegistrosVorn.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/ApoioBench.h"

#include <sys/resource.h>

using namespace gdvorn;

namespace {

int g_vinculos = 200000;
int g_estabelecimentos = 100;
QTemporaryDir *g_pasta = nullptr;
QString g_arquivo;
QString g_tsv;

QByteArray registro(const QString &texto) { return CodificaCp1252(texto); }

void poe(QByteArray &r, int posicao, const QByteArray &valor) { r.replace(posicao - 1, valor.size(), valor); }

QByteArray numero(qint64 n, int largura) { return QByteArray::number(n).rightJustified(largura, '0'); }

// The file and its tab-separated twin, made from one row of each table through the record builders.
void geraArquivos()
{
    Table resp(QStringLiteral("bd8resp")), emp(QStringLiteral("bd8emp")), vinc(QStringLiteral("bd8vinc"));
    resp.Open();
    emp.Open();
    vinc.Open();
    resp.Append();
    resp.FieldByName(QStringLiteral("NoResponsavelArquivo")).setAsString(QStringLiteral("EMPRESA DE TESTE"));
    resp.Post();
    emp.Append();
    emp.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).setAsString(QStringLiteral("PADARIA SÃO JOÃO"));
    emp.FieldByName(QStringLiteral("InVornNegEstabelecimento")).setAsString(QStringLiteral("0"));
    emp.FieldByName(QStringLiteral("CoCnae2")).setAsString(QStringLiteral("0111301"));
    emp.Post();
    vinc.Append();
    // Every field filled, as the entry forms leave a link (numbers zero-filled), but the leaves.
    for (const FieldDef &f : vinc.definition().fields) {
        if (f.name.startsWith(QLatin1String("Txt")) || f.name.contains(QLatin1String("Afas")) ||
            f.name == QLatin1String("NoMunicipioTrabalho") || f.name == QLatin1String("SgUfTrabalho"))
            continue;
        vinc.FieldByName(f.name).setAsString(QString(f.width, QLatin1Char('1')));
    }
    for (const auto &[campo, valor] : QList<QPair<QString, QString>>{
             {"NoEmpregado", "JOSÉ DA CONCEIÇÃO"}, {"CoNacionalidade", "10"}, {"CoInstrucao", "07"},
             {"CoCbo", "010105"}, {"CoMunicipioTrabalho", "3550308"}, {"CoVinculo", "10"},
             {"CoTipoAdmissao", "2"}, {"CoTipoSalarioContratual", "1"}, {"VaJaneiroEmpregado", "000150000"},
             {"DaAdmissaoEmpregado", "01022005"}, {"CoTipoRaca", "2"}})
        vinc.FieldByName(campo).setAsString(valor);
    vinc.Post();

    TContextoRegistro ctx;
    ctx.Inscricao = QStringLiteral("11222333000100");
    ctx.Prefixo = QStringLiteral("00");
    const QByteArray cabecalho = registro(RegistroTipoZero(resp, ctx));
    const QByteArray estabelecimento = registro(RegistroTipoUm(emp, ctx));
    const QByteArray vinculo = registro(RegistroTipoDois(vinc, ctx));
    QByteArray trailer = registro(RegistroTipoNove(resp, ctx));

    QFile arquivo(g_arquivo);
    arquivo.open(QIODevice::WriteOnly);
    int seq = 0;
    const auto escreve = [&](QByteArray r) {
        poe(r, 1, numero(++seq, 6));
        arquivo.write(r + "\r\n");
    };
    QByteArray h = cabecalho;
    escreve(h);
    const int porEstabelecimento = g_vinculos / g_estabelecimentos;
    QByteArray inscricao;
    for (int e = 0; e < g_estabelecimentos; ++e) {
        inscricao = numero(11222333000100LL + e, 14);
        QByteArray r = estabelecimento;
        poe(r, 7, inscricao);
        escreve(r);
        for (int v = 0; v < porEstabelecimento; ++v) {
            QByteArray l = vinculo;
            poe(l, 7, inscricao);
            poe(l, 24, numero(10000000000LL + qint64(e) * porEstabelecimento + v, 11));
            escreve(l);
        }
    }
    poe(trailer, 7, inscricao);
    poe(trailer, 24, numero(g_estabelecimentos, 6));
    poe(trailer, 30, numero(qint64(porEstabelecimento) * g_estabelecimentos, 6));
    escreve(trailer);
}

// The link rows that the loader made, as the tab-separated file of the shell: one line per row, the
// columns of the link work table in order.
void geraTsv()
{
    TAnaliseEstrutura analisador;
    int estab = 0, vinc = 0;
    analisador.AnalisaArquivo(g_arquivo, 2010, false, estab, vinc, g_pasta->path(), nullptr);
    QFile tsv(g_tsv);
    tsv.open(QIODevice::WriteOnly);
    QSqlQuery q(database());
    q.setForwardOnly(true);
    q.exec(QStringLiteral("SELECT * FROM te8vinc"));
    const int colunas = q.record().count();
    while (q.next()) {
        QByteArray linha;
        for (int i = 0; i < colunas; ++i) {
            if (i > 0)
                linha += '\t';
            linha += q.value(i).toString().toUtf8();
        }
        tsv.write(linha + '\n');
    }
}

void BM_AnalisaECarrega(benchmark::State &state)
{
    for (auto _ : state) {
        TAnaliseEstrutura analisador;
        int estab = 0, vinc = 0;
        const quint8 r = analisador.AnalisaArquivo(g_arquivo, 2010, false, estab, vinc, g_pasta->path(), nullptr);
        if (r != AnaliseIntegra)
            state.SkipWithError("the file did not analyse as sound");
        state.counters["vinculos"] = vinc;
        state.counters["estabelecimentos"] = estab;
    }
}

void BM_Sqlite3Import(benchmark::State &state)
{
    const QString tabela = Schema::require(QStringLiteral("te8vinc")).createTableSql().replace(
        QStringLiteral("\"main\".\"te8vinc\""), QStringLiteral("vinculos"));
    const QString banco = QDir(g_pasta->path()).filePath(QStringLiteral("shell.db"));
    const auto cpuFilhos = [] {
        rusage uso{};
        getrusage(RUSAGE_CHILDREN, &uso);
        return (uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1000.0 + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1000.0;
    };
    const double cpuAntes = cpuFilhos();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(banco);
        state.ResumeTiming();
        QProcess shell;
        shell.start(QStringLiteral("sqlite3"), {banco});
        shell.write(QStringLiteral("%1;\n.mode tabs\n.import %2 vinculos\n")
                        .arg(tabela, g_tsv)
                        .toUtf8());
        shell.closeWriteChannel();
        if (!shell.waitForFinished(-1) || shell.exitCode() != 0 || !shell.readAllStandardError().isEmpty())
            state.SkipWithError("sqlite3 failed");
    }
    state.counters["cpu_shell_ms"] = (cpuFilhos() - cpuAntes) / double(state.iterations());
}

BENCHMARK(BM_AnalisaECarrega)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Sqlite3Import)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_vinculos = bench::Opcao(argc, argv, "--vinculos=", g_vinculos);
    g_estabelecimentos = bench::Opcao(argc, argv, "--estabelecimentos=", g_estabelecimentos);
    QTemporaryDir pasta;
    g_pasta = &pasta;
    bench::CopiaTabelasInstaladas(pasta.path());
    openDatabase(pasta.path());
    g_arquivo = pasta.filePath(QStringLiteral("Vorn2010_1122233300010000G.dec"));
    g_tsv = pasta.filePath(QStringLiteral("vinculos.tsv"));
    geraArquivos();
    geraTsv();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeDatabase();
    return 0;
}
