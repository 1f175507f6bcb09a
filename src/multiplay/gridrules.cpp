#include "multiplay/gridrules.h"

#include "base/keyascii.h"
#include "base/limits.h"
#include "base/numericvalue.h"
#include "base/tonecharacter.h"

#include <QCoreApplication>

namespace tonaq {

namespace {

bool isCharacterCode(int code) {
    return code >= 0 && code <= 0xFFFF;
}
bool isDigitCode(int code) {
    return code >= '0' && code <= '9';
}

QString rangeMessage() {
    return QCoreApplication::translate("Grid", "Only numbers between 20 and 65535 allowed.");
}
QString digitsMessage() {
    return QCoreApplication::translate("Grid", "Only numbers 0 - 9 allowed");
}

CellEdit timeCharacter(const QString &cell, int keyAscii, bool refusedEmpties) {
    if (isDigitCode(keyAscii))
        return {cell.size() < kTimeTextLimit ? cell + QChar(keyAscii) : cell, {}};
    if (keyAscii == kBackspaceKey) return {{}, {}};
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
    const double value = numericValue(cell);
    if ((column == kDurationColumn || column == kSpaceColumn) && value < kShortestTime)
        return {rangeMessage(), QString::number(kShortestTime), row, column};
    if (value > kLongestTime) return {rangeMessage(), QString::number(kLongestTime), row, column};
    if (column < kSpaceColumn) return {{}, std::nullopt, row, column + 1};
    return {{}, std::nullopt, row < kSequenceRows ? row + 1 : 1, kToneColumn};
}

} // namespace tonaq
