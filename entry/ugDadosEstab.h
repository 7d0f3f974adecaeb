#pragma once
// The establishment form's work on the link table (the counts are ugDadosEmpreg's): deleting the links and
// bringing their copy of the establishment's inscription type and CEI vinculado in line. Every statement
// goes through dmEntradaDados's queries with bound values; the caller holds the transaction.

#include "app/ugListas.h"

#include <QString>

namespace gdvorn {

// Deletes every link of the establishment; returns how many.
int ExcluiVinculosEstab(const ChaveEstabelecimento &chave);

// The links that carry `tipoAntigo` get `tipoNovo` and `ceiNovo` (quValidaEstab); returns how many.
int AtualizaVinculosEstab(const ChaveEstabelecimento &chave, const QString &tipoAntigo, const QString &tipoNovo,
                          const QString &ceiNovo);

// The year shown by the banner: the base year, or the next one when characters 5 to 8 of the closing
// date (DDMMYYYY) are the next year.
int AnoDoEncerramento(const QString &data, int anoBase);

} // namespace gdvorn
