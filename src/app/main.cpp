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

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle());
    QApplication::setApplicationVersion(BaseTitle().section(u'v', -1));
    const StartOptions options = parseStartOptions(QApplication::arguments());
    QTextStream out(stdout);
    if (options.help || !options.unknownOption.isEmpty()) {
        if (!options.unknownOption.isEmpty())
            QTextStream(stderr) << "Unknown option: " << options.unknownOption << "\n";
        out << usageText();
        return options.unknownOption.isEmpty() ? 0 : 2;
    }
    if (options.version) {
        out << AppTitle() << ' ' << QApplication::applicationVersion() << "\n";
        return 0;
    }

    InitVisualStyles();
    PortMap ports = PortMap::forCurrentUser();
    std::unique_ptr<sim::SimulatedUnit> demoUnit;
    if (options.demo) {
        demoUnit = std::make_unique<sim::SimulatedUnit>();
        ports.reserve(demoUnit->devicePath());
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
