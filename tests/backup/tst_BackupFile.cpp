#include "backup/BackupFile.h"
#include "backup/ugCopiaSeguranca.h"

#include "app/base/DurableFile.h"

#include "ProcessoFilho.h"
#include "ScriptedPresenter.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

#include <unistd.h>

using namespace gdvorn;
using gdvorn::test::ScriptedPresenter;

namespace {

// An archive read back by the test: head, then entries with their blocks' counts.
struct Entrada {
    QString nome;
    quint32 data = 0;
    QByteArray marca;
    QList<qint32> blocos;
};
struct Lido {
    QString titulo;
    qint32 total = 0;
    qint32 quantidade = 0;
    QList<Entrada> entradas;
    bool continuacao = false; // a volume that starts with the marker of an interrupted file
};

qint32 le32(const QByteArray &b, qsizetype &p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(b.constData() + p);
    p += 4;
    return qint32(quint32(u[0]) | (quint32(u[1]) << 8) | (quint32(u[2]) << 16) | (quint32(u[3]) << 24));
}

QByteArray i32(qint32 v)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = char((quint32(v) >> (8 * i)) & 0xFF);
    return b;
}

QList<qint32> leBlocos(const QByteArray &b, qsizetype &p)
{
    QList<qint32> blocos;
    for (qint32 n = le32(b, p); n != 0; n = le32(b, p)) {
        blocos << n;
        p += n < 0 ? -n : n;
    }
    return blocos;
}

// `cabeca`: the volume starts with the archive's head (the first volume).
Lido le(const QByteArray &b, bool cabeca = true)
{
    Lido l;
    qsizetype p = 0;
    if (cabeca) {
        const qint32 t = le32(b, p);
        l.titulo = QString::fromUtf8(b.mid(p, t));
        p += t;
        l.total = le32(b, p);
        l.quantidade = le32(b, p);
    } else {
        l.continuacao = b.left(4) == QByteArray("EC2\0", 4);
        p = 4;
        Entrada e;
        e.marca = b.left(4);
        e.blocos = leBlocos(b, p);
        l.entradas << e;
    }
    for (qint32 n = le32(b, p); n != 0 && p < b.size(); n = le32(b, p)) {
        Entrada e;
        e.nome = QString::fromUtf8(b.mid(p, n));
        p += n;
        if (!e.nome.startsWith(QLatin1String("NEXT:DISK"))) {
            e.data = quint32(le32(b, p));
            e.marca = b.mid(p, 4);
            p += 4;
            e.blocos = leBlocos(b, p);
        }
        l.entradas << e;
        if (e.nome.startsWith(QLatin1String("NEXT:DISK")))
            break;
    }
    return l;
}

QByteArray leArquivo(const QString &nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void grava(const QString &nome, const QByteArray &dados, const QDateTime &data = {})
{
    QDir().mkpath(QFileInfo(nome).absolutePath());
    QFile f(nome);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(dados), dados.size());
    QVERIFY(f.flush());
    if (data.isValid())
        QVERIFY(f.setFileTime(data, QFileDevice::FileModificationTime));
}

QByteArray aleatorio(qsizetype n, quint32 semente)
{
    QRandomGenerator g(semente);
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char(g.bounded(256));
    return b;
}

// Text that compresses well, as the rows of a table do.
QByteArray texto(qsizetype n)
{
    QByteArray b;
    for (int i = 0; b.size() < n; ++i)
        b += "registro " + QByteArray::number(i) + " ESTABELECIMENTO LTDA 0001;";
    return b.left(n);
}

