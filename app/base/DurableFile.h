#pragma once
// A file that takes its name only when it is whole and on the medium, the one way this program puts a
// file it writes (an archive volume, a declaration volume, a journal) in place.
//
// DurableFile writes under its name + ".parcial" in the same folder. commit() writes out what it holds,
// syncs the data to the medium, renames the file over any file of the final name (which stays whole until
// that instant) and then syncs the folder, so that the new name survives a power cut. A process ended at
// any instant leaves under the final name the old file or the new one, never a cut or empty one; it may
// leave the ".parcial" file, which the next writer of the same name truncates (or removes, with
// removePartial). A file that is not committed (a failure, a stop, close(), the object destroyed) is
// removed, so a failed run leaves nothing of its own.
//
// The first failed write fails every later write and the commit; noSpace() tells a full medium (or the
// file-size limit) from other failures, so that the caller can say so.

#include <QIODevice>
#include <QString>

#include <functional>

#include <sys/types.h>

namespace gdvorn {

inline const QString kSufixoParcial = QStringLiteral(".parcial");

class DurableFile : public QIODevice {
public:
    explicit DurableFile(const QString &fileName, QObject *parent = nullptr);
    ~DurableFile() override;

    QString fileName() const { return m_fileName; }
    QString partialFileName() const { return m_fileName + kSufixoParcial; }

    // Write-only (the partial file is created empty). False, with errorString(), when it cannot be created.
    bool open(OpenMode mode) override;
    // Writes out what it holds and syncs it to the medium (the first step of commit, for a caller that has
    // work to do between the new data being safe and the name changing). False as commit.
    bool sync();
    // Puts the file in place as above. False when any step failed: the partial file is removed and the file
    // of the final name, if any, is the one that was there before (unless the rename itself was done and
    // only the folder's sync failed).
    bool commit();
    // Gives the file up: closed and removed.
    void close() override;

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_written + m_buffer.size(); }
    bool noSpace() const;

    // The committed file, as the file system knows it: removeCommitted() deletes it only while its name
    // still stands for that file (a medium changed since holds another file under the same name).
    bool removeCommitted() const;

    // Removes a ".parcial" file left by a writer of `fileName` that was ended by force.
    static void removePartial(const QString &fileName);

    // The steps of commit, in order. A test may watch them (to end the process at one, as a crash would);
    // the program never sets it.
    enum class Step { DataSynced, Renamed, FolderSynced };
    static void setStepObserver(std::function<void(Step, const QString &fileName)> observer);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override;

private:
    bool writeAll(const char *data, qint64 len);
    bool writeOut();
    void fail(int error);
    void discard();

    QString m_fileName;
    int m_fd = -1;
    int m_errno = 0;
    qint64 m_written = 0;
    QByteArray m_buffer;
    bool m_synced = false;
    bool m_committed = false;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

// Syncs the entries of `folder` (files created, renamed or removed there) to the medium.
bool syncFolder(const QString &folder);

} // namespace gdvorn
