#include "base/basetitle.h"

#include "base/version.h"

namespace tonaq {

QString versionText() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

QString baseTitle() {
    return QString::fromLatin1(kAppTitle) + QStringLiteral(" v") + versionText();
}

QString appTitle() {
    return QString::fromLatin1(kAppTitle);
}

QString fileNameOf(const QString &path) {
    // Paths here use "/", but a name typed on Windows or read from a file may carry "\".
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

QString captionFor(const QString &currentFile, bool changed) {
    return baseTitle() + QStringLiteral(" [") + fileNameOf(currentFile) +
           (changed ? QStringLiteral("*]") : QStringLiteral("]"));
}

} // namespace tonaq
