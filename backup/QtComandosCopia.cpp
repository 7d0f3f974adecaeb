#include "backup/QtComandosCopia.h"

#include "app/QtModal.h"
#include "app/ufmGDVORN.h"
#include "backup/ufmBackup00.h"
#include "backup/ufmGeraIndice.h"
#include "backup/ufmRestore00.h"

namespace gdvorn {

namespace {

template <class Janela>
AbreJanela abre()
{
    return [](QWidget *parent) {
        Janela janela(parent);
        ExecutaModal(janela);
    };
}

} // namespace

void RegistraJanelasCopiaSeguranca()
{
    RegistraJanela(QStringLiteral("Gerarcpia1"), abre<TfmBackup00>());
    RegistraJanela(QStringLiteral("Restaurarcpia1"), abre<TfmRestore00>());
    RegistraJanela(QStringLiteral("IndexarArquivos1"), abre<TfmGeraIndice>());
}

} // namespace gdvorn
