// Units that come and go, timed from the change to what the operator sees: a link to a new
// unit until the Connect menu lists it, the link removed until the menu drops it, the connected
// unit pulled until the window says it is gone, and the unit back until it is connected again.
#include "benchkit.h"
#include "program.h"

#include "app/connectmenu.h"
#include "sim/ptyunit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>

using namespace tonaq;

namespace {

constexpr int kRuns = 10;
constexpr int kBoundMs = 10000;

bool listed(MainWindow &window, int number) {
    for (const QAction *entry : window.connectMenu().entries()) {
        if (entry->data().toInt() == number && entry->isEnabled()) return true;
    }
    return false;
}

// Milliseconds from the change until the condition holds, the event loop turning meanwhile.
double until(const std::function<void()> &change, const std::function<bool()> &seen) {
    const double start = bench::steadyMs();
    change();
    if (!QTest::qWaitFor(seen, kBoundMs)) return kBoundMs;
    return bench::steadyMs() - start;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    test::Program program;
    program.followPorts = true;
    MainWindow &window = program.start();
    const auto status = [&] { return program.status(); };
    QList<double> appear, vanish, removed, reconnected;
    for (int run = 0; run < kRuns; ++run) {
        program.ports.unlink(5); // gone from the menu before it is timed coming
        QTest::qWaitFor([&] { return !listed(window, 5); }, kBoundMs);
        sim::PtyUnit *unit = nullptr;
        appear << until([&] { unit = &program.addTtyUnit(5); }, [&] { return listed(window, 5); });
        vanish << until([&] { program.ports.unlink(5); }, [&] { return !listed(window, 5); });
        program.ports.link(5, unit->devicePath());
        QTest::qWaitFor([&] { return listed(window, 5); }, kBoundMs);
        program.connectTo(5);
        removed << until([&] { unit->vanish(); },
                         [&] { return status() == QStringLiteral("Unit on COM5 removed."); });
        reconnected << until([&] { program.addTtyUnit(5); },
                             [&] { return status() == QStringLiteral("Connected on COM5"); });
        program.window().connectMenu().rescan(); // disconnected again for the next round
    }
    for (const auto &[name, values] :
         {std::pair<std::string, QList<double>>{"hotplug_appears", appear},
          {"hotplug_goes", vanish},
          {"hotplug_connected_unit_gone", removed},
          {"hotplug_reconnected", reconnected}}) {
        bench::report((name + "_p50").c_str(), bench::percentile(values, 50), "ms");
        bench::report((name + "_max").c_str(), bench::percentile(values, 100), "ms");
    }
    return 0;
}