// Every file below `pasta`, relative to it.
QStringList arquivosEm(const QString &pasta)
{
    QStringList r;
    QDirIterator it(pasta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        r << QDir(pasta).relativeFilePath(it.next());
    r.sort();
    return r;
}

const QDateTime kData(QDate(2010, 5, 17), QTime(14, 30, 20));

// Incompressible data of 60,000 bytes in volumes of 25,000: one block each, four volumes (copia.bkp,
// copia.002 ... copia.004). `semente` tells one run's data from another's.
constexpr qint64 kVolumePequeno = 25000;
QByteArray dadosDaCopia(quint32 semente) { return aleatorio(60000, semente); }

// Archives `dados` (as a.bin) into copia.bkp of `pasta` in volumes, going on at every disk request.
bool copia(const QString &pasta, const QByteArray &dados, TBackupFile &b)
{
    grava(pasta + QStringLiteral("/origem/a.bin"), dados);
    b.MaxSize = kVolumePequeno;
    if (!b.OnNeedDisk)
        b.OnNeedDisk = [](int, bool &continua) { continua = true; };
    return b.Backup({pasta + QStringLiteral("/origem/a.bin")}, pasta + QStringLiteral("/copia.bkp"));
}

// What a restore of copia.bkp of `pasta` gives: "antigo" or "novo" (all of a.bin as the run with seed 1
// or 2 wrote it), "incompleto" (a volume is missing), "ausente" (no archive), or what went wrong.
QString restaurado(const QString &pasta)
{
    const QString arquivo = pasta + QStringLiteral("/copia.bkp");
    const QString volta = pasta + QStringLiteral("/volta");
    QDir(volta).removeRecursively();
    if (!QFileInfo::exists(arquivo))
        return QStringLiteral("ausente");
    TBackupFile r;
    bool faltou = false;
    r.OnNeedDisk = [&](int n, bool &continua) {
        continua = QFileInfo::exists(TBackupFile::NomeVolume(arquivo, n));
        faltou = faltou || !continua;
    };
    r.OnError = [](int, const QString &) {};
    bool ok = false;
    try {
        ok = r.Restore(arquivo, volta);
    } catch (const ArquivoBackupInvalido &e) {
        return QStringLiteral("inválido: ") + e.texto();
    }
    if (faltou)
        return QStringLiteral("incompleto");
    if (!ok)
        return QStringLiteral("falhou");
    const QByteArray b = leArquivo(volta + QStringLiteral("/a.bin"));
    return b == dadosDaCopia(1) ? QStringLiteral("antigo") : b == dadosDaCopia(2) ? QStringLiteral("novo") : QStringLiteral("misturado");
}

// The archive's files left in `pasta`: its volumes and any partial file.
QStringList volumesEm(const QString &pasta)
{
    return QDir(pasta).entryList({QStringLiteral("copia.*")}, QDir::Files, QDir::Name);
}

} // namespace

class tst_BackupFile : public QObject {
    Q_OBJECT
private slots:
    void idaEVolta_data();
    void idaEVolta();
    void blocoIncompressivelGuardado();
    void volumes_data();
    void volumes();
    void volumeSemEspacoParaUmBloco();
    void arquivosVaziosEmQualquerVolume_data();
    void arquivosVaziosEmQualquerVolume();
    void volumeQueApontaParaTras_data();
    void volumeQueApontaParaTras();
    void volumeFaltando();
    void listaDeArquivos();
    void modosDeRestauracao_data();
    void modosDeRestauracao();
    void restauraNaPastaDeDestino();
    void entradaAntigaLzrw();
    void corrupcao_data();
    void corrupcao();
    void paradaPeloProgresso();
    void totalZeroSemDivisao();
    void copiaMortaEmCadaPasso_data();
    void copiaMortaEmCadaPasso();
    void copiaQueNaoConcluiNaoDeixaNada_data();
    void copiaQueNaoConcluiNaoDeixaNada();
};

void tst_BackupFile::idaEVolta_data()
{
    QTest::addColumn<QByteArray>("dados");
    QTest::addColumn<QList<qint32>>("blocos"); // expected counts' signs and sizes where known (0: compressed)
    QTest::newRow("vazio") << QByteArray() << QList<qint32>{};
    QTest::newRow("1 byte") << QByteArray("x") << QList<qint32>{0};
    QTest::newRow("16384") << texto(16384) << QList<qint32>{0};
    QTest::newRow("16385") << texto(16385) << QList<qint32>{0, 0};
    QTest::newRow("megabytes") << texto(3 * 1024 * 1024 + 77) + aleatorio(500000, 7) << QList<qint32>{};
}

void tst_BackupFile::idaEVolta()
{
    QFETCH(QByteArray, dados);
    QFETCH(QList<qint32>, blocos);
    QTemporaryDir dir;
    grava(dir.filePath("dados/bd8emp.db"), dados, kData);
    grava(dir.filePath("dados/outro.txt"), "nao entra");
    TBackupFile b;
    b.BackupTitle = QStringLiteral("Vorn2010");
    const QString arquivo = dir.filePath("copia.bkp");
    QVERIFY(b.Backup({dir.filePath("dados/bd8emp.*")}, arquivo));

    const Lido l = le(leArquivo(arquivo));
    QCOMPARE(l.titulo, QStringLiteral("Vorn2010"));
    QCOMPARE(l.total, qint32(dados.size()));
    QCOMPARE(l.quantidade, 1);
    QCOMPARE(l.entradas.size(), 1);
    QCOMPARE(l.entradas[0].nome, dir.filePath("dados/bd8emp.db").toLower());
    QCOMPARE(l.entradas[0].marca, QByteArray("EC2\0", 4));
    QCOMPARE(l.entradas[0].data, DataDos(kData));
    if (!blocos.isEmpty() || dados.isEmpty()) {
        QCOMPARE(l.entradas[0].blocos.size(), blocos.size());
        for (qint32 n : l.entradas[0].blocos)
            QVERIFY(n > 0 && n <= kTamanhoBloco);
    }

    QVERIFY(b.Restore(arquivo, dir.filePath("volta")));
    QCOMPARE(arquivosEm(dir.filePath("volta")), QStringList{"bd8emp.db"});
    QCOMPARE(leArquivo(dir.filePath("volta/bd8emp.db")), dados);
    QCOMPARE(QFileInfo(dir.filePath("volta/bd8emp.db")).lastModified(), kData);
}

