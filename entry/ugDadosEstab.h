#pragma once
// The establishment form's work on the link table (the counts are ugDadosEmpreg's): deleting the links and
// bringing their copy of the establishment's inscription type and CEI vinculado in line, and the save of the
// establishment form. Every statement goes through dmEntradaDados's queries with bound values; the caller
// of the link routines holds the transaction, GravaEstabelecimento holds its own.

#include "app/ugListas.h"
#include "entry/ugDadosEmpreg.h"

#include <QString>

namespace gdvorn {

// Deletes every link of the establishment; returns how many.
int ExcluiVinculosEstab(const ChaveEstabelecimento &chave);

// The links that carry `tipoAntigo` get `tipoNovo` and `ceiNovo`; returns how many.
int AtualizaVinculosEstab(const ChaveEstabelecimento &chave, const QString &tipoAntigo, const QString &tipoNovo,
                          const QString &ceiNovo);

// What the row held when the form opened it: the links carry these and follow a change of either.
struct AberturaEstab {
    QString ceiVinculado;
    QString tipoInscricao;
};

// Saves the establishment row that dmEntradaDados->ta8Empresa holds in edit (the form has put its values
// into it), in one transaction: with `excluiVinculos` every link of `chave` is deleted first; the links
// are counted and the counts stored (NuVinculosEstabelecimento, NuEstrangeirosEstabelec), InOpcaoAberta
// becomes "0", the links take a new CEI vinculado or inscription type, and the row is posted. A failure
// throws with nothing stored and the row still in edit. Returns the counts.
ContagemVinculos GravaEstabelecimento(const ChaveEstabelecimento &chave, const AberturaEstab &dados,
                                      bool excluiVinculos);

// The year shown by the banner: the base year, or the next one when characters 5 to 8 of the closing
// date (DDMMYYYY) are the next year.
int AnoDoEncerramento(const QString &data, int anoBase);

} // namespace gdvorn
