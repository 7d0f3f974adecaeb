// The program's start-up: the main sequence in-process with the scripted presenter, and the real
// program started twice.

#include "ScriptedModal.h"
#include "DanificaArquivo.h"
#include "MorteNoMeio.h"
#include "PastaPrograma.h"
#include "ProcessoFilho.h"
#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"
#include "SomenteLeitura.h"
#include "TestData.h"
#include "app/base/Query.h"
#include "app/base/Database.h"
#include "app/base/Statement.h"
#include "app/QtPrograma.h"
#include "app/QtRestauracao.h"
#include "app/ugIndices.h"
#include "app/ugMultInst.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ufmInicioRegras.h"
#include "app/ugConfiguracao.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QProcess>
#include <QtTest>

#include <memory>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace gdvorn;
using gdvorn::test::SomenteLeitura;
using gdvorn::test::alterData;
using gdvorn::test::conteudoPasta;
using gdvorn::test::danificaVinculos;
using gdvorn::test::insereVinculos;
using gdvorn::test::layProgramFolder;

namespace {

// Runs the start-up on `pasta`, which must fail with exit code 1, one box and no main window; `texto` gets
// the box's text.
void iniciaSemSucesso(const QString &pasta, const test::ScriptedPresenter &boxes, QString &texto)
{
    Programa p(pasta + QLatin1Char('/'));
    QVERIFY(!p.Inicia());
    QCOMPARE(p.CodigoSaida(), 1);
    QVERIFY(!fmGDVORN && !dmGDVorn);
    QCOMPARE(boxes.boxes.size(), 1);
    texto = boxes.boxes[0].text;
}

QByteArray lerArquivo(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void escreveArquivo(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ruido(qsizetype n, quint32 semente)
{
    QByteArray b(n, '\0');
    quint32 x = semente;
    for (char &c : b) {
        x = x * 1664525u + 1013904223u;
        c = char(x >> 24);
    }
    return b;
}

// The real program laid in `pasta`, started with its guards in `runtime`, offscreen.
class ProgramaReal : public QProcess {
public:
    ProgramaReal(const QString &pasta, const QString &runtime)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        setProcessEnvironment(env);
        const QString exe = pasta + QStringLiteral("/gdvorn");
        if (!QFile::exists(exe))
            QFile::copy(QStringLiteral(GDVORN_EXECUTABLE), exe);
        start(exe, {});
    }
    ~ProgramaReal() override
    {
        if (state() != QProcess::NotRunning) {
            kill();
            waitForFinished(5000);
        }
    }
    // The processor time the process has used so far, in clock ticks, while it sleeps waiting for an
    // event; -1 while it runs or waits for the disk, or when it is gone.
    qlonglong tempoDeProcessador() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(processId()));
        if (!stat.open(QIODevice::ReadOnly))
            return -1;
        // The fields after the command name, which is in parentheses: the state first, utime and stime
        // the 12th and 13th.
        const QList<QByteArray> campos = stat.readAll().split(')').last().trimmed().split(' ');
        if (campos.size() <= 12 || campos[0] != "S")
            return -1;
        return campos[11].toLongLong() + campos[12].toLongLong();
    }
    // Waits until the process sits idle (waiting for a user) for `quieto` ms; false when it ended first or
    // did not settle within `limite` ms.
    bool esperaParado(int quieto = 800, int limite = 20000)
    {
        QElapsedTimer total;
        total.start();
        qlonglong antes = tempoDeProcessador();
        QElapsedTimer parado;
        parado.start();
        while (total.elapsed() < limite && state() == QProcess::Running) {
            QTest::qWait(100);
            const qlonglong agora = tempoDeProcessador();
            if (agora < 0 || agora != antes) {
                antes = agora;
                parado.restart();
            } else if (parado.elapsed() >= quieto) {
                return true;
            }
        }
        return false;
    }
};

} // namespace

class TestQtPrograma : public QObject {
    Q_OBJECT

