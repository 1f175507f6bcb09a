#include "link/wiretrace.h"

#include <QDateTime>

namespace tonaq {

QString escapedBytes(const QByteArray &bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '\r')
            text += QLatin1String("\\r");
        else if (byte == '\n')
            text += QLatin1String("\\n");
        else if (byte == '\\')
            text += QLatin1String("\\\\");
        else if (code >= 0x20 && code < 0x7F)
            text += QLatin1Char(byte);
        else
            text += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
    }
    return text;
}

WireTrace::WireTrace(const QString &path)
    : m_file(path) {
    m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void WireTrace::record(char direction, const QByteArray &bytes) {
    if (bytes.isEmpty() || !m_file.isOpen()) return;
    const QString line =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + u' ' +
        QLatin1Char(direction) + u' ' + escapedBytes(bytes) + u'\n';
    m_file.write(line.toLatin1());
    m_file.flush(); // a trace must hold every line up to a crash or a pulled cable
}

} // namespace tonaq
