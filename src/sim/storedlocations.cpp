#include "sim/storedlocations.h"

#include <algorithm>

namespace tonaq::sim {

StoredLocations defaultLocations() {
    // A fixed set of examples that differ in string, length and space, so that a test can tell
    // the locations apart. Location 3 is the one quoted as the example report.
    return {{
        {"0123456789", 100, 50},
        {"*#ABCD", 80, 40},
        {"5551212", 150, 75},
        {"123#", 100, 50},
        {"A1B2C3D4", 60, 30},
        {"9876543210", 200, 100},
        {"##**##**", 40, 20},
        {"D", 1000, 500},
    }};
}

int clampStoredTime(qint64 ms) {
    return static_cast<int>(std::clamp<qint64>(ms, kMinStoredTime, kMaxStoredTime));
}

} // namespace tonaq::sim
