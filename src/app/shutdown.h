#pragma once

#include <QDateTime>
#include <functional>

namespace tonaq {

// The clock and the pause of the shutdown loop; tests put a fake in place of the real ones.
class ShutdownClock {
public:
    virtual ~ShutdownClock() = default;
    virtual QDateTime now() = 0;
    virtual void wait(double milliseconds) = 0;
};

// The real clock: local time and pauseFor(), so the windows keep painting while the port closes.
class SystemShutdownClock : public ShutdownClock {
public:
    QDateTime now() override;
    void wait(double milliseconds) override;
};

// Whole-second boundaries crossed between two times.
qint64 secondBoundariesBetween(const QDateTime &start, const QDateTime &end);

// Polls every 500 ms until the port reads closed or more than 10 seconds (11 boundaries)
// have passed; a port that is closed already costs no wait. Returns the number of waits.
int waitForPortToClose(const std::function<bool()> &portIsOpen, ShutdownClock &clock);

} // namespace tonaq
