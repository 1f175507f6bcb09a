#pragma once

#include <QString>

namespace tonaq {

// What the program is doing or has just done, as its status box shows it and tonaqctl prints it.
enum class Activity {
    Ready,            // idle after an operation
    NotConnected,     // a command refused: no unit answered the connect
    Scanning,         // the port scan
    PleaseConnect,    // the scan found ports
    NoPorts,          // the scan found none
    Connected,        // value: the COM number
    UnableToConnect,  // value: the COM number
    UnitRemoved,      // value: the COM number of the unit that went away
    ReadingSettings,  // the download begins
    ReadingLocation,  // value: the location, 1 to 8
    SavingChanges,    // the upload begins
    SavingToLocation, // value: the location as the wire numbers it, 0 to 7
    SaveCancelled,
    Resetting,
    SendingTone, // value: the tone's character code
    Aborting,
    NoReady, // memory play gave up waiting for the unit's "Ready"
    FileSaved,
    Terminating,
};

// One report: the activity, the number its text names, and where it stands among the steps
// of its command (step of total; total 0 when it is no step of one).
struct Progress {
    Activity what = Activity::Ready;
    int value = 0;
    int step = 0;
    int total = 0;

    friend bool operator==(const Progress &, const Progress &) = default;
};

// The status text of a report, as the operator reads it.
QString statusText(const Progress &progress);

} // namespace tonaq
