// Writes a declaration of 200,000 links of 100 establishments from the permanent tables to the fixed
// destination (13 volumes), and, for comparison, the plain path over the same data: one SELECT of the
// same rows straight on the engine with every column read as text, plus an MD5 of the written bytes.
//
//   bench_gravacao [--vinculos=N] [--estabelecimentos=N] [Google Benchmark options]

#include "app/base/Database.h"
#include "app/base/Presenter.h"
#include "app/ugConfiguracao.h"
#include "fileformat/ugGravaDeclaracao.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDriver>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace gdvorn;

namespace {

int g_vinculos = 200000;
int g_estabelecimentos = 100;
QString g_transmite;

void preenche()
{
    Transaction t;
    execSql(QStringLiteral(
        "INSERT INTO bd8resp (CoCgcCeiResponsavel, InInscrResponsavel, NoResponsavelArquivo, EdLogradouroRespArquivo, "
        "NuLogradouroRespArquivo, NoBairroRespArquivo, CoCepRespArquivo, CoMunicipioRespArquivo, "
        "NoMunicipioRespArquivo, SgUfRespArquivo, NuFoneDDD, NuFoneAssinante, TxEMailRespArquivo, "
        "NoResponsavelDeclaracao, CoCpfResponsavel, DaNascimentoRespArquivo) VALUES ('99888777000166', '1', "
        "'CONTABILIDADE EXEMPLO', 'RUA DAS FLORES', '000100', 'CENTRO', '01001000', '3550308', 'SÃO PAULO', 'SP', "
        "'11', '32223333', 'contato@exemplo.com.br', 'JOÃO DA SILVA', '12345678909', '01011970')"));
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < :E) "
        "INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoCgcVinculado, "
        "NoRazaoEstabelecimento, EdEstabelecimento, NuEnderecoEstabelecimento, NoBairroEstabelecimento, "
        "CoCepEstabelecimento, CoMunicipio, NoMunicEstabelecimento, SgUf, NuDDD, NuTelefone, CoCnae2, "
        "CoNaturezaJuridica, NuProprietEstabelecimento, MeDataBase, InInscrEstabelecimento, "
        "InVornNegEstabelecimento, InPorte, InOptanteSimples, InParticipaPAT, InAtividadeAnoBase, "
        "TxEmailEstabelecimento) "
        "SELECT '2010', printf('%014d', 11222333000100 + x), '01', '', 'Empresa número ' || x, 'Avenida Paulista', "
        "'001000', 'Bela Vista', '01310100', '3550308', 'SÃO PAULO', 'SP', '11', '30001000', '4711302', '2062', "
        "'02', '05', '1', '0', '3', '2', '1', '1', 'rh@empresa' || x || '.com.br' FROM n")
                .replace(QStringLiteral(":E"), QString::number(g_estabelecimentos)));
    execSql(QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < :V) "
        "INSERT INTO bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
        "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento, "
        "DaDesligamentoEmpregado, CoCbo, DaNascimentoEmpregado, CoNacionalidade, CoInstrucao, NuCartTrabEmpregado, "
        "CoCpfEmpregado, CoTipoAdmissao, VaSalContratualEmpregado, CoTipoSalarioContratual, HoSemanaisEmpregado, "
        "CoVinculo, VaJaneiroEmpregado, VaFevereiroEmpregado, VaMarcoEmpregado, VaAbrilEmpregado, VaMaioEmpregado, "
        "VaJunhoEmpregado, VaJulhoEmpregado, VaAgostoEmpregado, VaSetembroEmpregado, VaOutubroEmpregado, "
        "VaNovembroEmpregado, VaDezembroEmpregado, CoTipoRaca, InDeficienteFisico, InSexo, CoMunicipioTrabalho, "
        "InSindicalizadoVinculo) "
        "SELECT '2010', printf('%014d', 11222333000101 + x % :E), '01', printf('%011d', (x * 7919) % 99999999989), "
        "printf('%02d%02d20%02d', 1 + x % 28, 1 + x % 12, x % 10), 'Empregado número ' || x, printf('%06d', x), "
        "'', '1', '', '212405', '15061980', '10', '07', '01234567', '12345678909', '2', '000250000', '1', '44', '10', "
        "'000250000', '000250000', '000250000', '000250000', '000250000', '000250000', '000250000', '000250000', "
        "'000250000', '000250000', '000250000', '000250000', '8', '2', '1', '3550308', '2' FROM n")
                .replace(QStringLiteral(":V"), QString::number(g_vinculos))
                .replace(QStringLiteral(":E"), QString::number(g_estabelecimentos)));
    t.commit();
}

void limpaTransmite()
{
    QDir(g_transmite).removeRecursively();
    QDir().mkpath(g_transmite);
}

QList<QString> volumes() { return QDir(g_transmite).entryList({QStringLiteral("*.dec")}, QDir::Files); }

void BM_GravaDeclaracao(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        limpaTransmite();
        state.ResumeTiming();
        const quint8 r = GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QStringLiteral("120000"),
                                         QStringLiteral("31012011"), false, false, nullptr);
        if (r != ResultadoGravacao::Concluida)
            state.SkipWithError("the writer failed");
        state.counters["volumes"] = double(volumes().size());
    }
}

// One SELECT of the establishments and their links in key order, every column read as text, and an MD5
// of the bytes the writer wrote.
void BM_CaminhoSimples(benchmark::State &state)
{
    sqlite3 *h = *static_cast<sqlite3 *const *>(database().driver()->handle().constData());
    for (auto _ : state) {
        qint64 soma = 0;
        for (const char *sql :
             {"SELECT * FROM bd8emp ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento",
              "SELECT * FROM bd8vinc ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
              "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, "
              "InInscrEstabelecimento, DaDesligamentoEmpregado, CoCbo"}) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(h, sql, -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    soma += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                              sqlite3_column_bytes(st, i))
                                .size();
            sqlite3_finalize(st);
        }
        QCryptographicHash md5(QCryptographicHash::Md5);
        qint64 bytes = 0;
        for (const QString &v : volumes()) {
            QFile f(g_transmite + QLatin1Char('/') + v);
            f.open(QIODevice::ReadOnly);
            const QByteArray conteudo = f.readAll();
            bytes += conteudo.size();
            md5.addData(conteudo);
        }
        benchmark::DoNotOptimize(soma);
        benchmark::DoNotOptimize(md5.result());
        state.counters["bytes"] = double(bytes);
    }
}

} // namespace

BENCHMARK(BM_GravaDeclaracao)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CaminhoSimples)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (qstrncmp(argv[i], "--vinculos=", 11) == 0)
            g_vinculos = QByteArray(argv[i] + 11).toInt();
        else if (qstrncmp(argv[i], "--estabelecimentos=", 19) == 0)
            g_estabelecimentos = QByteArray(argv[i] + 19).toInt();
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("dados"));
    const QString dados = dir.filePath(QStringLiteral("dados"));
    createDataFolder(dados);
    openDatabase(dados);
    setDiretorioPrograma(dir.path() + QLatin1Char('/'));
    g_transmite = dir.filePath(QStringLiteral("Transmite"));
    preenche();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeDatabase();
    return 0;
}
