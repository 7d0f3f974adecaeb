#include "app/QtPrograma.h"

#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/QtPresenter.h"
#include "app/QtRestauracao.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/QtAjuda.h"
#include "app/ufmGDVORN.h"
#include "app/ufmInicioRegras.h"
#include "app/ufmSplash.h"
#include "app/ugConfiguracao.h"
#include "app/ugIndices.h"
#include "app/ugMultInst.h"

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

template <class T, class... A>
T *Programa::cria(T *&variavel, A &&...args)
{
    variavel = new T(std::forward<A>(args)...);
    T **alvo = &variavel;
    m_liberar.push_back([alvo] {
        delete *alvo;
        *alvo = nullptr;
    });
    return variavel;
}

Programa::Programa(const QString &pastaPrograma) : m_pasta(pastaPrograma) { setDiretorioPrograma(m_pasta); }

Programa::~Programa() { Libera(); }

void Programa::Libera()
{
    while (!m_liberar.empty()) {
        auto libera = std::move(m_liberar.back());
        m_liberar.pop_back();
        libera();
    }
}

bool Programa::Inicia()
{
    auto splash = std::make_unique<TfmSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    try {
        if (!VerificaTabelas(QDir(m_pasta).filePath(QStringLiteral("dados")))) {
            presenter().show(MessageKind::Warning,
                             QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o GDVORN."),
                             {MessageButton::Ok});
            m_codigoSaida = 1;
            return false;
        }
        // The main window's closing frees both data modules and clears their variables; what is left
        // is freed here, in reverse order.
        cria(dmGDVorn, m_pasta);
        cria(fmGDVORN);
        cria(dmEntradaDados);
        cria(fmInicioRegras);
        for (const PassoInicial &passo : passosIniciais())
            m_liberar.push_back(passo());
    } catch (const std::exception &e) {
        // Before the main window there is no exception handler: the failure is shown as it is and the
        // program ends.
        const auto *db = dynamic_cast<const DatabaseError *>(&e);
        presenter().show(MessageKind::Error, db ? db->message() : QString::fromLocal8Bit(e.what()), {MessageButton::Ok});
        Libera();
        m_codigoSaida = 1;
        return false;
    }
    fmGDVORN->showMaximized();
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
