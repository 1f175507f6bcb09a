#pragma once

#include "base/progress.h"
#include "link/portmap.h"
#include "link/portrefusal.h"
#include "unit/unitdriver.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace tonaq {

class DeviceLink;
class PortScanner;
class PortWatcher;
class Trap;
class WireTrace;

// A COM number the scan found, with what the operator is told of it.
struct PortListing {
    int number = 0;
    QString toolTip; // its device or URL, and what the system says of it

    friend bool operator==(const PortListing &, const PortListing &) = default;
};

// What a scan found: the ports that can be opened, in rising number, and the devices that
// exist but refused to open.
struct ScanResult {
    QList<PortListing> ports;
    QList<RefusedPort> refused;

    friend bool operator==(const ScanResult &, const ScanResult &) = default;
};

// The session with a unit, the same under the window and tonaqctl: the port scan, the
// connect, whether a unit is connected (kept here and nowhere else), whether the device
// controls are on, and where a command stands, as data. It also follows units that come and
// go: a device that appears or goes updates the list of ports, the connected unit's going
// ends the connection, and its return is announced so that the window can connect again.
class UnitSession : public QObject {
    Q_OBJECT
public:
    explicit UnitSession(PortMap &ports, WireTrace *trace = nullptr, QObject *parent = nullptr);
    ~UnitSession() override;

    UnitDriver &unit() { return m_unit; }
    PortMap &ports() { return m_ports; }
    // The link; raises TonaqError (PortNotOpen) once it has been released.
    DeviceLink &link() { return m_unit.channel().link(); }
    void createLink();
    void releaseLink();

    // True once a unit answered the last connect, until the next scan or its going away.
    bool isConnected() const { return m_connected; }
    // Every command asks this first: without a connected unit the status says "Not
    // connected." and the command must stop.
    bool refuseUnconnected();

    // The device controls follow this.
    bool controlsEnabled() const { return m_controlsEnabled; }
    void enableControls(bool enabled);

    void report(const Progress &progress);

    // Closes the link, forgets the connection, switches the controls off and probes every COM
    // number, letting the windows paint between them. Reports "Scanning ports..." and then
    // what it found.
    ScanResult scan();
    // Closes whatever port was open, opens the number, lets the line settle, greets the unit
    // and, when it answers, asks its firmware. Reports the outcome and switches the controls
    // to it. A failure of the link is raised at the trap's line, with the state as it stood.
    bool connectTo(int number, Trap &at);

    // Watches for units that come and go from now on.
    void followPorts(PortWatcher &watcher);
    // The connected unit went away since the last connect or scan.
    bool unitWasRemoved() const { return m_removed.has_value(); }

signals:
    void progressed(const tonaq::Progress &progress);
    void controlsEnabledChanged(bool enabled);
    void connectedChanged(bool connected);
    // The unit's reply to the firmware query, whole.
    void firmwareAnswered(const QString &reply);
    // A device came or went: the ports a scan would now find. Nothing is closed for it.
    void portsChanged(const tonaq::ScanResult &result);
    // The unit that went away is back under its COM number.
    void unitReturned(int number);

private:
    struct RemovedUnit {
        int number;
        QString identity;
    };
    // What the last probe of a COM number found.
    struct Probed {
        PortEntry entry;
        QString stamp;
        std::optional<PortListing> listing;
        RefusedPort refusal;
    };

    ScanResult probeAll(bool quiet);
    // Whether the COM number can be opened now; never fails.
    bool probe(int number, PortScanner &scanner);
    void portsMayHaveChanged();
    static QString deviceStamp(const PortEntry &entry);
    void linkStateChanged();
    void unitGone();
    void setConnected(bool connected);

    PortMap &m_ports;
    UnitDriver m_unit;
    PortWatcher *m_watcher = nullptr;
    bool m_connected = false;
    bool m_controlsEnabled = false;
    bool m_scanning = false;
    QString m_connectedIdentity;
    std::optional<RemovedUnit> m_removed;
    QHash<int, Probed> m_probed;
    QStringList m_fingerprint; // of the folders, as the last look at them found them
};

} // namespace tonaq
