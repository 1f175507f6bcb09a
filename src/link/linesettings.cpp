#include "link/linesettings.h"

#include "base/tonaqerror.h"

#include <QStringList>

namespace tonaq {

namespace {

QSerialPort::Parity parityOf(const QString &letter) {
    if (letter == u"n") return QSerialPort::NoParity;
    if (letter == u"e") return QSerialPort::EvenParity;
    if (letter == u"o") return QSerialPort::OddParity;
    if (letter == u"m") return QSerialPort::MarkParity;
    if (letter == u"s") return QSerialPort::SpaceParity;
    throw TonaqError(ErrorCode::InvalidSettings);
}

QSerialPort::StopBits stopBitsOf(const QString &text) {
    if (text == u"1") return QSerialPort::OneStop;
    if (text == u"1.5") return QSerialPort::OneAndHalfStop;
    if (text == u"2") return QSerialPort::TwoStop;
    throw TonaqError(ErrorCode::InvalidSettings);
}

} // namespace

LineSettings parseLineSettings(const QString &text) {
    const QStringList parts = text.trimmed().toLower().split(u',');
    if (parts.size() != 4) throw TonaqError(ErrorCode::InvalidSettings);
    bool baudOk = false;
    bool bitsOk = false;
    const int baud = parts[0].trimmed().toInt(&baudOk);
    const int bits = parts[2].trimmed().toInt(&bitsOk);
    if (!baudOk || baud <= 0 || !bitsOk || bits < 5 || bits > 8)
        throw TonaqError(ErrorCode::InvalidSettings);
    LineSettings settings;
    settings.baudRate = baud;
    settings.parity = parityOf(parts[1].trimmed());
    settings.dataBits = static_cast<QSerialPort::DataBits>(bits);
    settings.stopBits = stopBitsOf(parts[3].trimmed());
    return settings;
}

} // namespace tonaq
