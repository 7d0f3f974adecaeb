#include "app/base/DurableFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gdvorn {

namespace {

// Small writes (an archive writes 4-byte counts) are gathered into writes of this size.
constexpr qsizetype kBuffer = 64 * 1024;

std::function<void(DurableFile::Step, const QString &)> &observer()
{
    static std::function<void(DurableFile::Step, const QString &)> o;
    return o;
}

void step(DurableFile::Step s, const QString &fileName)
{
    if (observer())
        observer()(s, fileName);
}

QByteArray native(const QString &path) { return QFile::encodeName(path); }

} // namespace

bool syncFolder(const QString &folder)
{
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A file system that cannot sync a folder (EINVAL) writes its entries as it goes.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

DurableFile::DurableFile(const QString &fileName, QObject *parent) : QIODevice(parent), m_fileName(fileName) {}

DurableFile::~DurableFile()
{
    if (isOpen())
        discard();
}

void DurableFile::setStepObserver(std::function<void(Step, const QString &)> o) { observer() = std::move(o); }

bool DurableFile::noSpace() const { return m_errno == ENOSPC || m_errno == EDQUOT || m_errno == EFBIG; }

void DurableFile::fail(int error)
{
    if (m_errno == 0) {
        m_errno = error;
        setErrorString(QString::fromLocal8Bit(std::strerror(error)));
    }
}

bool DurableFile::open(OpenMode mode)
{
    if (isOpen() || !(mode & WriteOnly) || (mode & ReadOnly)) {
        setErrorString(QStringLiteral("DurableFile opens a new file for writing only"));
        return false;
    }
    m_errno = 0;
    m_written = 0;
    m_buffer.clear();
    m_committed = false;
    m_synced = false;
    m_fd = ::open(native(partialFileName()).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        fail(errno);
        return false;
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

bool DurableFile::writeAll(const char *p, qint64 left)
{
    while (left > 0 && m_errno == 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n < 0) {
            if (errno != EINTR)
                fail(errno);
            continue;
        }
        p += n;
        left -= n;
        m_written += n;
    }
    return m_errno == 0;
}

bool DurableFile::writeOut()
{
    const bool ok = writeAll(m_buffer.constData(), m_buffer.size());
    m_buffer.clear();
    return ok;
}

qint64 DurableFile::writeData(const char *data, qint64 len)
{
    if (m_errno != 0 || m_fd < 0)
        return -1;
    if (m_buffer.size() + len > kBuffer && !writeOut())
        return -1;
    // A large write (a whole volume) goes out as it is, without a copy.
    if (len >= kBuffer)
        return writeAll(data, len) ? len : -1;
    m_buffer.append(data, len);
    return len;
}

bool DurableFile::sync()
{
    if (m_synced)
        return true;
    if (!isOpen() || m_fd < 0)
        return false;
    struct stat st {};
    if (writeOut() && ::fsync(m_fd) != 0)
        fail(errno);
    if (m_errno == 0 && ::fstat(m_fd, &st) != 0)
        fail(errno);
    if (::close(m_fd) != 0)
        fail(errno);
    m_fd = -1;
    if (m_errno != 0) {
        discard();
        return false;
    }
    m_device = st.st_dev;
    m_inode = st.st_ino;
    m_synced = true;
    step(Step::DataSynced, m_fileName);
    return true;
}

bool DurableFile::commit()
{
    if (!sync())
        return false;
    if (std::rename(native(partialFileName()).constData(), native(m_fileName).constData()) != 0) {
        fail(errno);
        discard();
        return false;
    }
    step(Step::Renamed, m_fileName);
    if (!syncFolder(QFileInfo(m_fileName).absolutePath())) {
        // The new name may not survive a power cut: the file does not count as written.
        fail(errno);
        ::unlink(native(m_fileName).constData());
        discard();
        return false;
    }
    step(Step::FolderSynced, m_fileName);
    m_committed = true;
    m_synced = false;
    QIODevice::close();
    return true;
}

void DurableFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_buffer.clear();
    m_synced = false;
    ::unlink(native(partialFileName()).constData());
    QIODevice::close();
}

void DurableFile::close()
{
    if (isOpen())
        discard();
}

bool DurableFile::removeCommitted() const
{
    struct stat st {};
    if (!m_committed || ::stat(native(m_fileName).constData(), &st) != 0 || st.st_dev != m_device ||
        st.st_ino != m_inode)
        return false;
    if (::unlink(native(m_fileName).constData()) != 0)
        return false;
    syncFolder(QFileInfo(m_fileName).absolutePath());
    return true;
}

void DurableFile::removePartial(const QString &fileName) { ::unlink(native(fileName + kSufixoParcial).constData()); }

} // namespace gdvorn
