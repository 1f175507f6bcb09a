#pragma once

#include <QByteArray>
#include <array>

namespace tonaq::sim {

// One of the unit's eight memory locations: a tone string played with a fixed tone length and
// a fixed space after each tone.
struct StoredLocation {
    QByteArray tones; // at most kMaxStoredTones tone characters, upper case
    int lengthMs = 100;
    int spaceMs = 50;

    bool operator==(const StoredLocation &) const = default;
};

inline constexpr int kLocationCount = 8;
inline constexpr int kMaxStoredTones = 20;
inline constexpr int kMinStoredTime = 20;
inline constexpr int kMaxStoredTime = 65534;

using StoredLocations = std::array<StoredLocation, kLocationCount>;

// What the unit holds after power-on and after "^0".
StoredLocations defaultLocations();

// A length or space as the unit keeps it.
int clampStoredTime(qint64 ms);

} // namespace tonaq::sim
