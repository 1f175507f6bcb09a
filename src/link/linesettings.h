#pragma once

#include <QSerialPort>
#include <QString>

namespace tonaq {

// The line settings text of the serial link, "baud,parity,data bits,stop bits".
struct LineSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Reads a text such as "9600,n,8,1"; raises TonaqError (InvalidSettings) on anything else.
LineSettings parseLineSettings(const QString &text);

} // namespace tonaq
