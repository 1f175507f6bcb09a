#pragma once

#include <QString>
#include <optional>

namespace tonaq {

// Key filter of the one-character tone box: tone characters, "a"-"d" and every control code
// (0-31: Backspace, Enter, Esc, ...) go in unchanged.
bool toneKeyAccepted(int keyAscii);

// What the tone box holds after a refused key: the decimal form of its number, so a digit
// stays and a letter, "#", "*" or an empty box become "0".
QString correctedToneText(const QString &text);

struct DurationCheck {
    QString message;   // shown to the operator
    QString corrected; // the box's new text
};

// Range check of the duration box when the focus leaves it: nothing for an empty text or a
// number from 20 to 65535 (characters after the number are kept); otherwise the message
// and the limit the box is set to.
std::optional<DurationCheck> checkDuration(const QString &text);

// Key filter of the memory-play box: only the location digits "1"-"8". Enter, which plays,
// is the caller's to handle before this filter.
bool locationKeyAccepted(int keyAscii);

// What the memory-play box holds after a refused key: the decimal form of the absolute value
// of its number, or "8" when that is above 8 ("5" stays, "123" becomes "8", "" becomes "0").
QString correctedLocations(const QString &text);

// The number one character of the memory-play box stands for; playing skips anything
// outside 1 to 8.
int locationDigit(QChar c);

} // namespace tonaq