void tst_BackupFile::blocoIncompressivelGuardado()
{
    QTemporaryDir dir;
    const QByteArray dados = aleatorio(20000, 1);
    grava(dir.filePath("a.bin"), dados);
    TBackupFile b;
    QVERIFY(b.Backup({dir.filePath("a.bin")}, dir.filePath("x.bkp")));
    const Lido l = le(leArquivo(dir.filePath("x.bkp")));
    // A whole chunk that does not shrink is stored; a short one whose stream fits in a block is not.
    QCOMPARE(l.entradas[0].blocos.size(), 2);
    QCOMPARE(l.entradas[0].blocos[0], -16384);
    QVERIFY(l.entradas[0].blocos[1] > 0);
    QVERIFY(b.Restore(dir.filePath("x.bkp"), dir.filePath("volta")));
    QCOMPARE(leArquivo(dir.filePath("volta/a.bin")), dados);
}

void tst_BackupFile::volumes_data()
{
    QTest::addColumn<qint64>("limite");
    QTest::newRow("100000") << qint64(100000);
    // Sizes where a block just fits, or the next entry's head just does, before the volume's end.
    for (qint64 limite : {16384 + 200, 33000, 49203, 49250, 65571, 65600})
        QTest::newRow(qPrintable(QString::number(limite))) << limite;
}

void tst_BackupFile::volumes()
{
    QFETCH(qint64, limite);
    QTemporaryDir dir;
    // Incompressible data fills the volumes; names of different lengths move the entries' heads.
    QMap<QString, QByteArray> arquivos{{"bd8emp.db", aleatorio(180000, 2)},
                                       {"bd8resp.db", texto(40000)},
                                       {"bd8vinc.db", aleatorio(16385, 3)},
                                       {"bd8vinc.db.com-um-nome-bem-mais-longo-que-os-outros", aleatorio(33000, 4)},
                                       {"bd8zzz.db", QByteArray()}};
    for (auto it = arquivos.cbegin(); it != arquivos.cend(); ++it)
        grava(dir.filePath("dados/" + it.key()), it.value());
    TBackupFile b;
    b.MaxSize = limite;
    QList<int> pedidos;
    b.OnNeedDisk = [&](int disco, bool &continua) {
        pedidos << disco;
        continua = true;
    };
    const QString arquivo = dir.filePath("destino/copia.bkp");
    QDir().mkpath(dir.filePath("destino"));
    QVERIFY(b.Backup({dir.filePath("dados/bd8*")}, arquivo));

    const QStringList volumes = QDir(dir.filePath("destino")).entryList(QDir::Files, QDir::Name);
    QVERIFY(volumes.size() >= 2);
    QCOMPARE(volumes.first(), QStringLiteral("copia.002"));
    QCOMPARE(volumes.last(), QStringLiteral("copia.bkp"));
    QCOMPARE(pedidos.size(), volumes.size() - 1);
    for (const QString &v : volumes)
        QVERIFY2(QFileInfo(dir.filePath("destino/" + v)).size() <= limite, qPrintable(v));
    const Lido primeiro = le(leArquivo(arquivo));
    QCOMPARE(primeiro.entradas.last().nome, QStringLiteral("NEXT:DISK002"));
    const Lido segundo = le(leArquivo(TBackupFile::NomeVolume(arquivo, 2)), false);
    QVERIFY(segundo.continuacao);

    pedidos.clear();
    TBackupFile r;
    r.OnNeedDisk = [&](int disco, bool &continua) {
        pedidos << disco;
        continua = true;
    };
    QVERIFY(r.Restore(arquivo, dir.filePath("volta")));
    QCOMPARE(pedidos.size(), volumes.size() - 1);
    QCOMPARE(arquivosEm(dir.filePath("volta")), QStringList(arquivos.keys()));
    for (auto it = arquivos.cbegin(); it != arquivos.cend(); ++it)
        QCOMPARE(leArquivo(dir.filePath("volta/" + it.key())), it.value());
}

void tst_BackupFile::volumeSemEspacoParaUmBloco()
{
    QTemporaryDir dir;
    grava(dir.filePath("a.bin"), aleatorio(50000, 5));
    TBackupFile b;
    b.MaxSize = 10000;
    int pedidos = 0;
    b.OnNeedDisk = [&](int, bool &continua) {
        continua = ++pedidos < 50;
    };
    int erro = 0;
    b.OnError = [&](int codigo, const QString &) { erro = codigo; };
    QVERIFY(!b.Backup({dir.filePath("a.bin")}, dir.filePath("x.bkp")));
    QCOMPARE(erro, int(beGravacaoArquivo));
    QVERIFY(pedidos <= 1);
}

