#include "ctl/ctloptions.h"

#include "base/limits.h"
#include "base/tonecharacter.h"
#include "link/networkaddress.h"
#include "tones/entryrules.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>

namespace tonaq::ctl {

namespace {

struct CommandForm {
    const char *name;
    Command command;
    int arguments; // positional arguments after the command's name
    bool needsUnit;
    int exchanges; // the most it makes, its connect's two included; a play's per location on top
};

// The download of the eight locations: "@", a line end, then "@", "V" and the digit for each,
// whose report of four lines counts as four.
constexpr int kDownload = 2 + 6 * kLocationCount;
// A location written: "@", "S", its number, its times, each of its tones, the end.
constexpr int kStore = 5 + kToneStringLimit;

constexpr CommandForm kForms[] = {
    {"ports", Command::Ports, 0, false, 0},
    {"download", Command::Download, 1, true, 2 + kDownload},
    {"upload", Command::Upload, 1, true, 2 + kLocationCount *kStore + kDownload},
    {"reset", Command::Reset, 0, true, 3 + kDownload},
    {"play", Command::Play, 1, true, 2 + kDownload},
    {"tone", Command::Tone, 2, true, 5},
    {"send", Command::Send, 1, true, 5 + 3 * kSequenceRows},
};

const CommandForm *formOf(const QString &name) {
    const auto found =
        std::find_if(std::begin(kForms), std::end(kForms),
                     [&name](const CommandForm &f) { return name == QLatin1String(f.name); });
    return found == std::end(kForms) ? nullptr : found;
}

// "COM7", "com7" or "7".
int portNumberOf(const QString &text) {
    static const QRegularExpression form(QStringLiteral("^(?:com)?([0-9]{1,3})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(text.trimmed());
    const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
    return number >= 1 && number <= 255 ? number : 0;
}

// Every --port, each a unit or a comma list of them; an error for the first that is neither,
// with what is wrong with a URL.
QString readPorts(CtlOptions &o, const QStringList &values) {
    for (const QString &value : values) {
        for (const QString &part : value.split(u',')) {
            const QString name = portNameOf(part);
            QString why;
            if (name.isEmpty() && isNetworkPortName(part) && !parseNetworkAddress(part, &why))
                return QCoreApplication::translate("tonaqctl", "--port %1 is no usable URL: %2")
                    .arg(part.trimmed(), why);
            if (name.isEmpty())
                return QCoreApplication::translate(
                           "tonaqctl",
                           "--port takes COM1 to COM255 or a network unit's URL, not %1")
                    .arg(part.trimmed());
            if (!o.ports.contains(name)) o.ports.append(name);
        }
    }
    if (o.ports.size() == 1) {
        o.port = portNumberOf(o.ports.first());
        if (o.port == 0) o.url = o.ports.first();
    }
    return {};
}

QString checkArguments(CtlOptions &o, const QStringList &arguments) {
    switch (o.command) {
    case Command::Download:
    case Command::Upload:
    case Command::Send:
        o.file = arguments.value(0);
        return {};
    case Command::Play:
        o.locations = arguments.value(0);
        if (o.locations.isEmpty() ||
            !std::all_of(o.locations.cbegin(), o.locations.cend(),
                         [](QChar c) { return locationKeyAccepted(c.unicode()); }))
            return QCoreApplication::translate(
                "tonaqctl", "play takes the locations 1 to 8 as digits, e.g. 132");
        return {};
    case Command::Tone:
        o.tone = arguments.value(0);
        o.duration = arguments.value(1);
        if (o.tone.size() != 1 || !isToneCharacter(o.tone[0], true))
            return QCoreApplication::translate("tonaqctl", "the tone is one of 0-9, *, #, A-D");
        if (o.duration.isEmpty() || checkDuration(o.duration) ||
            !std::all_of(o.duration.cbegin(), o.duration.cend(),
                         [](QChar c) { return c.isDigit(); }))
            return QCoreApplication::translate(
                "tonaqctl", "the duration is a number of milliseconds, 20 to 65535");
        return {};
    default:
        return {};
    }
}

} // namespace

QString portNameOf(const QString &text) {
    const QString trimmed = text.trimmed();
    if (const int number = portNumberOf(trimmed)) return QStringLiteral("COM%1").arg(number);
    return parseNetworkAddress(trimmed) ? trimmed : QString();
}

QList<int> parseRows(const QString &text) {
    static const QRegularExpression range(QStringLiteral("^([1-8])(?:-([1-8]))?$"));
    QList<int> rows;
    for (const QString &part : text.split(u',')) {
        const auto match = range.match(part.trimmed());
        if (!match.hasMatch()) return {};
        const int first = match.captured(1).toInt();
        const int last = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
        if (last < first) return {};
        for (int row = first; row <= last; ++row) {
            if (!rows.contains(row)) rows.append(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

CtlOptions parseCtlOptions(const QStringList &arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption demo(QStringLiteral("demo"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("COMn"));
    const QCommandLineOption caFile(QStringLiteral("ca-file"), QString(), QStringLiteral("file"));
    const QCommandLineOption rows(QStringLiteral("rows"), QString(), QStringLiteral("list"));
    const QCommandLineOption trace(QStringLiteral("trace"), QString(), QStringLiteral("file"));
    const QCommandLineOption wav(QStringLiteral("wav"), QString(), QStringLiteral("file"));
    parser.addOptions({help, version, json, demo, port, caFile, rows, trace, wav});

    CtlOptions o;
    if (!parser.parse(arguments)) {
        o.error = parser.errorText();
        return o;
    }
    o.help = parser.isSet(help);
    o.version = parser.isSet(version);
    if (o.help || o.version) return o;
    o.json = parser.isSet(json);
    o.demo = parser.isSet(demo);
    o.tracePath = parser.value(trace);
    o.wavPath = parser.value(wav);
    o.caFile = parser.value(caFile);

    QStringList positional = parser.positionalArguments();
    const CommandForm *form = formOf(positional.value(0));
    if (!form) {
        o.error =
            positional.isEmpty()
                ? QCoreApplication::translate("tonaqctl", "no command given")
                : QCoreApplication::translate("tonaqctl", "unknown command: %1").arg(positional[0]);
        return o;
    }
    o.command = form->command;
    o.commandName = QLatin1String(form->name);
    positional.removeFirst();
    o.arguments = positional;
    if (positional.size() != form->arguments) {
        o.error = QCoreApplication::translate("tonaqctl", "%1 takes %2 argument(s)")
                      .arg(QLatin1String(form->name))
                      .arg(form->arguments);
        return o;
    }
    if (parser.isSet(port)) {
        o.error = readPorts(o, parser.values(port));
    } else if (form->needsUnit && !o.demo) {
        o.error = QCoreApplication::translate("tonaqctl", "%1 needs --port COMn or --demo")
                      .arg(QLatin1String(form->name));
    }
    if (o.error.isEmpty() && o.demo && parser.isSet(port))
        o.error = QCoreApplication::translate("tonaqctl", "--demo and --port exclude each other");
    if (o.error.isEmpty() && !o.wavPath.isEmpty() && !o.demo)
        o.error = QCoreApplication::translate("tonaqctl",
                                              "--wav records the simulated unit: it needs --demo");
    if (o.error.isEmpty() && o.ports.size() > 1 && !form->needsUnit)
        o.error = QCoreApplication::translate("tonaqctl", "%1 takes no --port")
                      .arg(QLatin1String(form->name));
    if (o.error.isEmpty() && parser.isSet(rows)) {
        o.rows = parseRows(parser.value(rows));
        if (o.command != Command::Upload)
            o.error = QCoreApplication::translate("tonaqctl", "--rows goes with upload");
        else if (o.rows.isEmpty())
            o.error = QCoreApplication::translate("tonaqctl",
                                                  "--rows takes locations 1 to 8, e.g. 1,3-5");
    } else if (o.command == Command::Upload) {
        for (int row = 1; row <= kLocationCount; ++row)
            o.rows.append(row);
    }
    if (o.error.isEmpty()) o.error = checkArguments(o, positional);
    return o;
}

int mostExchanges(const CtlOptions &options) {
    const CommandForm *form = formOf(options.commandName);
    // Each location played: "@", "M", its number, the typed digit's confirmation.
    return (form ? form->exchanges : 0) + 4 * int(options.locations.size());
}

QString ctlUsage() {
    return QCoreApplication::translate(
        "tonaqctl",
        "Usage: tonaqctl COMMAND [ARGUMENTS] (--port UNIT[,UNIT...] | --demo) [--json]\n"
        "                [--ca-file FILE] [--trace FILE] [--wav FILE]\n"
        "Programs and plays the Tonaq DTMF tone-generator unit without a window.\n"
        "\n"
        "Commands:\n"
        "  ports                    every COM number with its device, and refused devices\n"
        "  download FILE.tnq        the unit's eight memory locations into FILE (an existing\n"
        "                           FILE keeps its sequence)\n"
        "  upload FILE.tnq [--rows 1,3-5]\n"
        "                           FILE's locations (all, or the rows given) into the unit,\n"
        "                           read back and compared\n"
        "  reset                    the unit's memory back to its defaults\n"
        "  play 132                 the unit's memory read, then memory play of locations\n"
        "                           1, 3 and 2, each to its Ready\n"
        "  tone 5 200               one tone for 200 ms\n"
        "  send FILE.tnq            FILE's tone sequence\n"
        "\n"
        "Options:\n"
        "  --port UNIT    the unit: its COM number (see tonaq --help for the numbering), or\n"
        "                 a unit behind a serial device server: tcp://HOST:PORT (raw),\n"
        "                 rfc2217://HOST:PORT (RFC 2217), tcp+tls:// or rfc2217+tls://\n"
        "                 (the same over TLS). Several units, repeated or as a comma list,\n"
        "                 run at once, each in a process of its own; a line per unit says\n"
        "                 how it ended (with --json an object per line), then a summary.\n"
        "                 download then writes a file per unit, FILE.COMn.tnq\n"
        "  --ca-file FILE verify units over TLS against the CA in FILE, not the system's\n"
        "  --demo         a simulated unit instead, heard through the default audio output\n"
        "  --json         results on stdout as JSON; progress stays on stderr\n"
        "  --trace FILE   append every burst on the serial line, both ways, to FILE\n"
        "  --wav FILE     with --demo: write what the simulated unit played to FILE\n"
        "  --version, --help\n"
        "\n"
        "Exit status: 0 done; 1 the unit did not answer or a read-back differs; 2 usage;\n"
        "3 file error; 4 port error; 5 several units and at least one failed (each unit's\n"
        "own status is in its line).\n");
}

} // namespace tonaq::ctl
