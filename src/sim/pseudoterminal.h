#pragma once

#include <QString>

namespace tonaq::sim {

// A pseudo-terminal pair: the master end the unit serves, the slave end a serial port opens.
// The unit holds a slave descriptor of its own for its whole life, so that the master never sees
// a hang-up while the program has its port closed (a port scan opens and closes it often).
class PseudoTerminal {
public:
    PseudoTerminal(); // throws std::runtime_error when no pseudo-terminal can be had
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    bool isOpen() const { return m_master >= 0; }
    // Closes both ends held here: whoever has the slave open sees a hang-up.
    void close();

private:
    int m_master = -1;
    int m_heldSlave = -1;
    QString m_slavePath;
};

} // namespace tonaq::sim