void tst_BackupFile::arquivosVaziosEmQualquerVolume_data()
{
    QTest::addColumn<QList<int>>("tamanhos"); // file sizes in list order (0: empty)
    QTest::newRow("cheio, vazio, cheio") << QList<int>{81920, 0, 30000};
    QTest::newRow("vazios seguidos") << QList<int>{32768, 0, 0, 0, 20000};
    QTest::newRow("vazio primeiro e ultimo") << QList<int>{0, 32768, 0};
}

// An empty file writes no block, so nothing before the next entry's head kept room for it: whatever
// the volume size (from the smallest the program allows), every set of files is archived and read back.
void tst_BackupFile::arquivosVaziosEmQualquerVolume()
{
    QFETCH(QList<int>, tamanhos);
    QTemporaryDir dir;
    QMap<QString, QByteArray> arquivos;
    for (int i = 0; i < tamanhos.size(); ++i)
        arquivos[QStringLiteral("%1%2.db").arg(QChar('a' + i)).arg(QString(i, QChar('x')))] =
            aleatorio(tamanhos[i], quint32(i + 10));
    // Incompressible data is stored in blocks of 16,384 bytes, so the archive's layout without volumes is
    // known: the sizes that matter end the first volume around the end of an empty file's entry.
    QList<qint64> limites;
    qint64 posicao = 4 + 4 + 4; // empty title, total, count
    for (auto it = arquivos.cbegin(); it != arquivos.cend(); ++it) {
        grava(dir.filePath("dados/" + it.key()), it.value());
        posicao += 4 + QFileInfo(dir.filePath("dados/" + it.key())).absoluteFilePath().toUtf8().size() + 4 + 4 + 4;
        for (qsizetype feito = 0; feito < it.value().size(); feito += kTamanhoBloco)
            posicao += 4 + std::min<qsizetype>(kTamanhoBloco, it.value().size() - feito);
        if (it.value().isEmpty())
            for (qint64 l = std::max(kMenorVolume, posicao - 60); l <= posicao + 60; ++l)
                limites << l;
    }
    for (qint64 l = kMenorVolume; l <= posicao + 1000; l += 1999)
        limites << l;
    QVERIFY(limites.contains(82060) || tamanhos.first() != 81920);
    for (const qint64 limite : std::as_const(limites)) {
        const QString destino = dir.filePath(QStringLiteral("v%1").arg(limite));
        QDir().mkpath(destino);
        TBackupFile b;
        b.MaxSize = limite;
        b.OnNeedDisk = [](int, bool &continua) { continua = true; };
        int erro = 0;
        b.OnError = [&](int codigo, const QString &) { erro = codigo; };
        const QString arquivo = destino + "/copia.bkp";
        QVERIFY2(b.Backup({dir.filePath("dados/*")}, arquivo), qPrintable(QStringLiteral("%1: erro %2").arg(limite).arg(erro)));
        for (const QString &v : QDir(destino).entryList(QDir::Files))
            QVERIFY2(QFileInfo(destino + "/" + v).size() <= limite, qPrintable(QStringLiteral("%1 %2").arg(limite).arg(v)));
        // Every archive is read through; some are also written back and compared (a file written back
        // is flushed to the disk, which is slow).
        const bool compara = limite % 7 == 0 || limite == 82060;
        TBackupFile r;
        r.OnNeedDisk = [](int, bool &continua) { continua = true; };
        QStringList lidos;
        r.OnRestoreFile = [&](QString &nome, bool &restaura, quint32) {
            lidos << QFileInfo(nome).fileName();
            restaura = compara;
        };
        QVERIFY2(r.Restore(arquivo, destino + "/volta"), qPrintable(QString::number(limite)));
        QCOMPARE(lidos, QStringList(arquivos.keys()));
        for (auto it = arquivos.cbegin(); compara && it != arquivos.cend(); ++it)
            QVERIFY2(QFileInfo::exists(destino + "/volta/" + it.key()) && leArquivo(destino + "/volta/" + it.key()) == it.value(),
                     qPrintable(QStringLiteral("%1 %2").arg(limite).arg(it.key())));
        QDir(destino).removeRecursively();
    }
}

void tst_BackupFile::volumeQueApontaParaTras_data()
{
    QTest::addColumn<QString>("proximo");
    QTest::newRow("ele mesmo") << "NEXT:DISK002";
    QTest::newRow("o primeiro") << "NEXT:DISK001";
}

