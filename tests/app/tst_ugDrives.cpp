// The destinations of declaration files: which drives are listed, when a drive is ready, the diskette
// prompts and the file tests of the destination.

#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"

#include "ScriptedPresenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace gdvorn;
using test::ScriptedPresenter;

namespace {

void cria(const QString &caminho)
{
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class tst_ugDrives : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_disquete; // the folder of drive A:

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("programa"))));
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("disquete"))));
        m_disquete = m_dir.filePath(QStringLiteral("disquete"));
        setDiretorioPrograma(m_dir.filePath(QStringLiteral("programa")) + QLatin1Char('/'));
        qputenv("GDVORN_UNIDADE_A", m_disquete.toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_B");
    }

    void cleanup() { setConsultaTamanho({}); }

    void listagem_data()
    {
        QTest::addColumn<bool>("a");
        QTest::addColumn<bool>("b");
        QTest::addColumn<QStringList>("letras");
        QTest::newRow("nenhum") << false << false << QStringList{QStringLiteral("C")};
        QTest::newRow("A") << true << false << QStringList{QStringLiteral("A"), QStringLiteral("C")};
        QTest::newRow("B") << false << true << QStringList{QStringLiteral("B"), QStringLiteral("C")};
        QTest::newRow("ambos") << true << true
                               << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    }

    void listagem()
    {
        QFETCH(bool, a);
        QFETCH(bool, b);
        QFETCH(QStringList, letras);
        if (!a)
            qunsetenv("GDVORN_UNIDADE_A");
        if (b)
            qputenv("GDVORN_UNIDADE_B", m_disquete.toLocal8Bit());
        QStringList lista{QStringLiteral("lixo")};
        ListaDrives(lista);
        QCOMPARE(lista, letras);
    }

    void disponivelETamanho_data()
    {
        QTest::addColumn<QString>("letra");
        QTest::addColumn<bool>("pastaExiste");
        QTest::addColumn<bool>("disponivel");
        QTest::addColumn<qint64>("tamanho");
        QTest::newRow("a minusculo") << QStringLiteral("a") << true << true << qint64(1457664);
        QTest::newRow("A sem disquete") << QStringLiteral("A") << false << false << qint64(-1);
        QTest::newRow("B sem unidade") << QStringLiteral("B") << true << false << qint64(-1);
        QTest::newRow("digito") << QStringLiteral("1") << true << false << qint64(0);
        QTest::newRow("vazio") << QString() << true << false << qint64(0);
        QTest::newRow("C") << QStringLiteral("C") << true << true << qint64(1457664);
    }

    // The size query is replaced by a 1,457,664-byte diskette; a non-letter never reaches it.
    void disponivelETamanho()
    {
        QFETCH(QString, letra);
        QFETCH(bool, pastaExiste);
        QFETCH(bool, disponivel);
        QFETCH(qint64, tamanho);
        if (!pastaExiste)
            QVERIFY(QDir(m_disquete).removeRecursively());
        int consultas = 0;
        setConsultaTamanho([&](const QString &) {
            ++consultas;
            return qint64(1457664);
        });
        QCOMPARE(DriveDisponivel(letra), disponivel);
        QCOMPARE(TamanhoDisco(letra), tamanho);
        if (tamanho == 0)
            QCOMPARE(consultas, 0);
    }

    void tamanhoRealDeUmaPasta()
    {
        QVERIFY(TamanhoDisco(QStringLiteral("A")) > 0);
        QVERIFY(TamanhoDisco(QStringLiteral("C")) > 0);
    }

    // OK asks again, Cancel then No asks again, Cancel then Yes gives up.
    void aguardaDisqueteAusente()
    {
        QVERIFY(QDir(m_disquete).removeRecursively());
        ScriptedPresenter p;
        p.answer(MessageButton::Ok);
        p.answer(MessageButton::Cancel);
        p.answer(MessageButton::No);
        p.answer(MessageButton::Cancel);
        p.answer(MessageButton::Yes);
        QVERIFY(!AguardaDisquete(QStringLiteral("A")));
        QCOMPARE(p.boxes.size(), 5);
        QCOMPARE(p.boxes.at(0).text, QStringLiteral("Disquete com problema ou não há disquete no drive A:"));
        QCOMPARE(p.boxes.at(0).kind, MessageKind::Information);
        QCOMPARE(p.boxes.at(0).buttons, (QList<MessageButton>{MessageButton::Ok, MessageButton::Cancel}));
        QCOMPARE(p.boxes.at(2).text, QStringLiteral("Deseja interromper?"));
        QCOMPARE(p.boxes.at(3).text, p.boxes.at(0).text);
    }

    void aguardaDisquetePronto()
    {
        ScriptedPresenter p;
        QVERIFY(AguardaDisquete(QStringLiteral("A")));
        QVERIFY(AguardaDisquete(QStringLiteral("C")));
        QVERIFY(p.boxes.isEmpty());
    }

    void pedeDisquete()
    {
        ScriptedPresenter p;
        QVERIFY(PedeDisquete(QStringLiteral("A"), 2)); // asks although the diskette is there
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(p.boxes.at(0).text, QStringLiteral("Insira o disquete # 2\nno drive A:"));

        // Not ready: OK asks again; Cancel then Yes gives up.
        p.boxes.clear();
        QVERIFY(QDir(m_disquete).removeRecursively());
        p.answer(MessageButton::Ok);
        p.answer(MessageButton::Cancel);
        p.answer(MessageButton::Yes);
        QVERIFY(!PedeDisquete(QStringLiteral("A"), 3));
        QCOMPARE(p.boxes.size(), 3);
        QCOMPARE(p.boxes.at(1).text, QStringLiteral("Insira o disquete # 3\nno drive A:"));
    }

    void arquivosNoDisquete()
    {
        QVERIFY(!DestinoComArquivos(QStringLiteral("A"), faDirectory | faArchive));
        cria(m_disquete + QStringLiteral("/um.txt"));
        QVERIFY(DestinoComArquivos(QStringLiteral("A"), faDirectory | faArchive));
        QVERIFY(!DisqueteTemArquivos(QStringLiteral("A"), faDirectory | faArchive));
        QVERIFY(QDir(m_disquete).mkdir(QStringLiteral("pasta")));
        QVERIFY(DisqueteTemArquivos(QStringLiteral("A"), faDirectory | faArchive));
        QVERIFY(ExisteArquivoNoDestino(QStringLiteral("a"), faArchive, QStringLiteral("um.txt")));
        QVERIFY(!ExisteArquivoNoDestino(QStringLiteral("A"), faArchive, QStringLiteral("dois.txt")));
    }

    void unidadeDoArquivo()
    {
        QCOMPARE(UnidadeDoArquivo(m_disquete + QStringLiteral("/v.dec")), QStringLiteral("A"));
        QCOMPARE(UnidadeDoArquivo(DiretorioPrograma() + QStringLiteral("Transmite/v.dec")), QStringLiteral("C"));
        qunsetenv("GDVORN_UNIDADE_A");
        QCOMPARE(UnidadeDoArquivo(m_disquete + QStringLiteral("/v.dec")), QStringLiteral("C"));
    }

    // "C" is the program's Transmite folder: missing, it holds nothing; only ".dec" files count.
    void arquivosEmTransmite()
    {
        const QString transmite = DiretorioPrograma() + QStringLiteral("Transmite");
        QVERIFY(!DestinoComArquivos(QStringLiteral("C"), faArchive));
        QVERIFY(!ExisteArquivoNoDestino(QStringLiteral("C"), faArchive, QStringLiteral("x.dec")));
        QVERIFY(!QFileInfo::exists(transmite)); // not created by the tests above

        QVERIFY(QDir().mkpath(transmite));
        cria(transmite + QStringLiteral("/x.rec"));
        QVERIFY(!DestinoComArquivos(QStringLiteral("C"), faArchive));
        cria(transmite + QStringLiteral("/x.dec"));
        QVERIFY(DestinoComArquivos(QStringLiteral("C"), faArchive));
        QVERIFY(ExisteArquivoNoDestino(QStringLiteral("C"), faArchive, QStringLiteral("x.dec")));
        QVERIFY(ExisteArquivoNoDestino(QStringLiteral("C"), faArchive, QStringLiteral("x.rec")));
        QVERIFY(!ExisteArquivoNoDestino(QStringLiteral("C"), faArchive, QStringLiteral("y.dec")));
        QVERIFY(!ExisteArquivoNoDestino(QStringLiteral("A"), faArchive, QStringLiteral("x.dec")));
    }
};

QTEST_GUILESS_MAIN(tst_ugDrives)
#include "tst_ugDrives.moc"
