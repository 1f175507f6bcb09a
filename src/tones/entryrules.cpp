#include "tones/entryrules.h"

#include "base/limits.h"
#include "base/numericvalue.h"
#include "base/tonecharacter.h"

#include <QCoreApplication>
#include <cmath>

namespace tonaq {

namespace {

constexpr int kLastControlCode = 31;
constexpr double kLastLocation = kLocationCount;

bool isCharacterCode(int code) {
    return code >= 0 && code <= 0xFFFF;
}

} // namespace

bool toneKeyAccepted(int keyAscii) {
    if (keyAscii >= 0 && keyAscii <= kLastControlCode) return true;
    return isCharacterCode(keyAscii) && isToneCharacter(QChar(keyAscii), true);
}

QString correctedToneText(const QString &text) {
    return decimalText(numericValue(text));
}

std::optional<DurationCheck> checkDuration(const QString &text) {
    if (text.isEmpty()) return std::nullopt;
    const double value = numericValue(text);
    if (value > kLongestTime)
        return DurationCheck{QCoreApplication::translate("Entry", "Time must be less than 65,535"),
                             QString::number(kLongestTime)};
    if (value < kShortestTime)
        return DurationCheck{
            QCoreApplication::translate("Entry", "Time must be 20 milliseconds or greater."),
            QString::number(kShortestTime)};
    return std::nullopt;
}

bool locationKeyAccepted(int keyAscii) {
    return keyAscii >= '1' && keyAscii <= '8';
}

QString correctedLocations(const QString &text) {
    const double value = std::fabs(numericValue(text));
    // Comparing the number itself equals comparing the number of its decimal form, and it
    // also holds for values too large to write.
    return value > kLastLocation ? QStringLiteral("8") : decimalText(value);
}

int locationDigit(QChar c) {
    // One character is at most one digit, so the value is always a whole 0 to 9.
    return static_cast<int>(numericValue(QString(c)));
}

} // namespace tonaq
