#include "config/configfile.h"

#include "app/tonaqerror.h"

#include <utility>

namespace tonaq {

namespace {

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

ConfigFieldReader::ConfigFieldReader(QByteArray bytes)
    : m_bytes(std::move(bytes)) {}

QString ConfigFieldReader::next() {
    if (m_pos >= m_bytes.size() && !m_fieldPending) throw TonaqError(ErrorCode::InputPastEndOfFile);

    const qsizetype start = m_pos;
    while (m_pos < m_bytes.size() && m_bytes[m_pos] != ',' && m_bytes[m_pos] != '\r' &&
           m_bytes[m_pos] != '\n')
        ++m_pos;
    const QString field = QString::fromLatin1(m_bytes.constData() + start, m_pos - start);

    m_fieldPending = false;
    if (m_pos < m_bytes.size()) {
        const char end = m_bytes[m_pos++];
        if (end == ',')
            m_fieldPending = true;
        else if (end == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
            ++m_pos;
    }
    return field;
}

} // namespace tonaq
