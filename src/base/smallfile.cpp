#include "base/smallfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tonaq {

namespace {

std::optional<QByteArray> refuse(QString *why, const QString &reason) {
    if (why) *why = reason;
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> readSmallFile(const QString &path, qint64 limit, QString *why) {
    // Asked first without opening: opening a device may itself do something (a serial port
    // raises its control lines).
    const QFileInfo info(path);
    if (!info.exists()) return refuse(why, QStringLiteral("no such file"));
    if (!info.isFile()) return refuse(why, QStringLiteral("not a regular file"));
    QFile file;
#ifdef Q_OS_UNIX
    // What is opened is checked again: the name may have been given to a FIFO meanwhile, and a
    // FIFO opened without O_NONBLOCK waits for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return refuse(why, qt_error_string(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refuse(why, QStringLiteral("not a regular file"));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(why, file.errorString());
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(why, file.errorString());
#endif
    // Read one byte past the limit: a file that grew since it was asked about is still caught.
    const QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) return refuse(why, QStringLiteral("larger than %1 bytes").arg(limit));
    return bytes;
}

} // namespace tonaq
