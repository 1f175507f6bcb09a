#include "sim/pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace tonaq::sim {

namespace {
std::runtime_error failure(const char *what) {
    return std::runtime_error(std::string("pseudo-terminal: ") + what + ": " +
                              std::strerror(errno));
}
} // namespace

PseudoTerminal::PseudoTerminal() {
    // A program started meanwhile (tonaqctl, ser2net) must not inherit the line: holding the
    // master open, it would keep the line alive after the unit is pulled out.
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) throw failure("posix_openpt");
    char name[128];
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        ptsname_r(m_master, name, sizeof name) != 0) {
        const auto error = failure("grantpt/unlockpt/ptsname");
        close();
        throw error;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_heldSlave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_heldSlave < 0) {
        const auto error = failure("open slave");
        close();
        throw error;
    }
    // Raw 9600 8N1 at once: no echo, no CR/LF translation, even before the port is opened.
    termios tio{};
    tcgetattr(m_heldSlave, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(m_heldSlave, TCSANOW, &tio);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
    close();
}

void PseudoTerminal::close() {
    if (m_heldSlave >= 0) ::close(m_heldSlave);
    if (m_master >= 0) ::close(m_master);
    m_heldSlave = m_master = -1;
}

} // namespace tonaq::sim
