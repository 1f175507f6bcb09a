// Download of all eight locations, and Upload of one full location with its read-back, through
// the real window and link against the unit paced at 9600 baud, with and without an adapter's
// 16 ms chunking.
#include "benchkit.h"
#include "program.h"

#include "memory/memorytableframe.h"
#include "memory/memorytransfer.h"
#include "sim/simulatedunit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <cstdio>
#include <string>

using namespace tonaq;

namespace {

constexpr int kRuns = 5;
constexpr double kReadBackPauseMs = 50; // the upload's own pause before it reads back

struct Rig {
    explicit Rig(int chunkMs)
        : unit(program.addUnit(3)) {
        unit.setPacing(true);
        unit.setChunkMs(chunkMs);
        window = &program.start();
        program.connectTo(3); // the connect's replies are the link's first look at the line
    }
    test::Program program;
    sim::SimulatedUnit &unit;
    FrmTonaq *window = nullptr;
};

// Rows of the table that differ from the unit's memory, and error lines logged: a reply cut
// in two by the reader shows as either.
int faultsAfter(Rig &rig) {
    const QStringList lines = rig.program.logLines();
    for (const QString &line : lines)
        std::fprintf(stderr, "log: %s\n", qPrintable(line));
    int faults = static_cast<int>(lines.size());
    MemoryTableFrame &table = rig.window->memoryTable();
    for (int i = 0; i < MemoryTableFrame::kRows; ++i) {
        const sim::StoredLocation stored = rig.unit.location(i);
        if (table.MemString(i)->text() != QString::fromLatin1(stored.tones) ||
            table.Length(i)->text() != QString::number(stored.lengthMs) ||
            table.Space(i)->text() != QString::number(stored.spaceMs)) {
            ++faults;
            std::fprintf(stderr, "row %d: %s,%s,%s\n", i, qPrintable(table.Length(i)->text()),
                         qPrintable(table.Space(i)->text()),
                         qPrintable(table.MemString(i)->text()));
        }
    }
    return faults;
}

template <typename Action>
void measure(const std::string &prefix, Rig &rig, Action action, double pauseMs = 0) {
    QList<double> elapsed;
    bench::WireTime wire;
    int faults = 0;
    for (int run = 0; run < kRuns; ++run) {
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

void markOnlyFirstRow(MemoryTableFrame &table) {
    table.Length(0)->setText(QStringLiteral("100"));
    table.Space(0)->setText(QStringLiteral("50"));
    table.MemString(0)->setText(QStringLiteral("0123456789ABCD*#0123"));
    for (int i = 0; i < MemoryTableFrame::kRows; ++i)
        table.Update(i)->setChecked(i == 0);
}

void benchmark(int chunkMs) {
    const std::string suffix = chunkMs > 0 ? "_chunked" + std::to_string(chunkMs) : "";
    Rig rig(chunkMs);
    MemoryTransfer &transfer = rig.window->memoryTransfer();
    measure("download" + suffix, rig, [&] { transfer.cmdLoad_Click(); });
    measure(
        "upload_readback" + suffix, rig,
        [&] {
            markOnlyFirstRow(rig.window->memoryTable());
            transfer.cmdProgram_Click();
        },
        kReadBackPauseMs);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark(0);
    benchmark(16);
    return 0;
}
