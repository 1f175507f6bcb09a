#pragma once

#include "base/desk.h"

#include <QTextStream>

namespace tonaq::ctl {

// The command line's stand-in for the main window. Reports become progress on stderr (a line
// each, or one line with a bar on a terminal), a question is answered yes (the command line is
// the operator's confirmation), and a notice such as "Error! No open Comm Ports or Tonaq
// found." is printed and remembered: the command did not go as asked.
class ConsoleDesk : public Desk {
public:
    ConsoleDesk(QTextStream &err, bool terminal);

    void report(const Progress &progress) override;
    Button ask(const Message &message) override;

    bool noticed() const { return m_noticed; }
    // Ends a progress line on a terminal before anything else is printed.
    void endProgress();

private:
    QTextStream &m_err;
    bool m_terminal;
    bool m_noticed = false;
    bool m_lineOpen = false;
    QString m_lastStatus;
};

// "[###.....] ": where a step stands among its command's steps; empty for a report that is no
// step of one.
QString progressBar(const Progress &progress);

// Text from the unit as it may go to a terminal: control characters, which a terminal would
// obey (ESC starts its commands, BEL rings), shown as \x1b, \x07; the rest as it is.
QString withVisibleControls(const QString &text);

} // namespace tonaq::ctl
