#pragma once

#include "base/desk.h"
#include "base/errorlog.h"
#include "base/seams.h"
#include "config/filecommands.h"
#include "memory/memorytransfer.h"
#include "model/memorymodel.h"
#include "session/unitsession.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tonaq {

class ConnectMenu;
class InstantToneFrame;
class KeypadFrame;
class MemoryPlayFrame;
class MemoryTableFrame;
class SequenceWindow;
class PortWatcher;
class ShutdownClock;
class SinglePlayFrame;

// The main window. It owns what the features share (the session with the unit, the memory
// model, the error log), composes the frames, the "File" and "Connect" menus and the device
// buttons, shows the session's state, and is the desk every command reports to.
class MainWindow : public QMainWindow, public Desk {
    Q_OBJECT
public:
    explicit MainWindow(const Seams &seams, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: link, title, show, port scan, MultiPlay loaded hidden, command-line file.
    void load(const QString &commandLine);

    // Shows the report's status text in the status box.
    void report(const Progress &progress) override;
    Button ask(const Message &message) override;

    // The sequence window, loaded (hidden) first when it is not.
    SequenceWindow &sequenceWindow();
    bool sequenceWindowLoaded() const { return !m_sequenceWindow.isNull(); }
    void showSequenceWindow();
    void quit();

    UnitSession &session() { return m_session; }
    UnitDriver &unit() { return m_session.unit(); }
    MemoryModel &memory() { return m_memory; }
    MemoryTransfer &transfer() { return m_transfer; }
    FileCommands &files() { return m_files; }
    ConnectMenu &connectMenu() const { return *m_connectMenu; }
    const ErrorLog &errorLog() const { return m_log; }
    void setShutdownClock(ShutdownClock *clock) { m_shutdownClock = clock; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildHeader(QWidget *client);
    void buildFrames(QWidget *client);
    void buildButtons(QWidget *client);
    void buildMenus();
    void showAbout();
    // Switches every control that talks to the unit on or off together.
    void setDeviceControlsEnabled(bool enabled);
    void showPortsFound(const ScanResult &found);
    void shutDown();
    void unloadMultiPlay();

    Seams m_seams;
    ErrorLog m_log;
    UnitSession m_session;
    std::unique_ptr<PortWatcher> m_portWatcher;
    Progress m_shownProgress; // what the status box shows
    MemoryModel m_memory;
    MemoryTransfer m_transfer;
    FileCommands m_files;
    std::unique_ptr<ShutdownClock> m_systemClock;
    ShutdownClock *m_shutdownClock;

    ConnectMenu *m_connectMenu = nullptr;
    KeypadFrame *m_keypadFrame = nullptr;
    InstantToneFrame *m_instantToneFrame = nullptr;
    SinglePlayFrame *m_singlePlayFrame = nullptr;
    MemoryPlayFrame *m_memoryPlayFrame = nullptr;
    QLabel *m_firmwareLabel = nullptr;
    QString m_firmwareReply; // the connected unit's, for About
    QLineEdit *m_statusBox = nullptr;
    QPushButton *m_downloadButton = nullptr;
    QPushButton *m_uploadButton = nullptr;
    QPushButton *m_abortButton = nullptr;
    QAction *m_resetAction = nullptr;
    QPointer<SequenceWindow> m_sequenceWindow;
};

} // namespace tonaq
