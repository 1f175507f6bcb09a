#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace tonaq::ctl {

// SIGTERM, SIGINT (Ctrl+C) and SIGHUP, told through the event loop instead of ending the
// process at once, for as long as this lives; afterwards they do as they did. Where the system
// has no such signals, nothing is ever told.
class StopSignals : public QObject {
    Q_OBJECT
public:
    StopSignals();
    ~StopSignals() override;

    // Ends the process as the signal would have, once its owner has done what it must.
    [[noreturn]] static void endAs(int signal);

signals:
    void received(int signal);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace tonaq::ctl
