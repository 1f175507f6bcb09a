#pragma once

#include <QChar>
#include <QString>
#include <chrono>
#include <functional>

namespace tonaq {

class MemoryModel;
class Trap;
class UnitDriver;
class UnitSession;

// The keypad index that stops the tone instead of starting one.
inline constexpr int kStopTone = -1;

// Starts the tone of the keypad button with that index ("%" and its character), or stops the
// tone for kStopTone ("%"), with the status to match. A failing step is skipped: a stuck tone
// is better than a dead keypad. Not connected: "Not connected." and nothing is written.
void sendKeypadTone(UnitSession &session, int index);

// The abort of tones the unit times itself: a line end, "Aborting...", 100 ms, the stop, 50 ms,
// "Ready". Every step runs even when the one before it failed: the abort must reach the unit
// if it can.
void abortTimedTones(UnitSession &session);

// One tone for a time, timed by the unit: "@" must be answered and "I" with "SM" before the
// tone and its duration go out as they stand. True when they went out.
bool playSingleTone(UnitDriver &unit, const QString &tone, const QString &duration, Trap &at);

// Plays one stored location (1 to 8) and waits for the unit's "Ready", for no longer than the
// location can play (as the memory table has it) plus a margin, then confirms it with the digit
// as typed.
class MemoryPlayer {
public:
    enum class Outcome { Played, NoReady, Stopped };

    MemoryPlayer(UnitDriver &unit, const MemoryModel &memory);

    void setReadyMargin(std::chrono::milliseconds margin) { m_readyMargin = margin; }
    // Asked between the reads of the wait; true ends it at once (the window is closing).
    void setStopRequested(std::function<bool()> stopRequested);

    Outcome play(int location, QChar typed, Trap &at);

private:
    Outcome waitForReady(int location);

    UnitDriver &m_unit;
    const MemoryModel &m_memory;
    std::chrono::milliseconds m_readyMargin;
    std::function<bool()> m_stopRequested;
};

} // namespace tonaq
