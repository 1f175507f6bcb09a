#include "link/portmap.h"

#include "base/smallfile.h"
#include "base/tonaqerror.h"
#include "link/networktransport.h"
#include "link/serialtransport.h"
#include "link/transport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

#ifdef Q_OS_WIN
#include <QSerialPortInfo>
#else
#include <sys/stat.h>
#endif

namespace tonaq {

namespace {

// The families of serial devices, in the order they take numbers.
constexpr const char *kFamilies[] = {"ttyS", "ttyUSB", "ttyACM"};
// A folder entry that names a network unit holds its URL on its first line; nothing longer.
constexpr qint64 kLongestEntryFile = 4096;
// Entries that link to devices are Linux's way of numbering them; Windows numbers its own.
#ifdef Q_OS_WIN
constexpr bool kLinksToDevices = false;
#else
constexpr bool kLinksToDevices = true;
#endif

QString linkIdentity(int number) {
    return QStringLiteral("link:COM%1").arg(number);
}

// The URL a COM<n> file names, or nothing when it names none.
QString networkUrlIn(const QFileInfo &entry) {
    const QByteArray text = readSmallFile(entry.filePath(), kLongestEntryFile).value_or("");
    const QString url = QString::fromUtf8(text.split('\n').constFirst()).trimmed();
    return url.contains(QLatin1String("://")) ? url : QString();
}

// Whether a link leads to what a serial port may be: a device (a character device, asked of
// the system without opening it) or a plain file; not a FIFO, a socket or a folder.
bool leadsToDevice(const QFileInfo &link) {
    if (link.isFile()) return true;
#ifdef Q_OS_UNIX
    struct stat status {};
    return ::stat(QFile::encodeName(link.filePath()).constData(), &status) == 0 &&
           S_ISCHR(status.st_mode);
#else
    return !link.isDir();
#endif
}

// What the map's folders hold, as far as the map depends on it.
QString stamp(const QFileInfo &file) {
    return file.fileName() + u'>' + file.symLinkTarget() + u' ' +
           (file.exists() ? QString::number(file.metadataChangeTime().toMSecsSinceEpoch())
                          : QStringLiteral("missing"));
}

} // namespace

PortMap::PortMap(Folders folders)
    : m_folders(std::move(folders)) {
    refresh();
}

// On Windows the per-user folder is the local application data folder
// (C:/Users/NAME/AppData/Local/Tonaq/ports), and the system names the serial ports itself.
PortMap PortMap::forCurrentUser() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#ifdef Q_OS_WIN
    return PortMap(
        {config + QStringLiteral("/Tonaq/ports"), QString::fromLatin1(kSystemPorts), {}});
#else
    return PortMap({config + QStringLiteral("/Tonaq/ports"), QStringLiteral("/dev"),
                    QStringLiteral("/dev/serial/by-id")});
#endif
}

void PortMap::refresh() {
    m_present = m_attached;
    m_linkTargetFolders.clear();
    m_refused.clear();
    addLinks();
#ifdef Q_OS_WIN
    addSystemPorts();
#else
    addFamilies();
#endif
}

int PortMap::addNetworkUnit(const QString &url) {
    const int number = lowestUntakenNumber();
    if (number == 0) return 0;
    const PortEntry entry{number, PortKind::Network, url, QStringLiteral("url:") + url, {}};
    m_attached.insert(number, entry);
    m_present.insert(number, entry);
    m_numbers.insert(entry.identity, number);
    return number;
}

int PortMap::lowestUntakenNumber() const {
    for (int number = kFirstPort; number <= kLastPort; ++number) {
        if (!numberTaken(number)) return number;
    }
    return 0;
}

int PortMap::attach(const QString &name, TransportMaker maker, const QString &description,
                    int number) {
    if (number == 0) number = lowestUntakenNumber();
    if (number == 0) return 0;
    const PortEntry entry{number, PortKind::InProcess, name, QStringLiteral("unit:") + name,
                          description};
    m_attached.insert(number, entry);
    m_present.insert(number, entry);
    m_makers.emplace(name, std::move(maker));
    m_numbers.insert(entry.identity, number);
    return number;
}

