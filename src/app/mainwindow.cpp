#include "app/mainwindow.h"

#include "app/connectmenu.h"
#include "app/logo.h"
#include "app/shutdown.h"
#include "base/trap.h"
#include "link/devicelink.h"
#include "link/portrefusal.h"
#include "memory/memorytableframe.h"
#include "multiplay/sequencewindow.h"
#include "session/portwatcher.h"
#include "tones/instanttoneframe.h"
#include "tones/keypadframe.h"
#include "tones/memoryplayframe.h"
#include "tones/singleplayframe.h"
#include "tones/tonecommands.h"
#include "ui/layouthelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace tonaq {

namespace {
const QSize kClientSize = twips(0, 0, 9585, 6480).size();

// The unit's text as the table's boxes show it (QLineEdit): a control character but the tab
// (ESC, BEL from a damaged unit or a hostile peer) as a blank; line ends stay, where a label
// breaks its lines.
QString shownAsText(QString text) {
    for (QChar &c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') c = u' ';
    }
    return text;
}
} // namespace

MainWindow::MainWindow(const Seams &seams, QWidget *parent)
    : QMainWindow(parent)
    , m_seams(seams)
    , m_log(seams.logFolder)
    , m_session(*seams.portMap, seams.trace)
    , m_transfer(m_session, m_memory, *this, m_log)
    , m_files(m_memory, *this, *seams.fileDialogs, m_log, seams.programFolder)
    , m_systemClock(std::make_unique<SystemShutdownClock>())
    , m_shutdownClock(m_systemClock.get()) {
    setObjectName(QStringLiteral("frmTonaq"));
    setFont(dialogFont());
    auto *client = new QWidget(this);
    client->setFixedSize(kClientSize);
    setCentralWidget(client);

    buildHeader(client);
    buildFrames(client);
    buildButtons(client);
    buildMenus();
    connect(&m_session, &UnitSession::progressed, this, &MainWindow::report);
    connect(&m_session, &UnitSession::controlsEnabledChanged, this,
            &MainWindow::setDeviceControlsEnabled);
    connect(&m_session, &UnitSession::firmwareAnswered, m_firmwareLabel,
            [this](const QString &reply) {
                m_firmwareReply = shownAsText(reply.trimmed());
                m_firmwareLabel->setText(tr("Firmware version: ") + shownAsText(reply));
            });
    connect(&m_session, &UnitSession::portsChanged, this, &MainWindow::showPortsFound);
    // The unit that went away is back: connect as the operator would, once this turn is over.
    connect(&m_session, &UnitSession::unitReturned, m_connectMenu, &ConnectMenu::connectToPort,
            Qt::QueuedConnection);
    connect(&m_memory, &MemoryModel::captionChanged, this,
            [this](const QString &caption) { showCaption(*this, caption); });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() {
    unloadMultiPlay();
}

void MainWindow::buildHeader(QWidget *client) {
    auto *logo = named(new QLabel(client), QStringLiteral("imgLogo"), QString(), baseTitle());
    logo->setPixmap(tonaqLogo());
    logo->setGeometry(twips(540, 180, 2745, 765));
    m_firmwareLabel = named(new QLabel(tr("Firmware Version: Not connected"), client),
                            QStringLiteral("Firmware"), tr("Device firmware info."));
    m_firmwareLabel->setGeometry(twips(3840, 60, 5655, 195));
    // The unit's reply ends in CR LF; from the top, its one line of text stays in sight. What
    // the unit says is never taken for markup.
    m_firmwareLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_firmwareLabel->setTextFormat(Qt::PlainText);
    auto *statusLabel = named(new QLabel(tr("Status:"), client), element("lblDisp", 4));
    statusLabel->setGeometry(twips(3840, 840, 495, 195));
    statusLabel->adjustSize();
    m_statusBox = named(new QLineEdit(client), QStringLiteral("StatusBox"), refusalsToolTip({}));
    m_statusBox->setGeometry(twips(4380, 780, 5115, 315));
    // The box keeps its light orange in every theme, so its text must be dark in every theme:
    // a dark theme's light text would all but vanish on it.
    QPalette orange = m_statusBox->palette();
    orange.setColor(QPalette::Base, QColor(0xFF, 0xE0, 0xC0));
    orange.setColor(QPalette::Text, Qt::black);
    m_statusBox->setPalette(orange);
    statusLabel->setBuddy(m_statusBox);
    // Fonts wider than the classic one would run the caption under the box: end it at the box.
    statusLabel->move(std::min(statusLabel->x(), m_statusBox->x() - statusLabel->width() - 3),
                      statusLabel->y());
}

void MainWindow::buildFrames(QWidget *client) {
    m_keypadFrame = new KeypadFrame(m_session, client);
    m_keypadFrame->setGeometry(twips(120, 1140, 3615, 3255));
    auto *table = new MemoryTableFrame(m_memory, *this, client);
    table->setGeometry(twips(3840, 1140, 5655, 3975));
    m_memoryPlayFrame = new MemoryPlayFrame(m_session, *this, m_memory, m_log, client);
    m_memoryPlayFrame->setGeometry(twips(120, 4380, 3615, 735));
    m_singlePlayFrame = new SinglePlayFrame(m_session, *this, m_log, client);
    m_singlePlayFrame->setGeometry(twips(120, 5100, 3615, 735));
    m_instantToneFrame = new InstantToneFrame(m_session, m_log, client);
    m_instantToneFrame->setGeometry(twips(3840, 5100, 3135, 735));
}

void MainWindow::buildButtons(QWidget *client) {
    auto button = [client](const char *name, const QString &caption, const QString &tip,
                           QRect place) {
        auto *b = named(new QPushButton(caption, client), QString::fromLatin1(name), tip);
        b->setGeometry(place);
        return b;
    };
    auto *multiPlayButton =
        button("cmdMultiPlay", tr("Multi Play"),
               tr("Sends tones with individual length/space times"), twips(8160, 5220, 1335, 375));
    m_downloadButton = button("cmdLoad", tr("Download"), tr("Downloads device settings"),
                              twips(5520, 6000, 1455, 375));
    m_uploadButton =
        button("cmdProgram", tr("Upload"), tr("Uploads new configuration data to the device"),
               twips(7140, 6000, 1455, 375));
    m_abortButton =
        button("cmdAbort", tr("Abort"), tr("Aborts timed mode tones"), twips(8760, 6000, 735, 375));
    connect(multiPlayButton, &QPushButton::clicked, this, &MainWindow::showSequenceWindow);
    connect(m_downloadButton, &QPushButton::clicked, this, [this] { m_transfer.download(); });
    connect(m_uploadButton, &QPushButton::clicked, this, [this] { m_transfer.upload(); });
    connect(m_abortButton, &QPushButton::clicked, this, [this] { abortTimedTones(m_session); });
}

// The desktop's own keys for Open, Save, Save As and Quit, shown beside the entries. The
// mnemonics of the menu bar (and of every translation) keep off A to D and the digits: Alt
// with those sounds a tone in the tone boxes.
void MainWindow::buildMenus() {
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    // Where the platform knows no keys for an entry (Qt's Windows and KDE schemes have none for
    // Save As, Windows none for Quit), it takes the keys every desktop program takes.
    auto item = [this, file](const char *name, const QString &caption,
                             QKeySequence::StandardKey standard, const char *usual, auto handler) {
        QAction *action = file->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
        if (keys.isEmpty() && *usual) keys = {QKeySequence(QString::fromLatin1(usual))};
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [file](const char *name) {
        file->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    const auto none = QKeySequence::UnknownKey;
    item("mnuOpen", tr("Open"), QKeySequence::Open, "", [this] { m_files.openFile(); });
    item("mnuSave", tr("Save"), QKeySequence::Save, "", [this] { m_files.saveFile(); });
    item("mnuSaveAs", tr("Save As..."), QKeySequence::SaveAs, "Ctrl+Shift+S",
         [this] { m_files.saveFileAs(); });
    separator("mnuLine");
    m_resetAction =
        item("mnuReset", tr("Reset Unit"), none, "", [this] { m_transfer.resetUnit(); });
    separator("mnuLine1");
    item("mnuExit", tr("Exit"), QKeySequence::Quit, "Ctrl+Q", [this] { quit(); });

    m_connectMenu = new ConnectMenu(m_session, m_log, this);
    connect(m_connectMenu, &ConnectMenu::refusalsFound, m_statusBox, &QLineEdit::setToolTip);
    menuBar()->addMenu(m_connectMenu->menu());

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction *about = help->addAction(tr("About Tonaq"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
}

// What a bug report needs: the version, the unit's firmware and where the log is.
void MainWindow::showAbout() {
    const QString firmware = m_session.isConnected() && !m_firmwareReply.isEmpty()
                                 ? m_firmwareReply
                                 : tr("not connected");
    const QString text =
        tr("%1\nControl and programming utility for the Tonaq DTMF "
           "tone-generator unit.\n\nLicence: MIT\n"
           "Unit firmware: %2\nError log: %3")
            .arg(baseTitle(), firmware, QDir::toNativeSeparators(m_log.filePath()));
    ask(Message{text, tr("About Tonaq")});
}

void MainWindow::load(const QString &commandLine) {
    trapped(m_log, Procedure::StartUp, [&](Trap &at) {
        at(10);
        m_session.createLink();
        at(20);
        showCaption(*this, m_memory.caption());
        at(30);
        show();
        at(40);
        m_connectMenu->rescan();
        if (m_seams.followPorts) {
            m_portWatcher = std::make_unique<PortWatcher>(winId());
            m_session.followPorts(*m_portWatcher);
        }
        at(50);
        sequenceWindow();
        at(60);
        if (!commandLine.isEmpty()) {
            at(70);
            m_files.commandLineFile = QString(commandLine).remove(u'"');
            at(80);
            m_files.openFile();
        }
    });
}

void MainWindow::report(const Progress &progress) {
    m_shownProgress = progress;
    m_statusBox->setText(statusText(progress));
}

// A device came or went. The status follows the scan's finding only while it shows one, and
// never while a unit is connected.
void MainWindow::showPortsFound(const ScanResult &found) {
    m_connectMenu->showPorts(found);
    const bool showsScan = m_shownProgress.what == Activity::PleaseConnect ||
                           m_shownProgress.what == Activity::NoPorts;
    if (showsScan && !m_session.isConnected())
        report({found.ports.isEmpty() ? Activity::NoPorts : Activity::PleaseConnect});
}

void MainWindow::setDeviceControlsEnabled(bool enabled) {
    m_downloadButton->setEnabled(enabled);
    m_uploadButton->setEnabled(enabled);
    m_abortButton->setEnabled(enabled);
    m_singlePlayFrame->playButton()->setEnabled(enabled);
    m_memoryPlayFrame->playButton()->setEnabled(enabled);
    for (QPushButton *key : m_keypadFrame->keys())
        key->setEnabled(enabled);
    m_resetAction->setEnabled(enabled);
    m_instantToneFrame->keysBox()->setEnabled(enabled);
    m_instantToneFrame->keyLockBox()->setEnabled(enabled);
    // Only a loaded MultiPlay is touched: asking for it would load it again at shutdown.
    if (m_sequenceWindow) m_sequenceWindow->sendButton()->setEnabled(enabled);
}

Button MainWindow::ask(const Message &message) {
    return m_seams.prompter->ask(this, message);
}

SequenceWindow &MainWindow::sequenceWindow() {
    if (!m_sequenceWindow) {
        m_sequenceWindow =
            new SequenceWindow(m_memory, m_session, m_files, *m_seams.prompter, m_log);
        // A window closed from its title bar deletes itself later; the next access loads anew.
        connect(m_sequenceWindow, &SequenceWindow::unloading, this,
                [this] { m_sequenceWindow = nullptr; });
        m_sequenceWindow->load();
    }
    return *m_sequenceWindow;
}

void MainWindow::unloadMultiPlay() {
    delete m_sequenceWindow.data();
}

// Shows the sequence window, modeless and without an owner, and brings it forward.
void MainWindow::showSequenceWindow() {
    SequenceWindow &window = sequenceWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void MainWindow::quit() {
    close();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    shutDown();
    event->accept(); // closing is never cancelled
}

void MainWindow::shutDown() {
    m_portWatcher.reset(); // the ports no longer matter
    trapped(m_log, Procedure::Shutdown, [&](Trap &at) {
        at(10);
        if (m_memory.hasUnsavedChanges()) {
            at(20);
            const Message question{tr("Save data before quitting?"), appTitle(),
                                   Button::Yes | Button::No, MessageIcon::None, Button::Yes};
            if (ask(question) == Button::Yes) {
                at(30);
                m_files.saveFile();
            }
        }
        at(40);
        unloadMultiPlay();
        at(50);
        report({Activity::Terminating});
        at(60);
        m_session.enableControls(false);
        at(70);
        DeviceLink &link = m_session.link();
        link.closePort();
        at(80);
        waitForPortToClose([&link] { return link.isPortOpen(); }, *m_shutdownClock);
        at(90);
        m_session.releaseLink();
    });
}

} // namespace tonaq
