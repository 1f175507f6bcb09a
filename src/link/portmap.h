#pragma once

#include "link/portrefusal.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace tonaq {

class Transport;

// What stands behind a COM number.
enum class PortKind {
    Device,    // a serial device of this system, probed by opening it
    Network,   // a unit behind a serial device server, named by a URL; never probed
    InProcess, // a simulated unit in this process; never probed
};

struct PortEntry {
    int number = 0;
    PortKind kind = PortKind::Device;
    QString location;    // the device path, the URL, or the in-process unit's name
    QString identity;    // the same identity back is the same unit back
    QString description; // what the operator is told of it, besides the location

    friend bool operator==(const PortEntry &, const PortEntry &) = default;
};

// Makes the transport of an in-process unit, each time its COM number is opened.
using TransportMaker = std::function<std::unique_ptr<Transport>()>;

// Maps the COM numbers an operator knows (COM1 to COM255) to the units of this system, the way
// Wine numbers them: entries named COM<n> in a per-user folder take their numbers first (a link
// to a device, or a file naming a network unit), then /dev/ttyS<k>, /dev/ttyUSB<k> and
// /dev/ttyACM<k> take the lowest free numbers from COM1 up, family by family. A number stays
// with its unit for as long as the map lives: a unit that goes keeps it and gets it back on
// return, and no other unit moves meanwhile. A device is known by its /dev/serial/by-id name
// where it has one, else by its path; an entry of the folder by its name.
// An entry's name may go on with a label after a blank, '-' or '_', and end in .txt ("COM5
// bench.txt"), as it must on Windows, which keeps COM1 to COM9 for its own devices. There the
// system's own COM names are the numbers (COM3 is 3), and the folder's entries name network
// units only.
class PortMap {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 255;
    // On Windows, the devices folder that stands for the system's own list of serial ports
    // (the Win32 device namespace); any other folder lists none, as a test's map wants.
    static constexpr const char *kSystemPorts = "//./";

    struct Folders {
        QString links;   // COM<n> entries
        QString devices; // the serial device nodes
        QString byId;    // links named after the adapter, to its device node
    };

    explicit PortMap(Folders folders);
    // The operator's own map: ~/.config/Tonaq/ports, /dev and /dev/serial/by-id.
    static PortMap forCurrentUser();

    // Reads the folders again.
    void refresh();
    // Gives an in-process unit a COM number, the lowest that nothing takes when number is 0, for
    // as long as it stays attached; returns the number, 0 when none is free.
    int attach(const QString &name, TransportMaker maker, const QString &description,
               int number = 0);
    void detach(const QString &name);
    // Gives a network unit named by its URL a COM number, the lowest that nothing takes, for as
    // long as the map lives; returns it, 0 when none is free.
    int addNetworkUnit(const QString &url);
    // The CA file that network units whose entries name none are verified against; empty: the
    // system's store.
    void setCaFile(const QString &file) { m_caFile = file; }

    // The units present as of the last refresh, in rising number.
    QList<PortEntry> entries() const;
    // Entries of the links folder that the last refresh passed over, being neither a link to a
    // device nor a file (a FIFO, a socket, a folder).
    const QList<RefusedPort> &refused() const { return m_refused; }
    std::optional<PortEntry> entry(int number) const;
    // What the number names now: a link may have been pointed elsewhere, or an adapter
    // replugged, since the last refresh.
    std::optional<PortEntry> currentEntry(int number) const;
    // The way to the unit of an entry; raises TonaqError when there is none.
    std::unique_ptr<Transport> makeTransport(const PortEntry &entry) const;

    const Folders &folders() const { return m_folders; }
    // The folders whose changes may change the map: the links', the devices', the adapters'
    // names, and where the links point.
    QStringList watchedFolders() const;
    // What the map is read from, without opening anything: every entry of the links folder and
    // of the adapters' names, and every device of the families, each with where it leads and
    // when it last changed. The map can change only when this does; names of the device folder
    // outside the families, or beside a link's target, leave it as it is. On Windows: the
    // links folder's entries and the system's list of serial ports.
    QStringList fingerprint() const;

private:
    void addLinks();
#ifdef Q_OS_WIN
    void addSystemPorts();
#else
    void addFamilies();
#endif
    int numberFor(const QString &identity);
    bool numberTaken(int number) const;
    int lowestUntakenNumber() const;

    Folders m_folders;
    QMap<int, PortEntry> m_present;
    QHash<QString, int> m_numbers; // every identity seen while the map lives, and its number
    QHash<QString, TransportMaker> m_makers;
    QMap<int, PortEntry> m_attached;
    QStringList m_linkTargetFolders;
    QList<RefusedPort> m_refused;
    QString m_caFile;
};

} // namespace tonaq
