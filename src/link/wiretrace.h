#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

namespace tonaq {

// The bytes of a burst as one line of text: printable characters as they are, CR and LF as
// \r and \n, a backslash doubled, any other byte as \xNN.
QString escapedBytes(const QByteArray &bytes);

// What crossed the line, for a bug report, appended to a text file a line at a time, each
// stamped with the local time to the millisecond:
//   > @                          a command as it went to the unit
//   < Connected\r\n  +2.1 ms     a reply as the driver read it, stamped with its first byte,
//                                and how long after the command that byte came
//   < OK\r\n  unasked            bytes that came when no reply was awaited
//   * opened COM3: /dev/ttyUSB0  the port opened or closed, a unit gone or back, a network
//                                unit's negotiation
class WireTrace {
public:
    // Appends to a regular file, made when missing; anything else (a FIFO, a device such as
    // /dev/full) is refused: check isOpen().
    explicit WireTrace(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    QString errorString() const { return m_refusal.isEmpty() ? m_file.errorString() : m_refusal; }
    // Why the first line that could not be written was lost; empty while every line was.
    QString writeFailure() const { return m_writeFailure; }

    void command(const QByteArray &bytes);
    void reply(const QByteArray &bytes, const QDateTime &firstByte, double msAfterCommand);
    void unasked(const QByteArray &bytes, const QDateTime &firstByte);
    void event(const QString &text);

private:
    void write(const QDateTime &when, char mark, const QString &text);

    QFile m_file;
    QString m_refusal;
    QString m_writeFailure;
};

} // namespace tonaq
