#include "benchkit.h"

#include "sim/outputpacer.h"
#include "sim/simulatedunit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace tonaq::bench {

void report(const char *name, double value, const char *unit) {
    std::printf("%s: %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

WireTime wireTimeOf(const sim::SimulatedUnit &unit, double processingDelayMs) {
    const QList<sim::ReceivedByte> in = unit.receivedLog();
    const QList<sim::SentByte> out = unit.sentLog();
    WireTime wire;
    wire.bytes = static_cast<int>(in.size() + out.size());
    // A reply begins wherever a sent byte follows received ones: the talk is strictly turn
    // by turn, so this counts the replies whatever the chunking did to them.
    qsizetype i = 0;
    bool lastWasReceived = false;
    double lastSentMs = -1;
    double commandEndMs = 0; // when the last command byte had arrived
    double answeredMs = 0;   // when the command that the reply being read answers had arrived
    int replyBytes = 0;
    const auto endReply = [&] { // its last byte left the wire at due + its bytes
        if (replyBytes == 0) return;
        const double leftWire =
            answeredMs + processingDelayMs + replyBytes * sim::OutputPacer::kByteMs;
        wire.heldMs += std::max(0.0, lastSentMs - leftWire);
    };
    for (const sim::SentByte &sent : out) {
        while (i < in.size() && in[i].atMs <= sent.atMs) {
            if (!lastWasReceived && lastSentMs >= 0)
                wire.turnaroundsMs.append(in[i].atMs - lastSentMs);
            lastWasReceived = true;
            commandEndMs = in[i].atMs;
            ++i;
        }
        if (lastWasReceived) {
            endReply();
            ++wire.replies;
            replyBytes = 0;
            answeredMs = commandEndMs;
        }
        lastWasReceived = false;
        lastSentMs = sent.atMs;
        ++replyBytes;
    }
    endReply();
    wire.ms =
        wire.bytes * sim::OutputPacer::kByteMs + wire.replies * processingDelayMs + wire.heldMs;
    return wire;
}

void reportTransfer(const char *prefix, double elapsedMs, const WireTime &wire) {
    const std::string p(prefix);
    report((p + "_elapsed").c_str(), elapsedMs, "ms");
    report((p + "_floor").c_str(), wire.ms, "ms");
    if (wire.heldMs > 0) report((p + "_floor_adapter_hold").c_str(), wire.heldMs, "ms");
    report((p + "_bytes").c_str(), wire.bytes, "bytes");
    report((p + "_replies").c_str(), wire.replies, "replies");
    report((p + "_ratio").c_str(), elapsedMs / wire.ms, "x");
    double idle = 0;
    for (const double ms : wire.turnaroundsMs)
        idle += ms;
    report((p + "_turnaround_p50").c_str(), percentile(wire.turnaroundsMs, 50), "ms");
    report((p + "_turnaround_p99").c_str(), percentile(wire.turnaroundsMs, 99), "ms");
    report((p + "_turnaround_sum").c_str(), idle, "ms");
}

double percentile(QList<double> values, double p) {
    if (values.isEmpty()) return NAN;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<qsizetype>(std::ceil(p / 100.0 * values.size())) - 1;
    return values[std::clamp<qsizetype>(rank, 0, values.size() - 1)];
}

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace tonaq::bench