    // The information window shown at the first activation is closed at once in every case that does
    // not script it itself.
    test::ScriptedModal m_janelasDoInicio;

private slots:
    void startsAndFreesInReverseOrder()
    {
        test::ScriptedPresenter boxes;
        test::ScriptedModal windows;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(p.Inicia());
        QVERIFY(dmGDVorn && fmGDVORN && dmEntradaDados && fmInicioRegras);
        QVERIFY(fmGDVORN->isVisible());
        QVERIFY(fmGDVORN->isMaximized());
        QVERIFY(fmGDVORN->windowTitle().endsWith(QStringLiteral("] ")));
        QCOMPARE(&Configuracao(), &fmGDVORN->Config);
        QCOMPARE(DiretorioPrograma(), pasta.path() + QLatin1Char('/'));
        QVERIFY(boxes.boxes.isEmpty());
        p.Libera();
        QVERIFY(!dmGDVorn && !fmGDVORN && !dmEntradaDados && !fmInicioRegras);
        QVERIFY(!isDatabaseOpen());
    }

    void closingTheMainWindowFreesNothing()
    {
        test::ScriptedPresenter boxes;
        test::ScriptedModal windows;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(p.Inicia());
        QVERIFY(fmGDVORN->close());
        // Only the owner frees the program-wide objects, after the message loop.
        QVERIFY(dmGDVorn && dmEntradaDados && fmGDVORN);
        QVERIFY(isDatabaseOpen());
        p.Libera();
        QVERIFY(!dmGDVorn && !dmEntradaDados && !fmGDVORN);
        QVERIFY(!isDatabaseOpen());
        QVERIFY(boxes.boxes.isEmpty());
    }

    void longOperationKeepsTheWindowsQuiet()
    {
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(p.Inicia());
        int clicks = 0;
        auto *botao = new QPushButton(QStringLiteral("Gravar"), fmGDVORN);
        botao->show();
        QObject::connect(botao, &QPushButton::clicked, [&clicks] { ++clicks; });

        // A long operation writes in one transaction and lets events run; meanwhile the user clicks and
        // closes the main window.
        struct Usuario : test::ScriptedProgress {
            QPushButton *botao = nullptr;
            bool fechou = false;
            void executaEventos() override
            {
                test::ScriptedProgress::executaEventos();
                QTest::mouseClick(botao, Qt::LeftButton);
                fechou = fmGDVORN->close() || fechou;
                QCoreApplication::processEvents();
            }
        } barra;
        barra.botao = botao;
        {
            Transaction operacao;
            for (int i = 0; i < 50; ++i) {
                execWrite(QStringLiteral("INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES ('2010', ?1)"),
                          [i](Statement &s) { s.bind(1, QString::number(11222333000100LL + i)); });
                barra.processaEventos(true);
                QVERIFY(!barra.Interrompido());
            }
            operacao.commit();
        }
        QVERIFY(barra.eventRuns >= 50);
        QVERIFY(!barra.fechou);
        QCOMPARE(clicks, 0);
        QVERIFY(fmGDVORN && fmGDVORN->isVisible());
        QVERIFY(dmGDVorn && isDatabaseOpen());
        Query conta;
        conta.setSql(QStringLiteral("SELECT count(*) AS n FROM bd8emp"));
        conta.Open();
        QCOMPARE(conta.FieldByName(QStringLiteral("n")).AsInteger(), 50);

        // The run over, the windows take input again.
        QTest::mouseClick(botao, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QVERIFY(fmGDVORN->close());
        p.Libera();
        QVERIFY(boxes.boxes.isEmpty());
    }

    void damagedTableFileIsNamed_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("random bytes") << QStringLiteral("random");
        QTest::newRow("emptied") << QStringLiteral("empty");
        QTest::newRow("garbled schema page") << QStringLiteral("schema");
    }
    void damagedTableFileIsNamed()
    {
        QFETCH(QString, damage);
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        const QString arquivo = pasta.path() + QStringLiteral("/dados/bd8emp.db");
        alterData(pasta.path(), {QStringLiteral("INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES ('2010', '11222333000181')")});
        QByteArray bytes = lerArquivo(arquivo);
        if (damage == QLatin1String("random"))
            bytes = ruido(bytes.size(), 7);
        else if (damage == QLatin1String("empty"))
            bytes.clear();
        else
            bytes.replace(100, 400, ruido(400, 11)); // page 1 after the file header: the schema
        escreveArquivo(arquivo, bytes);

        QString texto;
        iniciaSemSucesso(pasta.path(), boxes, texto);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(texto.contains(QStringLiteral("bd8emp.db")) && texto.contains(QStringLiteral("danificado")) &&
                     texto.contains(QStringLiteral("cópia de segurança")),
                 qPrintable(texto));
        QCOMPARE(lerArquivo(arquivo), bytes); // nothing overwritten
    }