void tst_BackupFile::volumeQueApontaParaTras()
{
    QFETCH(QString, proximo);
    QTemporaryDir dir;
    grava(dir.filePath("dados/a.bin"), aleatorio(60000, 6));
    TBackupFile b;
    b.MaxSize = 40000;
    b.OnNeedDisk = [](int, bool &continua) { continua = true; };
    QVERIFY(b.Backup({dir.filePath("dados/a.bin")}, dir.filePath("x.bkp")));
    // Volume 002 ends, like the first, with a volume entry: here one that points back.
    QByteArray segundo = leArquivo(dir.filePath("x.002"));
    QVERIFY(segundo.endsWith(i32(0) + i32(0)));
    segundo.chop(4);
    segundo += i32(12) + proximo.toLatin1();
    grava(dir.filePath("x.002"), segundo);

    TBackupFile r;
    int pedidos = 0;
    r.OnNeedDisk = [&](int, bool &continua) { continua = ++pedidos < 10; };
    QString lancada;
    try {
        r.Restore(dir.filePath("x.bkp"), dir.filePath("volta"));
    } catch (const ArquivoBackupInvalido &e) {
        lancada = e.texto();
    }
    QCOMPARE(lancada, QStringLiteral("Invalid archive type"));
    QCOMPARE(pedidos, 1);
    QVERIFY(!r.IsBusy());
    QCOMPARE(arquivosEm(dir.filePath("volta")), QStringList());
}

void tst_BackupFile::volumeFaltando()
{
    QTemporaryDir dir;
    const QByteArray antigo("o arquivo de antes");
    grava(dir.filePath("dados/a.bin"), aleatorio(60000, 6));
    TBackupFile b;
    b.MaxSize = 40000;
    b.OnNeedDisk = [](int, bool &continua) { continua = true; };
    QVERIFY(b.Backup({dir.filePath("dados/a.bin")}, dir.filePath("x.bkp")));
    QVERIFY(QFile::remove(dir.filePath("x.002")));
    grava(dir.filePath("volta/a.bin"), antigo);

    TBackupFile r;
    int pedidos = 0;
    r.OnNeedDisk = [&](int disco, bool &continua) {
        QCOMPARE(disco, 2);
        continua = ++pedidos < 3; // the volume is asked for again until the user gives up
    };
    bool relatado = false;
    r.OnError = [&](int, const QString &) { relatado = true; };
    QVERIFY(!r.Restore(dir.filePath("x.bkp"), dir.filePath("volta")));
    QCOMPARE(pedidos, 3);
    QVERIFY(!relatado);
    QCOMPARE(arquivosEm(dir.filePath("volta")), QStringList{"a.bin"});
    QCOMPARE(leArquivo(dir.filePath("volta/a.bin")), antigo);
}

void tst_BackupFile::listaDeArquivos()
{
    QTemporaryDir dir;
    grava(dir.filePath("d/um.db"), "um", kData);
    grava(dir.filePath("d/dois.db"), "dois!", kData);
    TBackupFile b;
    b.SaveFileID = true;
    b.BackupTitle = QStringLiteral("T");
    QVERIFY(b.Backup({dir.filePath("d/*.db")}, dir.filePath("x.bkp")));
    const Lido l = le(leArquivo(dir.filePath("x.bkp")));
    QCOMPARE(l.quantidade, 2);
    QCOMPARE(l.entradas.size(), 3);
    QCOMPARE(l.entradas[0].nome, QStringLiteral("FILE:LIST"));
    const QString linhaDois = dir.filePath("d/dois.db").toLower() + "\t" + QString::number(DataDos(kData)) + "=5";
    QCOMPARE(l.total, qint32(2 + 5 + (linhaDois.toUtf8().size() + 2) * 2 - 2));

    QStringList lista;
    QString titulo;
    b.ReadArchiveInfo(dir.filePath("x.bkp"), &lista, titulo);
    QCOMPARE(titulo, QStringLiteral("T"));
    QCOMPARE(lista.size(), 2);
    QCOMPARE(lista[0], linhaDois);

    QVERIFY(b.Restore(dir.filePath("x.bkp"), dir.filePath("volta")));
    QCOMPARE(arquivosEm(dir.filePath("volta")), (QStringList{"dois.db", "um.db"}));
}

void tst_BackupFile::modosDeRestauracao_data()
{
    QTest::addColumn<int>("modo");
    QTest::addColumn<QStringList>("restaurados"); // of: igual (same date), velho (older), novo (absent)
    QTest::newRow("rmAll") << int(rmAll) << QStringList{"igual", "novo", "velho"};
    QTest::newRow("rmNoOverwrite") << int(rmNoOverwrite) << QStringList{"novo"};
    QTest::newRow("rmNewer") << int(rmNewer) << QStringList{"novo", "velho"};
    QTest::newRow("rmExisting") << int(rmExisting) << QStringList{"igual", "velho"};
    QTest::newRow("rmExistingNewer") << int(rmExistingNewer) << QStringList{"velho"};
}

