#pragma once

#include "sim/fieldparsing.h"
#include "sim/toneplayer.h"

#include <QList>
#include <array>

namespace tonaq::sim {

// Collects the rows of sequence mode: "tone," "duration," "space" and a line end per row, a
// bare line end closing the sequence.
class SequenceCollector {
public:
    // The firmware keeps as many rows as the program's grid has; further rows are answered but
    // dropped, so that the row table has a fixed size.
    static constexpr qsizetype kMaxRows = 20;

    enum class Step { Collecting, FieldEnded, RowEnded, SequenceEnded };

    Step feed(char byte);
    const QList<ToneStep> &rows() const { return m_rows; }
    void clear();

private:
    void endRow();

    // A row has three fields; text after a third comma goes nowhere.
    std::array<LineBuffer, 3> m_fields;
    qsizetype m_field = 0;
    QList<ToneStep> m_rows;
};

} // namespace tonaq::sim
