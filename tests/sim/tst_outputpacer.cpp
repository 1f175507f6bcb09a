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
    void deliveryTimes_data();
    void deliveryTimes();
};

void TestOutputPacer::deliveryTimes_data() {
    QTest::addColumn<bool>("pacing");
    QTest::addColumn<int>("chunkMs");
    QTest::addColumn<QList<double>>("times"); // of "AB" due at 10, then "C" due at 10.5

    QTest::newRow("at once") << false << 0 << QList<double>{10, 10, 10.5};
    QTest::newRow("paced, back to back")
        << true << 0 << QList<double>{10 + kByte, 10 + 2 * kByte, 10 + 3 * kByte};
    QTest::newRow("at once, chunked") << false << 16 << QList<double>{16, 16, 16};
    QTest::newRow("paced, chunked") << true << 4 << QList<double>{12, 16, 16};
}

void TestOutputPacer::deliveryTimes() {
    QFETCH(bool, pacing);
    QFETCH(int, chunkMs);
    QFETCH(QList<double>, times);

    OutputPacer pacer;
    pacer.setPacing(pacing);
    pacer.setChunkMs(chunkMs);
    pacer.enqueue("AB", 10);
    pacer.enqueue("C", 10.5);
    QList<double> actual;
    while (!pacer.isEmpty()) {
        const double at = pacer.nextDeliveryMs();
        for (qsizetype n = pacer.takeDue(at).size(); n > 0; --n)
            actual.append(at);
    }
    QCOMPARE(actual.size(), times.size());
    for (qsizetype i = 0; i < times.size(); ++i)
        QCOMPARE(actual[i], times[i]); // fuzzy: the sums may round differently
}

QTEST_GUILESS_MAIN(TestOutputPacer)
#include "tst_outputpacer.moc"
