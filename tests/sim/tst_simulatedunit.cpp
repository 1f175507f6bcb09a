// The simulated unit on its pseudo-terminal, driven through a real serial port as the program
// drives it, tells a listener every tone it starts and ends. Waits are on conditions (QTRY_*).
#include "sim/ptyunit.h"

#include <QSerialPort>
#include <QTest>
#include <cmath>
#include <limits>
#include <mutex>

using namespace tonaq::sim;

namespace {
constexpr double kStillSounding = std::numeric_limits<double>::infinity();

} // namespace

class TestSimulatedUnit : public QObject {
    Q_OBJECT
private slots:
    void listenerHearsStartAndEnd_data() {
        QTest::addColumn<QByteArrayList>("commands"); // each sent once the one before was heard
        QTest::addColumn<double>("dueMs");            // the length the start announces
        QTest::addColumn<bool>("endsWhenDue");
        QTest::newRow("held key") << QByteArrayList{"%5", "%"} << kStillSounding << false;
        QTest::newRow("timed") << QByteArrayList{"I5,40\r"} << 40.0 << true;
        QTest::newRow("timed, cut short") << QByteArrayList{"I5,60000\r", "\r"} << 60000.0 << false;
    }

    // The demo's speaker hears the unit through this: a start with its due end, then the end.
    void listenerHearsStartAndEnd() {
        QFETCH(QByteArrayList, commands);
        QFETCH(double, dueMs);
        QFETCH(bool, endsWhenDue);
        PtyUnit unit({.pacing = false});
        std::mutex mutex;
        QList<std::pair<ToneChange, SoundedTone>> heard;
        unit.setToneListener([&](ToneChange change, const SoundedTone &tone) {
            std::lock_guard lock(mutex);
            heard.append({change, tone});
        });
        const auto count = [&] {
            std::lock_guard lock(mutex);
            return heard.size();
        };
        QSerialPort port(unit.devicePath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        for (qsizetype i = 0; i < commands.size(); ++i) {
            port.write(commands[i]);
            QTRY_VERIFY(count() > i);
        }
        QTRY_COMPARE(count(), 2);
        std::lock_guard lock(mutex);
        QCOMPARE(heard[0].first, ToneChange::Started);
        QCOMPARE(heard[1].first, ToneChange::Ended);
        QCOMPARE(heard[0].second.endMs - heard[0].second.startMs, dueMs);
        const double sounded = heard[1].second.endMs - heard[1].second.startMs;
        QVERIFY(endsWhenDue ? sounded == dueMs : sounded < dueMs);
    }
};

QTEST_GUILESS_MAIN(TestSimulatedUnit)
#include "tst_simulatedunit.moc"
