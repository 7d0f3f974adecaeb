// A file put in place whole: the old file of the name stays until the commit, a failure or a kill at any
// step leaves the old file or the new one, and a full medium is told as such.

#include "app/base/DurableFile.h"

#include "ConteudoArquivo.h"
#include "ProcessoFilho.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace gdvorn;
using test::grava;
using test::le;

namespace {

// Many small writes and one large: the file's buffer is crossed in both ways.
QByteArray conteudoNovo()
{
    QByteArray b;
    for (int i = 0; b.size() < 300000; ++i)
        b += "linha " + QByteArray::number(i) + '\n';
    return b;
}

bool escreve(DurableFile &f, const QByteArray &b)
{
    for (qsizetype p = 0; p < 1000; p += 4)
        if (f.write(b.constData() + p, 4) != 4)
            return false;
    return f.write(b.constData() + 1000, b.size() - 1000) == b.size() - 1000;
}

} // namespace

class tst_DurableFile : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { DurableFile::setStepObserver({}); }

    // The old file stays readable under its name until the commit, which syncs, renames and syncs the
    // folder in that order.
    void substituiNoCommit()
    {
        QTemporaryDir dir;
        const QString nome = dir.filePath(QStringLiteral("copia.bkp"));
        grava(nome, "antigo");
        QList<DurableFile::Step> passos;
        DurableFile::setStepObserver([&](DurableFile::Step s, const QString &f) {
            QCOMPARE(f, nome);
            passos << s;
        });
        DurableFile f(nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray novo = conteudoNovo();
        QVERIFY(escreve(f, novo));
        QCOMPARE(f.pos(), novo.size());
        QCOMPARE(le(nome), QByteArray("antigo"));
        QVERIFY(QFile::exists(f.partialFileName()));
        QVERIFY(f.commit());
        QCOMPARE(le(nome), novo);
        QVERIFY(!QFile::exists(f.partialFileName()));
        QCOMPARE(passos, (QList<DurableFile::Step>{DurableFile::Step::DataSynced, DurableFile::Step::Renamed,
                                                   DurableFile::Step::FolderSynced}));
        QVERIFY(!f.noSpace());
    }

    void desistenciaNaoDeixaNada_data()
    {
        QTest::addColumn<bool>("comAntigo");
        QTest::addColumn<bool>("peloClose");
        QTest::newRow("sobre um antigo, destruído") << true << false;
        QTest::newRow("sobre um antigo, close") << true << true;
        QTest::newRow("nome novo, destruído") << false << false;
    }

    // A file given up (a failure, a stop) leaves the name as it was and no file of its own.
    void desistenciaNaoDeixaNada()
    {
        QFETCH(bool, comAntigo);
        QFETCH(bool, peloClose);
        QTemporaryDir dir;
        const QString nome = dir.filePath(QStringLiteral("v.dec"));
        if (comAntigo)
            grava(nome, "antigo");
        {
            DurableFile f(nome);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(escreve(f, conteudoNovo()));
            if (peloClose) {
                f.close();
                QVERIFY(!f.commit());
            }
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), comAntigo ? QStringList{QStringLiteral("v.dec")} : QStringList());
        if (comAntigo)
            QCOMPARE(le(nome), QByteArray("antigo"));
    }

    // The medium fills up (the file-size limit stands in for it): the write fails, the failure is a full
    // medium, the commit refuses and the old file is whole.
    void meioCheio()
    {
        QTemporaryDir dir;
        const QString nome = dir.filePath(QStringLiteral("copia.bkp"));
        grava(nome, "antigo");
        const int saida = test::emProcessoFilho([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limite{100000, 100000};
            setrlimit(RLIMIT_FSIZE, &limite);
            DurableFile f(nome);
            if (!f.open(QIODevice::WriteOnly))
                _exit(1);
            const bool escrito = escreve(f, conteudoNovo());
            const bool posto = f.commit();
            _exit(escrito || posto ? 2 : f.noSpace() ? 0 : 3);
        });
        QCOMPARE(saida, 0);
        QCOMPARE(le(nome), QByteArray("antigo"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("copia.bkp")});
    }

    // A folder where the file cannot be created: open fails and says why.
    void pastaInexistente()
    {
        QTemporaryDir dir;
        DurableFile f(dir.filePath(QStringLiteral("nao/existe.bkp")));
        QVERIFY(!f.open(QIODevice::WriteOnly));
        QVERIFY(!f.errorString().isEmpty());
        QVERIFY(!f.commit());
    }

    void mortoEmCadaPasso_data()
    {
        QTest::addColumn<int>("passo");
        QTest::addColumn<bool>("novo");
        QTest::newRow("escrevendo") << -1 << false;
        QTest::newRow("dados no disco") << int(DurableFile::Step::DataSynced) << false;
        QTest::newRow("renomeado") << int(DurableFile::Step::Renamed) << true;
        QTest::newRow("pasta no disco") << int(DurableFile::Step::FolderSynced) << true;
    }

    // A process ended at a step leaves the old file whole before the rename and the new one whole after;
    // the next writer of the name takes the partial file over.
    void mortoEmCadaPasso()
    {
        QFETCH(int, passo);
        QFETCH(bool, novo);
        QTemporaryDir dir;
        const QString nome = dir.filePath(QStringLiteral("copia.bkp"));
        grava(nome, "antigo");
        const QByteArray conteudo = conteudoNovo();
        const int saida = test::emProcessoFilho([&] {
            DurableFile::setStepObserver([passo](DurableFile::Step s, const QString &) {
                if (int(s) == passo)
                    _exit(7);
            });
            DurableFile f(nome);
            f.open(QIODevice::WriteOnly);
            escreve(f, conteudo);
            if (passo < 0)
                _exit(7);
            f.commit();
        });
        QCOMPARE(saida, 7);
        QCOMPARE(le(nome), novo ? conteudo : QByteArray("antigo"));

        DurableFile outro(nome);
        QVERIFY(outro.open(QIODevice::WriteOnly));
        QVERIFY(outro.write("terceiro") == 8 && outro.commit());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("copia.bkp")});
        QCOMPARE(le(nome), QByteArray("terceiro"));
    }

    // Only the file it wrote: another file put under the same name since (a medium changed) stays.
    void removeSoOQueGravou()
    {
        QTemporaryDir dir;
        const QString nome = dir.filePath(QStringLiteral("copia.002"));
        DurableFile f(nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("volume 2");
        QVERIFY(f.commit());
        QVERIFY(QFile::rename(nome, dir.filePath(QStringLiteral("guardado"))));
        grava(nome, "outro disco");
        QVERIFY(!f.removeCommitted());
        QCOMPARE(le(nome), QByteArray("outro disco"));
        QVERIFY(QFile::remove(nome));
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("guardado")), nome));
        QVERIFY(f.removeCommitted());
        QVERIFY(!QFile::exists(nome));
    }
};

QTEST_GUILESS_MAIN(tst_DurableFile)
#include "tst_DurableFile.moc"
