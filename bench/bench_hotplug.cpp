// Units that come and go, timed from the change to what the operator sees: a link to a new
// unit until the Connect menu lists it, the link removed until the menu drops it, the connected
// unit pulled until the window says it is gone, and the unit back until it is connected again.
// Then the idle window while the device folder changes under it with names that are no serial
// device, and while terminals come and go where a COM entry's link points: the files it opens
// (every one, and those of the ports it lists) and the CPU it takes.
#include "benchkit.h"
#include "program.h"

#include "app/connectmenu.h"
#include "sim/pseudoterminal.h"
#include "sim/ptyunit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <atomic>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/resource.h>

using namespace tonaq;

// Every open of this process is counted, by the program and the libraries it uses alike.
namespace {
std::atomic<long> g_opens{0};
std::atomic<long> g_listedOpens{0};
std::string g_listed[2]; // the ports the window lists, set before counting begins

void count(const char *path) {
    ++g_opens;
    for (const std::string &listed : g_listed)
        if (!listed.empty() && listed == path) ++g_listedOpens;
}

template <class Fn> Fn next(const char *name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}
} // namespace

#define TONAQ_COUNTED_OPEN(name)                                                                   \
    extern "C" int name(const char *path, int flags, ...) {                                        \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const auto mode = static_cast<mode_t>(va_arg(args, int));                                  \
        va_end(args);                                                                              \
        count(path);                                                                               \
        static const auto real = next<int (*)(const char *, int, ...)>(#name);                     \
        return real(path, flags, mode);                                                            \
    }
#define TONAQ_COUNTED_OPENAT(name)                                                                 \
    extern "C" int name(int folder, const char *path, int flags, ...) {                            \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const auto mode = static_cast<mode_t>(va_arg(args, int));                                  \
        va_end(args);                                                                              \
        count(path);                                                                               \
        static const auto real = next<int (*)(int, const char *, int, ...)>(#name);                \
        return real(folder, path, flags, mode);                                                    \
    }
TONAQ_COUNTED_OPEN(open)
TONAQ_COUNTED_OPEN(open64)
TONAQ_COUNTED_OPENAT(openat)
TONAQ_COUNTED_OPENAT(openat64)

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

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void unlink(test::Program &program, int number) {
    QFile::remove(program.ports.folder() + QStringLiteral("/COM%1").arg(number));
    program.ports.map().refresh();
}

// The idle window, one unit listed through a COM entry that links to a pseudo-terminal and
// one as a device of the folder's own families: ten names that are no serial device made and
// removed in the device folder, then ten terminals opened and closed beside the entry's.
void idleWhileDevicesChange() {
    test::Program program;
    program.followPorts = true;
    sim::PtyUnit &entry = program.addTtyUnit(5);
    sim::PtyUnit family({.pacing = false});
    const QString node = program.ports.deviceFolder() + QStringLiteral("/ttyS0");
    QFile::link(family.devicePath(), node);
    program.ports.map().refresh();
    MainWindow &window = program.start();
    QTest::qWait(500);
    if (!listed(window, 1) || !listed(window, 5)) std::fprintf(stderr, "ports not listed\n");
    g_listed[0] = entry.devicePath().toStdString();
    g_listed[1] = node.toStdString();
    const auto measure = [&](const char *name, const std::function<void(int)> &change) {
        const long opens = g_opens, listedOpens = g_listedOpens;
        const double cpu = cpuMs();
        const double start = bench::steadyMs();
        for (int i = 0; i < 10; ++i) {
            change(i);
            QTest::qWait(150); // past the watcher's settling, so that each is a change of its own
        }
        QTest::qWait(500);
        const std::string prefix = std::string("idle_") + name;
        bench::report((prefix + "_opens").c_str(), double(g_opens - opens), "opens");
        bench::report((prefix + "_listed_port_opens").c_str(), double(g_listedOpens - listedOpens),
                      "opens");
        bench::report((prefix + "_cpu").c_str(),
                      100 * (cpuMs() - cpu) / (bench::steadyMs() - start), "%");
    };
    measure("device_folder_changes", [&](int i) {
        const QString name = program.ports.deviceFolder() + QStringLiteral("/loop%1").arg(i);
        QFile(name).open(QIODevice::WriteOnly);
        QTest::qWait(150);
        QFile::remove(name);
    });
    measure("terminals_come_and_go", [&](int) {
        sim::PseudoTerminal terminal;
        QTest::qWait(150);
    });
    if (!listed(window, 1) || !listed(window, 5)) std::fprintf(stderr, "ports lost\n");
}

void comeAndGo() {
    test::Program program;
    program.followPorts = true;
    MainWindow &window = program.start();
    const auto status = [&] { return program.status(); };
    QList<double> appear, vanish, removed, reconnected;
    for (int run = 0; run < kRuns; ++run) {
        unlink(program, 5); // gone from the menu before it is timed coming
        // A wait that runs out shows in the next figure, as the time it adds.
        (void)QTest::qWaitFor([&] { return !listed(window, 5); }, kBoundMs);
        sim::PtyUnit *unit = nullptr;
        appear << until([&] { unit = &program.addTtyUnit(5); }, [&] { return listed(window, 5); });
        vanish << until([&] { unlink(program, 5); }, [&] { return !listed(window, 5); });
        program.ports.link(5, unit->devicePath());
        (void)QTest::qWaitFor([&] { return listed(window, 5); }, kBoundMs);
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
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    comeAndGo();
    idleWhileDevicesChange();
    return 0;
}
