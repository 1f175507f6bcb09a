#include "link/portmap.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tonaq {

PortMap::PortMap(QString linksFolder, QString deviceFolder)
    : m_linksFolder(std::move(linksFolder))
    , m_deviceFolder(std::move(deviceFolder)) {
    refresh();
}

PortMap PortMap::forCurrentUser() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return PortMap(config + QStringLiteral("/Tonaq/ports"), QStringLiteral("/dev"));
}

void PortMap::refresh() {
    m_ports = m_reserved;
#ifdef Q_OS_WIN
    for (int n = kFirstPort; n <= kLastPort; ++n)
        m_ports.insert(n, QStringLiteral("COM%1").arg(n));
#else
    addLinks();
    for (const char *family : {"ttyS", "ttyUSB", "ttyACM"})
        addFamily(QString::fromLatin1(family));
#endif
}

int PortMap::reserve(const QString &devicePath) {
    const int number = lowestFreeNumber();
    if (number == 0) return 0;
    m_reserved.insert(number, devicePath);
    m_ports.insert(number, devicePath);
    return number;
}

QString PortMap::devicePath(int number) const {
    return m_ports.value(number);
}

QString PortMap::currentDevicePath(int number) const {
    PortMap now(*this);
    now.refresh();
    return now.devicePath(number);
}

void PortMap::addLinks() {
    static const QRegularExpression name(QStringLiteral("^com([1-9][0-9]{0,2})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QFileInfoList entries =
        QDir(m_linksFolder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const auto match = name.match(entry.fileName());
        const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
        // A link reserves its number only while it points at something that exists.
        if (number < kFirstPort || number > kLastPort || !entry.isSymLink() || !entry.exists())
            continue;
        if (!m_ports.contains(number)) m_ports.insert(number, entry.symLinkTarget());
    }
}

void PortMap::addFamily(const QString &prefix) {
    const QList<QString> taken = m_ports.values();
    for (int k = 0;; ++k) {
        const QString path = QStringLiteral("%1/%2%3").arg(m_deviceFolder, prefix).arg(k);
        if (!QFileInfo::exists(path)) return;
        if (taken.contains(path)) continue; // already known under the number its link gives it
        const int number = lowestFreeNumber();
        if (number == 0) return;
        m_ports.insert(number, path);
    }
}

int PortMap::lowestFreeNumber() const {
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (!m_ports.contains(n)) return n;
    }
    return 0;
}

} // namespace tonaq
