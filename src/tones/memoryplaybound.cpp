#include "tones/memoryplaybound.h"

#include <algorithm>

namespace tonaq {

namespace {

constexpr qint64 kShortestTime = 20;
constexpr qint64 kLongestTime = 65534;
constexpr qint64 kMostTones = 20;

qint64 storedTime(const QString &text) {
    bool isNumber = false;
    const qulonglong value = text.trimmed().toULongLong(&isNumber);
    if (!isNumber) return kLongestTime;
    return std::clamp<qint64>(static_cast<qint64>(std::min<qulonglong>(value, kLongestTime)),
                              kShortestTime, kLongestTime);
}

} // namespace

std::chrono::milliseconds longestLocationPlay(const QString &length, const QString &space,
                                              const QString &tones) {
    const qint64 count = tones.isEmpty() ? kMostTones : std::min<qint64>(tones.size(), kMostTones);
    return std::chrono::milliseconds(count * (storedTime(length) + storedTime(space)));
}

} // namespace tonaq
