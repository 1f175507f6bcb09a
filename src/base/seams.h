#pragma once

#include <QString>

namespace tonaq {

class FileDialogs;
class PortMap;
class Prompter;
class WireTrace;

// What the program takes from outside, handed in at construction so that tests can put
// scripted message boxes and dialogs, a temporary COM-number map and a log folder of their
// own in place of the operator's.
struct Seams {
    Prompter *prompter = nullptr;
    FileDialogs *fileDialogs = nullptr;
    PortMap *portMap = nullptr;
    QString logFolder;
    // Where the file dialogs start when no file is open yet.
    QString programFolder;
    // Where every burst on the serial line is written as well, when asked for.
    WireTrace *trace = nullptr;
    // Follow units that are plugged and pulled while the program runs.
    bool followPorts = false;
};

} // namespace tonaq
