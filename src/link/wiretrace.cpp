#include "link/wiretrace.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    const QFileInfo info(path);
    m_refusal = info.exists() && !info.isFile() ? QStringLiteral("not a regular file") : QString();
    if (!m_refusal.isEmpty()) return;
#ifdef Q_OS_UNIX
    // Opened without waiting: a FIFO put in its place meanwhile has no reader to wait for.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        m_refusal = fd < 0 ? qt_error_string(errno) : QStringLiteral("not a regular file");
        if (fd >= 0) ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); // writes wait for the disk
    m_file.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text,
                QFileDevice::AutoCloseHandle);
#else
    m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
#endif
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
    const QByteArray bytes = line.toUtf8();
    // A trace must hold every line up to a crash or a pulled cable.
    if ((m_file.write(bytes) != bytes.size() || !m_file.flush()) && m_writeFailure.isEmpty())
        m_writeFailure = m_file.errorString();
}

} // namespace tonaq
