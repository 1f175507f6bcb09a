#include "app/shutdown.h"

#include "link/wait.h"

namespace tonaq {

QDateTime SystemShutdownClock::now() {
    return QDateTime::currentDateTime();
}

void SystemShutdownClock::wait(double milliseconds) {
    pauseFor(milliseconds);
}

qint64 secondBoundariesBetween(const QDateTime &start, const QDateTime &end) {
    return end.toSecsSinceEpoch() - start.toSecsSinceEpoch();
}

int waitForPortToClose(const std::function<bool()> &portIsOpen, ShutdownClock &clock) {
    constexpr qint64 kGiveUpBoundaries = 11;
    constexpr double kPollMs = 500;
    const QDateTime start = clock.now();
    int waits = 0;
    while (secondBoundariesBetween(start, clock.now()) < kGiveUpBoundaries && portIsOpen()) {
        clock.wait(kPollMs);
        ++waits;
    }
    return waits;
}

} // namespace tonaq