    void unreadableTableFileIsNamed_data()
    {
        QTest::addColumn<QString>("case_");
        QTest::addColumn<QString>("expected");
        QTest::newRow("locked by another process") << QStringLiteral("locked") << QStringLiteral("está em uso");
        QTest::newRow("path too long") << QStringLiteral("long") << QStringLiteral("longo demais");
        QTest::newRow("no permission") << QStringLiteral("permission") << QStringLiteral("permissão");
    }
    void unreadableTableFileIsNamed()
    {
        QFETCH(QString, case_);
        QFETCH(QString, expected);
        test::ScriptedPresenter boxes;
        QTemporaryDir raiz;
        QString pasta = raiz.path();
        if (case_ == QLatin1String("long")) {
            while (pasta.toUtf8().size() < 500)
                pasta += QLatin1Char('/') + QString(60, QLatin1Char('p'));
        }
        QVERIFY(QDir().mkpath(pasta));
        layProgramFolder(pasta);
        if (case_ == QLatin1String("permission")) {
            const QString arquivo = pasta + QStringLiteral("/dados/bd8emp.db");
            QFile::setPermissions(arquivo, QFileDevice::WriteOwner);
            if (QFile(arquivo).open(QIODevice::ReadOnly))
                QSKIP("this user reads files whatever their permissions");
        }
        std::unique_ptr<QSqlDatabase> outro;
        if (case_ == QLatin1String("locked")) {
            outro = std::make_unique<QSqlDatabase>(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("outro")));
            outro->setDatabaseName(pasta + QStringLiteral("/dados/bd8emp.db"));
            QVERIFY(outro->open());
            QSqlQuery(*outro).exec(QStringLiteral("BEGIN EXCLUSIVE"));
        }
        QString texto;
        iniciaSemSucesso(pasta, boxes, texto);
        QVERIFY2(texto.contains(QStringLiteral("bd8emp.db")) && texto.contains(expected), qPrintable(texto));
        if (outro) {
            outro->close();
            outro.reset();
            QSqlDatabase::removeDatabase(QStringLiteral("outro"));
        }
    }

    void damagedIndexIsRebuiltAtStart()
    {
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        QStringList linhas;
        for (int i = 0; i < 400; ++i)
            linhas << QStringLiteral("('2010', '%1')").arg(11222333000100LL + i);
        alterData(pasta.path(), {QStringLiteral("INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES ") +
                                 linhas.join(QLatin1Char(','))});
        // The index's pages, found through the schema, are overwritten; the table's stay whole.
        const QString arquivo = pasta.path() + QStringLiteral("/dados/bd8emp.db");
        QVERIFY(test::danificaRaiz(arquivo, QStringLiteral("bd8emp_Main")));

        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(p.Inicia());
        QVERIFY(boxes.boxes.isEmpty());
        Query q;
        q.setSql(QStringLiteral("SELECT count(*) AS n FROM bd8emp WHERE AnBase = '2010' AND CoCgcCeiEstabelecimento "
                                "BETWEEN '11222333000100' AND '11222333000499'"));
        q.Open();
        QCOMPARE(q.FieldByName(QStringLiteral("n")).AsInteger(), 400);
        q.Close();
        p.Libera();
    }

    void damagedTableOffersTheRestore_data()
    {
        QTest::addColumn<bool>("aceita");
        QTest::addColumn<bool>("semCabecalho"); // the whole file noise: no connection can attach it
        QTest::newRow("declined") << false << false;
        QTest::newRow("restored") << true << false;
        QTest::newRow("accepted, cannot be attached") << true << true;
    }
    void damagedTableOffersTheRestore()
    {
        QFETCH(bool, aceita);
        QFETCH(bool, semCabecalho);
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        const QString arquivo = pasta.path() + QStringLiteral("/dados/bd8vinc.db");
        const QByteArray copia = lerArquivo(arquivo); // the backup copy: no links
        danificaVinculos(pasta.path());
        if (QTest::currentTestFailed())
            return;
        if (semCabecalho)
            escreveArquivo(arquivo, ruido(lerArquivo(arquivo).size(), 5));
        const QByteArray danificado = lerArquivo(arquivo);

        // The restore window stands in for the backup folder's: it puts the copy in place through the
        // program's connection, which the start-up opened for it.
        int restauracoes = 0;
        registraRestauracaoInicial([&](QWidget *) {
            ++restauracoes;
            QVERIFY(isDatabaseOpen());
            QCOMPARE(databaseFolder(), QDir::cleanPath(pasta.path() + QStringLiteral("/dados")));
            closeDatabase();
            escreveArquivo(arquivo, copia);
        });
        struct Desfaz {
            ~Desfaz() { registraRestauracaoInicial(nullptr); }
        } desfaz;
        boxes.answer(aceita ? MessageButton::Yes : MessageButton::No);
        Programa p(pasta.path() + QLatin1Char('/'));
        const bool inicia = aceita && !semCabecalho;
        QCOMPARE(p.Inicia(), inicia);
        QCOMPARE(restauracoes, inicia ? 1 : 0);
        // The question; a file that cannot be attached is named again as the start-up ends.
        QCOMPARE(boxes.boxes.size(), semCabecalho ? 2 : 1);
        QCOMPARE(boxes.boxes[0].kind, MessageKind::Confirmation);
        for (const auto &box : boxes.boxes)
            QVERIFY2(box.text.contains(QDir::toNativeSeparators(arquivo)) && box.text.contains(QStringLiteral("danificado")) &&
                         box.text.contains(QStringLiteral("cópia de segurança")),
                     qPrintable(box.text));
        if (inicia) {
            QVERIFY(fmGDVORN && dmGDVorn);
            p.Libera();
        } else {
            QCOMPARE(p.CodigoSaida(), 1);
            QVERIFY(!fmGDVORN && !dmGDVorn);
            QCOMPARE(lerArquivo(arquivo), danificado);
        }
    }

    // A new installation's first write transaction ended by a kill: the work file, made by the program,
    // is left with its journal, and the next start goes on with every table as it was.
    void killedInTheFirstWriteStartsAgain_data()
    {
        QTest::addColumn<bool>("deixadoVazio");
        // The work file made by the program's opening, then the first transaction over it and the links.
        QTest::newRow("first transaction") << false;
        // Ended before the work file's first page reached the disk: empty beside its journal.
        QTest::newRow("work file still empty") << true;
    }
    void killedInTheFirstWriteStartsAgain()
    {
        QFETCH(bool, deixadoVazio);
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        const QString dados = pasta.path() + QStringLiteral("/dados");
        const QString trabalho = dados + QStringLiteral("/trabalho.db");
        const QString vinculos = dados + QStringLiteral("/bd8vinc.db");
        QVERIFY(!QFile::exists(trabalho));
        const QByteArray vinculosAntes = lerArquivo(vinculos);

        if (deixadoVazio) {
            QVERIFY(QFile(trabalho).open(QIODevice::WriteOnly));
            const int codigo = test::emProcessoFilho([&] {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("filho"));
                db.setDatabaseName(trabalho);
                if (db.open()) {
                    QSqlQuery q(db);
                    q.exec(QStringLiteral("BEGIN IMMEDIATE"));
                    q.exec(QStringLiteral("CREATE TABLE te8errwa (x)"));
                }
                _exit(7);
            });
            QCOMPARE(codigo, 7);
            QCOMPARE(QFileInfo(trabalho).size(), 0);
        } else {
            const pid_t filho = fork();
            if (filho == 0) {
                openDatabase(dados, QStringLiteral("filho"));
                execSql(QStringLiteral("PRAGMA bd8vinc.cache_size = 10"), QStringLiteral("filho"));
                Transaction primeira(QStringLiteral("filho"));
                createTable(Schema::require(QStringLiteral("te8errwa")), QStringLiteral("filho"));
                execSql(insereVinculos(2000), QStringLiteral("filho"));
                _exit(7);
            }
            QString porque;
            QVERIFY2(test::morreuGravando(filho, vinculos, vinculosAntes, porque), qPrintable(porque));
        }
        QVERIFY(QFile::exists(trabalho + QStringLiteral("-journal")));

        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(p.Inicia());
        QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));
        // The links' journal, which held pages, was rolled back. A journal into which nothing was synced
        // is not a hot one: the engine leaves it and writes over it in the next transaction.
        QVERIFY(!QFile::exists(vinculos + QStringLiteral("-journal")));
        QVERIFY(QFileInfo(trabalho).size() > 0);
        QCOMPARE(ArquivoDanificado(), QString());
        Query q;
        q.setSql(QStringLiteral("SELECT (SELECT count(*) FROM bd8vinc) AS vinculos, "
                                "(SELECT count(*) FROM sqlite_master WHERE name = 'te8errwa') AS erros"));
        q.Open();
        QCOMPARE(q.FieldByName(QStringLiteral("vinculos")).AsInteger(), 0);
        QCOMPARE(q.FieldByName(QStringLiteral("erros")).AsInteger(), 0);
        q.Close();
        p.Libera();
    }

    void readOnlyDataFolderIsNamed_data()
    {
        QTest::addColumn<bool>("comTrabalho");
        QTest::newRow("without trabalho.db") << false;
        QTest::newRow("with trabalho.db") << true;
    }
    void readOnlyDataFolderIsNamed()
    {
        QFETCH(bool, comTrabalho);
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        const QString dados = pasta.path() + QStringLiteral("/dados");
        if (comTrabalho)
            alterData(pasta.path(), {}); // the opening makes it
        else
            QFile::remove(dados + QStringLiteral("/trabalho.db"));
        QCOMPARE(QFile::exists(dados + QStringLiteral("/trabalho.db")), comTrabalho);
        SomenteLeitura protecao(dados);
        if (!protecao.protegida())
            QSKIP("the data folder cannot be made read-only here");
        QString texto;
        iniciaSemSucesso(pasta.path(), boxes, texto);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(texto.contains(QStringLiteral("não pode ser gravada")) && texto.contains(QDir::toNativeSeparators(dados)),
                 qPrintable(texto));
        QVERIFY(!texto.contains(QStringLiteral("File not found")));
    }

    void missingTableEndsWithAWarning_data()
    {
        QTest::addColumn<QStringList>("alteration");
        QTest::addColumn<QString>("removedFile");
        QTest::newRow("table tbTrab") << QStringList{QStringLiteral("DROP TABLE tabelas.tbtrab")} << QString();
        QTest::newRow("file bd8vinc.db") << QStringList() << QStringLiteral("bd8vinc.db");
    }
    void missingTableEndsWithAWarning()
    {
        QFETCH(QStringList, alteration);
        QFETCH(QString, removedFile);
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        alterData(pasta.path(), alteration);
        if (!removedFile.isEmpty())
            QVERIFY(QFile::remove(pasta.path() + QStringLiteral("/dados/") + removedFile));
        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(!p.Inicia());
        QVERIFY(p.CodigoSaida() != 0);
        QVERIFY(!fmGDVORN && !dmGDVorn);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, MessageKind::Warning);
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o GDVORN."));
    }

    void duplicateKeysStopTheStart()
    {
        test::ScriptedPresenter boxes;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        alterData(pasta.path(), {QStringLiteral("DROP INDEX bd8emp.bd8emp_Main"),
                                 QStringLiteral("INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES "
                                                "('2010', '11222333000181'), ('2010', '11222333000181')")});
        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(!p.Inicia());
        QVERIFY(p.CodigoSaida() != 0);
        QVERIFY(!fmGDVORN);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, MessageKind::Error);
        QVERIFY2(boxes.boxes[0].text.contains(QStringLiteral("A tabela BD8EMP não pode ser indexada")),
                 qPrintable(boxes.boxes[0].text));
    }

    void restoreMessageRaisesTheMinimisedWindow()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QWidget janela;
        janela.showMinimized();
        ServidorRestauracao servidor;
        servidor.setJanelaPrincipal(&janela);
        QLocalSocket s;
        s.connectToServer(ServidorRestauracao::NomeServidor());
        QVERIFY(s.waitForConnected(2000));
        QTRY_VERIFY(!janela.isMinimized());
    }

    // What a start killed while it took its guards may leave in the runtime folder never keeps a later
    // copy out; a living copy does, and one killed -9 no longer does.
    void realProgramRunsOnceAndEndsCleanly_data()
    {
        QTest::addColumn<QByteArray>("guardasDeixadas");
        QTest::addColumn<bool>("haGuardas");
        QTest::newRow("clean runtime folder") << QByteArray() << false;
        QTest::newRow("empty guard files left") << QByteArray() << true;
        QTest::newRow("garbage in the guard files") << QByteArray("\x01\xffGDVORN\n", 9) << true;
    }
    void realProgramRunsOnceAndEndsCleanly()
    {
        QFETCH(QByteArray, guardasDeixadas);
        QFETCH(bool, haGuardas);
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        const QString trabalho = pasta.path() + QStringLiteral("/dados/trabalho.db");
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        if (haGuardas) {
            for (const QString &nome : {kPrimeiraGuarda, kSegundaGuarda}) {
                QFile f(GuardaInstancia::Caminho(nome));
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(guardasDeixadas);
            }
        }

        ProgramaReal first(pasta.path(), runtime.path());
        QVERIFY(first.waitForStarted());
        // The work file is made once both guards are taken.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(trabalho), 10000);
        QTest::qWait(1000);
        QCOMPARE(first.state(), QProcess::Running);

        ProgramaReal second(pasta.path(), runtime.path());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A request to end goes through the message loop: only a running loop ends with code 0.
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);

        // A copy killed with no chance to clean up leaves its guard files; the next copy runs.
        ProgramaReal third(pasta.path(), runtime.path());
        QVERIFY(third.waitForStarted());
        QVERIFY(third.esperaParado());
        ::kill(pid_t(third.processId()), SIGKILL);
        QVERIFY(third.waitForFinished(5000));
        QVERIFY(QFile::exists(GuardaInstancia::Caminho(kSegundaGuarda)));
        QVERIFY(QFile::remove(trabalho));
        ProgramaReal fourth(pasta.path(), runtime.path());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(trabalho), 10000);
        QVERIFY(fourth.esperaParado());
        fourth.terminate();
        QVERIFY(fourth.waitForFinished(10000));
        QCOMPARE(fourth.exitCode(), 0);
    }

    // A request to end while the start-up runs. While it asks whether to restore a damaged table, the
    // question is answered No at once, as the user would, and nothing in the data folder changes. Before
    // the main window is made, the start-up shows no window that would wait for the user (the
    // information window of the first activation) and ends.
    void requestToEndDuringTheStartUp_data()
    {
        QTest::addColumn<bool>("danificada");
        QTest::addColumn<int>("sinal");
        QTest::newRow("restore question, SIGTERM") << true << int(SIGTERM);
        QTest::newRow("restore question, SIGINT") << true << int(SIGINT);
        QTest::newRow("main window being made, SIGTERM") << false << int(SIGTERM);
    }
    void requestToEndDuringTheStartUp()
    {
        QFETCH(bool, danificada);
        QFETCH(int, sinal);
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        if (danificada)
            danificaVinculos(pasta.path());
        if (QTest::currentTestFailed())
            return;
        const QString dados = pasta.path() + QStringLiteral("/dados");
        const QMap<QString, QByteArray> antes = conteudoPasta(dados);
        QTemporaryDir runtime;

        ProgramaReal programa(pasta.path(), runtime.path());
        QVERIFY(programa.waitForStarted());
        if (danificada)
            QVERIFY(programa.esperaParado()); // the start-up waits on the question
        else
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dados + QStringLiteral("/trabalho.db")), 10000); // the data modules
        ::kill(pid_t(programa.processId()), sinal);
        QVERIFY2(programa.waitForFinished(5000), "the request to end was not taken");
        QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
        if (danificada) {
            QCOMPARE(programa.exitCode(), 1); // as when the restore is declined
            QCOMPARE(conteudoPasta(dados), antes);
        } else {
            QCOMPARE(programa.exitCode(), 0);
        }
    }
};

QTEST_MAIN(TestQtPrograma)
#include "tst_QtPrograma.moc"
