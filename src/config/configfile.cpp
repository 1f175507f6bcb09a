#include "config/configfile.h"

#include "app/tonaqerror.h"

#include <QIODevice>

#include <utility>

namespace tonaq {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

void appendLine(QByteArray &out, const QString &a, const QString &b, const QString &c) {
    out += a.toLatin1() + ',' + b.toLatin1() + ',' + c.toLatin1() + "\r\n";
}

} // namespace

QByteArray writeConfiguration(const ConfigurationTexts &texts) {
    QByteArray out;
    for (const LocationRow &row : texts.locations)
        appendLine(out, row.memString, row.length, row.space);
    for (const GridRow &row : texts.rows)
        appendLine(out, row.tone, row.duration, row.space);
    return out;
}

ConfigFieldReader::ConfigFieldReader(QIODevice &source)
    : m_source(source) {}

bool ConfigFieldReader::atEnd() {
    if (m_pos < m_buffer.size()) return false;
    m_buffer = m_source.read(kReadChunk);
    m_pos = 0;
    if (m_buffer.isEmpty() && !m_source.atEnd())
        throw TonaqError(ErrorCode::PathFileAccessError); // a read error, not the end
    return m_buffer.isEmpty();
}

char ConfigFieldReader::take() {
    return m_buffer[m_pos++];
}

QString ConfigFieldReader::next(qsizetype keep) {
    if (atEnd() && !m_fieldPending) throw TonaqError(ErrorCode::InputPastEndOfFile);
    m_fieldPending = false;
    QByteArray field;
    while (!atEnd()) {
        const char c = take();
        if (c == ',') {
            m_fieldPending = true;
            break;
        }
        if (c == '\r') {
            if (!atEnd() && m_buffer[m_pos] == '\n') ++m_pos;
            break;
        }
        if (c == '\n') break;
        if (field.size() < keep) field.append(c);
    }
    return QString::fromLatin1(field);
}

} // namespace tonaq
