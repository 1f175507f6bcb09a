#pragma once

#include <QByteArray>
#include <optional>

namespace tonaq::sim {

// The number at the start of a field, read the way the firmware's atoi-style routine reads
// it: leading blanks skipped, an optional sign, then digits up to the first non-digit. Nothing
// when no digit follows. Saturates instead of overflowing.
std::optional<qint64> leadingNumber(const QByteArray &field);

// A tone duration of the single-tone and sequence modes: 20 to 65535 ms, otherwise 100 ms.
double timedDurationMs(const QByteArray &field);

// The pause after a sequence row: 0 to 65535 ms, empty or unreadable meaning none.
double sequenceSpaceMs(const QByteArray &field);

// Splits at the first ",": the part before it and the part after it (empty when there is none).
std::pair<QByteArray, QByteArray> splitAtComma(const QByteArray &line);

// A receive buffer of the firmware's fixed size: bytes beyond it are dropped.
class LineBuffer {
public:
    static constexpr qsizetype kCapacity = 32;

    void append(char byte) {
        if (m_text.size() < kCapacity) m_text.append(byte);
    }
    const QByteArray &text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    void clear() { m_text.clear(); }

private:
    QByteArray m_text;
};

} // namespace tonaq::sim
