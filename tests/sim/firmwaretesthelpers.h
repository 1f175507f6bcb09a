#pragma once

#include "sim/unitfirmware.h"

#include <QMetaType>

Q_DECLARE_METATYPE(tonaq::sim::Faults)
Q_DECLARE_METATYPE(tonaq::sim::StoredLocation)
Q_DECLARE_METATYPE(tonaq::sim::UnitFirmware::Mode)

namespace tonaq::sim::test {

// Everything the firmware has sent so far, as one byte stream.
inline QByteArray takeOutput(UnitFirmware &firmware) {
    QByteArray out;
    for (const Reply &reply : firmware.takeReplies())
        out += reply.bytes;
    return out;
}

// Feeds the input at time 0 and lets every play run to its end.
inline QByteArray exchange(UnitFirmware &firmware, const QByteArray &input) {
    firmware.feed(input, 0);
    firmware.advanceTo(1e7);
    return takeOutput(firmware);
}

inline QByteArray report(int index, const QByteArray &times, const QByteArray &tones) {
    return "\r\nMemory location " + QByteArray::number(index) + "\r\n" + times +
           "\r\nString = " + tones + "\r\n";
}

} // namespace tonaq::sim::test
