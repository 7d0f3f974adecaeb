#include "entry/QtComandosEntrada.h"

#include "app/QtModal.h"
#include "app/QtPrograma.h"
#include "app/udmEntradaDados.h"
#include "app/ufmGDVORN.h"
#include "entry/ufmConEmpreg.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmDadosResp.h"
#include "entry/ufmExcluir.h"
#include "entry/ufmNovaDecl.h"

#include <QPointer>

namespace gdvorn {

namespace {

// The establishment form on one row, with its hand-overs: the employee list, or the link form for a
// first link (and the employee list once a link is stored).
void AbreDadosEstab(QWidget *parent, const ChaveEstabelecimento &chave, bool novo)
{
    TfmDadosEstab estab(parent);
    estab.AnoEstab = chave.AnBase;
    estab.InscricaoEstab = chave.Inscricao;
    estab.PrefixoEstab = chave.Prefixo;
    estab.EstabelecimentoNovo = novo;
    // The form hides while the links are on screen; it closes when they return.
    estab.MostraEmpregados = [&estab](const ChaveEstabelecimento &estabelecimento) {
        OcultaJanela(estab);
        if (fmConEmpreg)
            fmConEmpreg->Mostra(estabelecimento);
    };
    estab.AbreNovoVinculo = [&estab] {
        OcultaJanela(estab);
        if (fmConEmpreg) {
            fmConEmpreg->MostraVinculos({estab.AnoEstab, estab.InscricaoEstab, estab.PrefixoEstab},
                                        estab.EstabelecimentoNovo);
            return;
        }
        TfmDadosEmpreg vinculo(&estab);
        ExecutaModal(vinculo);
    };
    ExecutaModal(estab);
}

} // namespace

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
        lista->AbreEstabelecimento = [lista](const ChaveEstabelecimento &chave) {
            AbreDadosEstab(lista, chave, false);
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
    RegistraJanela(QStringLiteral("Nova1"), [](QWidget *parent) {
        TfmNovaDecl dialogo(parent);
        dialogo.AbreEstabelecimento = [&dialogo](const QString &ano, const QString &inscricao, const QString &prefixo) {
            // The dialog has hidden itself: the form stands over the dialog's own parent.
            AbreDadosEstab(dialogo.parentWidget(), ChaveEstabelecimento{ano, inscricao, prefixo}, true);
        };
        ExecutaModal(dialogo);
        if (dmEntradaDados)
            dmEntradaDados->ta8Empresa.Close();
    });
    RegistraJanela(QStringLiteral("DadosResponsvel1"), [](QWidget *parent) { AbreDadosResp(parent); });
}

} // namespace gdvorn
