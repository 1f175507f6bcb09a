#pragma once

#include "ctl/ctloptions.h"

#include <QStringList>
#include <QTextStream>
#include <chrono>

namespace tonaq::ctl {

// One command on several units at once: each unit is a tonaqctl of its own, so that no unit's
// waits or failures touch another's. As each ends, a line says how ("COM3 done 4.21 s",
// "COM5 failed 4 2.50 s: reason"; with --json an object per line), then a summary line.
// exec() answers 0 when every unit is done, 5 when any failed. A unit not ended by the most
// its command can take is ended and counted failed. SIGTERM, SIGINT and SIGHUP end every unit
// first, and then this process as the signal would; a unit ends by itself when this process
// goes without a word (killed).
class FleetRun {
public:
    // terminal: stdout is one, where the unit's control characters are shown, not sent.
    FleetRun(const CtlOptions &options, QTextStream &out, bool terminal);

    int exec();

private:
    QStringList argumentsFor(const QString &port) const;

    CtlOptions m_options;
    QTextStream &m_out;
    bool m_terminal;
};

// "site.COM3.tnq": the file of one unit where a download reads several into one name.
QString fileForUnit(const QString &file, const QString &port);

// The most one unit's process may take for the command: opening, every exchange at its longest,
// every memory play at its longest, and the process's own start and end.
std::chrono::milliseconds unitDeadline(const CtlOptions &options);

} // namespace tonaq::ctl
