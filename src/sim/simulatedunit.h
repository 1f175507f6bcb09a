#pragma once

#include "sim/faults.h"
#include "sim/outputpacer.h"
#include "sim/storedlocations.h"
#include "sim/unitactivity.h"
#include "sim/unitfirmware.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tonaq::sim {

// Declared outside SimulatedUnit so that "Options options = {}" can use its defaults.
struct SimulatedUnitOptions {
    bool pacing = true;             // 9600 baud 8N1 on the way out
    double processingDelayMs = 1.0; // before a reply starts
    int chunkMs = 0;                // > 0: deliver in bursts, like an adapter's latency timer
};

// The simulated unit: its firmware on a thread of its own, which hands each reply byte to the
// line at the moment the unit's processing time and its 9600 baud let it leave. What carries
// the bytes (a pseudo-terminal, or the program's own link in this process) is given by
// whoever plugs a line in. Portable C++: no system calls. Every public member may be called
// from any thread.
class SimulatedUnit {
public:
    using Options = SimulatedUnitOptions;
    // Told of bytes leaving the unit, on the unit's thread, in order.
    using LineOutput = std::function<void(const QByteArray &bytes)>;

    explicit SimulatedUnit(Options options = {});
    virtual ~SimulatedUnit();
    SimulatedUnit(const SimulatedUnit &) = delete;
    SimulatedUnit &operator=(const SimulatedUnit &) = delete;

    // The line: bytes to the unit arrive now; bytes from it go to the output. Once
    // setLineOutput returns, the previous output is neither running nor called again.
    void receive(const QByteArray &bytes);
    void setLineOutput(LineOutput output);

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
    QList<SentByte> sentLog() const;  // every byte handed to the line, with when
    QList<SoundedTone> tones() const; // ended ones and the one sounding
    void clearRecords();

    StoredLocation location(int index) const;
    void setLocation(int index, const StoredLocation &location);

    bool writeWav(const QString &path) const;
    double nowMs() const; // the clock of every record: ms since the unit started

protected:
    // Stops the unit's thread; a line that goes away calls it before it tears itself down.
    void stopServing();

private:
    void serve();

    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    mutable std::mutex m_mutex; // guards everything below but the output
    std::condition_variable m_wake;
    UnitFirmware m_firmware;
    OutputPacer m_pacer;
    QList<SentByte> m_sent;
    bool m_stop = false;

    std::mutex m_outputMutex; // held while the output runs
    LineOutput m_output;

    std::thread m_thread;
};

} // namespace tonaq::sim
