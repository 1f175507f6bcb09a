#pragma once

#include "sim/faults.h"
#include "sim/outputpacer.h"
#include "sim/pseudoterminal.h"
#include "sim/records.h"
#include "sim/storedlocations.h"
#include "sim/unitfirmware.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace tonaq::sim {

// Declared outside SimulatedUnit so that "Options options = {}" can use its defaults.
struct SimulatedUnitOptions {
    bool pacing = true;             // 9600 baud 8N1 on the way out
    double processingDelayMs = 1.0; // before a reply starts
    int chunkMs = 0;                // > 0: deliver in bursts, like an adapter's latency timer
};

// A simulated unit on a pseudo-terminal: the program opens devicePath() as its serial port.
// Serves on a thread of its own from construction to destruction (or vanish()); every public
// member may be called from any thread.
class SimulatedUnit {
public:
    using Options = SimulatedUnitOptions;

    explicit SimulatedUnit(Options options = {}); // throws std::runtime_error without a pty
    ~SimulatedUnit();
    SimulatedUnit(const SimulatedUnit &) = delete;
    SimulatedUnit &operator=(const SimulatedUnit &) = delete;

    QString devicePath() const;

    void setFaults(const Faults &faults); // for the bytes that come next
    Faults faults() const;
    void setPacing(bool on);
    void setChunkMs(int ms);
    void setByteGapMs(double ms);
    void setProcessingDelayMs(double ms);
    // Told live, on the unit's thread and with the unit locked, of every tone it starts and
    // ends: the listener must return at once and must not call back into the unit. Once this
    // returns, the previous listener is neither running nor called again.
    void setToneListener(ToneListener listener);

    QByteArray received() const;
    QList<ReceivedByte> receivedLog() const;
    QList<SentByte> sentLog() const;  // every byte written to the line, with when
    QList<SoundedTone> tones() const; // ended ones and the one sounding
    void clearRecords();

    void vanish(); // closes its end now, as when a USB adapter is pulled
    bool isVanished() const;

    StoredLocation location(int index) const;
    void setLocation(int index, const StoredLocation &location);

    bool writeWav(const QString &path) const;
    double nowMs() const; // the clock of every record: ms since the unit started

private:
    void serve();
    void wake();
    void stopServing();
    void readInput();
    void writeOutput(QByteArray &pending);
    void recordSent(const QByteArray &bytes);

    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    mutable std::mutex m_mutex; // guards everything below but the descriptors
    UnitFirmware m_firmware;
    OutputPacer m_pacer;
    QList<SentByte> m_sent;
    bool m_vanished = false;

    PseudoTerminal m_pty;
    int m_wakeFd = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace tonaq::sim
