#include "app/connectmenu.h"
#include "app/mainwindow.h"
#include "app/startoptions.h"
#include "app/xpstyle.h"
#include "base/basetitle.h"
#include "base/console.h"
#include "base/errorlog.h"
#include "base/translations.h"
#include "link/portmap.h"
#include "link/wiretrace.h"
#include "sim/attach.h"
#include "sound/demo.h"
#include "sound/processend.h"
#include "ui/messageboxprompter.h"
#include "ui/qtfiledialogs.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace tonaq {
namespace {

constexpr const char *kNoDisplay =
    "tonaq: no X11 or Wayland display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
    "unset or cannot be reached); --help and --version work without one\n";

QStringList argumentsOf(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

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
    if (arguments.contains(QLatin1String("-platform")) ||
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

// Answers --help and --version before any window system is needed. Qt's own options are not
// known yet at this point, so an unknown option waits for the second reading.
std::optional<int> answerWithoutWindow(const StartOptions &options) {
    if (options.help) {
        QTextStream(stdout) << usageText();
        return 0;
    }
    if (options.version) {
        QTextStream(stdout) << appTitle() << ' ' << versionText() << "\n";
        return 0;
    }
    return std::nullopt;
}

int fail(const QString &message, int code) {
    QTextStream(stderr) << "tonaq: " << message << "\n";
    return code;
}

int run(int argc, char *argv[]) {
    const ConsoleSetup console(ConsoleSetup::Program::Windowed);
    if (const auto answered = answerWithoutWindow(parseStartOptions(argumentsOf(argc, argv))))
        return *answered;
    if (noDisplayToTry(argumentsOf(argc, argv))) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const QString &message : std::as_const(g_startupMessages))
        QTextStream(stderr) << message << '\n';
    QApplication::setApplicationName(appTitle());
    QApplication::setApplicationVersion(versionText());
    installTranslations();

    // Read again now that Qt has taken its own options (-platform, -style) off the list.
    const StartOptions options = parseStartOptions(QApplication::arguments());
    if (!options.error.isEmpty())
        return fail(
            options.error + u'\n' +
                QCoreApplication::translate("tonaq", "Try 'tonaq --help' for more information."),
            2);
    initVisualStyles();

    std::unique_ptr<WireTrace> trace;
    if (!options.tracePath.isEmpty()) {
        trace = std::make_unique<WireTrace>(options.tracePath);
        if (!trace->isOpen())
            return fail(QCoreApplication::translate("tonaq", "cannot write the trace %1: %2")
                            .arg(options.tracePath, trace->errorString()),
                        1);
    }
    PortMap ports = PortMap::forCurrentUser();
    std::unique_ptr<sound::Demo> demo;
    int demoPort = 0;
    if (options.demo) {
        QString why;
        if (!(demo = sound::Demo::start(&why)))
            return fail(QCoreApplication::translate("tonaq", "no simulated unit: %1").arg(why), 1);
        demoPort = sim::attachSimulatedUnit(ports, demo->unit(), QStringLiteral("demo"));
    }
    MessageBoxPrompter prompter;
    QtFileDialogs fileDialogs;
    Seams seams;
    seams.prompter = &prompter;
    seams.fileDialogs = &fileDialogs;
    seams.portMap = &ports;
    seams.logFolder = ErrorLog::defaultFolder();
    seams.programFolder = defaultDialogFolder();
    seams.trace = trace.get();
    seams.followPorts = true;

    MainWindow window(seams);
    window.load(options.commandLine);
    // Asked for the demo, the operator is connected to it at once: a newcomer need not know
    // which COM number it took.
    if (demoPort != 0) window.connectMenu().connectToPort(demoPort);
    const int result = QApplication::exec();
    if (trace && !trace->writeFailure().isEmpty())
        return fail(QCoreApplication::translate("tonaq", "cannot write the trace %1: %2")
                        .arg(options.tracePath, trace->writeFailure()),
                    1);
    if (demo && !options.wavPath.isEmpty() && !demo->unit().writeWav(options.wavPath))
        return fail(QCoreApplication::translate("tonaq", "cannot write %1").arg(options.wavPath),
                    1);
    return result;
}

} // namespace
} // namespace tonaq

int main(int argc, char *argv[]) {
    tonaq::sound::endProcess(tonaq::run(argc, argv));
}
