#pragma once

// The numbers the unit, the table, the grid and the files agree on, each said once.
namespace tonaq {

inline constexpr int kLocationCount = 8;         // memory locations, 0 to 7 on the wire
inline constexpr int kToneStringLimit = 20;      // tones one location holds
inline constexpr int kTimeTextLimit = 5;         // characters of a length, space or duration
inline constexpr int kSequenceRows = 20;         // rows of the MultiPlay sequence
inline constexpr int kShortestTime = 20;         // ms: the shortest tone, length or space
inline constexpr int kLongestStoredTime = 65534; // ms: the longest length or space stored
inline constexpr int kLongestTime = 65535;       // ms: the longest timed tone or sequence step

} // namespace tonaq
