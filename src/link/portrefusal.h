#pragma once

#include "base/phrase.h"

#include <QList>
#include <QString>

namespace tonaq {

// Why a device that exists could not be opened by the port scan.
enum class Refusal {
    None,             // opened, or failed for a reason the operator cannot act on
    PermissionDenied, // the device's mode or group shuts this user out
    InUse,            // another program holds it (lock file or exclusive open)
    NotAPort,         // an entry of the ports folder that is no link to a device, nor a file
};

struct RefusedPort {
    QString device;
    Refusal reason = Refusal::None;
};

// "/dev/ttyUSB0: permission denied - ...": why a device refused and what to do about it; empty
// for a refusal the operator cannot act on.
Phrase refusalLine(const RefusedPort &port);

// The status box's tool tip after a scan: one line per refused device with its remedy, or the
// box's usual description when nothing was refused.
QString refusalsToolTip(const QList<RefusedPort> &refused);

// Tells a permission refusal of the device from a hold by another program; the serial port
// reports both as one permission error.
Refusal classifyPermissionError(const QString &device);

} // namespace tonaq
