#include "app/QtPrograma.h"

#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
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
} // namespace

void registraPassoInicial(PassoInicial passo) { passosIniciais().push_back(std::move(passo)); }

Programa::Programa(const QString &pastaPrograma) : m_pasta(pastaPrograma) { setDiretorioPrograma(m_pasta); }

Programa::~Programa() { Libera(); }

void Programa::Libera() { m_objetos.freeAll(); }

bool Programa::Inicia()
{
    auto splash = std::make_unique<TfmSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    try {
        ConcluiTrocaTabelas(QDir(m_pasta).filePath(QStringLiteral("dados")));
        if (!VerificaTabelas(QDir(m_pasta).filePath(QStringLiteral("dados")))) {
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
    // A request to end that came while the start-up still ran (the information window shown from the
    // main window's first activation) has closed the main window before the loop: nothing is left to run.
    if (!fmGDVORN->isVisible())
        return 0;
    restauracao.setJanelaPrincipal(fmGDVORN);
    const int codigo = QApplication::exec();
    programa.Libera();
    setPresenter(nullptr);
    setVisorAjuda(nullptr);
    return codigo;
}

} // namespace gdvorn
