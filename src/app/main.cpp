#include "app/basetitle.h"
#include "app/errorlog.h"
#include "app/frmtonaq.h"
#include "app/prompter.h"
#include "app/startoptions.h"
#include "app/xpstyle.h"
#include "config/qtfiledialogs.h"
#include "link/portmap.h"
#include "sim/simulatedunit.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace tonaq;

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

constexpr const char *kNoDisplay =
    "tonaq: no X11 or Wayland display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
    "unset or cannot be reached); --help and --version work without one\n";

// Qt ends the process from inside QApplication's constructor when the window system cannot be
// reached. While the application starts its messages are held back: such an end then says in
// one line what is missing, and a good start passes them on.
QStringList g_startupMessages;
void holdStartupMessage(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(1);
    }
    g_startupMessages.append(message);
}

// No display in sight and no platform chosen that needs none: nothing to try.
bool noDisplayToTry(const QStringList &arguments) {
    if (arguments.contains(QLatin1String("-platform")) || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer before any window system is needed.
    const StartOptions early = parseStartOptions(argumentsOf(argc, argv));
    if (early.help || !early.unknownOption.isEmpty()) {
        if (!early.unknownOption.isEmpty())
            QTextStream(stderr) << "Unknown option: " << early.unknownOption << "\n";
        QTextStream(stdout) << usageText();
        return early.unknownOption.isEmpty() ? 0 : 2;
    }
    if (early.version) {
        QTextStream(stdout) << AppTitle() << ' ' << VersionText() << "\n";
        return 0;
    }

    if (noDisplayToTry(argumentsOf(argc, argv))) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const QString &message : std::as_const(g_startupMessages))
        QTextStream(stderr) << message << '\n';
    QApplication::setApplicationName(AppTitle());
    QApplication::setApplicationVersion(VersionText());
    // Read again now that Qt has taken its own options (-platform, -style) off the list.
    const StartOptions options = parseStartOptions(QApplication::arguments());
    InitVisualStyles();
    PortMap ports = PortMap::forCurrentUser();
    std::unique_ptr<sim::SimulatedUnit> demoUnit;
    if (options.demo) {
        try {
            demoUnit = std::make_unique<sim::SimulatedUnit>();
            ports.reserve(demoUnit->devicePath());
        } catch (const std::exception &error) {
            QTextStream(stderr) << "No simulated unit: " << error.what() << "\n";
            return 1;
        }
    }
    MessageBoxPrompter prompter;
    QtFileDialogs fileDialogs;
    Seams seams;
    seams.prompter = &prompter;
    seams.fileDialogs = &fileDialogs;
    seams.portMap = &ports;
    seams.logFolder = ErrorLog::defaultFolder();
    seams.programFolder = defaultDialogFolder();

    FrmTonaq window(seams);
    window.Form_Load(options.commandLine);
    return QApplication::exec();
}
