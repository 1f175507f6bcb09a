#include "tones/entryrules.h"
#include "tones/keyclassification.h"
#include "tones/numericvalue.h"
#include "tones/tonecharacter.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace tonaq;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

template <typename Row> using Rows = std::initializer_list<Row>;

QString describe(const ToneKey &key) {
    if (key.kind == ToneKeyKind::Abort) return QStringLiteral("abort");
    return key.kind == ToneKeyKind::Tone ? QString(key.tone) : QStringLiteral("none");
}

struct KeyEvent {
    const char *name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    uint scanCode, virtualKey;
    NativeKeyCodes native;
    const char *tone;
};

} // namespace

class TestToneRules : public QObject {
    Q_OBJECT

private slots:
    void numericValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        // clang-format off
        for (auto [text, value] : Rows<std::pair<const char *, double>>{
                 {"", 0}, {"abc", 0}, {"--5", 0}, {"-0", 0}, {".", 0}, {"e5", 0}, {".e5", 0},
                 {"&", 0}, {"&X1", 0}, {"-&H10", 0}, {"&H", 0}, {"100ab", 100}, {"12\r3", 12},
                 {"- 5", -5}, {"+42", 42}, {"1.2.3", 1.2}, {".5", 0.5}, {"1,5", 1}, {"1d3", 1000},
                 {"25e-1", 2.5}, {"7e-x", 7}, {"1 e + 2", 100}, {" 1 2\t3\n4", 1234}, {" & h 1f", 31},
                 {"&HFFFF", -1}, {"&H8000", -32768}, {"&H0000FFFF", -1}, {"&H10000", 65536},
                 {"&HFFFFFFFF", -1}, {"&H100000000", 4294967296.0}, {"&H1G", 1}, {"&O177777", -1},
                 {"&O18", 1}, {"-9e999", -kInf}, {"1e-400", 0}, {"1.8e308", kInf}, {"0.000001e6", 1},
                 {"1.7976931348623157e308", 1.7976931348623157e308},
                 {"4.9406564584124654e-324", 4.9406564584124654e-324}})
            // clang-format on
            QTest::newRow(text) << QString(text) << value;
        QTest::newRow("Arabic-Indic 3") << QString(QChar(0x0663)) << 0.0;

