// The program's pure rules, as tables: numbers, keys, entry and grid rules, the location
// report, the configuration file's fields, dialog filters and flags, log lines, wire traces,
// and the two programs' command lines.
#include "app/startoptions.h"
#include "app/xpstyle.h"
#include "base/errorlog.h"
#include "base/numericvalue.h"
#include "base/tonaqerror.h"
#include "base/tonecharacter.h"
#include "config/configfile.h"
#include "config/dialogrules.h"
#include "ctl/ctloptions.h"
#include "link/wiretrace.h"
#include "memory/memorytransfer.h"
#include "multiplay/gridrules.h"
#include "tones/entryrules.h"
#include "tones/keyclassification.h"
#include "tones/memoryplaybound.h"
#include "unit/locationreply.h"

#include <QBuffer>
#include <QTest>
#include <cmath>
#include <limits>

using namespace tonaq;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

template <typename Row> using Rows = std::initializer_list<Row>;

// The parsed texts as one line: a missing text is "-", then the failed step as its number
// (0 no line 2, 1 Length, 2 Space, 3 String) or "ok".
QString summary(const LocationReply &reply) {
    QStringList parts;
    for (const auto &text : {reply.texts.length, reply.texts.space, reply.texts.string})
        parts << (text ? '[' + *text + ']' : QStringLiteral("-"));
    parts << (reply.failedStep ? QString::number(int(*reply.failedStep)) : QStringLiteral("ok"));
    return parts.join(u' ');
}

// "~" stands for NUL.
const auto nuls = [](const char *text) { return QString(text).replace(u'~', QChar(u'\0')); };

