#include "ctl/consoledesk.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tonaq::ctl {

#ifdef Q_OS_WIN
ConsoleSetup::ConsoleSetup() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    // A console answers for its mode; a file or a pipe does not (a character device such as NUL
    // passes the C library's isatty, but it is no console).
    m_errorIsTerminal = GetConsoleMode(error, &mode) != 0;
    m_oldCodePage = GetConsoleOutputCP();
    if (m_oldCodePage != 0) SetConsoleOutputCP(CP_UTF8);
    if (m_errorIsTerminal) {
        m_oldErrorMode = mode;
        SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

ConsoleSetup::~ConsoleSetup() {
    if (m_oldCodePage != 0) SetConsoleOutputCP(m_oldCodePage);
    if (m_errorIsTerminal) SetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), m_oldErrorMode);
}
#else
ConsoleSetup::ConsoleSetup()
    : m_errorIsTerminal(::isatty(STDERR_FILENO) == 1) {}

ConsoleSetup::~ConsoleSetup() = default;
#endif

ConsoleDesk::ConsoleDesk(QTextStream &err, bool terminal)
    : m_err(err)
    , m_terminal(terminal) {}

void ConsoleDesk::report(const Progress &progress) {
    const QString text = statusText(progress);
    if (text == m_lastStatus) return; // "Ready" from the inner and the outer command
    m_lastStatus = text;
    if (!m_terminal) {
        m_err << text << Qt::endl;
        return;
    }
    m_err << "\r\033[K" << progressBar(progress) << text << Qt::flush;
    m_lineOpen = true;
}

QString progressBar(const Progress &progress) {
    if (progress.total <= 0) return {};
    const int done = std::clamp(progress.step, 0, progress.total);
    return u'[' + QString(done, u'#') + QString(progress.total - done, u'.') + QStringLiteral("] ");
}

void ConsoleDesk::endProgress() {
    if (!m_lineOpen) return;
    m_err << Qt::endl;
    m_lineOpen = false;
}

Button ConsoleDesk::ask(const Message &message) {
    if (message.buttons.testFlag(Button::Yes)) return Button::Yes;
    if (message.buttons.testFlag(Button::Cancel)) return Button::Ok;
    endProgress();
    m_err << "tonaqctl: " << message.text << Qt::endl;
    m_noticed = true;
    return Button::Ok;
}

} // namespace tonaq::ctl
