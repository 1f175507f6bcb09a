#pragma once

#include <chrono>

namespace tonaq {

// How long the link listens for a reply. Measured against the unit at 9600 baud (about 1 ms a
// byte, replies start within a few milliseconds of the command):
// - the first byte: the unit answers within 2 ms, a USB adapter holds bytes back up to its
//   16 ms latency timer, and a loaded desktop adds tens of milliseconds of scheduling. 250 ms
//   covers all of that several times over and is the cost of one unanswered command.
// - the quiet gap: once bytes flow, the reply is over when the line stays quiet. A direct
//   UART delivers a byte every millisecond, but a USB adapter delivers bursts 16 ms apart, so
//   the gap must outlast one latency period with room for scheduling jitter.
inline constexpr std::chrono::milliseconds kFirstByteTimeout{250};
inline constexpr std::chrono::milliseconds kQuietGap{24};

} // namespace tonaq