void PortMap::detach(const QString &name) {
    for (auto it = m_attached.begin(); it != m_attached.end(); ++it) {
        if (it->location != name) continue;
        m_present.remove(it.key());
        m_attached.erase(it);
        break;
    }
    m_makers.remove(name);
}

QList<PortEntry> PortMap::entries() const {
    return m_present.values();
}

std::optional<PortEntry> PortMap::entry(int number) const {
    const auto found = m_present.constFind(number);
    if (found == m_present.constEnd()) return std::nullopt;
    return *found;
}

std::optional<PortEntry> PortMap::currentEntry(int number) const {
    PortMap now(*this);
    now.refresh();
    return now.entry(number);
}

std::unique_ptr<Transport> PortMap::makeTransport(const PortEntry &entry) const {
    switch (entry.kind) {
    case PortKind::Device:
        return std::make_unique<SerialTransport>(entry.location);
    case PortKind::InProcess:
        if (const auto maker = m_makers.constFind(entry.location); maker != m_makers.constEnd())
            return (*maker)();
        break;
    case PortKind::Network: {
        QString why;
        std::optional<NetworkAddress> address = parseNetworkAddress(entry.location, &why);
        if (!address)
            throw TonaqError(ErrorCode::PortUnavailable,
                             QStringLiteral("Could not open %1: %2").arg(entry.location, why));
        // Files an entry of the ports folder names are found beside it; those of a URL given
        // on the command line where the operator's shell stands.
        const QDir folder(entry.identity.startsWith(QLatin1String("link:")) ? m_folders.links
                                                                            : QDir::currentPath());
        for (QString *file : {&address->caFile, &address->certFile, &address->keyFile}) {
            if (!file->isEmpty()) *file = folder.absoluteFilePath(*file);
        }
        if (address->caFile.isEmpty()) address->caFile = m_caFile;
        return makeNetworkTransport(*address);
    }
    }
    throw TonaqError(ErrorCode::PortUnavailable,
                     QStringLiteral("Could not open %1: no such unit").arg(entry.location));
}

QStringList PortMap::fingerprint() const {
    QStringList parts;
    const QDir::Filters all = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
    QStringList families;
    for (const char *family : kFamilies)
        families << QString::fromLatin1(family) + u'*';
    QList<std::pair<QString, QStringList>> folders{{m_folders.links, {}}};
    if (kLinksToDevices)
        folders << std::pair{m_folders.devices, families}
                << std::pair{m_folders.byId, QStringList()};
    for (const auto &[folder, names] : std::as_const(folders)) {
        const QFileInfoList files = QDir(folder).entryInfoList(names, all, QDir::Name);
        for (const QFileInfo &file : files)
            parts << stamp(file);
        parts << QString(); // between the folders
    }
#ifdef Q_OS_WIN
    // The system's own list, asked without opening a port.
    if (m_folders.devices == QLatin1String(kSystemPorts)) {
        const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
        for (const QSerialPortInfo &port : ports)
            parts << port.portName();
    }
#endif
    return parts;
}

QStringList PortMap::watchedFolders() const {
    QStringList folders{m_folders.links};
    if (kLinksToDevices) folders << m_folders.devices << m_folders.byId << m_linkTargetFolders;
    folders.removeDuplicates();
    return folders;
}

