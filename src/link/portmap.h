#pragma once

#include <QMap>
#include <QString>

namespace tonaq {

// Maps the COM numbers an operator knows (COM1 to COM255) to the devices of this system.
// On Linux it numbers ports the way Wine does: links named COM<n> in a per-user folder reserve
// their numbers first, then /dev/ttyS<k>, /dev/ttyUSB<k> and /dev/ttyACM<k> (each family from
// k = 0 up to its first missing index) take the lowest free numbers from COM1 up. On Windows
// COM<n> is the system's own name.
class PortMap {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 255;

    PortMap(QString linksFolder, QString deviceFolder);
    // The operator's own map: ~/.config/Tonaq/ports and /dev.
    static PortMap forCurrentUser();

    // Reads the links folder and the device families again.
    void refresh();
    // Gives a device the lowest number that nothing else takes, for as long as this map
    // lives (the demo unit); survives refresh(). Returns the number, 0 when all are taken.
    int reserve(const QString &devicePath);

    // The device behind a COM number as of the last refresh; empty when the number names none.
    QString devicePath(int number) const;
    // The device behind a COM number now: a link may have been pointed elsewhere, or an adapter
    // replugged under another name, since the last refresh.
    QString currentDevicePath(int number) const;
    QString linksFolder() const { return m_linksFolder; }

private:
    void addLinks();
    void addFamily(const QString &prefix);
    int lowestFreeNumber() const;

    QString m_linksFolder;
    QString m_deviceFolder;
    QMap<int, QString> m_ports;
    QMap<int, QString> m_reserved;
};

} // namespace tonaq
