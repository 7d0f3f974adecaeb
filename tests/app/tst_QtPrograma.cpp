// The program's start-up: the main sequence in-process with the scripted presenter, and the real
// program started twice.

#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "TestData.h"
#include "app/base/Database.h"
#include "app/QtPrograma.h"
#include "app/QtRestauracao.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ufmInicioRegras.h"
#include "app/ugConfiguracao.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QtTest>

using namespace gdvorn;

namespace {

// A program folder with a copy of the built data folder.
void layProgramFolder(const QString &pasta)
{
    QDir(pasta).mkpath(QStringLiteral("dados"));
    const QDir src(test::builtDataFolder());
    for (const QString &f : src.entryList({QStringLiteral("*.db")}, QDir::Files))
        QFile::copy(src.filePath(f), pasta + QStringLiteral("/dados/") + f);
}

void alterData(const QString &pasta, const QStringList &statements)
{
    openDatabase(pasta + QStringLiteral("/dados"), QStringLiteral("alter"));
    for (const QString &s : statements)
        execSql(s, QStringLiteral("alter"));
    closeDatabase(QStringLiteral("alter"));
}

} // namespace

class TestQtPrograma : public QObject {
    Q_OBJECT

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

    void closingTheMainWindowFreesTheDataModulesOnce()
    {
        test::ScriptedPresenter boxes;
        test::ScriptedModal windows;
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        Programa p(pasta.path() + QLatin1Char('/'));
        QVERIFY(p.Inicia());
        QVERIFY(fmGDVORN->close());
        QVERIFY(!dmGDVorn && !dmEntradaDados);
        QVERIFY(fmGDVORN);
        QVERIFY(!isDatabaseOpen());
        p.Libera(); // what is left, without freeing the data modules again
        QVERIFY(!fmGDVORN);
        QVERIFY(boxes.boxes.isEmpty());
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

    void realProgramRunsOnceAndEndsCleanly()
    {
        QTemporaryDir pasta;
        layProgramFolder(pasta.path());
        const QString exe = pasta.path() + QStringLiteral("/gdvorn");
        QVERIFY(QFile::copy(QStringLiteral(GDVORN_EXECUTABLE), exe));
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(exe, {});
        QVERIFY(first.waitForStarted());
        // The second guard is taken right before the splash.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.path() + QStringLiteral("/GDVorn.lock")), 10000);
        QTest::qWait(1000);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(exe, {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A request to end goes through the message loop: only a running loop ends with code 0.
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(QFile::exists(pasta.path() + QStringLiteral("/dados/trabalho.db")));
    }
};

QTEST_MAIN(TestQtPrograma)
#include "tst_QtPrograma.moc"
