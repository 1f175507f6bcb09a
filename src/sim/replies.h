#pragma once

#include "sim/faults.h"
#include "sim/storedlocations.h"

#include <QByteArray>

namespace tonaq::sim::replies {

// One reply line, ended by CR LF as every line the unit sends.
QByteArray line(const QByteArray &text);

// The reply that carries a marker ("Connected", "SM", ...), or a word without the marker when
// that marker is faulted away.
QByteArray marker(Marker which, bool missing);

// The four-line report of a location in view mode, possibly broken as the fault says.
QByteArray locationReport(int index, const StoredLocation &location, ReportFault fault);

} // namespace tonaq::sim::replies
