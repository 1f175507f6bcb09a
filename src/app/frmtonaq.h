#pragma once

#include "app/errorlog.h"
#include "app/seams.h"
#include "link/commandchannel.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tonaq {

class ConnectMenu;
class InstantToneFrame;
class KeypadFrame;
class MemoryPlayFrame;
class MemoryTableFrame;
class MemoryTransfer;
class MultiPlay;
class Prompter;
class ShutdownClock;
class SinglePlayFrame;

// The main window. It composes the frames, the "File" and "Connect" menus and the device
// buttons, and owns what they share: the command channel, the status box, the error log.
class FrmTonaq : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmTonaq(const Seams &seams, QWidget *parent = nullptr);
    ~FrmTonaq() override;

    // Start-up: link, title, show, port scan, MultiPlay loaded hidden, command-line file.
    void Form_Load(const QString &commandLine);

    void SetStatus(const QString &text);
    // Every command asks this first: without a unit that answered the connect it shows
    // "Not connected." and answers true, and the command sends nothing.
    bool refuseWhenDisconnected();
    // Switches every control that talks to the unit on or off together.
    void EnableControls(bool enabled);
    static bool IsFormLoaded(const QString &name);

    CommandChannel &channel() { return m_channel; }
    const ErrorLog &errorLog() const { return m_log; }
    Prompter &prompter() { return *m_seams.prompter; }
    const Seams &seams() const { return m_seams; }
    // A message box of the main window, titled with the application title.
    void showMessage(const QString &text);

    // The sequence window, loaded (hidden) first when it is not.
    MultiPlay &multiPlay();
    bool multiPlayLoaded() const { return !m_multiPlay.isNull(); }
    void unloadMultiPlay();

    void mnuExit_Click();
    // The configuration-file commands of the "File" menu; MultiPlay's Open and Save and the
    // quit question run them too.
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // The file named on the command line, opened once at start-up instead of asking.
    QString CommandLineFile;
    // The configuration file last opened or saved; empty until then.
    QString CurrentFile;
    void setShutdownClock(ShutdownClock *clock) { m_shutdownClock = clock; }

    // The parts of the window, for the features that work on them.
    ConnectMenu &connectMenu() const { return *m_connectMenu; }
    KeypadFrame &keypad() const { return *m_keypad; }
    InstantToneFrame &instantTone() const { return *m_instantTone; }
    SinglePlayFrame &singlePlay() const { return *m_singlePlay; }
    MemoryPlayFrame &memoryPlay() const { return *m_memoryPlay; }
    MemoryTableFrame &memoryTable() const { return *m_memoryTable; }
    MemoryTransfer &memoryTransfer() const { return *m_memoryTransfer; }
    QLabel *Firmware() const { return m_firmware; }
    QLineEdit *StatusBox() const { return m_statusBox; }
    QPushButton *cmdLoad() const { return m_cmdLoad; }
    QPushButton *cmdProgram() const { return m_cmdProgram; }
    QPushButton *cmdAbort() const { return m_cmdAbort; }
    QPushButton *cmdMultiPlay() const { return m_cmdMultiPlay; }
    QAction *mnuReset() const { return m_mnuReset; }
    QMenu *mnuFile() const { return m_mnuFile; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildHeader(QWidget *client);
    void buildButtons(QWidget *client);
    void buildFileMenu();
    void Form_QueryUnload();

    Seams m_seams;
    ErrorLog m_log;
    CommandChannel m_channel;
    std::unique_ptr<ShutdownClock> m_systemClock;
    ShutdownClock *m_shutdownClock;

    ConnectMenu *m_connectMenu = nullptr;
    KeypadFrame *m_keypad = nullptr;
    InstantToneFrame *m_instantTone = nullptr;
    SinglePlayFrame *m_singlePlay = nullptr;
    MemoryPlayFrame *m_memoryPlay = nullptr;
    MemoryTableFrame *m_memoryTable = nullptr;
    MemoryTransfer *m_memoryTransfer = nullptr;
    QLabel *m_firmware = nullptr;
    QLineEdit *m_statusBox = nullptr;
    QPushButton *m_cmdLoad = nullptr;
    QPushButton *m_cmdProgram = nullptr;
    QPushButton *m_cmdAbort = nullptr;
    QPushButton *m_cmdMultiPlay = nullptr;
    QMenu *m_mnuFile = nullptr;
    QAction *m_mnuReset = nullptr;
    QPointer<MultiPlay> m_multiPlay;
};

} // namespace tonaq
