#pragma once

#include "sim/pseudoterminal.h"
#include "sim/simulatedunit.h"

#include <atomic>

namespace tonaq::sim {

// A simulated unit on a pseudo-terminal: the program opens devicePath() as a real serial port.
// For what must cross a real tty: the port scan, refusals, line settings, a device that goes
// away. Unix only.
class PtyUnit : public SimulatedUnit {
public:
    explicit PtyUnit(Options options = {}); // throws std::runtime_error without a pty
    ~PtyUnit() override;

    QString devicePath() const;
    void vanish(); // closes its end now, as when a USB adapter is pulled
    bool isVanished() const { return m_vanished; }

private:
    void pump();
    void wake();
    void stopPumping();
    void writePending();

    PseudoTerminal m_pty;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::mutex m_pendingMutex;
    QByteArray m_pending; // reply bytes not yet taken by the pseudo-terminal
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_vanished{false};
    std::thread m_thread;
};

} // namespace tonaq::sim
