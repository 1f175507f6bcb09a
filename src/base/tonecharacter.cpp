#include "base/tonecharacter.h"

namespace tonaq {

QChar toneCharacterOfKeypad(int index) {
    if (index >= 0 && index <= 8) return QChar(u'1' + index);
    switch (index) {
    case 9:
        return QChar(u'0');
    case 10:
        return QChar(u'*');
    case 11:
        return QChar(u'#');
    case 12:
    case 13:
    case 14:
    case 15:
        return QChar(u'A' + (index - 12));
    default:
        return {};
    }
}

bool isToneCharacter(QChar c, bool acceptLowerCase) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || u == u'*' || u == u'#' || (u >= u'A' && u <= u'D') ||
           (acceptLowerCase && u >= u'a' && u <= u'd');
}

} // namespace tonaq
