#pragma once

#include "sim/faults.h"
#include "sim/fieldparsing.h"
#include "sim/sequencecollector.h"
#include "sim/storedlocations.h"
#include "sim/toneplayer.h"
#include "sim/unitactivity.h"

#include <QByteArray>
#include <QList>

namespace tonaq::sim {

// A reply burst and the time it is due to start leaving the unit.
struct Reply {
    QByteArray bytes;
    double dueMs;
};

// The unit's firmware: reads the command stream byte by byte and answers, plays tones and keeps
// its memory. No I/O, no clock: every call says what time it is (ms since start), and times
// that go backwards or are not finite count as "no time passed". Any byte sequence is safe to
// feed, and its buffers and records are bounded, so feed() can serve as a fuzzing entry point.
class UnitFirmware {
public:
    enum class Mode {
        Idle,
        PercentWindow, // "%" received, waiting up to 5 ms for a tone character
        ResetPending,  // "^" received
        SingleTone,
        MemoryLine,
        MemoryPlaying,
        View,
        StoreLocation,
        StoreTimes,
        StoreTones,
        Sequence,
    };

    static constexpr double kPercentWindowMs = 5.0;
    static constexpr qsizetype kMaxPendingReplyBytes = qsizetype{64} * 1024;

    UnitFirmware();

    void feed(const QByteArray &bytes, double nowMs);
    void advanceTo(double nowMs);
    // When the firmware next acts on its own (a tone ends, the "%" window closes); infinity
    // when nothing is due.
    double nextEventMs() const;
    QList<Reply> takeReplies();

    void setProcessingDelayMs(double ms) { m_processingDelayMs = ms; }
    void setFaults(const Faults &faults) { m_faults = faults; }
    void setToneListener(ToneListener listener) { m_player.setListener(std::move(listener)); }
    const Faults &faults() const { return m_faults; }

    StoredLocation location(int index) const;
    void setLocation(int index, const StoredLocation &location);

    Mode mode() const { return m_mode; }
    QByteArray received() const;
    const QList<ReceivedByte> &receivedLog() const { return m_received; }
    QList<SoundedTone> tones() const { return m_player.tones(); }
    void clearRecords();

private:
    double timeOf(double nowMs) const;
    void handleByte(char byte, double nowMs);
    void handleIdle(char byte, double nowMs);
    void handlePercent(char byte, double nowMs);
    void handleSingleTone(char byte, double nowMs);
    void handleMemoryLine(char byte, double nowMs);
    void handleMemoryPlaying(char byte, double nowMs);
    void handleView(char byte, double nowMs);
    void handleStoreLocation(char byte, double nowMs);
    void handleStoreTimes(char byte, double nowMs);
    void handleStoreTones(char byte, double nowMs);
    void handleSequence(char byte, double nowMs);
    // The line once a CR or LF ends it; nothing while it is still coming.
    std::optional<QByteArray> collectLine(char byte);
    void finishMemoryPlay(double atMs);
    void commitStore(double atMs);
    void send(const QByteArray &bytes, double atMs);
    void sendLine(const QByteArray &text, double atMs);
    void sendMarker(Marker marker, double atMs);

    Mode m_mode = Mode::Idle;
    double m_nowMs = 0;
    double m_percentDeadlineMs = 0;
    char m_previousByte = 0;
    LineBuffer m_line;
    SequenceCollector m_sequence;
    int m_storeIndex = 0;
    StoredLocation m_storing;
    StoredLocations m_locations;
    TonePlayer m_player;

    Faults m_faults;
    double m_processingDelayMs = 1.0;
    QList<Reply> m_outbox;
    qsizetype m_outboxBytes = 0;
    QList<ReceivedByte> m_received;
};

} // namespace tonaq::sim
