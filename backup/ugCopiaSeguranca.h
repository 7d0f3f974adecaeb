#pragma once
// The backup and restore of the declaration tables (bd8emp.db, bd8vinc.db, bd8resp.db), without widgets.
//
// Backup: a consistent copy of the three tables is taken through the open connection (no write can be
// in progress), into a temporary folder, and archived from there under the same file names.
//
// Restore: the archive is unpacked into the work folder (the data folder + "Work"); the three table
// files must be there and open as this program's tables (integrity check, the catalogue's table with
// its fields; the older archives' tables get the ten description columns unless the archive is the
// "noupdate" one). Only then does the connection let go of the three files (the program-wide queries on
// them are closed; table cursors stay open and read the new rows), which are replaced
// together through a journal (app/ugTrocaTabelas.h): the old files are kept until all three new ones are
// in place and put back on any failure, and a process ended at any instant leaves the next start the
// three old tables or the three restored ones.

#include "backup/BackupFile.h"

#include "app/base/Database.h"
#include "app/ugTrocaTabelas.h"

#include <QString>
#include <QStringList>

namespace gdvorn {

// "Vorn" + base year: the title of our archives.
QString TituloCopia(int anoBase);
// The data folder + "Vorn" + base year + "_backup.bkp".
QString NomeCopiaPadrao(const QString &pastaDados, int anoBase);
// "Vorn" + base year + "_noupdate.bkp": the archive restored without the column upgrade.
QString NomeCopiaSemAtualizacao(int anoBase);

// The three table files, in the order they are archived.
QStringList TabelasCopia();

// The volume size for `livre` free bytes: free − 20,000 up to 2,000,000,000 free bytes, 2,000,000,000
// above. A result below kMenorVolume leaves no room for one block: the backup cannot go on.
qint64 LimiteVolume(qint64 livre);
inline constexpr qint64 kMenorVolume = kTamanhoBloco + 1024;

// The free space of the medium that holds a folder, and whether it answers at all. The program asks the
// file system; tests give their own figures.
class EspacoDisco {
public:
    virtual ~EspacoDisco() = default;
    virtual qint64 livre(const QString &pasta) const; // -1 when the medium cannot be read
    bool pronta(const QString &pasta) const { return livre(pasta) >= 0; }
};

// Archives a copy of the three tables of `connection` into `arquivo` with `bk` (its title, volume size
// and handlers as the caller set them). Returns what Backup returns. An engine failure while copying the
// tables throws EngineError (DiskFull for a full temporary folder); an open transaction on the connection
// throws DatabaseError (a copy taken then would not be consistent). The copies are taken into a folder
// of the system's temporary folder that goes with the run, whichever way it ends; one left by a process
// ended by force is removed by the next backup.
bool GravaCopia(TBackupFile &bk, const QString &arquivo, const QString &connection = kAlias);

// A query that stands on a row holds its tables' file, so that the file can be neither let go nor
// re-indexed: closes the program-wide queries on the permanent tables (dmEntradaDados');
// their users open them again when they need them.
void FechaConsultasPermanentes();

// The file moves of the replacement go through ArquivosTroca, which tests override.
class RestauracaoSegura : public ArquivosTroca {
public:
    enum Resultado {
        Restaurada,      // the three tables were replaced and the connection sees them
        NaoRestaurada,   // the archive could not be read or the run was stopped (already reported)
        TabelasEstranhas,// the archive holds no tables of this program: nothing changed
        TrocaFalhou,     // the files could not be replaced: the old tables are back in place
    };

    explicit RestauracaoSegura(const QString &connection = kAlias) : m_connection(connection) {}
    virtual ~RestauracaoSegura() = default;

    // Unpacks `arquivo` with `bk` and replaces the three tables of the connection's data folder.
    // ArquivoBackupInvalido from the archive reaches the caller; the work folder is removed on every path.
    Resultado Restaura(TBackupFile &bk, const QString &arquivo, int anoBase);

    // The reason of the last TabelasEstranhas or TrocaFalhou, for the user.
    QString motivo() const { return m_motivo; }
    QString pastaTrabalho() const;

private:
    bool confereTabela(const QString &arquivo, const QString &tabela, bool atualiza);
    bool troca();
    void limpaTrabalho();

    QString m_connection;
    QString m_motivo;
};

} // namespace gdvorn
