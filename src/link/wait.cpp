#include "link/wait.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cmath>

namespace tonaq {

namespace {

// The one timer and the one "why did we wake" word that every wait in progress shares.
struct SharedWaitTimer {
    QTimer *timer = nullptr;
    bool signalled = false;
};

SharedWaitTimer &sharedTimer() {
    static SharedWaitTimer shared;
    if (!shared.timer) {
        shared.timer = new QTimer(QCoreApplication::instance());
        shared.timer->setSingleShot(true);
        shared.timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(shared.timer, &QTimer::timeout, [] { sharedTimer().signalled = true; });
        QObject::connect(shared.timer, &QObject::destroyed, [] { sharedTimer().timer = nullptr; });
    }
    return shared;
}

} // namespace

void pauseFor(double milliseconds) {
    SharedWaitTimer &shared = sharedTimer();
    // Qt's timers count whole milliseconds: a fraction rounds up, so the wait is never short.
    const double due = std::isfinite(milliseconds) ? std::ceil(std::max(milliseconds, 0.0)) : 0.0;
    shared.signalled = false;
    shared.timer->start(std::chrono::milliseconds(static_cast<qint64>(std::min(due, 2.0e9))));
    while (!shared.signalled && shared.timer)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace tonaq
