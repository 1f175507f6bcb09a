#pragma once

#include <QString>

namespace tonaq {

// One of the unit's memory locations as the program holds it: every field as text, exactly as
// typed, read or received; numbers are read from them only where a command says so.
struct MemoryLocation {
    QString tones;       // at most kToneStringLimit characters
    QString length;      // ms, at most kTimeTextLimit characters
    QString space;       // ms, at most kTimeTextLimit characters
    bool update = false; // to be written by the next upload

    friend bool operator==(const MemoryLocation &, const MemoryLocation &) = default;
};

// The sequence's columns, as the MultiPlay grid numbers them; column 0 holds the row numbers.
inline constexpr int kToneColumn = 1;
inline constexpr int kDurationColumn = 2;
inline constexpr int kSpaceColumn = 3;

// One row of the MultiPlay sequence: a tone, how long it sounds and the pause after it.
// A row whose tone is empty is not part of the sequence.
struct SequenceRow {
    QString tone;
    QString duration;
    QString space;

    friend bool operator==(const SequenceRow &, const SequenceRow &) = default;
};

} // namespace tonaq
