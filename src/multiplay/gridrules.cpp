#include "multiplay/gridrules.h"

#include "tones/numericvalue.h"
#include "tones/tonecharacter.h"

namespace tonaq {

namespace {

constexpr int kBackspace = 8;
constexpr double kMinimumTime = 20;
constexpr double kMaximumTime = 65535;

bool isCharacterCode(int code) {
    return code >= 0 && code <= 0xFFFF;
}
bool isDigitCode(int code) {
    return code >= '0' && code <= '9';
}

QString rangeMessage() {
    return QStringLiteral("Only numbers between 20 and 65535 allowed.");
}
QString digitsMessage() {
    return QStringLiteral("Only numbers 0 - 9 allowed");
}

CellEdit timeCharacter(const QString &cell, int keyAscii, bool refusedEmpties) {
    if (isDigitCode(keyAscii))
        return {cell.size() < kCellDigits ? cell + QChar(keyAscii) : cell, {}};
    if (keyAscii == kBackspace) return {{}, {}};
    return {refusedEmpties ? QString() : cell, digitsMessage()};
}

} // namespace

CellEdit applyCharacter(int column, const QString &cell, int keyAscii) {
    switch (column) {
    case kToneColumn:
        if (isCharacterCode(keyAscii) && isToneCharacter(QChar(keyAscii), true))
            return {QString(QChar(keyAscii)), {}};
        return {{}, {}};
    case kDurationColumn:
        return timeCharacter(cell, keyAscii, true);
    case kSpaceColumn:
        return timeCharacter(cell, keyAscii, false);
    default:
        return {cell, {}};
    }
}

EnterOutcome applyEnter(int row, int column, const QString &cell) {
    const double value = NumericValue(cell);
    if ((column == kDurationColumn || column == kSpaceColumn) && value < kMinimumTime)
        return {rangeMessage(), QStringLiteral("20"), row, column};
    if (value > kMaximumTime) return {rangeMessage(), QStringLiteral("65535"), row, column};
    if (column < kSpaceColumn) return {{}, std::nullopt, row, column + 1};
    return {{}, std::nullopt, row < kGridRows ? row + 1 : 1, kToneColumn};
}

} // namespace tonaq
