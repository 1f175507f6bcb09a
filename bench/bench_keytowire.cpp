// Key to wire: from a keypad button press, or a key press in the tone box, to the first byte
// of the tone command arriving at the unit; and from the release to its "%". The unit stamps
// arrivals on the same steady clock the press is timed with (SimulatedUnit::nowMs).
#include "benchkit.h"
#include "program.h"

#include "sim/simulatedunit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <string>
#include <thread>

using namespace tonaq;

namespace {

constexpr int kPresses = 1000;
// The unit takes a "%" alone as the end of a tone only after 5 ms without a tone character.
constexpr auto kBetweenPresses = std::chrono::milliseconds(7);

// Milliseconds from now until the unit has received one byte more than it had.
template <typename Action> double latency(sim::SimulatedUnit &unit, Action action) {
    const qsizetype before = unit.receivedLog().size();
    const double start = unit.nowMs();
    action();
    const double returned = unit.nowMs() - start;
    if (returned > 5 && qEnvironmentVariableIsSet("TONAQ_BENCH_VERBOSE"))
        std::fprintf(stderr, "slow action: %.1f ms\n", returned);
    for (;;) {
        const QList<sim::ReceivedByte> log = unit.receivedLog();
        if (log.size() > before) return log[before].atMs - start;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

template <typename Press, typename Release>
void measure(const std::string &prefix, sim::SimulatedUnit &unit, Press press, Release release) {
    QList<double> down;
    QList<double> up;
    for (int i = 0; i < kPresses; ++i) {
        down.append(latency(unit, press));
        up.append(latency(unit, release));
        std::this_thread::sleep_for(kBetweenPresses);
        if (i % 100 == 0) unit.clearRecords();
    }
    for (const auto &[name, values] : {std::pair{"_press", down}, std::pair{"_release", up}}) {
        bench::report((prefix + name + "_p50").c_str(), bench::percentile(values, 50), "ms");
        bench::report((prefix + name + "_p99").c_str(), bench::percentile(values, 99), "ms");
        bench::report((prefix + name + "_max").c_str(), bench::percentile(values, 100), "ms");
    }
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    unit.setPacing(true);
    program.start();
    program.connectTo(3);

    QPushButton *five = program.find<QPushButton>("KeyPad(4)");
    measure(
        "keypad", unit, [&] { QTest::mousePress(five, Qt::LeftButton); },
        [&] { QTest::mouseRelease(five, Qt::LeftButton); });

    QLineEdit *box = program.find<QLineEdit>("txtKeys");
    box->setFocus();
    measure(
        "txtkeys", unit, [&] { QTest::keyPress(box, Qt::Key_5); },
        [&] { QTest::keyRelease(box, Qt::Key_5); });
    return 0;
}
