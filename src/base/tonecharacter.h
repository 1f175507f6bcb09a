#pragma once

#include <QChar>

namespace tonaq {

// The tone character of keypad button `index`: 0-8 give "1"-"9", 9 gives "0" (the digit zero
// sits below "8", not at index 0), 10 "*", 11 "#", 12-15 "A"-"D". Any other index gives a
// null QChar.
QChar toneCharacterOfKeypad(int index);

// One of the sixteen DTMF symbols "0"-"9", "*", "#", "A"-"D"; entry boxes also take "a"-"d".
bool isToneCharacter(QChar c, bool acceptLowerCase);

} // namespace tonaq
