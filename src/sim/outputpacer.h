#pragma once

#include <QByteArray>
#include <deque>
#include <limits>

namespace tonaq::sim {

// Decides when each reply byte reaches the other end of the line: at once, paced at 9600 baud
// 8N1, and/or held back to the next tick of an adapter's latency timer. Pure: times are given.
class OutputPacer {
public:
    static constexpr double kByteMs = 10.0 * 1000.0 / 9600.0; // start + 8 data + stop bits
    static constexpr double kNever = std::numeric_limits<double>::infinity();
    // A unit's transmit buffer is finite; bytes past this are lost.
    static constexpr std::size_t kCapacity = 1 << 20;

    void setPacing(bool on) { m_pacing = on; }
    void setChunkMs(int ms) { m_chunkMs = ms; }
    // A writer that stalls between bytes: each byte leaves at least this long after the one
    // before it, as from a busy or badly buffered unit.
    void setByteGapMs(double ms) { m_byteGapMs = ms; }

    // Queues a reply that may start leaving at dueMs. Settings in force now apply to it.
    void enqueue(const QByteArray &bytes, double dueMs);
    // The bytes whose delivery time has come, in order.
    QByteArray takeDue(double nowMs);
    double nextDeliveryMs() const { return m_queue.empty() ? kNever : m_queue.front().atMs; }
    bool isEmpty() const { return m_queue.empty(); }

private:
    struct Pending {
        char byte;
        double atMs;
    };

    double delivered(double wireMs) const;

    bool m_pacing = true;
    int m_chunkMs = 0;
    double m_byteGapMs = 0;
    double m_lineFreeMs = 0; // when the last queued byte has left the wire
    double m_lastDeliveryMs = 0;
    std::deque<Pending> m_queue;
};

} // namespace tonaq::sim
