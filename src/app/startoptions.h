#pragma once

#include <QString>
#include <QStringList>

namespace tonaq {

// What the command line asks for: the program's own options, then the configuration file,
// which is every further argument joined by blanks with every double quote removed (a path
// with blanks arrives in pieces when it was not quoted).
struct StartOptions {
    bool demo = false;
    bool help = false;
    bool version = false;
    QString tracePath; // every burst on the serial line appended here
    QString wavPath;   // with --demo: what the simulated unit played, written at the end
    QString commandLine;
    QString error; // why the command line could not be read; empty when it could
};

StartOptions parseStartOptions(const QStringList &arguments);
QString usageText();

} // namespace tonaq
