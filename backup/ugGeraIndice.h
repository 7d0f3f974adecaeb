#pragma once
// The rebuild of every index of the code tables and of the two declaration tables, in a fixed order of
// 24 steps. Each step closes the data module's dataset on its table, re-creates the index with
// RecriaIndiceExclusivo and, on success, reopens the dataset (the two declaration datasets stay closed)
// and moves the progress bar (range 0 to 17; steps 19 to 23 leave it, the last step passes its end).
// The first step that fails ends the run: its dataset is reopened, the steps before it keep their new
// indexes and no later step runs. An engine error while building an index (rows with the same key)
// is a failure of its step. The program-wide queries on the permanent tables are closed first: the
// engine drops no index while a statement stands on a row.

#include "app/ugIndices.h"

#include <QList>
#include <QString>

#include <functional>

namespace gdvorn {

class Progresso;
class TdmGDVorn;
class TdmEntradaDados;

struct PassoIndice {
    QString TabelaIndice;
    QString NomeIndice;
    TIndexOptions Opcoes = ixPrimary;
    QString Campos;
    int Posicao = -1;           // progress after success; -1 leaves it
    std::function<void()> Fecha; // before the rebuild
    std::function<void()> Reabre;  // after success
    std::function<void()> Restaura; // after a failure
};

// The 24 steps over the datasets of `dm` and `de` (de may be null: its datasets are then left alone).
QList<PassoIndice> PassosIndice(TdmGDVorn &dm, TdmEntradaDados *de);

using RecriaIndiceFn = std::function<bool(const QString &NomeBanco, const QString &TabelaIndice,
                                          const QString &NomeIndice, TIndexOptions Opcoes, const QString &Campos)>;

// Runs the steps. Returns 0 when all succeeded, else the number (1..24) of the step that failed; then
// `falha`, when given, receives the text for the user: which index could not be rebuilt, what the engine
// found wrong (a table in use, a damaged file named, rows with the same key, a full disk, a file that
// cannot be written) and what to do about it.
int GeraIndices(TdmGDVorn &dm, TdmEntradaDados *de, Progresso &progresso,
                const RecriaIndiceFn &recria = RecriaIndiceExclusivo, QString *falha = nullptr);

} // namespace gdvorn
