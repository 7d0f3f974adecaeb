// The single-instance guards: a guard is held by a living copy only, whatever its file holds.

#include "app/ugMultInst.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace gdvorn;

namespace {

// A copy of the program that takes the guard `nome` in a child process and holds it until killed.
class CopiaViva {
public:
    explicit CopiaViva(const QString &nome)
    {
        int canal[2];
        if (::pipe(canal) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            ::close(canal[0]);
            GuardaInstancia guarda(nome);
            const char tomada = guarda.Tomada() ? '1' : '0';
            [[maybe_unused]] const auto n = ::write(canal[1], &tomada, 1);
            for (;;)
                ::pause();
        }
        ::close(canal[1]);
        char c = 0;
        m_tomada = m_pid > 0 && ::read(canal[0], &c, 1) == 1 && c == '1';
        ::close(canal[0]);
    }
    ~CopiaViva() { mata(); }
    bool tomada() const { return m_tomada; }
    // Ends the copy as a kill -9 does: no destructor, no clean-up of its own.
    void mata()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    bool m_tomada = false;
};

} // namespace

class TestUgMultInst : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;

private slots:
    void init() { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit()); }

    // What a start killed while writing its guard, or any other program, may leave in the file.
    void fileLeftBehindDoesNotHoldTheGuard_data()
    {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x01\xff\x7fGDVORN\n\n\n", 10);
        QTest::newRow("a dead copy's process id") << QByteArray("999999\nGDVORN\nmaquina\n");
    }
    void fileLeftBehindDoesNotHoldTheGuard()
    {
        QFETCH(QByteArray, conteudo);
        for (const QString &nome : {kPrimeiraGuarda, kSegundaGuarda}) {
            QFile arquivo(GuardaInstancia::Caminho(nome));
            QVERIFY(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
            arquivo.write(conteudo);
            arquivo.close();
            GuardaInstancia guarda(nome);
            QVERIFY2(guarda.Tomada(), qPrintable(nome));
        }
    }

    void livingCopyHoldsTheGuardUntilItDies()
    {
        CopiaViva primeira(kSegundaGuarda);
        QVERIFY(primeira.tomada());
        {
            GuardaInstancia segunda(kSegundaGuarda);
            QVERIFY(!segunda.Tomada());
        }
        // A guard of another name is free.
        QVERIFY(GuardaInstancia(kPrimeiraGuarda).Tomada());

        primeira.mata();
        QVERIFY(QFile::exists(GuardaInstancia::Caminho(kSegundaGuarda)));
        GuardaInstancia depois(kSegundaGuarda);
        QVERIFY(depois.Tomada());
        // Held now by this copy: another one is kept out again.
        CopiaViva outra(kSegundaGuarda);
        QVERIFY(!outra.tomada());
    }

    void guardIsFreedWhenItsHolderEnds()
    {
        { GuardaInstancia guarda(kPrimeiraGuarda); QVERIFY(guarda.Tomada()); }
        GuardaInstancia denovo(kPrimeiraGuarda);
        QVERIFY(denovo.Tomada());
    }
};

QTEST_GUILESS_MAIN(TestUgMultInst)
#include "tst_ugMultInst.moc"