void tst_BackupFile::modosDeRestauracao()
{
    QFETCH(int, modo);
    QFETCH(QStringList, restaurados);
    QTemporaryDir dir;
    for (const char *n : {"igual", "velho", "novo"})
        grava(dir.filePath(QStringLiteral("d/%1").arg(n)), "guardado", kData);
    TBackupFile b;
    QVERIFY(b.Backup({dir.filePath("d/*")}, dir.filePath("x.bkp")));
    // The same date within the 2 seconds the archive keeps.
    grava(dir.filePath("alvo/igual"), "local", kData.addSecs(1));
    grava(dir.filePath("alvo/velho"), "local", kData.addSecs(-2));
    b.RestoreMode = TRestoreMode(modo);
    QVERIFY(b.Restore(dir.filePath("x.bkp"), dir.filePath("alvo")));
    for (const char *n : {"igual", "velho", "novo"}) {
        const QByteArray conteudo = leArquivo(dir.filePath(QStringLiteral("alvo/%1").arg(n)));
        if (restaurados.contains(QLatin1String(n)))
            QCOMPARE(conteudo, QByteArray("guardado"));
        else
            QVERIFY2(conteudo != "guardado", n);
    }
}

void tst_BackupFile::restauraNaPastaDeDestino()
{
    QTemporaryDir dir;
    grava(dir.filePath("a/um.db"), "1");
    grava(dir.filePath("b/c/dois.db"), "2");
    TBackupFile b;
    QVERIFY(b.Backup({dir.filePath("a/*.db"), dir.filePath("b/*.db /s")}, dir.filePath("x.bkp")));
    QVERIFY(b.Restore(dir.filePath("x.bkp"), dir.filePath("alvo")));
    QCOMPARE(arquivosEm(dir.filePath("alvo")), (QStringList{"dois.db", "um.db"}));
    b.RestoreFullPath = true;
    QVERIFY(b.Restore(dir.filePath("x.bkp"), dir.filePath("cheio")));
    QVERIFY(QFile::exists(dir.filePath("cheio") + dir.filePath("b/c/dois.db").toLower()));
}

void tst_BackupFile::entradaAntigaLzrw()
{
    // An archive of the older kind: one file in two LZRW1-KH blocks.
    const QByteArray bloco1 = QByteArray("\x80", 1) + "abc";
    QByteArray bloco2;
    for (int v : {0, 0x40, 0x00, int('z'), 0x00, 0x1F})
        bloco2.append(char(v));
    QByteArray a = i32(4) + "Vorn" + i32(22) + i32(1);
    const QByteArray nome("c:\\gdvorn\\dados\\bd8resp.db");
    a += i32(qint32(nome.size())) + nome + i32(qint32(DataDos(kData))) + QByteArray("ECS\0", 4);
    a += i32(qint32(bloco1.size() + bloco2.size() + 8)) + i32(qint32(bloco1.size())) + bloco1 +
         i32(qint32(bloco2.size())) + bloco2 + i32(0);
    QTemporaryDir dir;
    grava(dir.filePath("velho.bkp"), a);
    TBackupFile b;
    QVERIFY(b.Restore(dir.filePath("velho.bkp"), dir.filePath("alvo")));
    QCOMPARE(leArquivo(dir.filePath("alvo/bd8resp.db")), QByteArray("abc") + QByteArray(19, 'z'));
    QCOMPARE(QFileInfo(dir.filePath("alvo/bd8resp.db")).lastModified(), kData);
}

void tst_BackupFile::corrupcao_data()
{
    QTest::addColumn<QString>("nome");      // stored name of the one file
    QTest::addColumn<int>("posicao");       // where to change the archive (-1: cut it there instead)
    QTest::addColumn<QByteArray>("troca");  // bytes written at the position
    QTest::addColumn<int>("corte");         // size to cut the archive to (0: keep it)
    QTest::addColumn<QString>("excecao");
    QTest::addColumn<int>("erro");
    // The archive: title "T" (4+1), total 4, count 4, name length 4, name, date 4, marker 4, count 4, data.
    const int marca = 22; // for the one-letter name "a"; the block's count follows at 26, its data at 30
    QTest::newRow("marca errada") << "a" << marca << QByteArray("XYZ\0", 4) << 0 << "Invalid archive type" << 0;
    QTest::newRow("bloco grande demais") << "a" << marca + 4 << i32(16385) << 0 << "Invalid archive type" << 0;
    QTest::newRow("bloco negativo grande") << "a" << marca + 4 << i32(-16385) << 0 << "Invalid archive type" << 0;
    QTest::newRow("cabeca cortada") << "a" << 0 << QByteArray() << 7 << "Cannot read archive" << 0;
    QTest::newRow("titulo absurdo") << "a" << 0 << i32(-5) << 0 << "Cannot read archive" << 0;
    QTest::newRow("lixo no bloco zlib") << "a" << marca + 8 << QByteArray("\x12\x34\x56\x78", 4) << 0 << "" << int(beCompressao);
    QTest::newRow("bloco cortado") << "a" << 0 << QByteArray() << marca + 8 + 10 << "" << int(beLeituraArquivo);
    QTest::newRow("nome com ..") << "../fora.db" << 0 << QByteArray() << 0 << "Invalid archive type" << 0;
    QTest::newRow("nome com .. no meio") << "x/../../fora.db" << 0 << QByteArray() << 0 << "Invalid archive type" << 0;
    QTest::newRow("nome so ..") << ".." << 0 << QByteArray() << 0 << "Invalid archive type" << 0;
}

