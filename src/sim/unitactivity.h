#pragma once

#include <QList>

namespace tonaq::sim {

// One byte as the unit received it; times are milliseconds since the unit started.
struct ReceivedByte {
    char byte;
    double atMs;
};

// One byte as the unit wrote it to the line (after pacing and chunking), same clock.
struct SentByte {
    char byte;
    double atMs;
};

// What made the unit sound a tone.
enum class ToneSource { Continuous, Timed, Memory, Sequence };

// One tone the unit sounded. endMs is when it ended or is due to end; a continuous tone that
// still sounds has an infinite endMs.
struct SoundedTone {
    char tone;
    double startMs;
    double endMs;
    ToneSource source;

    bool operator==(const SoundedTone &) const = default;
};

// The records are capped so that an endless stream cannot exhaust memory; a test session stays
// far below these.
inline constexpr qsizetype kMaxReceivedRecords = 1 << 20;
inline constexpr qsizetype kMaxSentRecords = 1 << 20;
inline constexpr qsizetype kMaxToneRecords = 1 << 16;

} // namespace tonaq::sim
