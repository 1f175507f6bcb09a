#include "link/portrefusal.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace tonaq {

Phrase refusalLine(const RefusedPort &port) {
    switch (port.reason) {
    case Refusal::PermissionDenied:
        return phrase("PortRefusal",
                      QT_TRANSLATE_NOOP("PortRefusal", "%1: permission denied - add your user to "
                                                       "the dialout group and log in again"),
                      port.device);
    case Refusal::InUse:
        return phrase("PortRefusal",
                      QT_TRANSLATE_NOOP("PortRefusal",
                                        "%1: in use by another program - close it and choose "
                                        "Rescan"),
                      port.device);
    case Refusal::NotAPort:
        return phrase("PortRefusal",
                      QT_TRANSLATE_NOOP("PortRefusal",
                                        "%1: not a link to a serial device, nor a file naming a "
                                        "network unit - skipped"),
                      port.device);
    case Refusal::None:
        break;
    }
    return {};
}

QString refusalsToolTip(const QList<RefusedPort> &refused) {
    QStringList lines;
    for (const RefusedPort &port : refused) {
        const QString line = refusalLine(port).local;
        if (!line.isEmpty()) lines.append(line);
    }
    if (lines.isEmpty())
        return QCoreApplication::translate("PortRefusal",
                                           "Displays status of the current operation");
    return lines.join(QLatin1Char('\n'));
}

Refusal classifyPermissionError(const QString &device) {
#ifdef Q_OS_UNIX
    // The mode bits decide for this user; if they let us in, something else holds the device.
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES)
        return Refusal::PermissionDenied;
#else
    Q_UNUSED(device);
#endif
    return Refusal::InUse;
}

} // namespace tonaq
