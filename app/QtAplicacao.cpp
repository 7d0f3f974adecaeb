#include "app/QtAplicacao.h"

#include "app/QtExcecao.h"
#include "app/ugExcecao.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace gdvorn {

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
