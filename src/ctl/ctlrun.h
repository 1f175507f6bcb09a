#pragma once

#include "base/errorlog.h"
#include "base/phrase.h"
#include "ctl/consoledesk.h"
#include "ctl/ctloptions.h"
#include "link/portmap.h"
#include "model/memorymodel.h"
#include "session/unitsession.h"

#include <QJsonObject>
#include <QTextStream>
#include <memory>

namespace tonaq {
class WireTrace;
namespace sound {
class Demo;
}
} // namespace tonaq

namespace tonaq::ctl {

// One run of tonaqctl: the same driver, model and commands as the window's, with the console
// standing in for the window. Results go to stdout (text, or one JSON object), progress and
// failures to stderr; exec() answers with the exit code. Where stdout or stderr is a terminal,
// the unit's control characters are shown, not sent to it.
class CtlRun {
public:
    CtlRun(const CtlOptions &options, QTextStream &out, QTextStream &err, bool outTerminal,
           bool errTerminal);
    ~CtlRun();

    int exec();

private:
    int setUp();
    int connect();
    int run();
    int ports();
    int download();
    int upload();
    int reset();
    int play();
    int tone();
    int send();

    int loadFile(bool mustExist);
    int saveFile();
    // One line on stderr in the operator's language; --json's "error" has it in English. The
    // source is marked QT_TRANSLATE_NOOP("tonaqctl", ...) for lupdate.
    int failed(int code, const Phrase &message);
    template <class... Args> int failed(int code, const char *source, const Args &...args) {
        return failed(code, phrase("tonaqctl", source, args...));
    }
    bool commandFailed() const {
        return m_desk.noticed() || !m_logged.isEmpty() || m_session->unitWasRemoved();
    }
    void putLocations();
    int finish(int code);

    CtlOptions m_options;
    QTextStream &m_out;
    QTextStream &m_err;
    bool m_outTerminal;
    bool m_errTerminal;
    ConsoleDesk m_desk;
    ErrorLog m_log;
    PortMap m_ports;
    std::unique_ptr<WireTrace> m_trace;
    std::unique_ptr<sound::Demo> m_demo;
    std::unique_ptr<UnitSession> m_session;
    MemoryModel m_memory;
    QString m_portName; // "COM7", or the network unit's URL
    QJsonObject m_result;
    QString m_error;  // the failure said, in English
    QString m_logged; // the first failure the window would only have logged
};

} // namespace tonaq::ctl
