#pragma once

#include "link/portrefusal.h"

#include <QHash>
#include <QSerialPort>

namespace tonaq {

class PortMap;

// The probe the port scan uses to learn whether a COM number can be opened right now. It is
// separate from the DeviceLink and never sends anything. Only a device of this system is
// opened: a network unit or one in this process counts as there without a try, so that a dead
// host never slows a scan; its faults show when it is chosen.
class PortScanner {
public:
    explicit PortScanner(const PortMap &ports);
    ~PortScanner();
    PortScanner(const PortScanner &) = delete;
    PortScanner &operator=(const PortScanner &) = delete;

    void setPortNumber(int number) { m_portNumber = number; }
    int portNumber() const { return m_portNumber; }
    // Opening raises TonaqError when the port cannot be opened; closing never fails.
    void setPortOpen(bool open);
    bool isOpen() const { return m_listedWithoutOpening || deviceOpen(); }
    // Why the last open of an existing device was refused, for the operator.
    Refusal lastRefusal() const { return m_lastRefusal; }
    QString lastDevice() const { return m_lastDevice; }

private:
    // The device itself, opened and closed without touching its settings.
    void openDevice();
    void closeDevice();
    bool deviceOpen() const;

    const PortMap &m_ports;
#ifdef Q_OS_WIN
    void *m_handle = nullptr; // the port's, while open
#else
    QSerialPort m_port;
#endif
    int m_portNumber = 1;
    bool m_listedWithoutOpening = false;
    Refusal m_lastRefusal = Refusal::None;
    QString m_lastDevice;
};

// What the system says of each serial device ("USB serial adapter"), by device path; asked once
// per scan, since every lookup of a single port walks the whole device list again.
QHash<QString, QString> portDescriptions();

} // namespace tonaq
