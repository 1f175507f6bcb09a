#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tonaq::ctl {

// The exit codes of tonaqctl, as --help and the user guide give them.
inline constexpr int kDone = 0;
inline constexpr int kUnitFailed = 1; // the unit did not answer, refused, or a read-back differs
inline constexpr int kUsage = 2;
inline constexpr int kFileError = 3;
inline constexpr int kPortError = 4;
inline constexpr int kSomeUnitsFailed = 5; // several units: at least one of them did not end done

// In this order: tonaqctl's runner steps through its commands by it.
enum class Command { None, Ports, Download, Upload, Reset, Play, Tone, Send };

// What one command line asks tonaqctl to do.
struct CtlOptions {
    Command command = Command::None;
    QString commandName;
    bool help = false;
    bool version = false;
    bool json = false;
    bool demo = false;
    QStringList ports;     // "COM7" or a network unit's URL, each as given to --port
    int port = 0;          // one unit's COM number; 0 for a URL, with --demo or for "ports"
    QString url;           // one network unit's URL
    QString caFile;        // what network units over TLS are verified against
    QStringList arguments; // the command's own, after its name, as given
    QString file;
    QList<int> rows;   // upload: locations 1 to 8, in rising order; all when not given
    QString locations; // play: the digits 1 to 8 in the order to play
    QString tone;      // tone: one tone character
    QString duration;  // tone: milliseconds, 20 to 65535
    QString tracePath;
    QString wavPath;
    QString error; // why the command line cannot be done; empty when it can
};

CtlOptions parseCtlOptions(const QStringList &arguments);
QString ctlUsage();

// The most exchanges of one reply line with the unit the command makes, connecting included, a
// location's report of four lines counting as four: an upload writes each of the eight
// locations tone by tone and reads them all back. A play waits for each location's Ready on top.
int mostExchanges(const CtlOptions &options);

// "1,3-5" as the rows 1, 3, 4, 5; empty for a text that is no such list of rows 1 to 8.
QList<int> parseRows(const QString &text);
// "COM7", "com7" or "7" as COM7, or a network unit's URL as it stands; empty for anything else.
QString portNameOf(const QString &text);

} // namespace tonaq::ctl
