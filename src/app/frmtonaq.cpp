#include "app/frmtonaq.h"

#include "app/basetitle.h"
#include "app/logo.h"
#include "app/prompter.h"
#include "app/shutdown.h"
#include "app/trap.h"
#include "config/filecommands.h"
#include "link/connectmenu.h"
#include "link/devicelink.h"
#include "memory/memorytableframe.h"
#include "memory/memorytransfer.h"
#include "multiplay/multiplay.h"
#include "tones/instanttoneframe.h"
#include "tones/keypadframe.h"
#include "tones/memoryplayframe.h"
#include "tones/singleplayframe.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace tonaq {

namespace {
constexpr const char *kForm = "Form frmTonaq";
const QSize kClientSize = twips(0, 0, 9585, 6480).size();
} // namespace

FrmTonaq::FrmTonaq(const Seams &seams, QWidget *parent)
    : QMainWindow(parent)
    , m_seams(seams)
    , m_log(seams.logFolder)
    , m_channel(*seams.portMap)
    , m_systemClock(std::make_unique<SystemShutdownClock>())
    , m_shutdownClock(m_systemClock.get()) {
    setObjectName(QStringLiteral("frmTonaq"));
    // The layout is measured for a classic 8-point dialog font.
    QFont dialogFont = QApplication::font();
    dialogFont.setPointSizeF(8);
    setFont(dialogFont);
    auto *client = new QWidget(this);
    client->setFixedSize(kClientSize);
    setCentralWidget(client);

    buildHeader(client);
    m_keypad = new KeypadFrame(*this, client);
    m_keypad->setGeometry(twips(120, 1140, 3615, 3255));
    m_memoryTable = new MemoryTableFrame(*this, client);
    m_memoryTable->setGeometry(twips(3840, 1140, 5655, 3975));
    m_memoryPlay = new MemoryPlayFrame(*this, client);
    m_memoryPlay->setGeometry(twips(120, 4380, 3615, 735));
    m_singlePlay = new SinglePlayFrame(*this, client);
    m_singlePlay->setGeometry(twips(120, 5100, 3615, 735));
    m_instantTone = new InstantToneFrame(*this, client);
    m_instantTone->setGeometry(twips(3840, 5100, 3135, 735));
    buildButtons(client);

    buildFileMenu();
    wireFileMenu(*this);
    m_memoryTransfer = new MemoryTransfer(*this);
    m_connectMenu = new ConnectMenu(*this, *seams.portMap);
    menuBar()->addMenu(m_connectMenu->COMSelect());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

FrmTonaq::~FrmTonaq() {
    unloadMultiPlay();
}

void FrmTonaq::buildHeader(QWidget *client) {
    auto *logo = named(new QLabel(client), QStringLiteral("imgLogo"), BaseTitle());
    logo->setPixmap(tonaqLogo());
    logo->setGeometry(twips(540, 180, 2745, 765));
    m_firmware =
        named(new QLabel(QStringLiteral("Firmware Version: Not connected"), client),
              QStringLiteral("Firmware"), QStringLiteral("Firmware Version: Not connected"),
              QStringLiteral("Device firmware info."));
    m_firmware->setGeometry(twips(3840, 60, 5655, 195));
    // The unit's reply ends in CR LF; from the top, its one line of text stays in sight.
    m_firmware->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *statusLabel = named(new QLabel(QStringLiteral("Status:"), client), element("lblDisp", 4),
                              QStringLiteral("Status:"));
    statusLabel->setGeometry(twips(3840, 840, 495, 195));
    statusLabel->adjustSize();
    m_statusBox =
        named(new QLineEdit(client), QStringLiteral("StatusBox"), QStringLiteral("Status"),
              QStringLiteral("Displays status of the current operation"));
    m_statusBox->setGeometry(twips(4380, 780, 5115, 315));
    m_statusBox->setStyleSheet(QStringLiteral("QLineEdit { background-color: #FFE0C0; }"));
    statusLabel->setBuddy(m_statusBox);
    // Fonts wider than the classic one would run the caption under the box: end it at the box.
    statusLabel->move(std::min(statusLabel->x(), m_statusBox->x() - statusLabel->width() - 3),
                      statusLabel->y());
}

void FrmTonaq::buildButtons(QWidget *client) {
    auto button = [client](const char *name, const char *caption, const char *tip, QRect place) {
        auto *b =
            named(new QPushButton(QString::fromLatin1(caption), client), QString::fromLatin1(name),
                  QString::fromLatin1(caption), QString::fromLatin1(tip));
        b->setGeometry(place);
        return b;
    };
    m_cmdMultiPlay =
        button("cmdMultiPlay", "Multi Play", "Sends tones with individual length/space times",
               twips(8160, 5220, 1335, 375));
    m_cmdLoad =
        button("cmdLoad", "Download", "Downloads device settings", twips(5520, 6000, 1455, 375));
    m_cmdProgram = button("cmdProgram", "Upload", "Uploads new configuration data to the device",
                          twips(7140, 6000, 1455, 375));
    m_cmdAbort =
        button("cmdAbort", "Abort", "Aborts timed mode tones", twips(8760, 6000, 735, 375));
    connect(m_cmdAbort, &QPushButton::clicked, m_singlePlay, &SinglePlayFrame::cmdAbort_Click);
    connect(m_cmdMultiPlay, &QPushButton::clicked, this, [this] { cmdMultiPlay_Click(*this); });
}

void FrmTonaq::buildFileMenu() {
    m_mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    auto item = [this](const char *name, const QString &caption) {
        QAction *action = m_mnuFile->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto separator = [this](const char *name) {
        m_mnuFile->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    item("mnuOpen", QStringLiteral("Open"));
    item("mnuSave", QStringLiteral("Save"));
    item("mnuSaveAs", QStringLiteral("Save As..."));
    separator("mnuLine");
    m_mnuReset = item("mnuReset", QStringLiteral("Reset Unit"));
    separator("mnuLine1");
    connect(item("mnuExit", QStringLiteral("Exit")), &QAction::triggered, this,
            &FrmTonaq::mnuExit_Click);
}

void FrmTonaq::Form_Load(const QString &commandLine) {
    trapped(m_log, "Form_Load", kForm, [&](Trap &at) {
        at(10);
        m_channel.createLink(QStringLiteral("9600,n,8,1"));
        at(20);
        setWindowTitle(BaseTitle());
        at(30);
        show();
        at(40);
        m_connectMenu->mnuScanPorts_Click();
        at(50);
        multiPlay();
        at(60);
        if (!commandLine.isEmpty()) {
            at(70);
            CommandLineFile = QString(commandLine).remove(u'"');
            at(80);
            mnuOpen_Click();
        }
    });
}

void FrmTonaq::SetStatus(const QString &text) {
    m_statusBox->setText(text);
}

bool FrmTonaq::refuseWhenDisconnected() {
    if (m_channel.Connected()) return false;
    SetStatus(QStringLiteral("Not connected."));
    return true;
}

void FrmTonaq::EnableControls(bool enabled) {
    m_cmdLoad->setEnabled(enabled);
    m_cmdProgram->setEnabled(enabled);
    m_cmdAbort->setEnabled(enabled);
    m_singlePlay->cmdSinglePlay()->setEnabled(enabled);
    m_memoryPlay->cmdMemPlay()->setEnabled(enabled);
    for (QPushButton *key : m_keypad->KeyPad())
        key->setEnabled(enabled);
    m_mnuReset->setEnabled(enabled);
    m_instantTone->txtKeys()->setEnabled(enabled);
    m_instantTone->chkKeyLock()->setEnabled(enabled);
    // Only a loaded MultiPlay is touched: asking for it would load it again at shutdown.
    if (IsFormLoaded(QStringLiteral("MultiPlay")) && m_multiPlay)
        m_multiPlay->cmdSend()->setEnabled(enabled);
}

bool FrmTonaq::IsFormLoaded(const QString &name) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(),
                       [&name](const QWidget *w) { return w->objectName() == name; });
}

void FrmTonaq::showMessage(const QString &text) {
    prompter().ask(this, Message{text, AppTitle()});
}

MultiPlay &FrmTonaq::multiPlay() {
    if (!m_multiPlay) {
        m_multiPlay = new MultiPlay(*this);
        // A window closed from its title bar deletes itself later; the next access loads anew.
        connect(m_multiPlay, &MultiPlay::unloading, this, [this] { m_multiPlay = nullptr; });
        m_multiPlay->Form_Load();
    }
    return *m_multiPlay;
}

void FrmTonaq::unloadMultiPlay() {
    delete m_multiPlay.data();
}

void FrmTonaq::mnuExit_Click() {
    close();
}

void FrmTonaq::closeEvent(QCloseEvent *event) {
    Form_QueryUnload();
    event->accept(); // closing is never cancelled
}

void FrmTonaq::Form_QueryUnload() {
    trapped(m_log, "Form_QueryUnload", kForm, [&](Trap &at) {
        at(10);
        if (windowTitle().endsWith(QStringLiteral("*]"))) {
            at(20);
            const Message question{QStringLiteral("Save data before quitting?"), AppTitle(),
                                   MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes};
            if (prompter().ask(this, question) == MsgAnswer::Yes) {
                at(30);
                mnuSave_Click();
            }
        }
        at(40);
        unloadMultiPlay();
        at(50);
        SetStatus(QStringLiteral("Terminating..."));
        at(60);
        EnableControls(false);
        at(70);
        m_channel.link().ClosePort();
        at(80);
        waitForPortToClose([this] { return m_channel.link().PortIsOpen(); }, *m_shutdownClock);
        at(90);
        m_channel.releaseLink();
    });
}

} // namespace tonaq
