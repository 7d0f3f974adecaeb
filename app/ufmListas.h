#pragma once
// The selection-list fillers of the wizards: a combo box or a check list (a list of checkable items)
// cleared and filled with the fixed-column lines of ugListas, and what the wizards read back from a
// check list.

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace gdvorn {

// The establishments of `ano` (`opcao` "N": only declarations with employees), in no particular order.
void CarregaEstabelecimentosCombo(QComboBox *combo, const QString &ano, const QString &opcao);
// The same as unchecked items of a check list, ordered by inscription and prefix (`ordem` "0") or by
// company name.
void CarregaEstabelecimentosLista(QListWidget *lista, const QString &ano, const QString &opcao,
                                  const QString &ordem);
// The links of one establishment as unchecked items, ordered by PIS/PASEP (`ordem` "0") or by name.
void CarregaEmpregados(QListWidget *lista, const QString &ano, const QString &inscricao, const QString &ordem,
                       const QString &prefixo);

// The first 65 characters of every checked line, in list order, into `itens` (replacing what it held);
// returns how many.
int ItensMarcados(const QListWidget *lista, QStringList &itens);

// Length in characters of the longest line of the list (0 when empty).
int LarguraMaiorItem(const QListWidget *lista);

} // namespace gdvorn
