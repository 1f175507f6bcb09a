#pragma once

namespace tonaq {

// The console a program writes to, for as long as it runs. On Windows the console is set to
// UTF-8 (it otherwise reads bytes in the system's older code page) and to understand escape
// sequences, and put back as it was at the end; a windowed program, which Windows starts without
// one, borrows the console of the shell that started it, so that --help and a usage error are
// seen there.
class ConsoleSetup {
public:
    enum class Program { Console, Windowed };

    explicit ConsoleSetup(Program program);
    ~ConsoleSetup();
    ConsoleSetup(const ConsoleSetup &) = delete;
    ConsoleSetup &operator=(const ConsoleSetup &) = delete;

    // stdout, stderr is a terminal a person watches, not a file or a pipe.
    bool outputIsTerminal() const { return m_outputIsTerminal; }
    bool errorIsTerminal() const { return m_errorIsTerminal; }

private:
    bool m_outputIsTerminal = false;
    bool m_errorIsTerminal = false;
    unsigned m_oldCodePage = 0;
    unsigned long m_oldErrorMode = 0;
};

} // namespace tonaq
