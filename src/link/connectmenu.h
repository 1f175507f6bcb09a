#pragma once

#include "link/portscanner.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;

namespace tonaq {

class FrmTonaq;
class PortMap;

// The "Connect" menu: the port scan that lists every COM number that can be opened, and the
// connect handler that opens the chosen one and greets the unit.
class ConnectMenu : public QObject {
    Q_OBJECT
public:
    ConnectMenu(FrmTonaq &main, PortMap &ports);

    QMenu *COMSelect() const { return m_comSelect; }
    const QList<QAction *> &ComPort() const { return m_comPorts; }
    QAction *mnuScanPorts() const { return m_scanPorts; }

    void ComPort_Click(int index);
    void mnuScanPorts_Click();
    bool PortTest(int whichPort, PortScanner &commObj);

private:
    void addComPort(int number);
    void describeComPorts();
    void unloadComPortsAboveZero();

    FrmTonaq &m_main;
    PortMap &m_ports;
    PortScanner m_portScanner;
    QMenu *m_comSelect;
    QList<QAction *> m_comPorts;
    QAction *m_separator;
    QAction *m_scanPorts;
};

} // namespace tonaq
