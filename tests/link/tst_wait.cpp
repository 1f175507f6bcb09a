#include "link/wait.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tonaq;

class TestWait : public QObject {
    Q_OBJECT
private slots:
    void waitsAtLeastItsTime_data();
    void waitsAtLeastItsTime();
    void eventsRunDuringAWait();
    void innerWaitEndsTheOuterOne();
};

void TestWait::waitsAtLeastItsTime_data() {
    QTest::addColumn<double>("milliseconds");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("fraction") << 0.5;
    QTest::newRow("fifty") << 50.0;
    QTest::newRow("negative is no wait") << -3.0;
}

void TestWait::waitsAtLeastItsTime() {
    QFETCH(double, milliseconds);
    QElapsedTimer clock;
    clock.start();
    Wait(milliseconds);
    QVERIFY(clock.nsecsElapsed() >= static_cast<qint64>(milliseconds * 1e6));
}

void TestWait::eventsRunDuringAWait() {
    QPushButton button;
    bool clicked = false;
    connect(&button, &QPushButton::clicked, [&] { clicked = true; });
    QTimer::singleShot(0, &button, [&] { button.click(); });
    Wait(30);
    QVERIFY(clicked);
}

void TestWait::innerWaitEndsTheOuterOne() {
    QElapsedTimer clock;
    bool innerRan = false;
    QTimer::singleShot(0, [&] {
        Wait(20);
        innerRan = true;
    });
    clock.start();
    Wait(60000);
    QVERIFY(innerRan);
    // The outer wait ended with the inner one, far short of its own minute.
    QVERIFY(clock.elapsed() < 30000);
}

QTEST_MAIN(TestWait)
#include "tst_wait.moc"
