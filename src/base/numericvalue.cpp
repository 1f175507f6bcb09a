#include "base/numericvalue.h"

#include <charconv>
#include <limits>

namespace tonaq {

namespace {

// More significant digits than any double needs for correct rounding; the rest only count as
// "something non-zero follows", which keeps huge digit runs cheap.
constexpr qsizetype kMaxSignificantDigits = 800;
// Exponents are saturated here; anything near it is infinity or zero anyway.
constexpr qint64 kExponentCap = 1'000'000'000'000'000;
// Decimal exponents (of 0.ddd) beyond these are certainly out of a double's range.
constexpr qint64 kOverflowScale = 400;
constexpr qint64 kUnderflowScale = -400;

// Walks the text, stepping over the characters that Val ignores anywhere.
class Cursor {
public:
    explicit Cursor(const QString &text)
        : m_text(text) {}

    char16_t peek() {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos].unicode()))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos].unicode() : u'\0';
    }
    void advance() { ++m_pos; }

private:
    static bool isSkipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

    const QString &m_text;
    qsizetype m_pos = 0;
};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int digitValue(char16_t c, int base) {
    int value = -1;
    if (isDigit(c))
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

double prefixedValue(Cursor &cursor, int base) {
    quint64 value = 0;
    double wideValue = 0;
    bool wide = false;
    for (int digit = digitValue(cursor.peek(), base); digit >= 0;
         digit = digitValue(cursor.peek(), base)) {
        cursor.advance();
        if (wide) {
            wideValue = wideValue * base + digit;
        } else {
            value = value * base + digit;
            if (value > 0xFFFFFFFFu) {
                wide = true;
                wideValue = static_cast<double>(value);
            }
        }
    }
    if (wide) return wideValue;
    if (value <= 0xFFFFu) return static_cast<qint16>(static_cast<quint16>(value));
    return static_cast<qint32>(static_cast<quint32>(value));
}

// Significant digits d1..dn and a decimal exponent e: the value is d1..dn x 10^e.
struct Mantissa {
    QByteArray digits;
    qint64 exponent = 0;
    bool anyDigit = false;
    bool droppedNonZero = false;

    void addDigit(char16_t c, bool fraction) {
        anyDigit = true;
        if (digits.isEmpty() && c == u'0') {
            if (fraction) --exponent;
        } else if (digits.size() < kMaxSignificantDigits) {
            digits.append(static_cast<char>(c));
            if (fraction) --exponent;
        } else {
            droppedNonZero = droppedNonZero || c != u'0';
            if (!fraction) ++exponent;
        }
    }
};

qint64 readExponent(Cursor &cursor) {
    bool negative = false;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        negative = cursor.peek() == u'-';
        cursor.advance();
    }
    qint64 exponent = 0;
    while (isDigit(cursor.peek())) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (cursor.peek() - u'0');
        cursor.advance();
    }
    return negative ? -exponent : exponent;
}

double magnitude(Mantissa m) {
    if (m.digits.isEmpty()) return 0;
    // Scale of the form 0.d1..dn, so that range decisions need no parsing.
    const qint64 scale = m.digits.size() + m.exponent;
    if (scale > kOverflowScale) return std::numeric_limits<double>::infinity();
    if (scale < kUnderflowScale) return 0;
    if (m.droppedNonZero)
        m.digits.append('1'); // a sticky digit keeps the rounding of the dropped tail right
    const QByteArray text = "0." + m.digits + 'e' + QByteArray::number(scale);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

double decimalValue(Cursor &cursor) {
    bool negative = false;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        negative = cursor.peek() == u'-';
        cursor.advance();
    }
    Mantissa mantissa;
    while (isDigit(cursor.peek())) {
        mantissa.addDigit(cursor.peek(), false);
        cursor.advance();
    }
    if (cursor.peek() == u'.') {
        cursor.advance();
        while (isDigit(cursor.peek())) {
            mantissa.addDigit(cursor.peek(), true);
            cursor.advance();
        }
    }
    if (!mantissa.anyDigit) return 0;
    const char16_t marker = cursor.peek();
    if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
        cursor.advance();
        mantissa.exponent += readExponent(cursor);
    }
    const double value = magnitude(mantissa);
    return negative ? -value : value;
}

} // namespace

double numericValue(const QString &text) {
    Cursor cursor(text);
    double value = 0;
    if (cursor.peek() == u'&') {
        cursor.advance();
        const char16_t kind = cursor.peek();
        cursor.advance();
        if (kind == u'H' || kind == u'h')
            value = prefixedValue(cursor, 16);
        else if (kind == u'O' || kind == u'o')
            value = prefixedValue(cursor, 8);
    } else {
        value = decimalValue(cursor);
    }
    return value == 0 ? 0.0 : value; // no "-0" for "-0" or "-.0"
}

QString decimalText(double value) {
    if (value == 0) return QStringLiteral("0");
    return QString::number(value, 'g', 15).replace(u'e', u'E');
}

} // namespace tonaq
