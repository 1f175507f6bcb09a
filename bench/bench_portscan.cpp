// The port scan of COM1 to COM255 ("Rescan"), with no device at all and with four
// pseudo-terminals linked as COM numbers.
#include "benchkit.h"
#include "program.h"

#include "app/connectmenu.h"
#include "sim/simulatedunit.h"

#include <QAction>
#include <QApplication>
#include <string>

using namespace tonaq;

namespace {

constexpr int kRuns = 5;

void measure(const std::string &prefix, int devices) {
    test::Program program;
    for (int i = 0; i < devices; ++i)
        program.addTtyUnit(3 + i * 7);
    MainWindow &window = program.start();
    QList<double> elapsed;
    for (int run = 0; run < kRuns; ++run) {
        const double start = bench::steadyMs();
        window.connectMenu().rescan();
        elapsed.append(bench::steadyMs() - start);
    }
    qsizetype found = 0;
    for (const QAction *entry : window.connectMenu().entries())
        found += entry->isEnabled() ? 1 : 0;
    bench::report((prefix + "_p50").c_str(), bench::percentile(elapsed, 50), "ms");
    bench::report((prefix + "_max").c_str(), bench::percentile(elapsed, 100), "ms");
    bench::report((prefix + "_found").c_str(), static_cast<double>(found), "ports");
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    measure("portscan_none", 0);
    measure("portscan_four", 4);
    return 0;
}
