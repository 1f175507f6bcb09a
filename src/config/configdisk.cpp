#include "config/configdisk.h"

#include "app/tonaqerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tonaq {

namespace {

constexpr qint64 kReadLimit = 1 << 20;

[[noreturn]] void fail(const QFileDevice &file, const QString &path) {
    switch (file.error()) {
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        throw TonaqError(ErrorCode::DiskFull);
    default:
        break;
    }
    const QFileInfo info(path);
    if (!info.dir().exists()) throw TonaqError(ErrorCode::PathNotFound);
    throw TonaqError(ErrorCode::PathFileAccessError);
}

} // namespace

bool FileExists(const QString &path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isFile();
}

QByteArray readConfigurationBytes(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists()) throw TonaqError(ErrorCode::FileNotFound);
        fail(file, path);
    }
    const QByteArray bytes = file.read(kReadLimit);
    if (file.error() != QFileDevice::NoError) throw TonaqError(ErrorCode::PathFileAccessError);
    return bytes;
}

void createConfigurationFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) fail(file, path);
}

void replaceConfigurationFile(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) fail(file, path);
    // commit() renames even when its own final flush came up short, so flush first: an
    // uncommitted QSaveFile discards its temporary file and leaves the old one alone.
    if (file.write(bytes) != bytes.size() || !file.flush()) fail(file, path);
    if (!file.commit()) fail(file, path);
}

} // namespace tonaq
