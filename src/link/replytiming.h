#pragma once

#include <QByteArray>
#include <algorithm>
#include <chrono>

namespace tonaq {

// How long the link listens for a reply. Measured against the unit at 9600 baud (about 1 ms a
// byte, replies start within a few milliseconds of the command):
// - the first byte: the unit answers within 2 ms, a USB adapter holds bytes back up to its
//   16 ms latency timer, and a loaded desktop adds tens of milliseconds of scheduling. 250 ms
//   covers all of that several times over and is the cost of one unanswered command.
// - the quiet gap: once bytes flow, the reply is over when the line stays quiet. A reply that
//   does not yet end in a line end waits the long gap, which outlasts an adapter's 16 ms
//   latency period with room for scheduling jitter; so does any reply while the link has not
//   yet seen how its bytes arrive (a reply that came in one piece shows no pauses).
// - after a line end the wait is shorter: the longest pause seen between the arrivals of the
//   recent replies, times 1.25, plus one character time, at least 4 ms. On a direct line the
//   pauses are one character time (1.06 ms at the median) and the wait is 4 ms, above what
//   the unit's own writer pauses in 99 replies of 100 (2.4 to 3.9 ms); with an adapter's
//   bursts 16 ms apart it is 21 ms. The longest pause, not a typical one, so that a sender
//   that stalls now and then (single stalls up to 9.5 ms even on an idle machine) widens the
//   wait before it can cut a reply in two; a pause is forgotten by a quarter at each reply.
inline constexpr std::chrono::milliseconds kFirstByteTimeout{250};
inline constexpr std::chrono::milliseconds kQuietGap{24};
inline constexpr double kLineEndMinGapMs = 4.0;
inline constexpr double kLineEndMaxGapMs = 100.0;
inline constexpr double kPauseFactor = 1.25;
inline constexpr double kCharTimesOfSlack = 1.0;
inline constexpr double kPauseMemory = 0.75; // kept of the learned pause at each reply

// Learns the pause between arrivals from the replies of one open port and tells how long the
// line must stay quiet before the reply read so far counts as complete.
class ReplyPacing {
public:
    explicit ReplyPacing(double byteMs = 1.0417)
        : m_byteMs(byteMs) {}

    void forget() { m_learnedMs = -1; }
    void setByteMs(double byteMs) { m_byteMs = byteMs; }

    void beginReply(double atMs) {
        m_lastArrivalMs = atMs;
        m_longestPauseMs = -1;
    }
    void arrived(double atMs) {
        // Far less than a character time apart is one burst read in two, which says nothing
        // of the line; taken as a pause it would make the wait after a line end too short.
        const double pause = atMs - m_lastArrivalMs;
        m_lastArrivalMs = atMs;
        if (pause >= m_byteMs / 2) m_longestPauseMs = std::max(m_longestPauseMs, pause);
    }
    void endReply() {
        if (m_longestPauseMs < 0) return; // one burst tells nothing of the pauses
        m_learnedMs = m_learnedMs < 0 ? m_longestPauseMs
                                      : std::max(m_longestPauseMs, m_learnedMs * kPauseMemory);
    }

    double quietGapMs(const QByteArray &soFar) const {
        const double longGap = static_cast<double>(kQuietGap.count());
        if (!soFar.endsWith("\r\n")) return longGap;
        const double known = std::max(m_learnedMs, m_longestPauseMs);
        if (known < 0) return longGap;
        return std::clamp(known * kPauseFactor + kCharTimesOfSlack * m_byteMs, kLineEndMinGapMs,
                          kLineEndMaxGapMs);
    }

private:
    double m_byteMs;
    double m_learnedMs = -1; // the pause the recent replies showed; negative: none seen yet
    double m_lastArrivalMs = 0;
    double m_longestPauseMs = -1;
};

} // namespace tonaq
