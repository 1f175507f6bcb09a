// tonaqctl: the window's commands from a shell, for benches that program many units, a check
// over SSH, or a script. Runs without a display.
#include "base/basetitle.h"
#include "base/console.h"
#include "base/translations.h"
#include "ctl/ctloptions.h"
#include "ctl/ctlrun.h"
#include "ctl/fleetrun.h"
#include "sound/processend.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace tonaq;
using namespace tonaq::ctl;

namespace {

int run(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const ConsoleSetup console(ConsoleSetup::Program::Console);
    QCoreApplication::setApplicationName(QStringLiteral("tonaqctl"));
    installTranslations();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CtlOptions options = parseCtlOptions(QCoreApplication::arguments());
    if (options.help) {
        out << ctlUsage();
        return kDone;
    }
    if (options.version) {
        out << "tonaqctl " << versionText() << Qt::endl;
        return kDone;
    }
    if (!options.error.isEmpty()) {
        // What is wrong, and where to read how it goes: not the whole help.
        err << "tonaqctl: " << options.error << '\n'
            << QCoreApplication::translate("tonaqctl",
                                           "Try 'tonaqctl --help' for more information.")
            << '\n';
        return kUsage;
    }
    if (options.ports.size() > 1) return FleetRun(options, out, console.outputIsTerminal()).exec();
    return CtlRun(options, out, err, console.outputIsTerminal(), console.errorIsTerminal()).exec();
}

} // namespace

int main(int argc, char *argv[]) {
    sound::endProcess(run(argc, argv));
}
