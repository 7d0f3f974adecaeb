#pragma once
// The list of the transmission window, set up in one place: the window uses it, and so do the list
// view's own tests, which drive this very list. Header-only, so that it needs no library beyond the
// list view's.
//
// Report view with its 25-pixel header, not themed, full-row and rectangle selection, the nine columns
// with their captions and widths, small images from `imagens`. With check boxes (transmit mode) the items
// carry flat 10-pixel boxes and several may be selected; without (print mode) one item is selected at
// a time.

#include "listview/QtLvListview.h"

#include <QStringList>

#include <functional>

namespace gdvorn {

// The columns of the list.
enum ColunaTransmissao {
    ctSituacao = 0,     // the status image
    ctCrea = 1,
    ctInscricao = 2,
    ctPrefixo = 3,
    ctSequencial = 4,
    ctEstabelecimentos = 5,
    ctVinculos = 6,
    ctRetificadora = 7, // the rectification image
    ctRazaoSocial = 8,
};
inline constexpr int QtdColunasTransmissao = 9;

// The images of the list, by index.
// itReciboInvalido: a receipt that fails its check lies beside the file, which may be sent again.
enum ImagemTransmissao { itGravada = 0, itTransmitida = 1, itRetificadora = 2, itReciboInvalido = 3 };

inline void ConfiguraListaTransmissao(lv::QtLvListview &l, const lv::LvImageList *imagens)
{
    using namespace lv;
    l.SetView(TLvListStyle::elsReport);
    l.SetThemed(false);
    l.SetImagesSmall(imagens);
    l.Header().SetAutoSizeHeight(false);
    l.Header().SetHeight(25);
    l.Header().SetShowInAllViews(true);
    l.Header().SetVisible(true);
    static const char *const legendas[QtdColunasTransmissao] = {
        " ", "Nº CREA", "CNPJ/CEI do 1º Estabelecimento", "Prefixo", "Nº Sequencial do Arquivo",
        "Estabelecimentos", "Vínculos", " ", "Razão Social"};
    static const int larguras[QtdColunasTransmissao] = {36, 100, 130, 50, 70, 70, 70, 18, 400};
    for (int i = 0; i < QtdColunasTransmissao; ++i) {
        TLvColumn *c = l.Header().Columns().Add();
        c->SetCaption(QString::fromUtf8(legendas[i]));
        c->SetWidth(larguras[i]);
    }
    l.PaintInfoGroup().SetCheckFlat(true);
    l.PaintInfoGroup().SetCheckSize(10);
    l.PaintInfoItem().SetCheckFlat(true);
    l.PaintInfoItem().SetCheckSize(10);
    l.Selection().SetFullRowSelect(true);
    l.Selection().SetRectSelect(true);
}

// Transmit mode (check boxes, several selected) or print mode (no boxes, one selected).
inline void ListaTransmissaoComMarcas(lv::QtLvListview &l, bool comMarcas)
{
    l.PaintInfoItem().SetCheckType(comMarcas ? lv::TLvCheckType::ectBox : lv::TLvCheckType::ectNone);
    l.Selection().SetMultiSelect(comMarcas);
}

// Keeps check and selection in step: checking an item selects it, unchecking deselects it; selecting an
// item checks it, deselecting a checked one unchecks it. `aposSelecao` runs after every selection change.
inline void MantemMarcaESelecao(lv::QtLvListview &l, std::function<void()> aposSelecao = {})
{
    l.OnItemCheckChange = [](lv::TLvItem *item) { item->SetSelected(item->Checked()); };
    l.OnItemSelectionChanged = [aposSelecao = std::move(aposSelecao)](lv::TLvItem *item) {
        if (item->Selected())
            item->SetChecked(true);
        else if (item->Checked())
            item->SetChecked(false);
        if (aposSelecao)
            aposSelecao();
    };
}

} // namespace gdvorn
