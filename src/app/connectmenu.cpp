#include "app/connectmenu.h"

#include "base/desk.h"
#include "base/trap.h"
#include "link/devicelink.h"
#include "link/portmap.h"
#include "link/wait.h"
#include "unit/unitdriver.h"

#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

namespace tonaq {

namespace {

// An entry's COM number rides as its data; no data on the first entry: no port found yet.
bool holdsPort(const QAction *entry) {
    return entry->data().isValid();
}

int portNumberOf(const QAction *entry) {
    return entry->data().toInt();
}

} // namespace

ConnectMenu::ConnectMenu(UnitDriver &unit, Desk &desk, PortMap &ports, const ErrorLog &log,
                         QWidget *window)
    : QObject(window)
    , m_unit(unit)
    , m_desk(desk)
    , m_ports(ports)
    , m_log(log)
    , m_window(window)
    , m_portScanner(ports)
    , m_comSelect(new QMenu(QStringLiteral("Connect"), window)) {
    m_comSelect->setObjectName(QStringLiteral("COMSelect"));
    m_comSelect->setToolTipsVisible(true);
    QAction *first = m_comSelect->addAction(QStringLiteral("ComPort"));
    first->setObjectName(QStringLiteral("ComPort(0)"));
    first->setEnabled(false);
    first->setCheckable(true);
    connect(first, &QAction::triggered, this, [this] { ComPort_Click(0); });
    m_comPorts.append(first);
    m_separator = m_comSelect->addSeparator();
    m_separator->setObjectName(QStringLiteral("mnuLine2"));
    QAction *rescan = m_comSelect->addAction(QStringLiteral("Rescan"));
    rescan->setObjectName(QStringLiteral("mnuScanPorts"));
    connect(rescan, &QAction::triggered, this, &ConnectMenu::mnuScanPorts_Click);
}

void ConnectMenu::ComPort_Click(int index) {
    trapped(m_log, "COMPort_Click", kMainForm, [&](Trap &at) {
        DeviceLink &link = m_unit.channel().link();
        at(10);
        link.ClosePort();
        at(20);
        const int number = portNumberOf(m_comPorts.at(index));
        at(30);
        link.setPortNumber(number);
        link.OpenPort();
        at(40);
        Wait(kSettleAfterOpenMs);
        at(50);
        m_unit.setConnected(m_unit.handshake());
        at(60);
        if (m_unit.Connected())
            emit firmwareAnswered(QStringLiteral("Firmware version: ") + m_unit.firmwareVersion());
        at(70);
        m_desk.EnableControls(m_unit.Connected());
        at(80);
        if (m_unit.Connected())
            m_desk.SetStatus(QStringLiteral("Connected on COM") +
                             QString::number(link.portNumber()));
        else
            m_desk.SetStatus(QStringLiteral("Unable to connect on COM") +
                             QString::number(portNumberOf(m_comPorts.at(index))));
        at(90);
        for (QAction *entry : std::as_const(m_comPorts))
            entry->setChecked(m_unit.Connected() && portNumberOf(entry) == link.portNumber());
    });
}

void ConnectMenu::mnuScanPorts_Click() {
    trapped(m_log, "mnuScanPorts_Click", kMainForm, [&](Trap &at) {
        at(10);
        m_unit.channel().link().ClosePort();
        m_unit.setConnected(false);
        m_desk.EnableControls(false);
        at(20);
        m_comSelect->setEnabled(false);
        at(30);
        unloadComPortsAboveZero();
        at(40);
        m_comSelect->setTitle(QStringLiteral("Scanning..."));
        m_comPorts[0]->setData(QVariant());
        at(50);
        m_window->setCursor(Qt::WaitCursor);
        m_desk.SetStatus(QStringLiteral("Scanning ports..."));
        m_ports.refresh();
        at(60);
        QList<RefusedPort> refused;
        for (int i = PortMap::kFirstPort; i <= PortMap::kLastPort; ++i) {
            QCoreApplication::processEvents();
            if (PortTest(i, m_portScanner))
                addComPort(i);
            else if (m_portScanner.lastRefusal() != Refusal::None)
                refused.append({m_portScanner.lastDevice(), m_portScanner.lastRefusal()});
        }
        at(70);
        describeComPorts();
        m_window->unsetCursor();
        emit refusalsFound(refusalsToolTip(refused));
        at(80);
        if (holdsPort(m_comPorts[0])) {
            m_comSelect->setEnabled(true);
            m_comSelect->setTitle(QStringLiteral("Connect"));
            m_desk.SetStatus(QStringLiteral("Please Connect by selecting a COM port in the menu."));
        } else {
            m_desk.SetStatus(QStringLiteral("No available COM ports found."));
        }
    });
}

bool ConnectMenu::PortTest(int whichPort, PortScanner &commObj) {
    bool result = false;
    ignoringFailure([] { QCoreApplication::processEvents(); });
    ignoringFailure([&] { commObj.setCommPort(whichPort); });
    ignoringFailure([&] { commObj.setPortOpen(true); });
    ignoringFailure([&] { result = commObj.portOpen(); });
    if (result) ignoringFailure([&] { commObj.setPortOpen(false); });
    return result;
}

void ConnectMenu::addComPort(int number) {
    QAction *entry = m_comPorts[0];
    if (holdsPort(entry)) {
        const int index = static_cast<int>(m_comPorts.size());
        entry = new QAction(m_comSelect);
        entry->setObjectName(QStringLiteral("ComPort(%1)").arg(index));
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, index] { ComPort_Click(index); });
        m_comSelect->insertAction(m_separator, entry);
        m_comPorts.append(entry);
    }
    entry->setText(QStringLiteral("COM%1").arg(number));
    entry->setData(number);
    entry->setEnabled(true);
}

// "COM3" shows its device and what the system says of it.
void ConnectMenu::describeComPorts() {
    if (!holdsPort(m_comPorts[0])) return;
    const QHash<QString, QString> descriptions = portDescriptions();
    for (QAction *entry : std::as_const(m_comPorts)) {
        const QString device = m_ports.devicePath(portNumberOf(entry));
        const QString description = descriptions.value(device);
        entry->setToolTip(description.isEmpty() ? device
                                                : device + QStringLiteral(" - ") + description);
    }
}

void ConnectMenu::unloadComPortsAboveZero() {
    while (m_comPorts.size() > 1)
        delete m_comPorts.takeLast();
}

} // namespace tonaq
