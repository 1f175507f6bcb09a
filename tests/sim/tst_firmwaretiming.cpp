// The firmware over time: tones, the "%" window, aborts, when replies are due, and when their
// bytes reach the other end (at once, at 9600 baud, in latency-timer bursts). Time is given
// explicitly, so nothing here waits.
#include "sim/outputpacer.h"
#include "sim/unitfirmware.h"

#include <QTest>
#include <cmath>

using namespace tonaq::sim;

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
    void tones_data() {
        using S = ToneSource;
        using Tones = QList<SoundedTone>;
        QTest::addColumn<QList<Timed>>("input");
        QTest::addColumn<Tones>("sounded");
        const auto row = [](const QByteArray &name, const QList<Timed> &in, const Tones &out) {
            QTest::newRow(name.constData()) << in << out;
        };

        row("percent tone within window", {{0, "%"}, {4.9, "d"}},
            {{'D', 4.9, kOpen, S::Continuous}});
        row("percent tone too late", {{0, "%"}, {5.1, "5"}}, {});
        row("percent alone stops after window", {{0, "%5"}, {100, "%"}},
            {{'5', 0, 105, S::Continuous}});
        row("percent then command stops at once", {{0, "%5"}, {100, "%@"}},
            {{'5', 0, 100, S::Continuous}});
        row("line end leaves continuous tone", {{0, "%5"}, {50, "\r\n"}},
            {{'5', 0, kOpen, S::Continuous}});

        row("timed tone", {{10, "I#,200\r"}}, {{'#', 10, 210, S::Timed}});
        // A duration sounds as far as its leading digits read; none, and it sounds 100 ms. (Both
        // programs correct a duration out of 20 to 65535 ms before it is sent.)
        for (const auto &[text, ms] :
             {std::pair<QByteArray, double>{"20", 20}, {"65535", 65535}, {"", 100}, {"300ms", 300}})
            row("duration " + text, {{0, "I5," + text + "\r"}}, {{'5', 0, ms, S::Timed}});
        row("timed tone aborted", {{10, "I#,200\r\n"}, {60, "\r\n%"}}, {{'#', 10, 60, S::Timed}});
        row("timed tone cuts continuous", {{0, "%1"}, {50, "I2,100\r"}},
            {{'1', 0, 50, S::Continuous}, {'2', 50, 150, S::Timed}});

        // Location 3 holds "123#", 100 ms tones, 50 ms spaces.
        row("memory play", {{0, "M3\r\n"}},
            {{'1', 0, 100, S::Memory},
             {'2', 150, 250, S::Memory},
             {'3', 300, 400, S::Memory},
             {'#', 450, 550, S::Memory}});
        row("memory play aborted", {{0, "M3\r\n"}, {170, "\r\n"}},
            {{'1', 0, 100, S::Memory}, {'2', 150, 170, S::Memory}});
        row("memory play ignores other bytes", {{0, "M7\r\n"}, {10, "%5I"}},
            {{'D', 0, 1000, S::Memory}});

        row("sequence", {{0, "F5,100,50\r\n"}, {1, "a,30,\r\n"}, {2, "\r\n"}},
            {{'5', 2, 102, S::Sequence}, {'A', 152, 182, S::Sequence}});
        row("sequence defaults, bad rows skipped", {{0, "Fx,100,0\r\n7,,\r\n55,40,0\r\n9\r\n\r\n"}},
            {{'7', 0, 100, S::Sequence}, {'9', 100, 200, S::Sequence}});
        row("sequence aborted", {{0, "F5,100,50\r\n6,100,0\r\n\r\n"}, {160, "\r"}},
            {{'5', 0, 100, S::Sequence}, {'6', 150, 160, S::Sequence}});
    }

    void tones() {
        QFETCH(QList<Timed>, input);
        UnitFirmware firmware;
        for (const Timed &chunk : input)
            firmware.feed(chunk.bytes, chunk.atMs);
        firmware.advanceTo(1e6);
        QTEST(firmware.tones(), "sounded");
    }

    void replyDueTimes() {
        UnitFirmware firmware;
        const auto dueTimes = [&firmware] {
            QList<double> times;
            for (const Reply &reply : firmware.takeReplies())
                times.append(reply.dueMs);
            return times;
        };
        firmware.feed("@", 10);
        QCOMPARE(dueTimes(), QList<double>{11});

        // "MP", "OK", and "Ready" once location 3 has played four 100 ms tones and 50 ms spaces.
        firmware.feed("M3\r\n", 1000);
        firmware.advanceTo(5000);
        QCOMPARE(dueTimes(), (QList<double>{1001, 1001, 1601}));

        firmware.setProcessingDelayMs(3);
        firmware.setFaults({.extraReplyDelayMs = 250});
        firmware.feed("M3\r\n", 6000);
        firmware.feed("\r\n", 6170); // abort: "Ready" at once
        QCOMPARE(dueTimes(), (QList<double>{6253, 6253, 6423}));
    }

    void deliveryTimes_data() {
        QTest::addColumn<bool>("pacing");
        QTest::addColumn<int>("chunkMs");
        QTest::addColumn<double>("gapMs");
        QTest::addColumn<QList<double>>("times"); // of "AB" due at 10, then "C" due at 10.5

        QTest::newRow("at once") << false << 0 << 0.0 << QList<double>{10, 10, 10.5};
        QTest::newRow("paced, back to back")
            << true << 0 << 0.0
            << QList<double>{10 + OutputPacer::kByteMs, 10 + 2 * OutputPacer::kByteMs,
                             10 + 3 * OutputPacer::kByteMs};
        QTest::newRow("at once, chunked") << false << 16 << 0.0 << QList<double>{16, 16, 16};
        QTest::newRow("paced, chunked") << true << 4 << 0.0 << QList<double>{12, 16, 16};
        QTest::newRow("stalling writer") << true << 0 << 30.0 << QList<double>{40, 70, 100};
    }

    void deliveryTimes() {
        QFETCH(bool, pacing);
        QFETCH(int, chunkMs);
        QFETCH(double, gapMs);
        OutputPacer pacer;
        pacer.setPacing(pacing), pacer.setChunkMs(chunkMs), pacer.setByteGapMs(gapMs);
        pacer.enqueue("AB", 10);
        pacer.enqueue("C", 10.5);
        QList<double> actual;
        for (double at = pacer.nextDeliveryMs(); !pacer.isEmpty(); at = pacer.nextDeliveryMs())
            actual += QList<double>(pacer.takeDue(at).size(), at);
        QFETCH(QList<double>, times);
        QCOMPARE(actual.size(), times.size());
        for (qsizetype i = 0; i < times.size(); ++i)
            QCOMPARE(actual[i], times[i]); // fuzzy: the sums may round differently
    }
};

QTEST_GUILESS_MAIN(TestFirmwareTiming)
#include "tst_firmwaretiming.moc"
