#pragma once

#include <QList>
#include <chrono>

namespace tonaq::sim {
class SimulatedUnit;
}

namespace tonaq::bench {

// One figure as a plain line: "name: value unit".
void report(const char *name, double value, const char *unit);

// What the line itself needs for the traffic the unit has recorded: every byte both ways at
// 9600 baud 8N1, plus the unit's processing delay before each of its replies, plus, behind an
// adapter, the time each reply's last byte waited in it for the latency timer (the floor).
struct WireTime {
    double ms = 0;
    int bytes = 0;
    int replies = 0;
    double heldMs = 0; // of ms: what the adapter held the replies' last bytes back
    // The line idle between a reply's last byte and the next command: the reader's quiet
    // wait plus the program's own work between commands.
    QList<double> turnaroundsMs;
};
WireTime wireTimeOf(const sim::SimulatedUnit &unit, double processingDelayMs = 1.0);

// Elapsed, wire time and their ratio, under a common prefix.
void reportTransfer(const char *prefix, double elapsedMs, const WireTime &wire);

// Percentiles of latencies in ms (p in 0..100).
double percentile(QList<double> values, double p);

double steadyMs();

} // namespace tonaq::bench
