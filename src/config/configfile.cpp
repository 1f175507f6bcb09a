#include "config/configfile.h"

#include "base/limits.h"
#include "base/tonaqerror.h"
#include "model/memorymodel.h"

#include <QIODevice>

#include <utility>

namespace tonaq {

namespace {

constexpr qint64 kReadChunk = qint64{64} * 1024;

constexpr qsizetype kLongestCell = 65535;

void appendLine(QByteArray &out, const QString &a, const QString &b, const QString &c) {
    out += a.toLatin1() + ',' + b.toLatin1() + ',' + c.toLatin1() + "\r\n";
}

} // namespace

QByteArray writeConfiguration(const MemoryModel &memory) {
    QByteArray out;
    for (int i = 0; i < kLocationCount; ++i) {
        const MemoryLocation &location = memory.location(i);
        appendLine(out, location.tones, location.length, location.space);
    }
    for (const SequenceRow &row : memory.sequence())
        appendLine(out, row.tone, row.duration, row.space);
    return out;
}

void loadLocations(ConfigFieldReader &fields, MemoryModel &memory) {
    using Text = MemoryModel::Text;
    for (int i = 0; i < kLocationCount; ++i) {
        for (const Text which : {Text::Tones, Text::Length, Text::Space})
            memory.setText(i, which,
                           fields.next(which == Text::Tones ? kToneStringLimit : kTimeTextLimit));
    }
}

void loadConfiguration(QIODevice &file, MemoryModel &memory) {
    ConfigFieldReader fields(file);
    loadLocations(fields, memory);
    loadSequence(fields, memory);
}

void loadSequence(ConfigFieldReader &fields, MemoryModel &memory) {
    for (int row = 1; row <= kSequenceRows; ++row) {
        for (int column = kToneColumn; column <= kSpaceColumn; ++column)
            memory.setCell(row, column, fields.next(kLongestCell));
    }
}

ConfigFieldReader::ConfigFieldReader(QIODevice &source)
    : m_source(source) {}

// Refills the one buffer from the file when it has been read through.
bool ConfigFieldReader::atEnd() {
    if (m_pos < m_filled) return false;
    if (m_buffer.isEmpty()) m_buffer.resize(kReadChunk);
    m_filled = m_source.read(m_buffer.data(), m_buffer.size());
    m_pos = 0;
    if (m_filled < 0) throw TonaqError(ErrorCode::PathFileAccessError); // a read error
    return m_filled == 0;
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
