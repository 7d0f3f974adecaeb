#include "app/ufmListas.h"

#include "app/ugListas.h"

#include <QComboBox>
#include <QListWidget>

#include <algorithm>

namespace gdvorn {

namespace {

void preencheLista(QListWidget *lista, const QStringList &linhas)
{
    lista->clear();
    for (const QString &linha : linhas) {
        auto *item = new QListWidgetItem(linha, lista);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

} // namespace

void CarregaEstabelecimentosCombo(QComboBox *combo, const QString &ano, const QString &opcao)
{
    combo->clear();
    combo->addItems(LinhasEstabelecimentosCombo(ano, opcao));
}

void CarregaEstabelecimentosLista(QListWidget *lista, const QString &ano, const QString &opcao,
                                  const QString &ordem)
{
    preencheLista(lista, LinhasEstabelecimentosLista(ano, opcao, ordem));
}

void CarregaEmpregados(QListWidget *lista, const QString &ano, const QString &inscricao, const QString &ordem,
                       const QString &prefixo)
{
    preencheLista(lista, LinhasEmpregados(ano, inscricao, ordem, prefixo));
}

int ItensMarcados(const QListWidget *lista, QStringList &itens)
{
    itens.clear();
    for (int i = 0; i < lista->count(); ++i) {
        const QListWidgetItem *item = lista->item(i);
        if (item->checkState() == Qt::Checked)
            itens << item->text().left(LarguraItemMarcado);
    }
    return int(itens.size());
}

int LarguraMaiorItem(const QListWidget *lista)
{
    int maior = 0;
    for (int i = 0; i < lista->count(); ++i)
        maior = std::max(maior, int(lista->item(i)->text().size()));
    return maior;
}

} // namespace gdvorn
