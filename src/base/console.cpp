#include "base/console.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tonaq {

#ifdef Q_OS_WIN
ConsoleSetup::ConsoleSetup(Program program) {
    // Output the shell redirected stays where it goes; only a windowed program with nowhere
    // to write takes the shell's console.
    if (program == Program::Windowed && !GetStdHandle(STD_ERROR_HANDLE) &&
        AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    // A console answers for its mode; a file or a pipe does not (a character device such as NUL
    // passes the C library's isatty, but it is no console).
    m_outputIsTerminal = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
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
ConsoleSetup::ConsoleSetup(Program)
    : m_outputIsTerminal(::isatty(STDOUT_FILENO) == 1)
    , m_errorIsTerminal(::isatty(STDERR_FILENO) == 1) {}

ConsoleSetup::~ConsoleSetup() = default;
#endif

} // namespace tonaq
