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

    QApplication app(argc, argv);
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
