#include "link/wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QList>
#include <QTimer>
#include <chrono>
#include <cmath>

namespace tonaq {

namespace {

// The one timer and the one "why did we wake" word that every wait in progress shares, and the
// event loop of each wait in progress, innermost last.
struct SharedWaitTimer {
    QTimer *timer = nullptr;
    bool signalled = false;
    QList<QEventLoop *> loops;

    void endEveryWait() {
        for (QEventLoop *loop : std::as_const(loops))
            loop->quit();
    }
};

SharedWaitTimer &sharedTimer() {
    static SharedWaitTimer shared;
    if (!shared.timer) {
        shared.timer = new QTimer(QCoreApplication::instance());
        shared.timer->setSingleShot(true);
        shared.timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(shared.timer, &QTimer::timeout, [] {
            sharedTimer().signalled = true;
            sharedTimer().endEveryWait();
        });
        QObject::connect(shared.timer, &QObject::destroyed, [] {
            sharedTimer().timer = nullptr;
            sharedTimer().endEveryWait();
        });
    }
    return shared;
}

} // namespace

// Each wait runs an event loop of its own rather than turning the events by hand: on Windows a
// precise timer's event reaches a hand-turned loop that waits for more events only by luck.
void pauseFor(double milliseconds) {
    SharedWaitTimer &shared = sharedTimer();
    // Qt's timers count whole milliseconds: a fraction rounds up, so the wait is never short.
    const double due = std::isfinite(milliseconds) ? std::ceil(std::max(milliseconds, 0.0)) : 0.0;
    shared.signalled = false;
    shared.timer->start(std::chrono::milliseconds(static_cast<qint64>(std::min(due, 2.0e9))));
    QEventLoop loop;
    shared.loops.append(&loop);
    while (!shared.signalled && shared.timer) {
        // A program on its way out starts no more event loops; its events still go round.
        if (loop.exec() < 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    shared.loops.removeOne(&loop);
}

} // namespace tonaq
