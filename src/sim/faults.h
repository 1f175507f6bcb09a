#pragma once

#include <QFlags>

namespace tonaq::sim {

// The marker a reply carries and the program looks for.
enum class Marker {
    Connect = 0x01,    // "Connected" to "@"
    SingleTone = 0x02, // "SM" to "I"
    MemoryPlay = 0x04, // "MP" to "M"
    View = 0x08,       // "VW" to "V"
    Store = 0x10,      // "SS" to "S"
    Sequence = 0x20,   // "MM" to "F"
};
Q_DECLARE_FLAGS(Markers, Marker)
Q_DECLARE_OPERATORS_FOR_FLAGS(Markers)

// How a location report (the reply in view mode) is broken.
enum class ReportFault {
    None,
    NoThirdLine,    // only the empty line and "Memory location n"
    EmptyThirdLine, // the "Length = ..." line is empty
    NoColon,        // the "Length = ..." line lacks the ":" between length and space
    NoFourthLine,   // the "String = ..." line is missing
};

// Misbehaviour switched on by tests. The defaults are a healthy unit.
struct Faults {
    bool silent = false;         // never answers anything
    Markers missingMarkers = {}; // these replies come back as a word without their marker
    int emptyViewLocation = -1;  // viewing this location (0-7) gets no reply at all
    ReportFault reportFault = ReportFault::None;
    int reportFaultLocation = -1;     // the location whose report is broken; -1: every location
    bool neverReady = false;          // memory play never sends "Ready"
    double extraReplyDelayMs = 0;     // added to the processing delay of every reply
    bool quietSequenceFields = false; // sequence mode takes the row fields without an "OK"
};

} // namespace tonaq::sim