// A COM<n> entry takes its number n while it names something: a link to a device that exists,
// or a file with the URL of a network unit. An in-process unit keeps its number before both.
// The name may go on with a label and end in .txt ("COM5 bench.txt"): Windows keeps COM1 to
// COM9, with any extension, as the names of its own devices, so a file there cannot be COM5 or
// COM5.txt.
void PortMap::addLinks() {
    static const QRegularExpression name(
        QStringLiteral("^com([1-9][0-9]{0,2})(?:[ _-][^.]*)?(?:\\.txt)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QFileInfoList entries =
        QDir(m_folders.links)
            .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const auto match = name.match(entry.fileName());
        const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
        if (number < kFirstPort || number > kLastPort || m_present.contains(number)) continue;
        // Nothing else is taken, and nothing is opened that could wait (a FIFO waits for a
        // writer): the rest is said, as a device that refuses to open is.
        const bool link = kLinksToDevices && entry.isSymLink();
        if (link) m_linkTargetFolders.append(QFileInfo(entry.symLinkTarget()).absolutePath());
        if (link && !entry.exists()) continue; // a unit away
        if (link ? !leadsToDevice(entry) : !entry.isFile()) {
            m_refused.append({entry.filePath(), Refusal::NotAPort});
            continue;
        }
        if (link) {
            m_present.insert(
                number,
                {number, PortKind::Device, entry.symLinkTarget(), linkIdentity(number), {}});
        } else if (const QString url = networkUrlIn(entry); !url.isEmpty()) {
            m_present.insert(number, {number, PortKind::Network, url, linkIdentity(number), {}});
        } else {
            continue;
        }
        m_numbers.insert(linkIdentity(number), number);
    }
}

#ifdef Q_OS_WIN
// The serial ports as the system lists them, under the numbers of their own names: COM3 is 3.
// A name the system gives that is no COM number (a driver's own) is left out.
void PortMap::addSystemPorts() {
    if (m_folders.devices != QLatin1String(kSystemPorts)) return; // a map of a test's own
    static const QRegularExpression name(QStringLiteral("^COM([1-9][0-9]{0,2})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports) {
        const auto match = name.match(port.portName());
        const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
        if (number < kFirstPort || number > kLastPort || m_present.contains(number)) continue;
        const QString identity = QStringLiteral("com:COM%1").arg(number);
        m_present.insert(number,
                         {number, PortKind::Device, port.portName(), identity, port.description()});
        m_numbers.insert(identity, number);
    }
}
#else
// Every device of each family, in rising index: one that is missing hides none after it.
void PortMap::addFamilies() {
    QHash<QString, QString> adapterNames; // device node -> its name in the by-id folder
    const QFileInfoList named =
        QDir(m_folders.byId).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &adapter : named)
        adapterNames.insert(adapter.canonicalFilePath(), adapter.fileName());
    QStringList linked;
    for (const PortEntry &entry : std::as_const(m_present))
        linked.append(QFileInfo(entry.location).canonicalFilePath());

    struct Device {
        QString path;
        QString identity;
    };
    QList<Device> devices;
    static const QRegularExpression index(QStringLiteral("^[a-zA-Z]+([0-9]+)$"));
    for (const char *family : kFamilies) {
        const QString prefix = QString::fromLatin1(family);
        QList<std::pair<int, QString>> found;
        const QStringList nodes =
            QDir(m_folders.devices).entryList({prefix + u'*'}, QDir::AllEntries | QDir::System);
        for (const QString &node : nodes) {
            const auto match = index.match(node);
            if (match.hasMatch() && node.size() == prefix.size() + match.capturedLength(1))
                found.append({match.captured(1).toInt(), node});
        }
        std::sort(found.begin(), found.end());
        for (const auto &[k, node] : std::as_const(found)) {
            const QString path = m_folders.devices + u'/' + node;
            const QString canonical = QFileInfo(path).canonicalFilePath();
            const QString byPath = QStringLiteral("path:") + path;
            if (linked.contains(canonical)) { // known under the number its link gives it
                m_numbers.remove(byPath);
                continue;
            }
            const QString adapter = adapterNames.value(canonical);
            const QString identity =
                adapter.isEmpty() ? byPath : QStringLiteral("by-id:") + adapter;
            // An adapter's name that comes after its device node names the same unit.
            if (identity != byPath && !m_numbers.contains(identity) && m_numbers.contains(byPath))
                m_numbers.insert(identity, m_numbers.take(byPath));
            devices.append({path, identity});
        }
    }
    for (const Device &device : std::as_const(devices)) {
        const int number = numberFor(device.identity);
        if (number != 0)
            m_present.insert(number, {number, PortKind::Device, device.path, device.identity, {}});
    }
}
#endif

// The number the identity had before, unless something present now holds it; else the lowest
// number that no unit seen while the map lives has had.
int PortMap::numberFor(const QString &identity) {
    const auto known = m_numbers.constFind(identity);
    if (known != m_numbers.constEnd() && !m_present.contains(*known)) return *known;
    const int number = lowestUntakenNumber();
    if (number != 0) m_numbers.insert(identity, number);
    return number;
}

bool PortMap::numberTaken(int number) const {
    if (m_present.contains(number)) return true;
    return std::any_of(m_numbers.cbegin(), m_numbers.cend(),
                       [number](int taken) { return taken == number; });
}

} // namespace tonaq
