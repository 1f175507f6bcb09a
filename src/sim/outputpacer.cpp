#include "sim/outputpacer.h"

#include <algorithm>
#include <cmath>

namespace tonaq::sim {

void OutputPacer::enqueue(const QByteArray &bytes, double dueMs) {
    for (const char byte : bytes) {
        if (m_queue.size() >= kCapacity) return;
        // A byte is there once its stop bit is, and not before the one ahead of it.
        const double step = std::max(m_pacing ? kByteMs : 0.0, m_byteGapMs);
        const double wireMs = step > 0 ? std::max(dueMs, m_lineFreeMs) + step : dueMs;
        if (step > 0) m_lineFreeMs = wireMs;
        // Bytes never overtake each other, whatever the settings were when they were queued.
        m_lastDeliveryMs = std::max(m_lastDeliveryMs, delivered(wireMs));
        m_queue.push_back({byte, m_lastDeliveryMs});
    }
}

QByteArray OutputPacer::takeDue(double nowMs) {
    QByteArray due;
    while (!m_queue.empty() && m_queue.front().atMs <= nowMs) {
        due.append(m_queue.front().byte);
        m_queue.pop_front();
    }
    return due;
}

double OutputPacer::delivered(double wireMs) const {
    // The latency timer fires every chunkMs since start; what arrived waits for the next tick.
    if (m_chunkMs <= 0) return wireMs;
    return std::ceil(wireMs / m_chunkMs) * m_chunkMs;
}

} // namespace tonaq::sim
