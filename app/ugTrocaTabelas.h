#pragma once
// Replacing a set of table files as a whole, so that a process ended at any instant (a kill, a power cut)
// leaves either every old file or every new one in the data folder, never a mixed or partial set.
//
// The replacement first writes a journal ("troca.diario") in the data folder and flushes it; then each
// old file is moved aside under its name + ".anterior" and the new file is moved into its place (renames
// on one file system). Deleting the journal is the moment the new set counts as complete; only after
// that are the old files deleted. The start-up calls ConcluiTrocaTabelas before it checks the tables:
// with a journal still there, every file kept aside goes back over whatever stands in its place (the old
// set returns); without one, old files still kept aside are left-overs of a complete replacement and are
// deleted. Both are idempotent, so a start ended halfway through them is mended by the next.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace gdvorn {

// The file operations of a replacement. The program uses them as they are; a test overrides them to fail
// a step or to end the process before or after one.
class ArquivosTroca {
public:
    virtual ~ArquivosTroca() = default;
    // Atomic on one file system; an existing `para` is replaced.
    virtual bool renomeia(const QString &de, const QString &para);
    virtual bool remove(const QString &arquivo);
    // Writes the whole file under a temporary name, flushes it to the disk and then gives it its name.
    virtual bool gravaDiario(const QString &arquivo, const QByteArray &conteudo);
};

class TrocaTabelas {
public:
    // `arquivos`: the file names (no folder) of the set inside `pastaDados`.
    TrocaTabelas(const QString &pastaDados, const QStringList &arquivos, ArquivosTroca &operacoes);

    // Puts the files of the same names in `pastaNovos` (on the data folder's file system) in place of the
    // old ones, which are kept aside. False when a step failed: the old files are back in place, the
    // journal is gone and motivo() says what failed.
    bool coloca(const QString &pastaNovos);
    // After coloca: the new set stays (the journal is deleted), then the old files are deleted. False when
    // the journal cannot be deleted: the caller must desfaz, or the next start would.
    bool confirma();
    // After coloca: the old files go back in place (the new ones are lost) and the journal is deleted.
    // False when a file could not be put back: the journal stays, and the next start finishes the job.
    bool desfaz();

    QString motivo() const { return m_motivo; }

private:
    QString caminho(const QString &arquivo) const;

    QString m_pasta;
    QStringList m_arquivos;
    ArquivosTroca &m_operacoes;
    QString m_motivo;
};

// The start-up's mending of a replacement ended halfway (above). Returns false when a file could not be
// moved or deleted (the journal then stays for the next start).
bool ConcluiTrocaTabelas(const QString &pastaDados);
bool ConcluiTrocaTabelas(const QString &pastaDados, ArquivosTroca &operacoes);

// The journal's name and the suffix of an old file kept aside.
inline constexpr char kDiarioTroca[] = "troca.diario";
inline constexpr char kSufixoAnterior[] = ".anterior";

} // namespace gdvorn
