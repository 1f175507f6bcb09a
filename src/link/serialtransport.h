#pragma once

#include "link/transport.h"

#include <QSerialPort>

namespace tonaq {

// A unit on a serial device of this system.
class SerialTransport : public Transport {
    Q_OBJECT
public:
    explicit SerialTransport(const QString &devicePath, QObject *parent = nullptr);

    void open(const LineSettings &settings, std::chrono::milliseconds deadline) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QIODevice &stream() override { return m_port; }
    void discardInput() override;

private:
    bool deviceGone();
    void onPortError(QSerialPort::SerialPortError error);

    QString m_devicePath;
    QSerialPort m_port;
    bool m_lost = false;
};

} // namespace tonaq
