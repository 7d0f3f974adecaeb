#pragma once
// The start-up table check and the re-creation of indexes.
//
// A "table file" is a table of the catalogue in its database file: it is missing when the file or the
// table in it is missing. An "index file" such as "TB8MSG.PX" names the table before the point; it is
// missing when that index is missing from the table's file.

#include <QString>
#include <QStringList>

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

// The start-up check of `dataFolder`, in this order:
// 1. the folder and its table files must take writes (trabalho.db is created at the opening; the code
//    tables are only read): an EngineError ErrOsAccessDenied names the folder or the file;
// 2. every table file that a killed run left with a journal is recovered: the engine rolls the journal
//    back, so the file holds what it held before the run (trabalho.db left empty beside its journal, by a
//    run ended before the file's first page reached the disk, is such a file: it stays empty, not damaged);
// 3. true when every installed table exists (false at the first missing one, before anything else);
// 4. the three declaration files get the engine's quick check: a file whose tables still read whole is
//    built again from them (every row kept, its indexes rebuilt); one whose tables cannot be read is a
//    DamagedFile whose message names the file and advises restoring a backup copy;
// 5. every missing index is re-created. Throws EngineError when an index cannot be built over the rows
//    of its table (duplicate keys): the message names the table, and the program must not start.
// A file that cannot be opened or read is an EngineError that names it.
bool VerificaTabelas(const QString &dataFolder);

// The declaration files that the start-up checks for damage ("bd8emp", "bd8vinc", "bd8resp").
QStringList ArquivosVerificados();

// The data folder, or else the first of its table files (not the code tables), that cannot be written;
// "" when all can.
QString LocalSemGravacao(const QString &dataFolder);

// The first file of the open connection that the engine's quick check finds damaged; "" when none.
QString ArquivoDanificado(const QString &connection = QStringLiteral("GDVORN"));

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
