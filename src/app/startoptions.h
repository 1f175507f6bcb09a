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
    QString unknownOption;
    QString commandLine;
};

StartOptions parseStartOptions(const QStringList &arguments);
QString usageText();

} // namespace tonaq
