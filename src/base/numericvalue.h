#pragma once

#include <QString>

namespace tonaq {

// The value of the number at the start of a text, read the way BASIC's Val reads it. Every
// range check of the program goes through here, so a text means the same number everywhere:
// - blanks, tabs and line feeds are skipped wherever they stand, also between digits;
// - an optional sign, digits, one "." (whatever the locale) and an optional exponent
//   ("E" or "D", any case, optional sign and digits) make the number;
// - "&H" and "&O" at the start read hexadecimal and octal digits. A value up to 0xFFFF is
//   taken as a 16-bit signed number ("&HFFFF" is -1), up to 0xFFFFFFFF as a 32-bit one
//   ("&HFFFFFFFF" is -1); a longer run keeps its plain positive value. A sign before the
//   prefix is not a number ("-&H10" is 0);
// - the first character that cannot continue the number ends it; no number gives 0.
// Any input is safe: a value too large for a double gives +/-infinity, one too small gives 0,
// and the result is never -0 or NaN.
double numericValue(const QString &text);

// The decimal form of a number, like BASIC's Str$ without its leading blank: 15 significant
// digits, integers without a point ("20"), exponent from 1E+15 or below 1E-04 ("1E+20"). A
// fraction keeps its leading zero ("0.5", where Str$ writes ".5"); NumericValue reads both.
// Infinity, which Str$ cannot meet, is written "inf".
QString decimalText(double value);

} // namespace tonaq
