#pragma once
// The establishment list's data: the query of a year's establishments with the list's filters, the
// decision on opening a row, and the repair of a stored inscription type.

#include "app/base/Query.h"
#include "app/ugListas.h"

#include <QString>

namespace gdvorn {

// The filters of the list: the start of an inscription, the start of a name, or up to two initial letters
// (the name wins over the letters).
struct FiltroEstab {
    QString inscricao;
    QString razao;
    QString letra1; // "" or a letter
    QString letra2;
};

// The whole year (step of each activation).
void ListaAnoEstab(Query &q, const QString &ano);
// The base year with the filters. A CEI is stored "00" + 12 digits: typed digits match it with "00" in
// front (type "3", and type "2" as the old tables have it), other rows directly.
void MontaQueryEstab(Query &q, const QString &ano, const FiltroEstab &filtro);

// The display text of the list's inscription columns.
QString InscricaoMostradaEstab(const QString &inscricao, const QString &tipo);
QString CeiVinculadoMostradoEstab(const QString &cei);

// Opening a row: what to do with it.
enum class AcaoAbrir { Abre, SemSelecao /*1301*/, Invalida /*1002*/, PrefixoInvalido /*1052*/, Escolhe };
// Decides on the row: `tipoNovo` receives the type to store when the stored one does not fit the number
// ("1" or "3"; empty when it fits). Escolhe: the number fits both, the user chooses.
AcaoAbrir DecideAbertura(const QString &inscricao, const QString &tipo, QString &tipoNovo);
// After a chooser's answer ("CNPJ", "CEI"; anything else: Invalida).
AcaoAbrir DecideEscolha(const QString &resposta, QString &tipoNovo);
// The prefix check that follows the repair.
bool PrefixoAceito(const QString &prefixo);

// Stores `tipo` in the establishment's row and in all its links, in one transaction, so that the links
// stay listed under their establishment.
void CorrigeTipoInscricao(const ChaveEstabelecimento &chave, const QString &tipo);

} // namespace gdvorn
