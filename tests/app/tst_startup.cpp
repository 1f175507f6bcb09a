#include "app/shutdown.h"
#include "app/startoptions.h"
#include "app/xpstyle.h"

#include <QTest>

using namespace tonaq;

namespace {

class CountingProbe : public VisualStyleProbe {
public:
    Version version;
    bool themed = true;
    int controls = 6;
    int themeQuestions = 0;
    int controlQuestions = 0;

    Version systemVersion() override { return version; }
    bool appThemed() override {
        ++themeQuestions;
        return themed;
    }
    int commonControlsMajor() override {
        ++controlQuestions;
        return controls;
    }
};

// A clock that moves only when the shutdown loop waits.
class FakeClock : public ShutdownClock {
public:
    explicit FakeClock(QDateTime start)
        : time(std::move(start)) {}
    QDateTime now() override { return time; }
    void wait(double milliseconds) override {
        time = time.addMSecs(static_cast<qint64>(milliseconds));
        waited += milliseconds;
    }
    QDateTime time;
    double waited = 0;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void visualStyles_data();
    void visualStyles();
    void commandLine_data();
    void commandLine();
    void shutdownWait_data();
    void shutdownWait();
};

void TestStartup::visualStyles_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<bool>("themed");
    QTest::addColumn<int>("controls");
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("themeQuestions");
    QTest::addColumn<int>("controlQuestions");
    QTest::newRow("older than 5.1 asks nothing more") << 5 << 0 << true << 6 << false << 0 << 0;
    QTest::newRow("4.0") << 4 << 0 << true << 6 << false << 0 << 0;
    QTest::newRow("5.1 themed, v6") << 5 << 1 << true << 6 << true << 1 << 1;
    QTest::newRow("5.2 passes as a tenth") << 5 << 2 << true << 6 << true << 1 << 1;
    QTest::newRow("themes off") << 6 << 0 << false << 6 << false << 1 << 0;
    QTest::newRow("controls v5") << 10 << 0 << true << 5 << false << 1 << 1;
}

void TestStartup::visualStyles() {
    QFETCH(int, major);
    QFETCH(int, minor);
    CountingProbe probe;
    probe.version = {major, minor};
    QFETCH(bool, themed);
    QFETCH(int, controls);
    probe.themed = themed;
    probe.controls = controls;
    QTEST(VisualStylesActive(probe), "active");
    QTEST(probe.themeQuestions, "themeQuestions");
    QTEST(probe.controlQuestions, "controlQuestions");
}

void TestStartup::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<QString>("file");
    QTest::newRow("nothing") << QStringList{"tonaq"} << false << "";
    QTest::newRow("quoted path") << QStringList{"tonaq", "\"/tmp/my site.tnq\""} << false
                                 << "/tmp/my site.tnq";
    QTest::newRow("path in pieces")
        << QStringList{"tonaq", "/tmp/my", "site.tnq"} << false << "/tmp/my site.tnq";
    QTest::newRow("quotes inside")
        << QStringList{"tonaq", "/tmp/a\"b\".tnq"} << false << "/tmp/ab.tnq";
    QTest::newRow("demo then file") << QStringList{"tonaq", "--demo", "x.tnq"} << true << "x.tnq";
    QTest::newRow("options end at the file")
        << QStringList{"tonaq", "x.tnq", "--demo"} << false << "x.tnq --demo";
}

void TestStartup::commandLine() {
    QFETCH(QStringList, arguments);
    const StartOptions options = parseStartOptions(arguments);
    QTEST(options.demo, "demo");
    QTEST(QString(options.commandLine).remove(u'"'), "file");
}

void TestStartup::shutdownWait_data() {
    QTest::addColumn<QTime>("start");
    QTest::addColumn<int>("pollsUntilClosed"); // -1: the port never closes
    QTest::addColumn<int>("waits");
    QTest::newRow("closed at once costs nothing") << QTime(10, 0, 0, 0) << 0 << 0;
    QTest::newRow("closes after three polls") << QTime(10, 0, 0, 0) << 3 << 3;
    QTest::newRow("never closes, started on a boundary") << QTime(10, 0, 0, 0) << -1 << 22;
    QTest::newRow("never closes, started late in a second") << QTime(10, 0, 0, 900) << -1 << 21;
}

void TestStartup::shutdownWait() {
    QFETCH(QTime, start);
    QFETCH(int, pollsUntilClosed);
    FakeClock clock(QDateTime(QDate(2026, 12, 6), start));
    int polls = 0;
    const int waits = waitForPortToClose(
        [&] { return pollsUntilClosed < 0 || polls++ < pollsUntilClosed; }, clock);
    QTEST(waits, "waits");
    if (pollsUntilClosed < 0) {
        QVERIFY(clock.waited >= 10000 && clock.waited <= 11000);
        QCOMPARE(secondBoundariesBetween(QDateTime(QDate(2026, 12, 6), start), clock.time), 11);
    }
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
