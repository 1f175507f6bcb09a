#include "base/basetitle.h"

#include "base/version.h"

namespace tonaq {

QString VersionText() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

QString BaseTitle() {
    return QString::fromLatin1(kAppTitle) + QStringLiteral(" v") + VersionText();
}

QString AppTitle() {
    return QString::fromLatin1(kAppTitle);
}

QString fileNameOf(const QString &path) {
    // Paths here use "/", but a name typed on Windows or read from a file may carry "\".
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

QString captionFor(const QString &currentFile, bool changed) {
    return BaseTitle() + QStringLiteral(" [") + fileNameOf(currentFile) +
           (changed ? QStringLiteral("*]") : QStringLiteral("]"));
}

} // namespace tonaq
