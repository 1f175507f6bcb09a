// Download of all eight locations, Upload of one full location with its read-back, and a
// MultiPlay send of 20 rows, through the real window, driver and link against the unit paced
// at 9600 baud: directly, behind an adapter's 16 ms latency timer, and from a unit whose writer
// stalls 30 ms between bytes. Each figure is set against the floor the line itself needs.
#include "benchkit.h"
#include "program.h"

#include "sim/simulatedunit.h"

#include <QApplication>
#include <cstdio>
#include <string>

using namespace tonaq;

namespace {

constexpr int kRuns = 5;
constexpr double kReadBackPauseMs = 50; // the upload's own pause before it reads back

struct Rig {
    Rig(int chunkMs, double byteGapMs)
        : unit(program.addUnit(3)) {
        unit.setPacing(true);
        unit.setChunkMs(chunkMs);
        unit.setByteGapMs(byteGapMs);
        window = &program.start();
        program.connectTo(3);
    }
    test::Program program;
    sim::SimulatedUnit &unit;
    MainWindow *window = nullptr;
};

// Rows of the table that differ from the unit's memory, and error lines logged: a reply cut
// in two shows as either.
int faultsAfter(Rig &rig) {
    const QStringList lines = rig.program.logLines();
    for (const QString &line : lines)
        std::fprintf(stderr, "log: %s\n", qPrintable(line));
    int faults = static_cast<int>(lines.size());
    const QStringList table = test::tableOf(rig.window->memory());
    const QStringList unit = test::tableOf(rig.unit);
    for (qsizetype i = 0; i < table.size(); ++i) {
        if (table[i] == unit[i]) continue;
        ++faults;
        std::fprintf(stderr, "row %lld: %s\n", qlonglong(i), qPrintable(table[i]));
    }
    return faults;
}

template <typename Action>
void measure(const std::string &prefix, Rig &rig, Action action, double pauseMs = 0,
             int runs = kRuns) {
    QList<double> elapsed;
    bench::WireTime wire;
    int faults = 0;
    for (int run = 0; run < runs; ++run) {
        rig.unit.clearRecords();
        const double start = bench::steadyMs();
        action();
        elapsed.append(bench::steadyMs() - start - pauseMs);
        wire = bench::wireTimeOf(rig.unit);
        faults += faultsAfter(rig);
    }
    bench::reportTransfer(prefix.c_str(), bench::percentile(elapsed, 50), wire);
    bench::report((prefix + "_elapsed_max").c_str(), bench::percentile(elapsed, 100), "ms");
    bench::report((prefix + "_faults").c_str(), faults, "rows or log lines");
}

void fullFirstRow(MemoryModel &memory) {
    memory.setText(0, MemoryModel::Text::Length, QStringLiteral("100"));
    memory.setText(0, MemoryModel::Text::Space, QStringLiteral("50"));
    memory.setText(0, MemoryModel::Text::Tones, QStringLiteral("0123456789ABCD*#0123"));
    for (int i = 0; i < kLocationCount; ++i)
        memory.setUpdate(i, i == 0);
}

void fullSequence(MemoryModel &memory) {
    for (int row = 1; row <= kSequenceRows; ++row) {
        memory.setCell(row, kToneColumn, QString::number(row % 10));
        memory.setCell(row, kDurationColumn, QStringLiteral("100"));
        memory.setCell(row, kSpaceColumn, QStringLiteral("50"));
    }
}

void benchmark(const std::string &suffix, int chunkMs, double byteGapMs) {
    Rig rig(chunkMs, byteGapMs);
    MemoryTransfer &transfer = rig.window->transfer();
    const int runs = byteGapMs > 0 ? 1 : kRuns;
    measure(
        "download" + suffix, rig, [&] { transfer.download(); }, 0, runs);
    if (byteGapMs > 0) return;
    measure(
        "upload_readback" + suffix, rig,
        [&] {
            fullFirstRow(rig.window->memory());
            transfer.upload();
        },
        kReadBackPauseMs);
    fullSequence(rig.window->memory());
    UnitDriver &unit = rig.window->unit();
    measure("send20" + suffix, rig, [&] { unit.sendSequence(rig.window->memory().sequence()); });
    rig.unit.setFaults({.quietSequenceFields = true});
    QList<double> elapsed;
    for (int run = 0; run < kRuns; ++run) {
        const double start = bench::steadyMs();
        unit.sendSequence(rig.window->memory().sequence());
        elapsed.append(bench::steadyMs() - start);
    }
    bench::report(("send20_fields_unanswered" + suffix + "_elapsed").c_str(),
                  bench::percentile(elapsed, 50), "ms");
    rig.unit.setFaults({});
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark("", 0, 0);
    benchmark("_chunked16", 16, 0);
    benchmark("_bytes30ms_apart", 0, 30);
    return 0;
}
