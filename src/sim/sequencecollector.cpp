#include "sim/sequencecollector.h"

#include "sim/dtmf.h"

namespace tonaq::sim {

SequenceCollector::Step SequenceCollector::feed(char byte) {
    if (byte == ',') {
        if (m_field < qsizetype(m_fields.size())) ++m_field;
        return Step::FieldEnded;
    }
    if (byte == '\r' || byte == '\n') {
        if (m_field == 0 && m_fields[0].isEmpty()) return Step::SequenceEnded;
        endRow();
        return Step::RowEnded;
    }
    if (m_field < qsizetype(m_fields.size())) m_fields[m_field].append(byte);
    return Step::Collecting;
}

void SequenceCollector::clear() {
    for (LineBuffer &field : m_fields)
        field.clear();
    m_field = 0;
    m_rows.clear();
}

void SequenceCollector::endRow() {
    // A tone field that is not exactly one tone character keeps its row (it was answered) but
    // the player skips it.
    const QByteArray &tone = m_fields[0].text();
    const char key = tone.size() == 1 && isToneChar(tone[0]) ? tone[0] : '\0';
    if (m_rows.size() < kMaxRows)
        m_rows.append(
            {key, timedDurationMs(m_fields[1].text()), sequenceSpaceMs(m_fields[2].text())});
    for (LineBuffer &field : m_fields)
        field.clear();
    m_field = 0;
}

} // namespace tonaq::sim
