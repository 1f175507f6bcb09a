#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tonaq {

// The bytes of a burst as one line of text: printable characters as they are, CR and LF as
// \r and \n, a backslash doubled, any other byte as \xNN.
QString escapedBytes(const QByteArray &bytes);

// Appends every burst that crosses the serial line to a text file, one line each: the local
// time to the millisecond, ">" for bytes to the unit or "<" for bytes from it, and the bytes.
// For bug reports: it shows exactly what went over the wire and when.
class WireTrace {
public:
    explicit WireTrace(const QString &path); // check isOpen()
    bool isOpen() const { return m_file.isOpen(); }
    QString errorString() const { return m_file.errorString(); }

    void toUnit(const QByteArray &bytes) { record('>', bytes); }
    void fromUnit(const QByteArray &bytes) { record('<', bytes); }

private:
    void record(char direction, const QByteArray &bytes);

    QFile m_file;
};

} // namespace tonaq
