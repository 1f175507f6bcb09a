#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace tonaq {

class ErrorLog;
class UnitSession;
struct ScanResult;

// The "Connect" menu: an entry for every COM number the scan could open, the connect handler
// that greets the unit on the chosen one, and "Rescan". Entries carry their COM number as data.
class ConnectMenu : public QObject {
    Q_OBJECT
public:
    ConnectMenu(UnitSession &session, const ErrorLog &log, QWidget *window);

    QMenu *menu() const { return m_menu; }
    const QList<QAction *> &entries() const { return m_portEntries; }

    void connectEntry(int index);
    void rescan();
    // The entries a scan leaves for what it found: the menu's caption and state included, the
    // connected entry ticked.
    void showPorts(const ScanResult &found);
    // Connects to the entry of that COM number, as a click on it would.
    void connectToPort(int number);

signals:
    // After a scan: the devices that exist but refused to open, and what to do about them.
    void refusalsFound(const QString &toolTip);

private:
    void addPortEntry(int number, const QString &toolTip);
    void removeEntriesAfterFirst();
    void tickConnected();

    UnitSession &m_session;
    const ErrorLog &m_log;
    QWidget *m_window;
    QMenu *m_menu;
    QList<QAction *> m_portEntries;
    QAction *m_rescanSeparator;
};

} // namespace tonaq
