#include "session/unitsession.h"

#include "base/trap.h"
#include "link/devicelink.h"
#include "link/portmap.h"
#include "link/portscanner.h"
#include "link/wait.h"
#include "session/portwatcher.h"

#include <QCoreApplication>

namespace tonaq {

UnitSession::UnitSession(PortMap &ports, WireTrace *trace, QObject *parent)
    : QObject(parent)
    , m_ports(ports)
    , m_unit(ports, trace) {}

UnitSession::~UnitSession() = default;

void UnitSession::createLink() {
    m_unit.channel().createLink(unitLineSettings());
    connect(&link(), &DeviceLink::stateChanged, this, &UnitSession::linkStateChanged);
}

void UnitSession::releaseLink() {
    m_unit.channel().releaseLink();
}

bool UnitSession::refuseUnconnected() {
    if (m_connected) return false;
    report({Activity::NotConnected});
    return true;
}

// A command that was under way when its unit went away neither switches the controls back on
// nor covers the notice of the removal; the next connect or scan ends that.
void UnitSession::enableControls(bool enabled) {
    if (enabled && m_removed) return;
    m_controlsEnabled = enabled;
    emit controlsEnabledChanged(enabled);
}

void UnitSession::report(const Progress &progress) {
    if (m_removed && progress.what != Activity::NotConnected) return;
    emit progressed(progress);
}

ScanResult UnitSession::scan() {
    m_removed.reset();
    link().closePort();
    setConnected(false);
    enableControls(false);
    m_scanning = true;
    report({Activity::Scanning});
    m_ports.refresh();
    const ScanResult result = probeAll(false);
    m_scanning = false;
    report({result.ports.isEmpty() ? Activity::NoPorts : Activity::PleaseConnect});
    return result;
}

// A port counts as there when it can be opened at this moment; nothing is sent to it, and
// every step that fails is passed over.
bool UnitSession::probe(int number, PortScanner &scanner) {
    bool opened = false;
    ignoringFailure([&] { scanner.setPortNumber(number); });
    ignoringFailure([&] { scanner.setPortOpen(true); });
    ignoringFailure([&] { opened = scanner.isOpen(); });
    if (opened) ignoringFailure([&] { scanner.setPortOpen(false); });
    return opened;
}

bool UnitSession::connectTo(int number, Trap &at) {
    m_removed.reset();
    DeviceLink &link = this->link();
    at(10);
    link.closePort();
    at(30);
    link.setPortNumber(number);
    link.openPort();
    at(40);
    pauseFor(kSettleAfterOpenMs);
    at(50);
    setConnected(m_unit.handshake());
    const std::optional<PortEntry> entry = m_ports.entry(number);
    m_connectedIdentity = entry ? entry->identity : QString();
    at(60);
    if (m_connected) emit firmwareAnswered(m_unit.firmwareVersion());
    at(70);
    enableControls(m_connected);
    at(80);
    if (m_connected)
        report({Activity::Connected, link.portNumber()});
    else
        report({Activity::UnableToConnect, number});
    return m_connected;
}

void UnitSession::followPorts(PortWatcher &watcher) {
    m_watcher = &watcher;
    connect(&watcher, &PortWatcher::changed, this, &UnitSession::portsMayHaveChanged);
    watcher.watch(m_ports.watchedFolders());
}

// The port the link holds open is listed without a probe: it cannot be opened twice.
ScanResult UnitSession::probeAll(bool quiet) {
    const bool holding = m_unit.channel().hasLink() && link().isPortOpen();
    const int held = holding ? link().portNumber() : 0;
    // The system's descriptions take a walk over every device it has: only once one is found.
    std::optional<QHash<QString, QString>> descriptions;
    PortScanner scanner(m_ports);
    ScanResult result;
    for (int number = PortMap::kFirstPort; number <= PortMap::kLastPort; ++number) {
        if (!quiet) QCoreApplication::processEvents();
        const std::optional<PortEntry> entry = m_ports.entry(number);
        if (!entry) continue;
        if (number == held || probe(number, scanner)) {
            if (!descriptions && entry->kind == PortKind::Device) descriptions = portDescriptions();
            const QString description = entry->kind == PortKind::Device
                                            ? descriptions->value(entry->location)
                                            : entry->description;
            // A unit in this process is known by what it is; its name is the program's own.
            const QString where = entry->kind == PortKind::InProcess ? QString() : entry->location;
            const QString joint =
                where.isEmpty() || description.isEmpty() ? QString() : QStringLiteral(" - ");
            result.ports.append({number, where + joint + description});
        } else if (scanner.lastRefusal() != Refusal::None) {
            result.refused.append({scanner.lastDevice(), scanner.lastRefusal()});
        }
    }
    return result;
}

// A device came or went, or a link changed: the ports are listed again as a scan would list
// them, without closing anything. The connected unit gone from its number has gone away; the
// unit that went away, back under its number, is announced.
void UnitSession::portsMayHaveChanged() {
    if (!m_unit.channel().hasLink()) return; // shut down
    if (m_scanning) {
        m_watcher->recheckLater(); // the scan in progress reads the folders itself
        return;
    }
    m_ports.refresh();
    const ScanResult result = probeAll(true);
    if (m_connected) {
        const std::optional<PortEntry> entry = m_ports.entry(link().portNumber());
        if (!entry || entry->identity != m_connectedIdentity) unitGone();
    }
    emit portsChanged(result);
    if (m_removed && !m_connected) {
        const std::optional<PortEntry> entry = m_ports.entry(m_removed->number);
        const bool listed = std::any_of(
            result.ports.cbegin(), result.ports.cend(),
            [this](const PortListing &port) { return port.number == m_removed->number; });
        if (entry && listed && entry->identity == m_removed->identity) {
            const int number = m_removed->number;
            m_removed.reset();
            link().traceEvent(QStringLiteral("COM%1 back").arg(number));
            emit unitReturned(number);
        }
    }
    if (m_watcher) m_watcher->watch(m_ports.watchedFolders());
}

void UnitSession::linkStateChanged() {
    if (m_connected && link().state() == DeviceLink::State::Gone) unitGone();
}

// The connected unit went away: its device was pulled, or its name in the ports folder
// removed. A command in flight fails at its next step and logs it; nothing else is closed
// but the port of a unit whose name went.
void UnitSession::unitGone() {
    DeviceLink &link = this->link();
    const int number = link.portNumber();
    setConnected(false);
    if (link.state() == DeviceLink::State::Open) {
        link.traceEvent(QStringLiteral("COM%1 gone from the ports").arg(number));
        ignoringFailure([&] { link.closePort(); });
    }
    enableControls(false);
    report({Activity::UnitRemoved, number});
    m_removed = RemovedUnit{number, m_connectedIdentity};
}

void UnitSession::setConnected(bool connected) {
    if (m_connected == connected) return;
    m_connected = connected;
    emit connectedChanged(connected);
}

} // namespace tonaq
