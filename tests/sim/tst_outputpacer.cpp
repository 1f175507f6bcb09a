// When reply bytes reach the other end: at once, at 9600 baud, or in latency-timer bursts.
#include "sim/outputpacer.h"

#include <QTest>

using namespace tonaq::sim;

namespace {
constexpr double kByte = OutputPacer::kByteMs;
}

class TestOutputPacer : public QObject {
    Q_OBJECT
private slots:
    void deliveryTimes_data() {
        QTest::addColumn<bool>("pacing");
        QTest::addColumn<int>("chunkMs");
        QTest::addColumn<double>("gapMs");
        QTest::addColumn<QList<double>>("times"); // of "AB" due at 10, then "C" due at 10.5

        QTest::newRow("at once") << false << 0 << 0.0 << QList<double>{10, 10, 10.5};
        QTest::newRow("paced, back to back")
            << true << 0 << 0.0 << QList<double>{10 + kByte, 10 + 2 * kByte, 10 + 3 * kByte};
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

QTEST_GUILESS_MAIN(TestOutputPacer)
#include "tst_outputpacer.moc"
