#include "app/QtAplicacao.h"

#include "app/QtExcecao.h"
#include "app/ugExcecao.h"

namespace gdvorn {

TAplicacao::TAplicacao(int &argc, char **argv) : QApplication(argc, argv) { InstalaTratamentoExcecao(); }

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

} // namespace gdvorn
