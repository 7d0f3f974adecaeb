// The import on one declaration of 200,000 links in 1,000 establishments, written as a 2010 and as a 2009
// file. In one run, in this order: the 2010 file's analysis with its load, the copy of all its
// establishments into empty permanent tables by this year's rules, a second copy of the same file onto the
// first (every link a duplicate), then the 2009 file's analysis with its load and its copy into emptied
// tables by last year's rules. Each copy should stay within twice the load of its file.
//
//   bench_importacao [--vinculos=N] [--estabelecimentos=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "app/base/Progresso.h"
#include "app/base/Table.h"
#include "fileformat/ugAnaliseEstrutura.h"
#include "fileformat/ugRegistrosVorn.h"
#include "workflows/ugImportacao.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/ApoioBench.h"

using namespace gdvorn;

namespace {

int g_vinculos = 200000;
int g_estabelecimentos = 1000;
QTemporaryDir *g_pasta = nullptr;

void poe(QByteArray &r, int posicao, const QByteArray &valor) { r.replace(posicao - 1, valor.size(), valor); }

QByteArray numero(qint64 n, int largura) { return QByteArray::number(n).rightJustified(largura, '0'); }

// A valid CNPJ: the 12 digits of `raiz` and its two check digits.
QByteArray cnpj(qint64 raiz)
{
    QByteArray d = numero(raiz, 12);
    for (int n = 12; n <= 13; ++n) {
        int soma = 0, peso = n - 7;
        for (int i = 0; i < n; ++i) {
            soma += (d.at(i) - '0') * peso;
            peso = peso == 2 ? 9 : peso - 1;
        }
        const int r = soma % 11;
        d += char('0' + (r < 2 ? 0 : 11 - r));
    }
    return d;
}

QString arquivo(int ano) { return g_pasta->filePath(QStringLiteral("Vorn%1_bench.dec").arg(ano)); }

// The file of `ano`, made from one row of each table through the record builders.
void geraArquivo(int ano)
{
    Table resp(QStringLiteral("bd8resp")), emp(QStringLiteral("bd8emp")), vinc(QStringLiteral("bd8vinc"));
    resp.Open();
    emp.Open();
    vinc.Open();
    resp.Append();
    resp.FieldByName(QStringLiteral("NoResponsavelArquivo")).setAsString(QStringLiteral("EMPRESA DE TESTE"));
    resp.Post();
    emp.Append();
    for (const auto &[campo, valor] : QList<QPair<QString, QString>>{
             {"NoRazaoEstabelecimento", "PADARIA SÃO JOÃO"}, {"InVornNegEstabelecimento", "0"}, {"CoCnae2", "0111301"},
             {"InInscrEstabelecimento", "1"}, {"CoCgcVinculado", "00123456789012"},
             {"NuVinculosEstabelecimento", QString::number(g_vinculos / g_estabelecimentos)}})
        emp.FieldByName(campo).setAsString(valor);
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
             {"DaAdmissaoEmpregado", "01022005"}, {"CoTipoRaca", "2"}, {"CoCausaDesligamento", "00"},
             {"DaDesligamentoEmpregado", "0000"}})
        vinc.FieldByName(campo).setAsString(valor);
    vinc.Post();

    TContextoRegistro ctx;
    ctx.AnoBase = ano;
    ctx.Inscricao = QString::fromLatin1(cnpj(112220000001LL));
    ctx.Prefixo = QStringLiteral("00");
    const QByteArray cabecalho = CodificaCp1252(RegistroTipoZero(resp, ctx));
    const QByteArray estabelecimento = CodificaCp1252(RegistroTipoUm(emp, ctx));
    const QByteArray vinculo = CodificaCp1252(RegistroTipoDois(vinc, ctx));
    QByteArray trailer = CodificaCp1252(RegistroTipoNove(resp, ctx));
    resp.EmptyTable();
    emp.EmptyTable();
    vinc.EmptyTable();

    QFile f(arquivo(ano));
    f.open(QIODevice::WriteOnly);
    int seq = 0;
    const auto escreve = [&](QByteArray r) {
        poe(r, 1, numero(++seq, 6));
        f.write(r + "\r\n");
    };
    escreve(cabecalho);
    const int porEstabelecimento = g_vinculos / g_estabelecimentos;
    QByteArray inscricao;
    for (int e = 0; e < g_estabelecimentos; ++e) {
        inscricao = cnpj(112220000001LL + qint64(e) * 10000);
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

// The analysis with the load of the year's file, in import mode.
void carrega(benchmark::State &state, int ano)
{
    for (auto _ : state) {
        TAnaliseEstrutura analisador;
        analisador.LayoutAnterior = ano == 2009;
        int estab = 0, vinc = 0;
        Progresso barra;
        const quint8 r = analisador.AnalisaArquivo(arquivo(ano), 2010, true, estab, vinc, g_pasta->path(), &barra);
        if (r != AnaliseIntegra)
            state.SkipWithError("the file did not analyse as sound");
        state.counters["vinculos"] = vinc;
        state.counters["estabelecimentos"] = estab;
    }
}

// The copy of every loaded establishment by the year's rules.
void copia(benchmark::State &state, int ano)
{
    for (auto _ : state) {
        state.PauseTiming();
        ParametrosImportacao p;
        p.AnoImportacao = ano;
        p.LayoutAnterior = ano == 2009;
        const QList<EstabelecimentoImportavel> lista = EstabelecimentosImportaveis(p);
        QList<ChaveEstabelecimento> chaves;
        for (const EstabelecimentoImportavel &e : lista)
            chaves << e.Chave;
        Progresso barra;
        state.ResumeTiming();
        if (ImportaEstabelecimentos(chaves, p, int(lista.size()), barra) != ResultadoImportacao::Concluida)
            state.SkipWithError("the copy stopped");
        state.PauseTiming();
        Table t(QStringLiteral("te8imp"));
        t.Open();
        int importados = 0, duplicados = 0;
        for (t.First(); !t.Eof(); t.Next()) {
            importados += t.FieldByName(QStringLiteral("NuTotalImportados")).AsInteger();
            duplicados += t.FieldByName(QStringLiteral("NuTotalDuplicados")).AsInteger();
        }
        state.counters["importados"] = importados;
        state.counters["duplicados"] = duplicados;
        state.ResumeTiming();
    }
}

void BM_Carrega2010(benchmark::State &state) { carrega(state, 2010); }
void BM_Copia2010(benchmark::State &state) { copia(state, 2010); }
void BM_Copia2010Duplicados(benchmark::State &state) { copia(state, 2010); }
void BM_Carrega2009(benchmark::State &state)
{
    for (const char *t : {"bd8emp", "bd8vinc"}) {
        Table tabela{QLatin1String(t)};
        tabela.Open();
        tabela.EmptyTable();
    }
    carrega(state, 2009);
}
void BM_Copia2009(benchmark::State &state) { copia(state, 2009); }

// In this order: each step works on what the one before left.
BENCHMARK(BM_Carrega2010)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Copia2010)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Copia2010Duplicados)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Carrega2009)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Copia2009)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

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
    geraArquivo(2010);
    geraArquivo(2009);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeDatabase();
    return 0;
}
