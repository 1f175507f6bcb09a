#include "ctl/stopsignals.h"

#include <QSocketNotifier>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tonaq::ctl {

#ifdef Q_OS_UNIX
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// The handler only writes the signal's number into a pipe the event loop watches: nothing
// else may be done inside a handler.
int g_pipe[2] = {-1, -1};

void onSignal(int signal) {
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &number, 1);
}

} // namespace

StopSignals::StopSignals() {
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char number = 0;
        while (::read(g_pipe[0], &number, 1) == 1)
            emit received(number);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals() {
    if (!m_notifier) return;
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    m_notifier.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
}

void StopSignals::endAs(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}
#else
StopSignals::StopSignals() = default;
StopSignals::~StopSignals() = default;

void StopSignals::endAs(int signal) {
    std::_Exit(128 + signal);
}
#endif

} // namespace tonaq::ctl
