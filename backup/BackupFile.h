#pragma once
// TBackupFile: packs the files named by a list of masks into one compressed archive, spread over volume
// files when a volume size is set, and unpacks such an archive into a folder.
//
// Archive: little-endian 32-bit integers; the title (length, bytes), the total size of the files, the file
// count, one entry per file (name length, name, DOS date-time, marker "EC2\0", blocks, end mark 0) and an
// end item 0. A block is a count n and |n| bytes: n > 0 a zlib stream of a 16,384-byte chunk of the file,
// n < 0 the chunk stored as it is (it would not shrink). |n| never exceeds 16,384. Older archives mark
// entries "ECS\0" and hold LZRW1-KH blocks (read, never written).
//
// Volumes: with MaxSize set, no volume grows past it. When the next block might not fit, the file's blocks
// end with the end mark and the volume entry "NEXT:DISK" + 3 digits follows; the next volume (x.002,
// x.003 ... for an archive x.bkp) continues the file with the marker and its remaining blocks. Room is
// kept for the next entry's head, so a volume never ends in the middle of one.
//
// Each volume file is written under its name + ".parcial" and takes its name only when it is whole and on
// the medium (app/base/DurableFile.h): an archive made before under the same name stays whole until then.
// Before the first volume takes its name, the later volumes of that earlier archive (x.002 ...) are
// removed, so that no volume of it is read as part of the new one. A run that does not complete (an
// error, a stop) removes every volume it put in place and its ".parcial" file; the next run to the same
// name removes those a run ended by force left. A full medium is reported as such (the report's text says
// so, with the code "Cannot write to archive").
//
// Restore writes only the file part of each stored name, inside the target folder; a name with a ".."
// part, or one that would leave the folder, makes the archive invalid. A file is written beside its
// target and put in place only when all of it was read, so a failure leaves the earlier file as it was.
//
// Errors of a run are reported once at its end, through OnError or an error box, and make Backup and
// Restore return false. A head that cannot be read, a bad marker, an oversized block or an unsafe name
// end Restore with ArquivoBackupInvalido instead. A stop (Stop, a handler's Continue, a cancelled disk
// request) is not an error: the run returns false without a report.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

class QFile;
class QIODevice;

namespace gdvorn {

enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

// Error codes of a run.
enum ErroBackup {
    beNenhum = 0,
    beLeitura = 1,          // "Cannot read file"
    beSobrescrita = 2,      // "Overwriting file failed"
    beLeituraArquivo = 3,   // "Cannot read archive"
    beGravacaoArquivo = 4,  // "Cannot write to archive"
    beTipoInvalido = 5,     // "Invalid archive type"
    beCompressao = 6,       // "Compression error"
    beArquivoTemporario = 7 // "Cannot create temporary file to save the file IDs"
};
QString TextoErroBackup(int codigo);

// A restore that cannot go on: the archive's head cannot be read ("Cannot read archive") or the archive
// is not one of ours or is damaged ("Invalid archive type").
class ArquivoBackupInvalido : public std::runtime_error {
public:
    explicit ArquivoBackupInvalido(const QString &texto) : std::runtime_error(texto.toStdString()), m_texto(texto) {}
    QString texto() const { return m_texto; }

private:
    QString m_texto;
};

// The packed date-time of the file system (2-second resolution), local time.
quint32 DataDos(const QDateTime &momento);
QDateTime DeDataDos(quint32 data);

inline constexpr int kTamanhoBloco = 16384;
inline const QString kNomeStream = QStringLiteral(":STREAM");

class TBackupFile {
public:
    TBackupFile();
    ~TBackupFile();
    TBackupFile(const TBackupFile &) = delete;
    TBackupFile &operator=(const TBackupFile &) = delete;

    QString Version() const { return QStringLiteral("3.00"); }
    QString BackupTitle;
    TCompressionLevel CompressionLevel = clFastest;
    TRestoreMode RestoreMode = rmAll;
    qint64 MaxSize = 0; // largest volume in bytes; 0: no limit
    bool RestoreFullPath = false;
    bool SaveFileID = false;

    // Progress after every block: the file in work, the percentage (0..100); Continue false stops.
    std::function<void(const QString &Filename, bool &Continue, int Percent)> OnProgress;
    // Asks for volume DiskID (2, 3 ...); Continue false stops. Without it, an information box asks.
    std::function<void(int DiskID, bool &Continue)> OnNeedDisk;
    // Per file of a restore: may change the target and the decision; FA is the stored DOS date-time.
    std::function<void(QString &Filename, bool &DoRestore, quint32 FA)> OnRestoreFile;
    // The error of a run. Without it, an error box shows the code's text.
    std::function<void(int Error, const QString &ErrString)> OnError;

    // Used instead of a file when the archive name is ":STREAM" (not owned); no volumes there.
    QIODevice *BackupStream = nullptr;
    QIODevice *RestoreStream = nullptr;

    // True when the archive was written completely.
    bool Backup(const QStringList &mascaras, const QString &arquivo);
    // True when no error occurred and the run was not stopped; false at once for a missing archive.
    bool Restore(const QString &arquivo, const QString &pastaDestino);
    // The title of the archive and, when `listaArquivos` is given and the archive holds one, the lines
    // of its file-ID list. A missing archive gives nothing and no report.
    void ReadArchiveInfo(const QString &arquivo, QStringList *listaArquivos, QString &titulo);

    bool IsBusy() const { return m_busy; }
    void Stop() { m_continua = false; }
    int ErrorCode() const { return m_erro; }
    qint64 TotalSize() const { return m_total; }
    int FileCount() const { return m_quantidade; }

    // The name of volume `numero` (2, 3 ...) of `arquivo`: its extension replaced by the 3-digit number.
    static QString NomeVolume(const QString &arquivo, int numero);

private:
    struct Leitor;
    struct Escritor;

    QStringList coletaArquivos(const QStringList &mascaras, const QString &arquivo) const;
    bool escreveBlocos(Escritor &w, QFile &origem, const QString &nome, qint64 reserva, int &volume,
                       const QString &arquivo);
    void leBlocos(Leitor &r, QIODevice *destino, const QString &nome);
    bool pedeVolume(int numero);
    // Removes what a run ended by force left half written of the volumes of `arquivo`.
    static void removeParciais(const QString &arquivo);
    void falha(int codigo);
    void relata();
    void progresso(const QString &nome);
    QString alvo(const QString &nomeGuardado, const QString &pasta) const;

    bool m_busy = false;
    bool m_continua = true;
    int m_erro = 0;
    QString m_textoErro; // what the report says instead of the code's text (a full medium)
    qint64 m_total = 0;
    int m_quantidade = 0;
    qint64 m_processado = 0;
    int m_nivel = 1;
};

} // namespace gdvorn
