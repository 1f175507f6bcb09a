// The firmware over time: tones, the "%" window, aborts, when replies are due. Time is given
// explicitly, so nothing here waits.
#include "firmwaretesthelpers.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace tonaq::sim;
using namespace tonaq::sim::test;

Q_DECLARE_METATYPE(QList<tonaq::sim::SoundedTone>)

namespace {
constexpr double kOpen = TonePlayer::kNever;

// Input chunks, each with the time it arrives.
struct Timed {
    double atMs;
    QByteArray bytes;
};
} // namespace

Q_DECLARE_METATYPE(QList<Timed>)

class TestFirmwareTiming : public QObject {
    Q_OBJECT
private slots:
    void tones_data();
    void tones();
    void timedDuration_data();
    void timedDuration();
    void replyDueTimes();
    void anyInputIsSafe();
};

void TestFirmwareTiming::tones_data() {
    using S = ToneSource;
    QTest::addColumn<QList<Timed>>("input");
    QTest::addColumn<double>("endMs");
    QTest::addColumn<QList<SoundedTone>>("sounded");

    QTest::newRow("percent tone within window")
        << QList<Timed>{{0, "%"}, {4.9, "5"}} << 100.0
        << QList<SoundedTone>{{'5', 4.9, kOpen, S::Continuous}};
    QTest::newRow("percent tone too late")
        << QList<Timed>{{0, "%"}, {5.1, "5"}} << 100.0 << QList<SoundedTone>{};
    QTest::newRow("percent lower case")
        << QList<Timed>{{0, "%d"}} << 10.0 << QList<SoundedTone>{{'D', 0, kOpen, S::Continuous}};
    QTest::newRow("percent alone stops after window")
        << QList<Timed>{{0, "%5"}, {100, "%"}} << 200.0
        << QList<SoundedTone>{{'5', 0, 105, S::Continuous}};
    QTest::newRow("percent then command stops at once")
        << QList<Timed>{{0, "%5"}, {100, "%@"}} << 200.0
        << QList<SoundedTone>{{'5', 0, 100, S::Continuous}};
    QTest::newRow("new percent tone replaces")
        << QList<Timed>{{0, "%5"}, {50, "%6"}} << 200.0
        << QList<SoundedTone>{{'5', 0, 50, S::Continuous}, {'6', 50, kOpen, S::Continuous}};
    QTest::newRow("line end leaves continuous tone")
        << QList<Timed>{{0, "%5"}, {50, "\r\n"}} << 200.0
        << QList<SoundedTone>{{'5', 0, kOpen, S::Continuous}};

    QTest::newRow("timed tone") << QList<Timed>{{10, "I#,200\r"}} << 1000.0
                                << QList<SoundedTone>{{'#', 10, 210, S::Timed}};
    QTest::newRow("timed tone aborted") << QList<Timed>{{10, "I#,200\r\n"}, {60, "\r\n%"}} << 1000.0
                                        << QList<SoundedTone>{{'#', 10, 60, S::Timed}};
    QTest::newRow("timed tone cuts continuous")
        << QList<Timed>{{0, "%1"}, {50, "I2,100\r"}} << 1000.0
        << QList<SoundedTone>{{'1', 0, 50, S::Continuous}, {'2', 50, 150, S::Timed}};

    // Location 3 holds "123#", 100 ms tones, 50 ms spaces.
    QTest::newRow("memory play") << QList<Timed>{{0, "M3\r\n"}} << 10000.0
                                 << QList<SoundedTone>{{'1', 0, 100, S::Memory},
                                                       {'2', 150, 250, S::Memory},
                                                       {'3', 300, 400, S::Memory},
                                                       {'#', 450, 550, S::Memory}};
    QTest::newRow("memory play aborted")
        << QList<Timed>{{0, "M3\r\n"}, {170, "\r\n"}} << 10000.0
        << QList<SoundedTone>{{'1', 0, 100, S::Memory}, {'2', 150, 170, S::Memory}};
    QTest::newRow("memory play ignores other bytes")
        << QList<Timed>{{0, "M7\r\n"}, {10, "%5I"}} << 10000.0
        << QList<SoundedTone>{{'D', 0, 1000, S::Memory}};

    QTest::newRow("sequence") << QList<Timed>{{0, "F5,100,50\r\n"}, {1, "a,30,\r\n"}, {2, "\r\n"}}
                              << 10000.0
                              << QList<SoundedTone>{{'5', 2, 102, S::Sequence},
                                                    {'A', 152, 182, S::Sequence}};
    QTest::newRow("sequence defaults, bad rows skipped")
        << QList<Timed>{{0, "Fx,100,0\r\n7,,\r\n55,40,0\r\n9\r\n\r\n"}} << 10000.0
        << QList<SoundedTone>{{'7', 0, 100, S::Sequence}, {'9', 100, 200, S::Sequence}};
    QTest::newRow("sequence aborted")
        << QList<Timed>{{0, "F5,100,50\r\n6,100,0\r\n\r\n"}, {160, "\r"}} << 10000.0
        << QList<SoundedTone>{{'5', 0, 100, S::Sequence}, {'6', 150, 160, S::Sequence}};
    QList<SoundedTone> twenty;
    for (int i = 0; i < 20; ++i)
        twenty.append({'1', i * 20.0, i * 20.0 + 20, S::Sequence});
    QTest::newRow("sequence keeps 20 rows")
        << QList<Timed>{{0, "F" + QByteArray("1,20,0\r\n").repeated(25) + "\r\n"}} << 10000.0
        << twenty;
}

