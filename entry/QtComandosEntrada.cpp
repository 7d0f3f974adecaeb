#include "entry/QtComandosEntrada.h"

#include "app/QtModal.h"
#include "app/QtPrograma.h"
#include "app/ufmGDVORN.h"
#include "entry/ufmConEmpreg.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmDadosResp.h"
#include "entry/ufmExcluir.h"
#include "entry/ufmNovaDecl.h"

#include <QPointer>

namespace gdvorn {

void RegistraJanelasEntrada()
{
    registraPassoInicial([]() -> std::function<void()> {
        QPointer<TfmConEmpreg> lista = new TfmConEmpreg(fmGDVORN);
        fmConEmpreg = lista;
        return [lista] { delete lista.data(); };
    });
    registraPassoInicial([]() -> std::function<void()> {
        QPointer<TfmConEstab> lista = new TfmConEstab(fmGDVORN);
        fmConEstab = lista;
        lista->EscolheTipoInscricao = [lista]() -> QString {
            TfmTipoInscricao escolha(lista);
            return ExecutaModal(escolha) == QDialog::Accepted ? TipoInscricaoEscolhido : QString();
        };
        return [lista] { delete lista.data(); };
    });
    RegistraJanela(QStringLiteral("Abrir1"), [](QWidget *) {
        if (!fmConEstab)
            return;
        fmConEstab->ModoExclusao = false;
        ExecutaModal(*fmConEstab);
    });
    RegistraJanela(QStringLiteral("Excluir1"), [](QWidget *parent) {
        if (!fmConEstab)
            return;
        TfmExcluir exclusao(parent);
        fmConEstab->fmExcluir = &exclusao;
        fmConEstab->ModoExclusao = true;
        ExecutaModal(*fmConEstab);
        fmConEstab->ModoExclusao = false;
        fmConEstab->fmExcluir = nullptr;
    });
    RegistraJanela(QStringLiteral("DadosResponsvel1"), [](QWidget *parent) { AbreDadosResp(parent); });
}

} // namespace gdvorn
