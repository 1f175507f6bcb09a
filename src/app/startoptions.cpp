#include "app/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace tonaq {

StartOptions parseStartOptions(const QStringList &arguments) {
    QCommandLineParser parser;
    // The file's pieces may look like options ("-x.tnq"): after the first one, all are its.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption demo(QStringLiteral("demo"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption trace(QStringLiteral("trace"), QString(), QStringLiteral("file"));
    const QCommandLineOption wav(QStringLiteral("wav"), QString(), QStringLiteral("file"));
    parser.addOptions({demo, help, version, trace, wav});

    StartOptions options;
    if (!parser.parse(arguments)) options.error = parser.errorText();
    options.demo = parser.isSet(demo);
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    options.tracePath = parser.value(trace);
    options.wavPath = parser.value(wav);
    options.commandLine = parser.positionalArguments().join(u' ');
    if (options.error.isEmpty() && !options.wavPath.isEmpty() && !options.demo)
        options.error = QCoreApplication::translate(
            "tonaq", "--wav records the simulated unit: it needs --demo");
    return options;
}

QString usageText() {
    return QStringLiteral(
        "Usage: tonaq [--demo] [--trace FILE] [--wav FILE] [file.tnq]\n"
        "Controls and programs the Tonaq DTMF tone-generator unit over a serial port.\n"
        "\n"
        "  --demo         start with a simulated unit on its own COM number, heard through the\n"
        "                 default audio output\n"
        "  --trace FILE   append every burst on the serial line, both ways, to FILE\n"
        "  --wav FILE     with --demo: write what the simulated unit played to FILE at the end\n"
        "  --version      print the version and exit\n"
        "  --help         print this text and exit\n"
        "\n"
        "COM numbers: links named COM<n> in ~/.config/Tonaq/ports reserve their numbers;\n"
        "/dev/ttyS*, /dev/ttyUSB* and /dev/ttyACM* take the next free ones.\n");
}

} // namespace tonaq
