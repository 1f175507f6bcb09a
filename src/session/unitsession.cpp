#include "session/unitsession.h"

#include "base/trap.h"
#include "link/devicelink.h"
#include "link/portmap.h"
#include "link/portscanner.h"
#include "link/wait.h"
#include "session/portwatcher.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

namespace tonaq {

UnitSession::UnitSession(PortMap &ports, WireTrace *trace, QObject *parent)
    : QObject(parent)
    , m_ports(ports)
    , m_unit(ports, trace) {}

UnitSession::~UnitSession() = default;

// A device node made anew, or given other rights, under the same name is worth a new probe.
QString UnitSession::deviceStamp(const PortEntry &entry) {
    if (entry.kind != PortKind::Device) return {};
    const QFileInfo node(entry.location);
    return node.exists() ? QString::number(node.metadataChangeTime().toMSecsSinceEpoch())
                         : QString();
}

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
    m_fingerprint = m_ports.fingerprint();
    m_ports.refresh();
    m_probed.clear(); // the operator asked: every port is tried again
    ScanResult result = probeAll(false);
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

// The port the link holds open is listed without a probe: it cannot be opened twice. A port
// probed before, whose entry and device have not changed since, is listed as it was then: a
// real port's control lines rise at every open, which resets many devices.
ScanResult UnitSession::probeAll(bool quiet) {
    const bool holding = m_unit.channel().hasLink() && link().isPortOpen();
    const int held = holding ? link().portNumber() : 0;
    // The system's descriptions take a walk over every device it has: only once one is found.
    std::optional<QHash<QString, QString>> descriptions;
    PortScanner scanner(m_ports);
    ScanResult result;
    QHash<int, Probed> probed;
    for (int number = PortMap::kFirstPort; number <= PortMap::kLastPort; ++number) {
        if (!quiet) QCoreApplication::processEvents();
        const std::optional<PortEntry> entry = m_ports.entry(number);
        if (!entry) continue;
        const QString stamp = deviceStamp(*entry);
        const auto known = m_probed.constFind(number);
        Probed found{*entry, stamp, std::nullopt, {}};
        if (known != m_probed.constEnd() && known->entry == *entry && known->stamp == stamp &&
            (known->listing || number != held)) {
            found = *known;
        } else if (number == held || probe(number, scanner)) {
            if (!descriptions && entry->kind == PortKind::Device) descriptions = portDescriptions();
            const QString description = entry->kind == PortKind::Device
                                            ? descriptions->value(entry->location)
                                            : entry->description;
            // A unit in this process is known by what it is; its name is the program's own.
            const QString where = entry->kind == PortKind::InProcess ? QString() : entry->location;
            const QString joint =
                where.isEmpty() || description.isEmpty() ? QString() : QStringLiteral(" - ");
            found.listing = PortListing{number, where + joint + description};
        } else {
            found.refusal = {scanner.lastDevice(), scanner.lastRefusal()};
        }
        probed.insert(number, found);
        if (found.listing)
            result.ports.append(*found.listing);
        else if (found.refusal.reason != Refusal::None)
            result.refused.append(found.refusal);
    }
    m_probed = probed;
    result.refused += m_ports.refused();
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
    // A folder that was missing may be there now, and empty: watched from now on all the same.
    if (m_watcher) m_watcher->watch(m_ports.watchedFolders());
    // A name that is no serial device (a disk, a loop device, a terminal beside a linked one)
    // changes nothing: nothing is read again for it, and nothing opened.
    const QStringList fingerprint = m_ports.fingerprint();
    if (fingerprint == m_fingerprint) return;
    m_fingerprint = fingerprint;
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
