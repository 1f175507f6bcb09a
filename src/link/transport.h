#pragma once

#include "link/linesettings.h"

#include <QIODevice>
#include <QObject>
#include <QString>
#include <chrono>

namespace tonaq {

// How the link's bytes reach a unit: a serial device, a unit behind a serial device server on
// the network, or the simulated unit in this process. The link reads and writes stream() and
// never asks which kind it has.
class Transport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Transport() override = default;

    // Opens the way to the unit with these line settings, or raises TonaqError whose
    // description names the place and the reason ("Could not open /dev/ttyUSB0: Permission
    // denied"). Gives up once the deadline has passed; the windows keep painting meanwhile.
    virtual void open(const LineSettings &settings, std::chrono::milliseconds deadline) = 0;
    // Closes it; closing a transport that is not open does nothing.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The unit's bytes both ways, open while the transport is.
    virtual QIODevice &stream() = 0;
    // Drops what arrived and has not been read.
    virtual void discardInput() = 0;

signals:
    // The unit went away under an open transport: the device was pulled, the connection was
    // closed. Said once; the stream's reads and writes fail from then on.
    void lost(const QString &reason);
    // A step of the way to the unit worth a line of the wire trace (a network unit's
    // negotiation).
    void noted(const QString &what);
};

} // namespace tonaq