        const qsizetype n = 200'000; // long runs must neither hang nor lose the value
        const QString zeros(n, u'0');
        QTest::newRow("digit run") << QString(n, u'9') << kInf;
        QTest::newRow("zeros, 7") << zeros + u'7' << 7.0;
        QTest::newRow("digits, exponent") << u'1' + zeros + "e-" + QString::number(n) << 1.0;
        // Halfway between two doubles but for a digit far past those kept: must round up.
        QTest::newRow("dropped digits round")
            << "9007199254740993." + zeros + u'1' << 9007199254740994.0;
        QTest::newRow("exponent run") << "1e" + QString(n, u'9') << kInf;
        QTest::newRow("negative exponent run") << "1e-" + QString(n, u'9') << 0.0;
        QTest::newRow("hex run") << "&H" + QString(n, u'F') << kInf;
    }

    void numericValue() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double actual = NumericValue(text);
        // QCOMPARE on doubles is fuzzy; a number reader must be exact, and never give -0.
        QVERIFY2(actual == expected, qPrintable(QString::number(actual, 'g', 17)));
        QVERIFY(!std::signbit(actual) || actual < 0);
    }

    void toneKey_data() {
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("mask");
        QTest::addColumn<QString>("tone");
        for (int digit = 0; digit <= 9; ++digit)
            QTest::addRow("numpad %d", digit) << 96 + digit << 0 << QString::number(digit);
        // clang-format off
        for (auto [keyCode, mask, tone] : Rows<std::tuple<int, int, const char *>>{
                 {99, 1, "3"}, {106, 0, "none"}, {48, 0, "0"}, {51, 1, "#"}, {56, 1, "*"},
                 {51, 3, "3"}, {56, 5, "8"}, {53, 1, "5"}, {68, 1, "D"}, {69, 0, "none"},
                 {27, 0, "abort"}, {16, 1, "none"}})
            // clang-format on
            QTest::addRow("vk %d, mask %d", keyCode, mask) << keyCode << mask << QString(tone);

        // From the Qt key event the keyboard box receives.
        const auto none = NativeKeyCodes::None, xkb = NativeKeyCodes::Xkb;
        const auto win = NativeKeyCodes::Windows;
        const Qt::KeyboardModifiers no, shift = Qt::ShiftModifier, pad = Qt::KeypadModifier;
        // clang-format off
        for (const KeyEvent &e : Rows<KeyEvent>{
                 {"Shift+3", Qt::Key_NumberSign, shift, 0, 0, none, "#"},
                 {"Shift+8", Qt::Key_Asterisk, shift, 0, 0, none, "*"},
                 {"Ctrl+Shift+3", Qt::Key_NumberSign, shift | Qt::ControlModifier, 0, 0, none, "3"},
                 {"numpad *", Qt::Key_Asterisk, pad, 0, 0, none, "none"},
                 {"a", Qt::Key_A, no, 0, 0, none, "A"},
                 {"Esc", Qt::Key_Escape, no, 0, 0, none, "abort"},
                 {"xkb German Shift+3", Qt::Key_section, shift, 12, 167, xkb, "#"},
                 {"xkb German # key", Qt::Key_NumberSign, no, 51, 35, xkb, "none"},
                 {"xkb numpad 0", Qt::Key_0, pad, 90, 0xffb0, xkb, "0"},
                 {"xkb numpad 7, Num Lock off", Qt::Key_Home, pad, 79, 0xff95, xkb, "none"},
                 {"windows # key", Qt::Key_NumberSign, no, 43, 0xbf, win, "none"},
                 {"windows, no native code", Qt::Key_Percent, shift, 0, 0, win, "5"}}) {
            // clang-format on
            const int vk =
                windowsVirtualKey(e.qtKey, e.modifiers, e.scanCode, e.virtualKey, e.native);
            QTest::newRow(e.name) << vk << shiftMask(e.modifiers) << QString(e.tone);
        }
    }

    void toneKey() {
        QFETCH(int, keyCode);
        QFETCH(int, mask);
        QFETCH(QString, tone);
        QCOMPARE(describe(classifyToneKey(keyCode, mask)), tone);
    }

    void charactersAndFilters() {
        QString keypad, tones, toneKeys, locationKeys;
        for (int index = -1; index <= 16; ++index)
            keypad += toneCharacterOfKeypad(index).isNull() ? u'_' : toneCharacterOfKeypad(index);
        QCOMPARE(keypad, QStringLiteral("_1234567890*#ABCD_"));
        for (int key = -1; key < 0x10100; ++key) {
            if (key >= 0 && key < 128 && isToneCharacter(QChar(key), false)) tones += QChar(key);
            if (toneKeyAccepted(key))
                toneKeys += key < 32 ? QChar(u'^') : QChar(key); // "^": the control codes
            if (locationKeyAccepted(key)) locationKeys += QChar(key);
        }
        QCOMPARE(tones, QStringLiteral("#*0123456789ABCD"));
        QCOMPARE(toneKeys, QString(32, u'^') + "#*0123456789ABCDabcd");
        QCOMPARE(locationKeys, QStringLiteral("12345678"));
        QCOMPARE(shiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
        QCOMPARE(shiftMask(Qt::KeypadModifier | Qt::MetaModifier), 0);
    }

    void corrections() {
        QStringList tones, locations, digits, decimals;
        for (const char *text : {"", "7", "B", "#"})
            tones << correctedToneText(text);
        QCOMPARE(tones.join(u','), QStringLiteral("0,7,0,0"));
        for (const char *text : {"5", "123", "", "8", "-3", "-30", "2.5", "8.0001", "1e999"})
            locations << correctedLocations(text);
        QCOMPARE(locations.join(u','), QStringLiteral("5,8,0,8,3,8,2.5,8,8"));
        for (QChar c : QStringLiteral("0189a*#."))
            digits << QString::number(locationDigit(c));
        QCOMPARE(digits.join(u','), QStringLiteral("0,1,8,9,0,0,0,0"));
        for (double value : {-0.0, 0.00001, 1e15, 0.1 + 0.2, 123456789012345.0})
            decimals << decimalText(value);
        QCOMPARE(decimals.join(u','), QStringLiteral("0,1E-05,1E+15,0.3,123456789012345"));
    }

    void duration_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // corrected text and message, or nothing
        const QString tooLong = "65535: Time must be less than 65,535";
        const QString tooShort = "20: Time must be 20 milliseconds or greater.";
        for (const char *fine : {"", "20", "65535", "20.5", "100x"})
            QTest::newRow(fine) << fine << QString();
        for (const char *text : {"65536", "1e5"})
            QTest::newRow(text) << text << tooLong;
        for (const char *text : {"19", "19.99", "abc", " ", "&HFFFF"})
            QTest::newRow(text) << text << tooShort;
    }

    void duration() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto check = checkDuration(text);
        QCOMPARE(check ? check->corrected + ": " + check->message : QString(), expected);
    }
};

QTEST_APPLESS_MAIN(TestToneRules)
#include "tst_tonerules.moc"