void tst_BackupFile::corrupcao()
{
    QFETCH(QString, nome);
    QFETCH(int, posicao);
    QFETCH(QByteArray, troca);
    QFETCH(int, corte);
    QFETCH(QString, excecao);
    QFETCH(int, erro);
    // One file, one compressed block, written by hand so that the stored name can be anything.
    const QByteArray dados = texto(3000);
    QByteArray z(int(compressBound(uLong(dados.size()))), 0);
    uLongf tamanho = uLongf(z.size());
    QCOMPARE(compress2(reinterpret_cast<Bytef *>(z.data()), &tamanho, reinterpret_cast<const Bytef *>(dados.constData()),
                       uLong(dados.size()), 1),
             Z_OK);
    z.resize(qsizetype(tamanho));
    const QByteArray n = nome.toUtf8();
    QByteArray a = i32(1) + "T" + i32(qint32(dados.size())) + i32(1) + i32(qint32(n.size())) + n +
                   i32(qint32(DataDos(kData))) + QByteArray("EC2\0", 4) + i32(qint32(z.size())) + z + i32(0) + i32(0);
    const int desloca = int(n.size()) - 1; // positions in the table are for a one-letter name
    if (!troca.isEmpty())
        a.replace(posicao + (posicao > 17 ? desloca : 0), troca.size(), troca);
    if (corte > 0)
        a.truncate(corte + (corte > 17 ? desloca : 0));

    QTemporaryDir dir;
    grava(dir.filePath("x.bkp"), a);
    QDir().mkpath(dir.filePath("p/alvo"));
    TBackupFile b;
    int relatado = 0;
    b.OnError = [&](int codigo, const QString &) { relatado = codigo; };
    QString lancada;
    bool ok = true;
    try {
        ok = b.Restore(dir.filePath("x.bkp"), dir.filePath("p/alvo"));
    } catch (const ArquivoBackupInvalido &e) {
        lancada = e.texto();
    }
    QCOMPARE(lancada, excecao);
    if (excecao.isEmpty()) {
        QVERIFY(!ok);
        QCOMPARE(relatado, erro);
    }
    QVERIFY(!b.IsBusy());
    // Nothing is written anywhere, inside the target or out of it.
    QCOMPARE(arquivosEm(dir.filePath("p")), QStringList());
    QCOMPARE(arquivosEm(dir.path()), QStringList{"x.bkp"});
}

void tst_BackupFile::paradaPeloProgresso()
{
    QTemporaryDir dir;
    grava(dir.filePath("a.bin"), texto(200000));
    TBackupFile b;
    int chamadas = 0;
    b.OnProgress = [&](const QString &, bool &continua, int) { continua = ++chamadas < 3; };
    bool relatado = false;
    b.OnError = [&](int, const QString &) { relatado = true; };
    QVERIFY(!b.Backup({dir.filePath("a.bin")}, dir.filePath("x.bkp")));
    QVERIFY(!relatado);
    QVERIFY(!b.IsBusy());
}

void tst_BackupFile::totalZeroSemDivisao()
{
    QTemporaryDir dir;
    grava(dir.filePath("vazio.db"), QByteArray(), kData);
    TBackupFile b;
    QList<int> percentuais;
    b.OnProgress = [&](const QString &, bool &, int p) { percentuais << p; };
    QVERIFY(b.Backup({dir.filePath("vazio.db")}, dir.filePath("x.bkp")));
    QVERIFY(b.Restore(dir.filePath("x.bkp"), dir.filePath("volta")));
    QVERIFY(QFile::exists(dir.filePath("volta/vazio.db")));
    QCOMPARE(QFileInfo(dir.filePath("volta/vazio.db")).size(), 0);
    QCOMPARE(QFileInfo(dir.filePath("volta/vazio.db")).lastModified(), kData);
    for (int p : percentuais)
        QVERIFY(p >= 0 && p <= 100);
}

// Where a run over an archive of the same name ends: while volume 1 is written (after its first block),
// at a step of a volume's file (its data on the disk, its name given), at the request for volume 2, or
// after the run.
enum FimDaCopia { fcBloco = -1, fcPedidoDoVolume2 = -2, fcConcluida = -3 };