void TestFirmwareTiming::tones() {
    QFETCH(QList<Timed>, input);
    QFETCH(double, endMs);
    QFETCH(QList<SoundedTone>, sounded);

    UnitFirmware firmware;
    for (const Timed &chunk : input)
        firmware.feed(chunk.bytes, chunk.atMs);
    firmware.advanceTo(endMs);
    QCOMPARE(firmware.tones(), sounded);
}

void TestFirmwareTiming::timedDuration_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<double>("durationMs");

    QTest::newRow("given") << QByteArray("5,250") << 250.0;
    QTest::newRow("lowest") << QByteArray("5,20") << 20.0;
    QTest::newRow("highest") << QByteArray("5,65535") << 65535.0;
    QTest::newRow("too short") << QByteArray("5,19") << 100.0;
    QTest::newRow("too long") << QByteArray("5,65536") << 100.0;
    QTest::newRow("huge") << QByteArray("5,99999999999999999999") << 100.0;
    QTest::newRow("negative") << QByteArray("5,-300") << 100.0;
    QTest::newRow("empty") << QByteArray("5,") << 100.0;
    QTest::newRow("no comma") << QByteArray("5") << 100.0;
    QTest::newRow("not a number") << QByteArray("5,abc") << 100.0;
    QTest::newRow("number then text") << QByteArray("5,300ms") << 300.0;
}

void TestFirmwareTiming::timedDuration() {
    QFETCH(QByteArray, line);
    UnitFirmware firmware;
    firmware.feed("I" + line + "\r", 0);
    firmware.advanceTo(1e6);
    QCOMPARE(firmware.tones().size(), 1);
    QTEST(firmware.tones().first().endMs, "durationMs");
}

void TestFirmwareTiming::replyDueTimes() {
    UnitFirmware firmware;
    firmware.feed("@", 10);
    QCOMPARE(firmware.takeReplies().first().dueMs, 11.0);

    // Location 3 plays four 100 ms tones with 50 ms spaces: 600 ms before "Ready".
    firmware.feed("M3\r\n", 1000);
    firmware.advanceTo(5000);
    const QList<Reply> played = firmware.takeReplies();
    QCOMPARE(played.size(), 3);
    QCOMPARE(played[1].bytes, QByteArray("OK\r\n"));
    QCOMPARE(played[1].dueMs, 1001.0);
    QCOMPARE(played[2].bytes, QByteArray("Ready\r\n"));
    QCOMPARE(played[2].dueMs, 1601.0);

    firmware.setProcessingDelayMs(3);
    firmware.setFaults({.extraReplyDelayMs = 250});
    firmware.feed("M3\r\n", 6000);
    firmware.feed("\r\n", 6170);
    const QList<Reply> aborted = firmware.takeReplies();
    QCOMPARE(aborted.size(), 3);
    QCOMPARE(aborted[0].dueMs, 6253.0);
    QCOMPARE(aborted[2].bytes, QByteArray("Ready\r\n"));
    QCOMPARE(aborted[2].dueMs, 6423.0);
}

void TestFirmwareTiming::anyInputIsSafe() {
    // Mostly bytes that mean something, so that every mode is reached, with odd times mixed in.
    const QByteArray alphabet = "@RIMVSF%^0123456789*#ABCDabcd.,\r\n x\xff";
    QRandomGenerator random(20240607);
    UnitFirmware firmware;
    double now = 0;
    for (int round = 0; round < 20000; ++round) {
        QByteArray chunk;
        for (int i = random.bounded(1, 16); i > 0; --i)
            chunk.append(random.bounded(8) == 0 ? char(random.bounded(256))
                                                : alphabet[random.bounded(alphabet.size())]);
        const int pick = random.bounded(20);
        const double at = pick == 0 ? std::nan("") : pick == 1 ? now - 500 : now;
        firmware.feed(chunk, at);
        now += random.bounded(200) / 10.0;
    }
    firmware.advanceTo(now + 1e6);

    qsizetype pending = 0;
    for (const Reply &reply : firmware.takeReplies()) {
        QVERIFY(std::isfinite(reply.dueMs));
        pending += reply.bytes.size();
    }
    QVERIFY(pending <= UnitFirmware::kMaxPendingReplyBytes);
    for (const SoundedTone &tone : firmware.tones())
        QVERIFY(tone.startMs <= tone.endMs);
}

QTEST_GUILESS_MAIN(TestFirmwareTiming)
#include "tst_firmwaretiming.moc"
