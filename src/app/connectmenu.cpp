#include "app/connectmenu.h"

#include "base/trap.h"
#include "link/devicelink.h"
#include "session/unitsession.h"

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

ConnectMenu::ConnectMenu(UnitSession &session, const ErrorLog &log, QWidget *window)
    : QObject(window)
    , m_session(session)
    , m_log(log)
    , m_window(window)
    , m_comSelect(new QMenu(tr("Connect"), window)) {
    m_comSelect->setObjectName(QStringLiteral("COMSelect"));
    m_comSelect->setToolTipsVisible(true);
    QAction *first = m_comSelect->addAction(tr("ComPort"));
    first->setObjectName(QStringLiteral("ComPort(0)"));
    first->setEnabled(false);
    first->setCheckable(true);
    connect(first, &QAction::triggered, this, [this] { connectEntry(0); });
    m_comPorts.append(first);
    m_separator = m_comSelect->addSeparator();
    m_separator->setObjectName(QStringLiteral("mnuLine2"));
    QAction *rescan = m_comSelect->addAction(tr("Rescan"));
    rescan->setObjectName(QStringLiteral("mnuScanPorts"));
    connect(rescan, &QAction::triggered, this, &ConnectMenu::rescan);
    connect(&session, &UnitSession::connectedChanged, this, &ConnectMenu::tickConnected);
}

void ConnectMenu::connectEntry(int index) {
    trapped(m_log, Procedure::Connect, [&](Trap &at) {
        at(20);
        const int number = portNumberOf(m_comPorts.at(index));
        m_session.connectTo(number, at);
        at(90);
        tickConnected();
    });
}

void ConnectMenu::rescan() {
    trapped(m_log, Procedure::ScanPorts, [&](Trap &at) {
        at(20);
        m_comSelect->setEnabled(false);
        at(30);
        unloadComPortsAboveZero();
        at(40);
        m_comSelect->setTitle(tr("Scanning..."));
        m_comPorts[0]->setData(QVariant());
        at(50);
        m_window->setCursor(Qt::WaitCursor);
        at(60);
        const ScanResult found = m_session.scan();
        at(70);
        showPorts(found);
        m_window->unsetCursor();
        emit refusalsFound(refusalsToolTip(found.refused));
    });
}

void ConnectMenu::showPorts(const ScanResult &found) {
    unloadComPortsAboveZero();
    m_comPorts[0]->setData(QVariant());
    for (const PortListing &port : found.ports)
        addComPort(port.number, port.toolTip);
    // No port: the menu stays as the scan left it, disabled under its scanning caption, so
    // that Rescan cannot be chosen again.
    const bool any = holdsPort(m_comPorts[0]);
    m_comSelect->setEnabled(any);
    m_comSelect->setTitle(any ? tr("Connect") : tr("Scanning..."));
    tickConnected();
}

void ConnectMenu::connectToPort(int number) {
    for (qsizetype i = 0; i < m_comPorts.size(); ++i) {
        if (holdsPort(m_comPorts[i]) && portNumberOf(m_comPorts[i]) == number) {
            connectEntry(int(i));
            return;
        }
    }
}

void ConnectMenu::addComPort(int number, const QString &toolTip) {
    QAction *entry = m_comPorts[0];
    if (holdsPort(entry)) {
        const int index = static_cast<int>(m_comPorts.size());
        entry = new QAction(m_comSelect);
        entry->setObjectName(QStringLiteral("ComPort(%1)").arg(index));
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, index] { connectEntry(index); });
        m_comSelect->insertAction(m_separator, entry);
        m_comPorts.append(entry);
    }
    entry->setText(QStringLiteral("COM%1").arg(number));
    entry->setData(number);
    entry->setToolTip(toolTip);
    entry->setEnabled(true);
}

void ConnectMenu::unloadComPortsAboveZero() {
    while (m_comPorts.size() > 1)
        delete m_comPorts.takeLast();
}

// After a connect exactly the connected entry is ticked; after a failure, none.
void ConnectMenu::tickConnected() {
    const int connected = m_session.isConnected() ? m_session.link().portNumber() : 0;
    for (QAction *entry : std::as_const(m_comPorts))
        entry->setChecked(holdsPort(entry) && portNumberOf(entry) == connected);
}

} // namespace tonaq
