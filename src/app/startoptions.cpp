#include "app/startoptions.h"

namespace tonaq {

StartOptions parseStartOptions(const QStringList &arguments) {
    StartOptions options;
    QStringList rest;
    bool ownOptions = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (ownOptions && argument == u"--") {
            ownOptions = false;
        } else if (ownOptions && argument == u"--demo") {
            options.demo = true;
        } else if (ownOptions && (argument == u"--help" || argument == u"-h")) {
            options.help = true;
        } else if (ownOptions && (argument == u"--version" || argument == u"-v")) {
            options.version = true;
        } else if (ownOptions && argument.startsWith(u"--")) {
            options.unknownOption = argument;
        } else {
            ownOptions = false;
            rest.append(argument);
        }
    }
    options.commandLine = rest.join(u' ');
    return options;
}

QString usageText() {
    return QStringLiteral(
        "Usage: tonaq [--demo] [file.tnq]\n"
        "Controls and programs the Tonaq DTMF tone-generator unit over a serial port.\n"
        "\n"
        "  --demo       start with a simulated unit on its own COM number\n"
        "  --version    print the version and exit\n"
        "  --help       print this text and exit\n"
        "\n"
        "COM numbers: links named COM<n> in ~/.config/Tonaq/ports reserve their numbers;\n"
        "/dev/ttyS*, /dev/ttyUSB* and /dev/ttyACM* take the next free ones.\n");
}

} // namespace tonaq
