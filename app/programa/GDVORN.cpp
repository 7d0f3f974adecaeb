// The program GDVORN. It takes no arguments.

#include "app/QtAplicacao.h"
#include "app/QtModal.h"
#include "app/QtPrograma.h"
#include "backup/ufmRestore00.h"
#include "backup/QtComandosCopia.h"
#include "app/QtDialogoArquivo.h"
#include "entry/ufmNovaDecl.h"
#include "entry/ufmSeletores.h"
#include "Relatorio/ugRelatorios.h"
#include "rules/ufmVerInco.h"
#include "entry/QtComandosEntrada.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ufmConsulta.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ufmImportacao.h"
#include "workflows/ufmPesq.h"
#include "workflows/ufmRelatorio.h"
#include "workflows/ufmTransmite.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_sinal[2] = {-1, -1};

void aoTerminar(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_sinal[0], &c, 1);
}

// A request to end (SIGTERM, SIGINT) closes the program through its message loop, as closing the main
// window does.
void instalaTermino()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_sinal) != 0)
        return;
    auto *notificador = new QSocketNotifier(g_sinal[1], QSocketNotifier::Read, qApp);
    QObject::connect(notificador, &QSocketNotifier::activated, qApp, [] {
        char c;
        [[maybe_unused]] const auto n = ::read(g_sinal[1], &c, 1);
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

} // namespace

int main(int argc, char **argv)
{
    gdvorn::TAplicacao app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GDVORN"));
    instalaTermino();
    gdvorn::QtDialogoArquivo dialogoArquivo;
    gdvorn::setDialogoArquivo(&dialogoArquivo);
    gdvorn::RegistraJanelasCopiaSeguranca();
    gdvorn::registraRestauracaoInicial([](QWidget *parent) {
        gdvorn::TfmRestore00 janela(parent);
        gdvorn::ExecutaModal(janela);
    });
    gdvorn::RegistraNovaDeclaracao();
    gdvorn::registraPassoInicial(gdvorn::CriaSeletoresIniciais);
    gdvorn::RegistraVerInco();
    gdvorn::setRegistroRelatorios(gdvorn::RegistraRelatorios);
    gdvorn::RegistraJanelasEntrada();
    gdvorn::RegistraGravacao();
    gdvorn::RegistraImportacao();
    gdvorn::RegistraTransmissao();
    gdvorn::RegistraAnalise();
    gdvorn::RegistraPesquisa();
    gdvorn::RegistraImpressao();
    gdvorn::RegistraConsulta();
    const int codigo = gdvorn::ExecutaGDVORN();
    gdvorn::setDialogoArquivo(nullptr);
    return codigo;
}