const QString kTonaqFilter = QStringLiteral("Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*");

} // namespace

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void numbers_data() {
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

    void numbers() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double actual = numericValue(text);
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
        for (auto [name, qtKey, modifiers, scanCode, virtualKey, native, tone] :
             Rows<std::tuple<const char *, int, Qt::KeyboardModifiers, uint, uint, NativeKeyCodes,
                             const char *>>{
                 {"Shift+3", Qt::Key_NumberSign, shift, 0, 0, none, "#"},
                 {"Shift+8", Qt::Key_Asterisk, shift, 0, 0, none, "*"},
                 {"Ctrl+Shift+3", Qt::Key_NumberSign, shift | Qt::ControlModifier, 0, 0, none, "3"},
                 {"numpad *", Qt::Key_Asterisk, pad, 0, 0, none, "none"},
                 {"a", Qt::Key_A, no, 0, 0, none, "A"},
                 {"Esc", Qt::Key_Escape, no, 0, 0, none, "abort"},
                 {"xkb German Shift+3", Qt::Key_section, shift, 12, 167, xkb, "#"},
                 {"xkb German # key", Qt::Key_NumberSign, no, 51, 35, xkb, "none"},
                 {"xkb numpad 7, Num Lock off", Qt::Key_Home, pad, 79, 0xff95, xkb, "none"},
                 {"windows # key", Qt::Key_NumberSign, no, 43, 0xbf, win, "none"},
                 {"windows, no native code", Qt::Key_Percent, shift, 0, 0, win, "5"}}) {
            // clang-format on
            QTest::newRow(name) << windowsVirtualKey(qtKey, modifiers, scanCode, virtualKey, native)
                                << shiftMask(modifiers) << QString(tone);
        }
        // Every number-pad digit, by its X key code (KP_0 is 90, KP_1 87 ... KP_9 81) and
        // without native codes.
        const quint32 keypadCodes[] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
        for (int digit = 0; digit <= 9; ++digit) {
            const auto key = Qt::Key(Qt::Key_0 + digit);
            QTest::addRow("xkb numpad %d", digit)
                << windowsVirtualKey(key, pad, keypadCodes[digit], 0xffb0 + digit, xkb) << 0
                << QString::number(digit);
            QTest::addRow("numpad %d, no native code", digit)
                << windowsVirtualKey(key, pad, 0, 0, none) << 0 << QString::number(digit);
        }
    }

    void toneKey() {
        QFETCH(int, keyCode);
        QFETCH(int, mask);
        QFETCH(QString, tone);
        const ToneKey key = classifyToneKey(keyCode, mask);
        QCOMPARE(key.kind == ToneKeyKind::Tone    ? QString(key.tone)
                 : key.kind == ToneKeyKind::Abort ? "abort"
                                                  : "none",
                 tone);
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
        // The duration box's check: the corrected text, or nothing for a text that passes.
        QStringList outcomes;
        for (const char *text : {"", "20", "65535", "20.5", "100x", "65536", "1e5", "19", "19.99",
                                 "abc", " ", "&HFFFF"}) {
            const auto check = checkDuration(text);
            QVERIFY(!check || check->message == (check->corrected == "20"
                                                     ? "Time must be 20 milliseconds or greater."
                                                     : "Time must be less than 65,535"));
            outcomes << (check ? check->corrected : QString());
        }
        QCOMPARE(outcomes.join(u','), ",,,,,65535,65535,20,20,20,20,20");
    }

    // Each key in a cell of a column: the cell's text afterwards, "!" when the key was refused.
    void gridRules() {
        QStringList outcomes;
        // clang-format off
        for (auto [column, cell, key] : Rows<std::tuple<int, const char *, int>>{
                 {1, "", '5'}, {1, "7", '#'}, {1, "", 'b'}, {1, "7", 'x'}, {1, "7", 8}, {1, "1", 'E'},
                 {2, "7000", '0'}, {2, "70000", '1'}, {2, "abcdef", '1'}, {2, "1234", 8},
                 {2, "123", 'x'}, {2, "12", '.'}, {3, "", '0'}, {3, "12345", '6'}, {3, "50", 8},
                 {3, "123", 'x'}, {0, " 1", '5'}, {4, "a", 'x'}}) {
            // clang-format on
            const CellEdit edit = applyCharacter(column, cell, key);
            QVERIFY(edit.message.isEmpty() || edit.message == "Only numbers 0 - 9 allowed");
            outcomes << edit.text + (edit.message.isEmpty() ? "" : "!");
        }
        QCOMPARE(outcomes.join(u'|'), "5|#|b||||70000|70000|abcdef||!|!|0|12345||123!| 1|a");
        // Enter in a cell: the corrected text ("-" when left alone) and the current cell after.
        outcomes.clear();
        // clang-format off
        for (auto [row, column, cell] : Rows<std::tuple<int, int, const char *>>{
                 {5, 1, ""}, {1, 1, "#"}, {1, 2, ""}, {3, 2, "19"}, {3, 2, "20"}, {3, 2, "65535"},
                 {3, 2, "100ab"}, {4, 3, "70000"}, {4, 3, "0"}, {4, 3, "50"}, {20, 3, "50"},
                 {2, 1, "99999"}}) {
            // clang-format on
            const EnterOutcome o = applyEnter(row, column, cell);
            QCOMPARE(o.message, o.corrected ? "Only numbers between 20 and 65535 allowed." : "");
            outcomes << QStringLiteral("%1 %2,%3")
                            .arg(o.corrected.value_or("-"))
                            .arg(o.row)
                            .arg(o.column);
        }
        QCOMPARE(outcomes.join(u'|'),
                 "- 5,2|- 1,2|20 1,2|20 3,2|- 3,3|- 3,3|- 3,3|65535 4,3|20 4,3|"
                 "- 5,1|- 1,1|65535 2,1");
    }

    // The reply to a location query, taken apart: each text in brackets, "-" for a text the
    // reply did not hold, then the step that found it too short (0 no line 2, 1 Length,
    // 2 Space, 3 String) or "ok".
    void locationReply() {
        const QString head = "View\r\nLocation 0\r\n";
        QStringList outcomes;
        for (const QString &reply :
             {head + "Length = 100ms : Space = 50ms\r\nString = 123#\r\n",
              head + "Length = 1200ms: Space = 80 ms\r\nString = 1",
              head + "Length = 123456ms:Space = 20ms\r\nString = ", // six digits stay
              head + "Length = 1:Space = 2:x = 3\r\nString = A\r\nString = B",
              head + "length = 5:SPACE = 6\r\nstring = 7",          // case-sensitive
              head + "\tLength = 5 :Space = 6\t\r\n  String = 7  ", // only blanks trimmed
              head + "mmss:Space = 1\r\n",                          // removal is one pass
              QString("a\rb\nc\r\nd\r\nLength = 1:Space = 2\r\nString = 3"), QString(),
              QString("a\r\nb\nLength = 1:Space = 2\nString = 3"), head, head + "\r\nString = 1",
              head + "Length = 100ms\r\nString = 1", head + ":", head + "Length = 1 : Space = 5"})
            outcomes << summary(parseLocationReply(reply));
        QCOMPARE(outcomes,
                 (QStringList{"[100] [50] [123#] ok", "[1200] [80] [1] ok", "[123456] [20] [] ok",
                              "[1] [2] [A] ok", "[length = 5] [SPACE = 6] [string = 7] ok",
                              "[\t5] [6\t] [7] ok", "[ms] [1] [] ok", "[1] [2] [3] ok", "- - - 0",
                              "- - - 0", "- - - 1", "- - - 1", "[100] - - 2", "[] [] - 3",
                              "[1] [5] - 3"}));
    }

    void dialogFilters() {
        const QString converted = convertFilterList(kTonaqFilter);
        QCOMPARE(converted, nuls("Tonaq Files (*.tnq)~*.tnq~All Files (*.*)~*.*~~"));
        QStringList pairs;
        // clang-format off
        for (auto [list, index] : Rows<std::pair<QString, int>>{
                 {converted, 1}, {converted, 2}, {converted, 3}, {converted, 9}, {converted, 0},
                 {"", 1}, {"Tonaq Files", 1}, {nuls("a~b"), 1}, {nuls("a~b"), 2}})
            // clang-format on
            pairs << filterLookup(list, index).replace(QChar(u'\0'), u'~');
        // The third "pair" is the closing NUL after the last one.
        QCOMPARE(pairs.join(u'|'), "Tonaq Files (*.tnq)~*.tnq|All Files (*.*)~*.*|~|||||a~b|");

        const auto filters = [](const char *list) {
            return qtNameFilters(convertFilterList(list)).join(u'|');
        };
        QCOMPARE(filters(kTonaqFilter.toLatin1()), "Tonaq Files (*.tnq)|All Files (*.*)");
        QCOMPARE(filters("Tonaq|*.tnq"), "Tonaq (*.tnq)");
        QCOMPARE(filters("Text (*.txt;*.log)|*.txt;*.log"), "Text (*.txt *.log)");
        QCOMPARE(filters("Text (*.txt)|*.log"), "Text (*.txt) (*.log)");
        QCOMPARE(filters("A|*.a|B"), "A (*.a)");          // a lone description ends the list
        QCOMPARE(filters("A|*.a||*.b|C|*.c"), "A (*.a)"); // so does an empty item

        QCOMPARE(trimAtNull("site.tnq" + QString(252, QChar(u'\0'))), "site.tnq");
    }

    // Every field joined by "|", then "!" and the error number that ended the data.
    void configurationFields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fields");
        QStringList all84;
        for (int i = 0; i < kConfigurationFieldCount; ++i)
            all84 << QString::number(i);
        QTest::newRow("all on one line")
            << all84.join(u',').toLatin1() << all84.join(u'|') + "|!62";
        QTest::newRow("Latin-1") << QByteArray("\xe9,\x80")
                                 << QString::fromUtf8("\xc3\xa9|\xc2\x80|!62");
        // clang-format off
        for (auto [bytes, fields] : Rows<std::pair<const char *, const char *>>{
                 {"a,b,", "a|b||!62"}, {"a\rb\nc\r\nd", "a|b|c|d|!62"}, {"a\r\n\r\nb", "a||b|!62"},
                 {" a ,\"b,c\"", " a |\"b|c\"|!62"}})
            // clang-format on
            QTest::newRow(bytes) << QByteArray(bytes) << QString(fields);
    }

    void configurationFields() {
        QFETCH(QByteArray, bytes);
        QBuffer source(&bytes);
        source.open(QIODevice::ReadOnly);
        ConfigFieldReader reader(source);
        QStringList fields;
        try {
            for (int i = 0; i < 1000; ++i)
                fields << reader.next(100);
        } catch (const TonaqError &error) {
            fields << '!' + QString::number(error.number());
        }
        QTEST(fields.join(u'|'), "fields");
    }

    // The log's stamp and the trace's escapes; log lines whole: tst_files, tst_faultsurvival.
    void stampsEscapesAndBounds() {
        QCOMPARE(logStamp(QDateTime(QDate(2026, 3, 3), QTime(9, 5)), u'/', u':'),
                 "3/03/2026 09:05");
        QCOMPARE(logStamp(QDateTime(QDate(2027, 12, 31), QTime(0, 0)), u'.', u'.'),
                 "12.31.2027 00.00");
        QCOMPARE(escapedBytes(QByteArray("@5,100\r\n\\\x00\xff~", 12)),
                 "@5,100\\r\\n\\\\\\x00\\xff~");
        // The longest a location can play, which bounds the wait for its "Ready".
        using std::chrono::milliseconds;
        QCOMPARE(longestLocationPlay("100", "50", "123#"), milliseconds(600));
        QCOMPARE(longestLocationPlay("5", "99999", "1"), milliseconds(20 + 65534));
        QCOMPARE(longestLocationPlay("x", "", ""), milliseconds(20 * 2 * 65534));
    }

    void commandLines_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char *name, const char *line, const char *outcome) {
            QTest::newRow(name) << QString(line).split(u' ', Qt::SkipEmptyParts)
                                << QString(outcome);
        };
        row("tonaq file in pieces", "tonaq --demo C:\\my \"data\" -x.tnq",
            "demo C:\\my \"data\" -x.tnq");
        row("tonaq trace", "tonaq --trace t.txt a.tnq", "trace t.txt a.tnq");
        row("tonaq wav without demo", "tonaq --wav a.wav", "error");
        row("ctl download", "tonaqctl download --port com7 x.tnq", "download 7 x.tnq");
        row("ctl upload rows", "tonaqctl upload --demo x.tnq --rows 5,1-2,2",
            "upload 0 x.tnq 1,2,5");
        row("ctl bad rows", "tonaqctl upload --port 3 x.tnq --rows 3-1", "error");
        row("ctl play 9", "tonaqctl play --port COM1 19", "error");
        row("ctl extra argument", "tonaqctl tone --port 3 5 200 9", "error");
        row("ctl tone too short", "tonaqctl tone --port 3 5 19", "error");
        row("ctl tone too long", "tonaqctl tone --port 3 5 65536", "error");
    }

    void commandLines() {
        QFETCH(QStringList, arguments);
        QStringList understood;
        QString error;
        if (arguments.first() == "tonaq") {
            const StartOptions o = parseStartOptions(arguments);
            understood << (o.demo ? "demo" : "")
                       << (o.tracePath.isEmpty() ? "" : "trace " + o.tracePath) << o.commandLine;
            error = o.error;
        } else {
            const ctl::CtlOptions o = ctl::parseCtlOptions(arguments);
            QStringList rows;
            for (int row : o.rows)
                rows << QString::number(row);
            understood << arguments[1] << QString::number(o.port) << o.file << rows.join(u',')
                       << o.locations << o.tone << o.duration;
            error = o.error;
        }
        QTEST(error.isEmpty() ? understood.join(u' ').simplified() : "error", "outcome");
    }

    // Visual styles take a system of 5.1 or later (the minor version counts as a tenth), that
    // themes the program, with common controls 6 or later; a system that fails a test is asked
    // nothing after it.
    void visualStyles_data() {
        QTest::addColumn<QList<int>>("system"); // version, minor, themed, common controls
        QTest::addColumn<QString>("outcome");   // on or off, and what was asked
        QTest::newRow("2000") << QList{5, 0, 1, 6} << "off: version";
        QTest::newRow("Me: 4.90 counts as 13")
            << QList{4, 90, 1, 6} << "on: version theme controls";
        QTest::newRow("XP") << QList{5, 1, 1, 6} << "on: version theme controls";
        QTest::newRow("Server 2003") << QList{5, 2, 1, 6} << "on: version theme controls";
        QTest::newRow("XP, classic look") << QList{5, 1, 0, 6} << "off: version theme";
        QTest::newRow("XP, controls 5") << QList{5, 1, 1, 5} << "off: version theme controls";
        QTest::newRow("10") << QList{10, 0, 1, 6} << "on: version theme controls";
    }

    void visualStyles() {
        QFETCH(QList<int>, system);
        struct Probe : VisualStyleProbe {
            QList<int> a;
            QStringList asked;
            Version systemVersion() override { return asked << "version", Version{a[0], a[1]}; }
            bool appThemed() override { return asked << "theme", a[2] != 0; }
            int commonControlsMajor() override { return asked << "controls", a[3]; }
        } probe;
        probe.a = system;
        const bool active = visualStylesActive(probe);
        QTEST((active ? "on: " : "off: ") + probe.asked.join(u' '), "outcome");
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
