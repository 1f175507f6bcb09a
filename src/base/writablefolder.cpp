#include "base/writablefolder.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace tonaq {

bool folderTakesFiles(const QString &folder) {
#ifdef Q_OS_WIN
    QTemporaryFile probe(folder + QStringLiteral("/Tonaq-XXXXXX.tmp"));
    return probe.open();
#else
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
#endif
}

} // namespace tonaq
