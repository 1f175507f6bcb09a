#pragma once

#include "link/portscanner.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace tonaq {

class Desk;
class ErrorLog;
class PortMap;
class UnitDriver;

// The "Connect" menu: the port scan that lists every COM number that can be opened, and the
// connect handler that opens the chosen one and greets the unit.
class ConnectMenu : public QObject {
    Q_OBJECT
public:
    ConnectMenu(UnitDriver &unit, Desk &desk, PortMap &ports, const ErrorLog &log, QWidget *window);

    QMenu *COMSelect() const { return m_comSelect; }
    const QList<QAction *> &ComPort() const { return m_comPorts; }

    void ComPort_Click(int index);
    void mnuScanPorts_Click();
    bool PortTest(int whichPort, PortScanner &commObj);

signals:
    // The unit's answer to the firmware query, for the window's firmware label.
    void firmwareAnswered(const QString &caption);
    // After a scan: the devices that exist but refused to open, and what to do about them.
    void refusalsFound(const QString &toolTip);

private:
    void addComPort(int number);
    void describeComPorts();
    void unloadComPortsAboveZero();

    UnitDriver &m_unit;
    Desk &m_desk;
    PortMap &m_ports;
    const ErrorLog &m_log;
    QWidget *m_window;
    PortScanner m_portScanner;
    QMenu *m_comSelect;
    QList<QAction *> m_comPorts;
    QAction *m_separator;
};

} // namespace tonaq
