#pragma once
// The start-up table check and the re-creation of indexes.
//
// A "table file" is a table of the catalogue in its database file: it is missing when the file or the
// table in it is missing. An "index file" such as "TB8MSG.PX" names the table before the point; it is
// missing when that index is missing from the table's file.

#include <QString>

namespace gdvorn {

enum IndexOption { ixPrimary = 1, ixUnique = 2, ixCaseInsensitive = 4 };
using TIndexOptions = int;

struct IndiceInstalado {
    QString TabelaIndice; // "BD8EMP.PX"
    QString NomeIndice;   // "Main"
    QString Campos;       // fields separated by ";"
    TIndexOptions Opcoes;
};

// The catalogue's indexes of the installed tables, in the order in which the start-up check looks at them.
const QList<IndiceInstalado> &IndicesInstalados();

// True when every installed table exists in `dataFolder`; then re-creates every missing index.
// Throws EngineError when an index cannot be built over the rows of its table (duplicate keys): the
// message names the table, and the program must not start.
bool VerificaTabelas(const QString &dataFolder);

// Re-creates one index on the table of `dataFolder`, opening the table's file exclusively. The index is
// the catalogue's index of that name (its fields and options, whatever Campos and Opcoes say; an index the
// catalogue does not have is an EngineError). Shows a warning and returns false when the name has no
// point or another user holds the table.
bool RecriaIndice(const QString &dataFolder, const QString &TabelaIndice, const QString &NomeIndice,
                  const QString &Campos, TIndexOptions Opcoes);

// The same through the open connection `NomeBanco` (an EngineError when none is open by that name), in a
// transaction of its own or as a savepoint of the one already open.
bool RecriaIndiceExclusivo(const QString &NomeBanco, const QString &TabelaIndice, const QString &NomeIndice,
                           TIndexOptions Opcoes, const QString &Campos);

} // namespace gdvorn
