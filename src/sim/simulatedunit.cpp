#include "sim/simulatedunit.h"

#include "sim/wavrenderer.h"

#include <cerrno>
#include <cmath>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tonaq::sim {

namespace {
constexpr qsizetype kReadChunk = 256;
// Replies the other end does not read pile up here; a real unit would lose them too.
constexpr qsizetype kMaxUnwritten = 1 << 20;

timespec relativeTimeout(double ms) {
    const double clamped = std::max(0.0, ms);
    const double seconds = std::floor(clamped / 1000.0);
    return {static_cast<time_t>(seconds), static_cast<long>((clamped - seconds * 1000.0) * 1e6)};
}
} // namespace

SimulatedUnit::SimulatedUnit(Options options) {
    m_firmware.setProcessingDelayMs(options.processingDelayMs);
    m_pacer.setPacing(options.pacing);
    m_pacer.setChunkMs(options.chunkMs);
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wakeFd < 0) throw std::runtime_error("simulated unit: eventfd failed");
    m_thread = std::thread([this] { serve(); });
}

SimulatedUnit::~SimulatedUnit() {
    stopServing();
    ::close(m_wakeFd);
}

QString SimulatedUnit::devicePath() const {
    return m_pty.slavePath();
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

void SimulatedUnit::vanish() {
    // Stopping the thread first means no poll() is left on a descriptor being closed.
    stopServing();
    std::lock_guard lock(m_mutex);
    m_pty.close();
    m_vanished = true;
}

bool SimulatedUnit::isVanished() const {
    std::lock_guard lock(m_mutex);
    return m_vanished;
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

void SimulatedUnit::wake() {
    const quint64 one = 1;
    [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
}

void SimulatedUnit::stopServing() {
    if (!m_thread.joinable()) return;
    m_stop = true;
    wake();
    m_thread.join();
}

void SimulatedUnit::serve() {
    QByteArray unwritten;
    bool masterUsable = true;
    while (!m_stop) {
        double deadline;
        {
            std::lock_guard lock(m_mutex);
            const double now = nowMs();
            m_firmware.advanceTo(now);
            for (const Reply &reply : m_firmware.takeReplies())
                m_pacer.enqueue(reply.bytes, reply.dueMs);
            const QByteArray due = m_pacer.takeDue(now);
            if (unwritten.size() < kMaxUnwritten) unwritten += due;
            deadline = std::min(m_firmware.nextEventMs(), m_pacer.nextDeliveryMs());
        }
        if (masterUsable) writeOutput(unwritten);

        // Sleeps until input, a stop, or the next moment the firmware or the pacer must act.
        // Option changes need no wake-up: they apply to replies not yet queued.
        pollfd fds[2] = {{masterUsable ? m_pty.masterFd() : -1, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        if (!unwritten.isEmpty()) fds[0].events |= POLLOUT;
        const timespec timeout = relativeTimeout(deadline - nowMs());
        if (ppoll(fds, 2, std::isfinite(deadline) ? &timeout : nullptr, nullptr) < 0)
            continue; // EINTR
        if (fds[1].revents & POLLIN) {
            quint64 count;
            [[maybe_unused]] const auto got = ::read(m_wakeFd, &count, sizeof count);
        }
        if (fds[0].revents & POLLIN)
            readInput();
        else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
            masterUsable = false; // cannot happen while the held slave is open; never spin
    }
}

void SimulatedUnit::readInput() {
    char buffer[kReadChunk];
    const ssize_t got = ::read(m_pty.masterFd(), buffer, sizeof buffer);
    if (got <= 0) return;
    std::lock_guard lock(m_mutex);
    m_firmware.feed(QByteArray(buffer, got), nowMs());
}

void SimulatedUnit::recordSent(const QByteArray &bytes) {
    std::lock_guard lock(m_mutex);
    const double now = nowMs();
    for (const char byte : bytes) {
        if (m_sent.size() < kMaxSentRecords) m_sent.append({byte, now});
    }
}

void SimulatedUnit::writeOutput(QByteArray &pending) {
    while (!pending.isEmpty()) {
        const ssize_t written = ::write(m_pty.masterFd(), pending.constData(), pending.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN) pending.clear(); // nobody can take it
        if (written <= 0) return;
        recordSent(pending.left(written));
        pending.remove(0, written);
    }
}

} // namespace tonaq::sim
