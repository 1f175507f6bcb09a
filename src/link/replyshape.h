#pragma once

#include <QtGlobal>
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

// Nothing from the line is trusted to be short or to end. No reply of the unit comes near a
// few hundred bytes: past this many the link stops reading it, and no transport holds more
// unread.
inline constexpr qsizetype kLongestReply = 4096;

// A reply's overall time, however its bytes trickle in: its first byte's wait, then its lines
// at their longest (the unit's longest, "Length = 65534ms : Space = 65534ms", is 36 bytes with
// its CR LF) at 9600 baud, taken as coming up to 32 times slower than the line carries them
// (a unit whose bytes come 30 ms apart still gives the exact table), the unit's 2 ms to start,
// and the stall gap.
inline constexpr int kLongestLine = 40;
inline constexpr double kByteMs = 10.0 / 9.6; // 8N1 at 9600 baud
inline constexpr int kSlowestPace = 32;
constexpr std::chrono::milliseconds replyDeadline(int lines, std::chrono::milliseconds firstByte) {
    return firstByte +
           std::chrono::milliseconds(2 + int(lines * kLongestLine * kByteMs) * kSlowestPace) +
           kStallGap;
}

} // namespace tonaq
