#include "sim/simulatedunit.h"

#include "sim/wavrenderer.h"

#include <cmath>

namespace tonaq::sim {

SimulatedUnit::SimulatedUnit(Options options) {
    m_firmware.setProcessingDelayMs(options.processingDelayMs);
    m_pacer.setPacing(options.pacing);
    m_pacer.setChunkMs(options.chunkMs);
    m_thread = std::thread([this] { serve(); });
}

SimulatedUnit::~SimulatedUnit() {
    stopServing();
}

void SimulatedUnit::receive(const QByteArray &bytes) {
    {
        std::lock_guard lock(m_mutex);
        m_firmware.feed(bytes, nowMs());
    }
    m_wake.notify_one();
}

void SimulatedUnit::setLineOutput(LineOutput output) {
    std::lock_guard lock(m_outputMutex);
    m_output = std::move(output);
}

void SimulatedUnit::setFaults(const Faults &faults) {
    std::lock_guard lock(m_mutex);
    m_firmware.setFaults(faults);
}

Faults SimulatedUnit::faults() const {
    std::lock_guard lock(m_mutex);
    return m_firmware.faults();
}

void SimulatedUnit::setPacing(bool on) {
    std::lock_guard lock(m_mutex);
    m_pacer.setPacing(on);
}

void SimulatedUnit::setChunkMs(int ms) {
    std::lock_guard lock(m_mutex);
    m_pacer.setChunkMs(ms);
}

void SimulatedUnit::setByteGapMs(double ms) {
    std::lock_guard lock(m_mutex);
    m_pacer.setByteGapMs(ms);
}

void SimulatedUnit::setProcessingDelayMs(double ms) {
    std::lock_guard lock(m_mutex);
    m_firmware.setProcessingDelayMs(ms);
}

void SimulatedUnit::setToneListener(ToneListener listener) {
    // Tones only start and end under this lock, so no call of the old listener is under way.
    std::lock_guard lock(m_mutex);
    m_firmware.setToneListener(std::move(listener));
}

QByteArray SimulatedUnit::received() const {
    std::lock_guard lock(m_mutex);
    return m_firmware.received();
}

QList<ReceivedByte> SimulatedUnit::receivedLog() const {
    std::lock_guard lock(m_mutex);
    return m_firmware.receivedLog();
}

QList<SentByte> SimulatedUnit::sentLog() const {
    std::lock_guard lock(m_mutex);
    return m_sent;
}

QList<SoundedTone> SimulatedUnit::tones() const {
    std::lock_guard lock(m_mutex);
    return m_firmware.tones();
}

void SimulatedUnit::clearRecords() {
    std::lock_guard lock(m_mutex);
    m_firmware.clearRecords();
    m_sent.clear();
}

StoredLocation SimulatedUnit::location(int index) const {
    std::lock_guard lock(m_mutex);
    return m_firmware.location(index);
}

void SimulatedUnit::setLocation(int index, const StoredLocation &location) {
    std::lock_guard lock(m_mutex);
    m_firmware.setLocation(index, location);
}

bool SimulatedUnit::writeWav(const QString &path) const {
    const QList<SoundedTone> sounded = tones();
    return WavRenderer::writeWav(path, sounded, nowMs());
}

double SimulatedUnit::nowMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
        .count();
}

void SimulatedUnit::stopServing() {
    if (!m_thread.joinable()) return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

// Sleeps until input, a stop, or the next moment the firmware or the pacer must act. Option
// changes need no wake-up: they apply to replies not yet queued.
void SimulatedUnit::serve() {
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        const double now = nowMs();
        m_firmware.advanceTo(now);
        for (const Reply &reply : m_firmware.takeReplies())
            m_pacer.enqueue(reply.bytes, reply.dueMs);
        const QByteArray due = m_pacer.takeDue(now);
        if (!due.isEmpty()) {
            for (const char byte : due) {
                if (m_sent.size() < kMaxSentRecords) m_sent.append({byte, now});
            }
            // The output may block on its line; the unit's state stays free meanwhile.
            lock.unlock();
            {
                std::lock_guard output(m_outputMutex);
                if (m_output) m_output(due);
            }
            lock.lock();
            continue;
        }
        const double deadline = std::min(m_firmware.nextEventMs(), m_pacer.nextDeliveryMs());
        if (std::isfinite(deadline))
            m_wake.wait_until(
                lock,
                m_start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double, std::milli>(std::max(deadline, now))));
        else
            m_wake.wait(lock);
    }
}

} // namespace tonaq::sim