void tst_BackupFile::copiaMortaEmCadaPasso_data()
{
    QTest::addColumn<int>("fim");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("esperado");
    const int dados = int(DurableFile::Step::DataSynced);
    const int nome = int(DurableFile::Step::Renamed);
    QTest::newRow("escrevendo o volume 1") << int(fcBloco) << QString() << "antigo";
    QTest::newRow("volume 1 no disco") << dados << "copia.bkp" << "antigo";
    QTest::newRow("volume 1 com o nome") << nome << "copia.bkp" << "incompleto";
    QTest::newRow("pedido do volume 2") << int(fcPedidoDoVolume2) << QString() << "incompleto";
    QTest::newRow("volume 3 com o nome") << nome << "copia.003" << "incompleto";
    QTest::newRow("volume 4 no disco") << dados << "copia.004" << "incompleto";
    QTest::newRow("volume 4 com o nome") << nome << "copia.004" << "novo";
    QTest::newRow("concluída") << int(fcConcluida) << QString() << "novo";
}

// A run ended by force over an earlier archive of the same name leaves the earlier archive whole, the new
// one whole, or new volumes that ask for one that is missing: never a cut archive nor old volumes read
// as part of the new one. The next run writes the new archive whole and nothing else.
void tst_BackupFile::copiaMortaEmCadaPasso()
{
    QFETCH(int, fim);
    QFETCH(QString, volume);
    QFETCH(QString, esperado);
    QTemporaryDir dir;
    {
        TBackupFile antigo;
        QVERIFY(copia(dir.path(), dadosDaCopia(1), antigo));
    }
    QCOMPARE(volumesEm(dir.path()), (QStringList{"copia.002", "copia.003", "copia.004", "copia.bkp"}));
    QCOMPARE(restaurado(dir.path()), QStringLiteral("antigo"));

    const int saida = test::emProcessoFilho([&] {
        DurableFile::setStepObserver([&](DurableFile::Step passo, const QString &arquivo) {
            if (int(passo) == fim && QFileInfo(arquivo).fileName() == volume)
                _exit(7);
        });
        TBackupFile b;
        b.OnProgress = [&](const QString &arquivo, bool &, int) {
            if (fim == fcBloco && !arquivo.isEmpty())
                _exit(7);
        };
        b.OnNeedDisk = [&](int disco, bool &continua) {
            if (fim == fcPedidoDoVolume2 && disco == 2)
                _exit(7);
            continua = true;
        };
        const bool feita = copia(dir.path(), dadosDaCopia(2), b);
        if (fim == fcConcluida && feita)
            _exit(7);
    });
    QCOMPARE(saida, 7);
    QCOMPARE(restaurado(dir.path()), esperado);

    TBackupFile deNovo;
    QVERIFY(copia(dir.path(), dadosDaCopia(2), deNovo));
    QCOMPARE(volumesEm(dir.path()), (QStringList{"copia.002", "copia.003", "copia.004", "copia.bkp"}));
    QCOMPARE(restaurado(dir.path()), QStringLiteral("novo"));
}

void tst_BackupFile::copiaQueNaoConcluiNaoDeixaNada_data()
{
    QTest::addColumn<int>("volumeDaParada");
    QTest::addColumn<QString>("esperado");
    // A stop in the first volume leaves the earlier archive as it was; later, its first volume has been
    // replaced already and the run takes away what it wrote.
    QTest::newRow("parada no volume 1") << 1 << "antigo";
    QTest::newRow("parada no pedido do volume 3") << 3 << "ausente";
}

// A stopped run (not an error: no report) leaves no volume and no partial file of its own.
void tst_BackupFile::copiaQueNaoConcluiNaoDeixaNada()
{
    QFETCH(int, volumeDaParada);
    QFETCH(QString, esperado);
    QTemporaryDir dir;
    {
        TBackupFile antigo;
        QVERIFY(copia(dir.path(), dadosDaCopia(1), antigo));
    }
    TBackupFile b;
    b.OnProgress = [&](const QString &arquivo, bool &continua, int) {
        if (volumeDaParada == 1 && !arquivo.isEmpty())
            continua = false;
    };
    b.OnNeedDisk = [&](int disco, bool &continua) { continua = disco != volumeDaParada; };
    bool relatado = false;
    b.OnError = [&](int, const QString &) { relatado = true; };
    QVERIFY(!copia(dir.path(), dadosDaCopia(2), b));
    QVERIFY(!relatado);
    QCOMPARE(restaurado(dir.path()), esperado);
    if (esperado == QLatin1String("antigo"))
        QCOMPARE(volumesEm(dir.path()), (QStringList{"copia.002", "copia.003", "copia.004", "copia.bkp"}));
    else
        QCOMPARE(volumesEm(dir.path()), QStringList());
}

QTEST_GUILESS_MAIN(tst_BackupFile)
#include "tst_BackupFile.moc"
