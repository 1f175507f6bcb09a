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
    , m_menu(new QMenu(tr("Connect"), window)) {
    m_menu->setObjectName(QStringLiteral("COMSelect"));
    m_menu->setToolTipsVisible(true);
    QAction *first = m_menu->addAction(tr("ComPort"));
    first->setObjectName(QStringLiteral("ComPort(0)"));
    first->setEnabled(false);
    first->setCheckable(true);
    connect(first, &QAction::triggered, this, [this] { connectEntry(0); });
    m_portEntries.append(first);
    m_rescanSeparator = m_menu->addSeparator();
    m_rescanSeparator->setObjectName(QStringLiteral("mnuLine2"));
    QAction *rescan = m_menu->addAction(tr("Rescan"));
    rescan->setObjectName(QStringLiteral("mnuScanPorts"));
    connect(rescan, &QAction::triggered, this, &ConnectMenu::rescan);
    connect(&session, &UnitSession::connectedChanged, this, &ConnectMenu::tickConnected);
}

void ConnectMenu::connectEntry(int index) {
    trapped(m_log, Procedure::Connect, [&](Trap &at) {
        at(20);
        const int number = portNumberOf(m_portEntries.at(index));
        m_session.connectTo(number, at);
        at(90);
        tickConnected();
    });
}

void ConnectMenu::rescan() {
    trapped(m_log, Procedure::ScanPorts, [&](Trap &at) {
        at(20);
        m_menu->setEnabled(false);
        at(30);
        removeEntriesAfterFirst();
        at(40);
        m_menu->setTitle(tr("Scanning..."));
        m_portEntries[0]->setData(QVariant());
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
    removeEntriesAfterFirst();
    m_portEntries[0]->setData(QVariant());
    for (const PortListing &port : found.ports)
        addPortEntry(port.number, port.toolTip);
    // No port: the menu stays as the scan left it, disabled under its scanning caption, so
    // that Rescan cannot be chosen again.
    const bool any = holdsPort(m_portEntries[0]);
    m_menu->setEnabled(any);
    m_menu->setTitle(any ? tr("Connect") : tr("Scanning..."));
    tickConnected();
}

void ConnectMenu::connectToPort(int number) {
    for (qsizetype i = 0; i < m_portEntries.size(); ++i) {
        if (holdsPort(m_portEntries[i]) && portNumberOf(m_portEntries[i]) == number) {
            connectEntry(int(i));
            return;
        }
    }
}

void ConnectMenu::addPortEntry(int number, const QString &toolTip) {
    QAction *entry = m_portEntries[0];
    if (holdsPort(entry)) {
        const int index = static_cast<int>(m_portEntries.size());
        entry = new QAction(m_menu);
        entry->setObjectName(QStringLiteral("ComPort(%1)").arg(index));
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, index] { connectEntry(index); });
        m_menu->insertAction(m_rescanSeparator, entry);
        m_portEntries.append(entry);
    }
    entry->setText(QStringLiteral("COM%1").arg(number));
    entry->setData(number);
    entry->setToolTip(toolTip);
    entry->setEnabled(true);
}

void ConnectMenu::removeEntriesAfterFirst() {
    while (m_portEntries.size() > 1)
        delete m_portEntries.takeLast();
}

// After a connect exactly the connected entry is ticked; after a failure, none.
void ConnectMenu::tickConnected() {
    const int connected = m_session.isConnected() ? m_session.link().portNumber() : 0;
    for (QAction *entry : std::as_const(m_portEntries))
        entry->setChecked(holdsPort(entry) && portNumberOf(entry) == connected);
}

} // namespace tonaq
