#include "link/wiretrace.h"

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

void WireTrace::command(const QByteArray &bytes) {
    if (!bytes.isEmpty()) write(QDateTime::currentDateTime(), '>', escapedBytes(bytes));
}

void WireTrace::reply(const QByteArray &bytes, const QDateTime &firstByte, double msAfterCommand) {
    if (bytes.isEmpty()) return;
    write(firstByte, '<',
          escapedBytes(bytes) + QStringLiteral("  +%1 ms").arg(msAfterCommand, 0, 'f', 1));
}

void WireTrace::unasked(const QByteArray &bytes, const QDateTime &firstByte) {
    if (!bytes.isEmpty()) write(firstByte, '<', escapedBytes(bytes) + QStringLiteral("  unasked"));
}

void WireTrace::event(const QString &text) {
    write(QDateTime::currentDateTime(), '*', text);
}

void WireTrace::write(const QDateTime &when, char mark, const QString &text) {
    if (!m_file.isOpen()) return;
    const QString line = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + u' ' +
                         QLatin1Char(mark) + u' ' + text + u'\n';
    m_file.write(line.toUtf8());
    m_file.flush(); // a trace must hold every line up to a crash or a pulled cable
}

} // namespace tonaq
