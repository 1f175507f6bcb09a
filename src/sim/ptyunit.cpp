#include "sim/ptyunit.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace tonaq::sim {

namespace {
constexpr qsizetype kReadChunk = 256;
// Replies the other end does not read pile up here; a real unit would lose them too.
constexpr qsizetype kMaxUnwritten = 1 << 20;
} // namespace

PtyUnit::PtyUnit(Options options)
    : SimulatedUnit(options) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0)
        throw std::runtime_error("simulated unit: pipe failed");
    m_wakeRead = pipeEnds[0];
    m_wakeWrite = pipeEnds[1];
    setLineOutput([this](const QByteArray &bytes) {
        {
            std::lock_guard lock(m_pendingMutex);
            if (m_pending.size() < kMaxUnwritten) m_pending += bytes;
        }
        wake();
    });
    m_thread = std::thread([this] { pump(); });
}

PtyUnit::~PtyUnit() {
    setLineOutput({});
    stopPumping();
    stopServing();
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
}

QString PtyUnit::devicePath() const {
    return m_pty.slavePath();
}

void PtyUnit::vanish() {
    // The pump goes first, so that no poll() is left on a descriptor being closed.
    setLineOutput({});
    stopPumping();
    m_pty.close();
    m_vanished = true;
}

void PtyUnit::wake() {
    const char one = 1;
    [[maybe_unused]] const auto written = ::write(m_wakeWrite, &one, 1);
}

void PtyUnit::stopPumping() {
    if (!m_thread.joinable()) return;
    m_stop = true;
    wake();
    m_thread.join();
}

void PtyUnit::pump() {
    bool masterUsable = true;
    while (!m_stop) {
        if (masterUsable) writePending();
        bool pending;
        {
            std::lock_guard lock(m_pendingMutex);
            pending = !m_pending.isEmpty();
        }
        pollfd fds[2] = {{masterUsable ? m_pty.masterFd() : -1, POLLIN, 0},
                         {m_wakeRead, POLLIN, 0}};
        if (pending) fds[0].events |= POLLOUT;
        if (::poll(fds, 2, -1) < 0) continue; // EINTR
        if (fds[1].revents & POLLIN) {
            char drained[64];
            while (::read(m_wakeRead, drained, sizeof drained) > 0) {
            }
        }
        if (fds[0].revents & POLLIN) {
            char buffer[kReadChunk];
            const ssize_t got = ::read(m_pty.masterFd(), buffer, sizeof buffer);
            if (got > 0) receive(QByteArray(buffer, got));
        } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            masterUsable = false; // cannot happen while the held slave is open; never spin
        }
    }
}

void PtyUnit::writePending() {
    std::lock_guard lock(m_pendingMutex);
    while (!m_pending.isEmpty()) {
        const ssize_t written = ::write(m_pty.masterFd(), m_pending.constData(), m_pending.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN) m_pending.clear(); // nobody can take it
        if (written <= 0) return;
        m_pending.remove(0, written);
    }
}

} // namespace tonaq::sim
