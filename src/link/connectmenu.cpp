#include "link/connectmenu.h"

#include "app/frmtonaq.h"
#include "app/trap.h"
#include "link/devicelink.h"
#include "link/portmap.h"
#include "link/wait.h"
#include "tones/numericvalue.h"

#include <QCoreApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSerialPortInfo>
#include <cmath>

namespace tonaq {

namespace {

constexpr const char *kForm = "Form frmTonaq";
const char *const kTag = "Tag";

QString tagOf(const QAction *entry) {
    return entry->property(kTag).toString();
}

int portNumberOf(const QAction *entry) {
    return static_cast<int>(std::lround(NumericValue(tagOf(entry))));
}

// What the system says of each serial device, asked once per scan: every lookup of a single
// port walks the whole device list again.
QHash<QString, QString> portDescriptions() {
    QHash<QString, QString> descriptions;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        descriptions.insert(port.systemLocation(), port.description());
    return descriptions;
}

} // namespace

ConnectMenu::ConnectMenu(FrmTonaq &main, PortMap &ports)
    : QObject(&main)
    , m_main(main)
    , m_ports(ports)
    , m_portScanner(ports)
    , m_comSelect(new QMenu(QStringLiteral("Connect"), &main)) {
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
    m_scanPorts = m_comSelect->addAction(QStringLiteral("Rescan"));
    m_scanPorts->setObjectName(QStringLiteral("mnuScanPorts"));
    connect(m_scanPorts, &QAction::triggered, this, &ConnectMenu::mnuScanPorts_Click);
}

void ConnectMenu::ComPort_Click(int index) {
    trapped(m_main.errorLog(), "COMPort_Click", kForm, [&](Trap &at) {
        CommandChannel &channel = m_main.channel();
        at(10);
        channel.link().ClosePort();
        at(20);
        const int number = portNumberOf(m_comPorts.at(index));
        at(30);
        channel.link().setPortNumber(number);
        channel.link().OpenPort();
        at(40);
        Wait(100);
        at(50);
        channel.setConnected(channel.Transact(QStringLiteral("@")).contains(u"Connect"));
        at(60);
        if (channel.Connected())
            m_main.Firmware()->setText(QStringLiteral("Firmware version: ") +
                                       channel.Transact(QStringLiteral("R")));
        at(70);
        m_main.EnableControls(channel.Connected());
        at(80);
        if (channel.Connected())
            m_main.SetStatus(QStringLiteral("Connected on COM") +
                             QString::number(channel.link().portNumber()));
        else
            m_main.SetStatus(QStringLiteral("Unable to connect on COM") +
                             QString::number(portNumberOf(m_comPorts.at(index))));
        at(90);
        for (QAction *entry : std::as_const(m_comPorts))
            entry->setChecked(channel.Connected() &&
                              portNumberOf(entry) == channel.link().portNumber());
    });
}

void ConnectMenu::mnuScanPorts_Click() {
    trapped(m_main.errorLog(), "mnuScanPorts_Click", kForm, [&](Trap &at) {
        CommandChannel &channel = m_main.channel();
        at(10);
        channel.link().ClosePort();
        channel.setConnected(false);
        m_main.EnableControls(false);
        at(20);
        m_comSelect->setEnabled(false);
        at(30);
        unloadComPortsAboveZero();
        at(40);
        m_comSelect->setTitle(QStringLiteral("Scanning..."));
        m_comPorts[0]->setProperty(kTag, QString());
        at(50);
        m_main.setCursor(Qt::WaitCursor);
        m_main.SetStatus(QStringLiteral("Scanning ports..."));
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
        m_main.unsetCursor();
        m_main.StatusBox()->setToolTip(refusalsToolTip(refused));
        at(80);
        if (!tagOf(m_comPorts[0]).isEmpty()) {
            m_comSelect->setEnabled(true);
            m_comSelect->setTitle(QStringLiteral("Connect"));
            m_main.SetStatus(QStringLiteral("Please Connect by selecting a COM port in the menu."));
        } else {
            m_main.SetStatus(QStringLiteral("No available COM ports found."));
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
    if (!tagOf(entry).isEmpty()) {
        const int index = static_cast<int>(m_comPorts.size());
        entry = new QAction(m_comSelect);
        entry->setObjectName(QStringLiteral("ComPort(%1)").arg(index));
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, index] { ComPort_Click(index); });
        m_comSelect->insertAction(m_separator, entry);
        m_comPorts.append(entry);
    }
    entry->setText(QStringLiteral("COM%1").arg(number));
    entry->setProperty(kTag, QString::number(number));
    entry->setEnabled(true);
}

// "COM3" shows its device and what the system says of it.
void ConnectMenu::describeComPorts() {
    if (tagOf(m_comPorts[0]).isEmpty()) return;
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
