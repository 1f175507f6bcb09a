// Start-up to the main window shown, idle CPU with and without a connection, and peak memory.
// bench/run passes the launch moment (TONAQ_BENCH_LAUNCH_NS, CLOCK_REALTIME) so the figure from
// process start includes loading the program and its libraries.
#include "benchkit.h"
#include "program.h"

#include <QApplication>
#include <QEvent>
#include <QMap>
#include <QTimer>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <time.h>

using namespace tonaq;

namespace {

constexpr int kIdleMs = 10000;

double realtimeMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double cpuMs(const rusage &usage) {
    const auto ms = [](const timeval &t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Counts the timer events the main thread's objects get while the event loop idles.
class TimerCounter : public QObject {
public:
    int timers = 0;
    int others = 0;
    QMap<QString, int> timerReceivers; // by class

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Timer)
            ++timerReceivers[QString::fromLatin1(watched->metaObject()->className())
                                 .replace(QStringLiteral("::"), QStringLiteral("_"))];
        (event->type() == QEvent::Timer ? timers : others) += 1;
        return false;
    }
};

void idle(const char *prefix, QApplication &app) {
    TimerCounter counter;
    rusage before{};
    rusage after{};
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &app, &QApplication::quit);
    end.start(kIdleMs);
    app.installEventFilter(&counter);
    getrusage(RUSAGE_SELF, &before);
    const double start = bench::steadyMs();
    QApplication::exec();
    const double wall = bench::steadyMs() - start;
    getrusage(RUSAGE_SELF, &after);
    app.removeEventFilter(&counter);
    const std::string p(prefix);
    for (auto it = counter.timerReceivers.cbegin(); it != counter.timerReceivers.cend(); ++it)
        bench::report((p + "_timer_events_to_" + it.key().toStdString()).c_str(), it.value(),
                      "events");
    bench::report((p + "_cpu").c_str(), 100.0 * (cpuMs(after) - cpuMs(before)) / wall, "%");
    bench::report((p + "_timer_events").c_str(), counter.timers - 1, "events"); // less our own
    bench::report((p + "_other_events").c_str(), counter.others, "events");
    bench::report((p + "_context_switches").c_str(),
                  static_cast<double>(after.ru_nvcsw - before.ru_nvcsw), "switches");
}

} // namespace

int main(int argc, char **argv) {
    const double entered = realtimeMs();
    QApplication app(argc, argv);
    test::Program program;
    program.followPorts = true; // as the program runs: watching for units that come and go
    program.addTtyUnit(3);      // a unit on the line, as at an operator's desk

    const double beforeWindow = realtimeMs();
    program.start();
    QCoreApplication::processEvents(); // the first paint
    const double shown = realtimeMs();
    if (const QByteArray launch = qgetenv("TONAQ_BENCH_LAUNCH_NS"); !launch.isEmpty()) {
        const double launchMs = launch.toDouble() / 1e6;
        bench::report("startup_from_process_start", shown - launchMs, "ms");
    }
    bench::report("startup_from_main", shown - entered, "ms");
    bench::report("startup_from_window_construction", shown - beforeWindow, "ms");

    idle("idle_not_connected", app);
    program.connectTo(3);
    idle("idle_connected", app);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    bench::report("peak_rss", static_cast<double>(usage.ru_maxrss) / 1024.0, "MiB");
    return 0;
}
