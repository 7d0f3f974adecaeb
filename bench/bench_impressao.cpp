// The printed declaration of one establishment of 50,000 links: the statement over the ticked keys and
// the pages of the summary and the complete report, "Total" (the establishment ticked) against "Parcial"
// (every one of its links ticked, as the selection page hands them over); and the employee list the
// selection page fills for that establishment.
//
//   bench_impressao [--vinculos=N] [Google Benchmark options]

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/udmRaveRelatorios.h"
#include "workflows/ugConsulta.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/ApoioBench.h"

using namespace gdvorn;

namespace {

int g_vinculos = 50000;
const QStringList kEstab{QStringLiteral("2010"), QStringLiteral("11222333000181"), QStringLiteral("00")};

void preenche()
{
    Transaction t;
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
        "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
        "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento, "
        "DaDesligamentoEmpregado, CoCbo, CoVinculo, VaSalContratualEmpregado, TxUsoEmpregado) "
        "SELECT '2010', '11222333000181', '00', printf('%011d', (x * 7919) % 99999999989), "
        "printf('%02d%02d20%02d', 1 + x % 28, 1 + x % 12, x % 10), 'EMPREGADO NUMERO ' || x, printf('%06d', x), "
        "'', '1', '0000', '212405', '10', '000150000', printf('U%06d', x % 5000) FROM n")
                .arg(g_vinculos));
    execSql(QStringLiteral("INSERT INTO bd8emp.bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                           "InInscrEstabelecimento, InVornNegEstabelecimento, CoCgcVinculado, NoRazaoEstabelecimento) "
                           "VALUES ('2010', '11222333000181', '00', '1', '0', '', 'EMPRESA')"));
    execSql(QStringLiteral("INSERT INTO bd8resp.bd8resp (CoCgcCeiResponsavel, InInscrResponsavel, NoResponsavelArquivo) "
                           "VALUES ('11222333000181', '1', 'RESPONSAVEL')"));
    t.commit();
}

class ContaPaginas : public DestinoPaginas {
public:
    void pagina(const Pagina &) override { ++paginas; }
    int paginas = 0;
};

QList<QStringList> todosOsVinculos()
{
    bool demais = false;
    QList<QStringList> r;
    for (const ItemRelatorio &i : EmpregadosRelatorio(QStringLiteral("BD8Vinc"), kEstab, 0, g_vinculos, demais))
        r << i.Chave;
    return r;
}

// range(0): 0 "Total", 1 "Parcial" with every link ticked; range(1): 0 summary, 1 complete report.
void BM_Declaracao(benchmark::State &state)
{
    TdmRaveRelatorios modulo;
    RegistraRelatorios(modulo);
    const bool parcial = state.range(0) == 1;
    const QString relatorio = state.range(1) == 1 ? QStringLiteral("RelatorioCompleto") : QStringLiteral("RelatorioResumido");
    const QList<QStringList> vinculos = parcial ? todosOsVinculos() : QList<QStringList>();
    int paginas = 0;
    for (auto _ : state) {
        MontaConsultaRelatorio(modulo.qrConsulta, QStringLiteral("BD8Resp"), QStringLiteral("BD8Emp"), QStringLiteral("BD8Vinc"),
                               QStringLiteral("2010"), 0, {kEstab}, vinculos, parcial);
        modulo.RvProject2.SetParam(QStringLiteral("AnoBase"), QStringLiteral("2010"));
        ContaPaginas destino;
        modulo.RvProject2.Gera(relatorio, destino);
        paginas = destino.paginas;
    }
    state.counters["vinculos"] = double(vinculos.size());
    state.counters["paginas"] = double(paginas);
}

// The statement alone: the key tables filled and the statement set, not run.
void BM_Consulta(benchmark::State &state)
{
    TdmRaveRelatorios modulo;
    const bool parcial = state.range(0) == 1;
    const QList<QStringList> vinculos = parcial ? todosOsVinculos() : QList<QStringList>();
    for (auto _ : state)
        MontaConsultaRelatorio(modulo.qrConsulta, QStringLiteral("BD8Resp"), QStringLiteral("BD8Emp"), QStringLiteral("BD8Vinc"),
                               QStringLiteral("2010"), 0, {kEstab}, vinculos, parcial);
}

// The selection page's employee list of the establishment ("Parcial"), in PIS/PASEP order.
void BM_ListaEmpregados(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(todosOsVinculos().size());
}

} // namespace

BENCHMARK(BM_Declaracao)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"parcial", "completo"})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Consulta)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListaEmpregados)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_vinculos = bench::Opcao(argc, argv, "--vinculos=", g_vinculos);
    QTemporaryDir dir;
    createDataFolder(dir.path());
    openDatabase(dir.path());
    preenche();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeDatabase();
    return 0;
}
