#include "config/configdisk.h"

#include "base/tonaqerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tonaq {

namespace {

// Whether the system refuses this user the writing of path: the file's own mode or attributes,
// or for a new file those of its folder. Qt folds such refusals into its generic open and write
// errors, so the file system is asked again.
bool writeRefused(const QString &path) {
    const QFileInfo info(path);
    const QString target = info.exists() ? path : info.absolutePath();
#ifdef Q_OS_UNIX
    if (::faccessat(AT_FDCWD, QFile::encodeName(target).constData(), W_OK, AT_EACCESS) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
#else
    return !QFileInfo(target).isWritable();
#endif
}

[[noreturn]] void fail(const QFileDevice &file, const QString &path) {
    if (!QFileInfo(path).dir().exists()) throw TonaqError(ErrorCode::PathNotFound);
    if (writeRefused(path)) throw TonaqError(ErrorCode::PermissionDenied);
    if (file.error() == QFileDevice::WriteError || file.error() == QFileDevice::ResourceError)
        throw TonaqError(ErrorCode::DiskFull);
    throw TonaqError(ErrorCode::PathFileAccessError);
}

} // namespace

bool fileExists(const QString &path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isFile();
}

std::unique_ptr<QFile> openConfigurationFile(const QString &path) {
    if (!fileExists(path)) return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) return nullptr;
    return file;
}

void createConfigurationFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) fail(file, path);
}

void replaceConfigurationFile(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    // The rename would replace a file its owner made read-only; Save must not.
    if (writeRefused(path)) fail(file, path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) fail(file, path);
    // commit() renames even when its own final flush came up short, so flush first: an
    // uncommitted QSaveFile discards its temporary file and leaves the old one alone.
    if (file.write(bytes) != bytes.size() || !file.flush()) fail(file, path);
    if (!file.commit()) fail(file, path);
}

} // namespace tonaq
