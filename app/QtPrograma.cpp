#include "app/QtPrograma.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/QtAplicacao.h"
#include "app/QtPresenter.h"
#include "app/QtRelatorio.h"
#include "app/udmRaveRelatorios.h"
#include "app/QtRestauracao.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/QtAjuda.h"
#include "app/ufmGDVORN.h"
#include "app/ufmInicioRegras.h"
#include "app/ufmSplash.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugIndices.h"
#include "app/ugMultInst.h"
#include "app/ugTrocaTabelas.h"

#include <QApplication>
#include <QDir>

#include <memory>

namespace gdvorn {

namespace {
std::vector<PassoInicial> &passosIniciais()
{
    static std::vector<PassoInicial> passos;
    return passos;
}
RestauracaoInicial &restauracaoInicial()
{
    static RestauracaoInicial restaura;
    return restaura;
}

// A damaged declaration file (`falha` names it): the user may restore a backup copy now. True when the
// restore window ran (the check then runs again); false when the user declined.
bool restauraNoInicio(const QString &dados, const DamagedFile &falha)
{
    if (presenter().show(MessageKind::Confirmation,
                         falha.message() + QStringLiteral("\n\nDeseja restaurar agora a cópia de segurança? Sem ela o "
                                                          "GDVORN não pode ser iniciado."),
                         {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes)
        return false;
    // The restore replaces the files of the program's connection. A file that the connection cannot even
    // attach (its header or schema destroyed) cannot be replaced through it: the start-up ends naming it.
    try {
        openDatabase(dados);
    } catch (const EngineError &) {
        throw falha;
    }
    try {
        restauracaoInicial()(nullptr);
    } catch (...) {
        closeDatabase();
        throw;
    }
    closeDatabase();
    return true;
}

} // namespace

void registraPassoInicial(PassoInicial passo) { passosIniciais().push_back(std::move(passo)); }

void registraRestauracaoInicial(RestauracaoInicial restaura) { restauracaoInicial() = std::move(restaura); }

Programa::Programa(const QString &pastaPrograma) : m_pasta(pastaPrograma) { setDiretorioPrograma(m_pasta); }

Programa::~Programa() { Libera(); }

void Programa::Libera() { m_objetos.freeAll(); }

bool Programa::Inicia()
{
    auto splash = std::make_unique<TfmSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    const QString dados = QDir(m_pasta).filePath(QStringLiteral("dados"));
    try {
        ConcluiTrocaTabelas(dados);
        // The table check; a damaged declaration file may be replaced by a backup copy first.
        bool completo = false;
        for (;;) {
            try {
                completo = VerificaTabelas(dados);
                break;
            } catch (const DamagedFile &falha) {
                if (!restauracaoInicial())
                    throw;
                // The splash stays on top: it would hide the question and the window.
                splash->hide();
                if (!restauraNoInicio(dados, falha)) {
                    // Declined: the question named the file and gave the advice.
                    m_codigoSaida = 1;
                    return false;
                }
                splash->show();
            }
        }
        if (!completo) {
            presenter().show(MessageKind::Warning,
                             QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o GDVORN."),
                             {MessageButton::Ok});
            m_codigoSaida = 1;
            return false;
        }
        m_objetos.create(dmGDVorn, m_pasta);
        m_objetos.create(dmRaveRelatorios);
        m_objetos.create(fmGDVORN);
        m_objetos.create(dmEntradaDados);
        m_objetos.create(fmInicioRegras);
        for (const PassoInicial &passo : passosIniciais())
            m_objetos.adopt(passo());
    } catch (const std::exception &e) {
        // Before the main window there is no exception handler: the failure is shown as it is and the
        // program ends.
        const auto *db = dynamic_cast<const DatabaseError *>(&e);
        presenter().show(MessageKind::Error, db ? db->message() : QString::fromLocal8Bit(e.what()), {MessageButton::Ok});
        Libera();
        m_codigoSaida = 1;
        return false;
    }
    // The exception handler ends the program after its box; before the message loop runs, that request
    // is noted here and ends the start-up.
    bool terminar = false;
    const auto anterior = setTerminaPrograma([&terminar] { terminar = true; });
    fmGDVORN->showMaximized();
    QApplication::processEvents();
    setTerminaPrograma(anterior);
    if (terminar) {
        Libera();
        m_codigoSaida = 1;
        return false;
    }
    splash->finish(fmGDVORN);
    return true;
}

int ExecutaGDVORN()
{
    GuardaInstancia primeira(kPrimeiraGuarda);
    if (!primeira.Tomada())
        return 0; // another copy runs: end before any window, without a message

    QtPresenter caixas;
    setPresenter(&caixas);
    VisorAjudaQt ajuda;
    setVisorAjuda(&ajuda);
    QtSaidaRelatorio relatorios;
    setSaidaRelatorio(&relatorios);
    struct Desinstala {
        ~Desinstala() { setSaidaRelatorio(nullptr); }
    } desinstala;
    ServidorRestauracao restauracao;

    GuardaInstancia segunda(kSegundaGuarda);
    if (!segunda.Tomada()) {
        presenter().show(MessageKind::Error, QStringLiteral("Este programa já está sendo executado."),
                         {MessageButton::Ok});
        return 0;
    }

    Programa programa(DiretorioPrograma());
    if (!programa.Inicia())
        return programa.CodigoSaida();
    // A request to end that came while the start-up still ran has closed the windows made so far, or
    // came before the main window was made: nothing is left to run.
    if (!fmGDVORN->isVisible() || TerminoPedido())
        return 0;
    restauracao.setJanelaPrincipal(fmGDVORN);
    const int codigo = QApplication::exec();
    programa.Libera();
    setPresenter(nullptr);
    setVisorAjuda(nullptr);
    return codigo;
}

} // namespace gdvorn
