#pragma once

#include <chrono>

namespace tonaq {

// What the unit answers a command with, as far as the link must know it to tell when a reply
// is whole: the number of lines, each ended by CR LF, and whether the caller looks at it.
// A reply ends the moment its last line has come; bytes that stop short of it end it only
// once the line has stayed quiet for the stall gap, so a slow unit is never cut in two.
struct ReplyShape {
    int lines = 1;        // 0: the command is not answered
    bool examined = true; // false: read only to keep the replies in step

    static constexpr ReplyShape none() { return {0, false}; }
    static constexpr ReplyShape line() { return {1, true}; }
    static constexpr ReplyShape unexaminedLine() { return {1, false}; }
    static constexpr ReplyShape lineCount(int count) { return {count, true}; }
};

// How long the link listens for a reply, measured against the unit at 9600 baud (about 1 ms
// a byte; it answers within 2 ms of a command):
// - the first byte: a USB adapter holds bytes back up to its 16 ms latency timer and a loaded
//   desktop adds tens of milliseconds of scheduling; 250 ms covers that several times over and
//   is the cost of one unanswered command;
// - the first byte of a reply nobody looks at, once the unit has left the last such reply
//   unanswered: a unit that answers none of a sequence's fields then costs 25 ms a field;
// - the stall gap: a reply that has begun but is not whole waits this long for its next byte;
//   as long as the first byte's wait, so that a writer pausing tens of milliseconds between
//   bytes, or descheduled on a loaded machine, is never taken for one that stopped.
inline constexpr std::chrono::milliseconds kFirstByteTimeout{250};
inline constexpr std::chrono::milliseconds kBriefFirstByteTimeout{25};
inline constexpr std::chrono::milliseconds kStallGap{250};

} // namespace tonaq
