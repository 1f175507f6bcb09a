#include "tones/memoryplaybound.h"

#include "base/limits.h"

#include <algorithm>

namespace tonaq {

namespace {

qint64 storedTime(const QString &text) {
    bool isNumber = false;
    const qulonglong value = text.trimmed().toULongLong(&isNumber);
    if (!isNumber) return kLongestStoredTime;
    return std::clamp<qint64>(static_cast<qint64>(std::min<qulonglong>(value, kLongestStoredTime)),
                              kShortestTime, kLongestStoredTime);
}

} // namespace

std::chrono::milliseconds longestLocationPlay(const QString &length, const QString &space,
                                              const QString &tones) {
    const qint64 count =
        tones.isEmpty() ? kToneStringLimit : std::min<qint64>(tones.size(), kToneStringLimit);
    return std::chrono::milliseconds(count * (storedTime(length) + storedTime(space)));
}

} // namespace tonaq
