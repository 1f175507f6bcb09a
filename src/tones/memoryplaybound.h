#pragma once

#include <QString>
#include <chrono>

namespace tonaq {

// How long memory play waits for the unit's "Ready" beyond the longest the location can play.
inline constexpr std::chrono::milliseconds kReadyMargin{5000};

// The longest one memory location can play, from its row of the memory table: each tone
// sounds for the length and is followed by the space. A length or space that is not a plain
// number counts as the longest the unit keeps (65534 ms), a number is taken as the unit keeps
// it (20 to 65534), and an empty tone string counts as the full 20 tones.
std::chrono::milliseconds longestLocationPlay(const QString &length, const QString &space,
                                              const QString &tones);

} // namespace tonaq
