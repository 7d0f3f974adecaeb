#include "app/QtAplicacao.h"

#include "app/QtExcecao.h"
#include "app/QtPresenter.h"
#include "app/ugExcecao.h"

#include <QLibraryInfo>
#include <QSocketNotifier>
#include <QTranslator>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace gdvorn {

namespace {

int g_sinal[2] = {-1, -1};
bool g_terminoPedido = false;

// The signal handler only writes a byte: the request is taken in the event loop.
void aoTerminar(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_sinal[0], &c, 1);
}

} // namespace

void InstalaTermino()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_sinal) != 0)
        return;
    auto *notificador = new QSocketNotifier(g_sinal[1], QSocketNotifier::Read, qApp);
    QObject::connect(notificador, &QSocketNotifier::activated, qApp, [] {
        char c;
        [[maybe_unused]] const auto n = ::read(g_sinal[1], &c, 1);
        g_terminoPedido = true;
        // A box waits in a loop of its own, which neither closing the windows nor quit ends.
        QtPresenter::Encerra();
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    struct sigaction sa {};
    sa.sa_handler = aoTerminar;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

bool TerminoPedido() { return g_terminoPedido; }

TAplicacao::TAplicacao(int &argc, char **argv) : QApplication(argc, argv)
{
    InstalaTratamentoExcecao();
    CarregaTraducoesQt(*this);
}

bool TAplicacao::notify(QObject *receiver, QEvent *event)
{
    // Protege written out: this runs for every event of the program.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        GDVORNExcecaoGeral(std::current_exception());
    }
    return false;
}

bool CarregaTraducoesQt(QCoreApplication &app)
{
    auto *traducao = new QTranslator(&app);
    if (!traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    QCoreApplication::installTranslator(traducao);
    return true;
}

} // namespace gdvorn
