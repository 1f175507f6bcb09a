#pragma once

#include "base/locationsandsequence.h"

#include <QString>
#include <optional>

namespace tonaq {

struct CellEdit {
    QString text;    // the cell's new text
    QString message; // shown in an "ERROR" box when not empty
};

// A typed character (not Enter, see applyEnter) in a cell of the given column:
// Tone takes one tone character (upper or lower case) in place of the cell, anything else
// empties it; Duration and Space append digits up to five characters and are emptied by
// Backspace; another character is refused with a message, emptying a Duration cell and
// leaving a Space cell as it was. Other columns stay unchanged.
CellEdit applyCharacter(int column, const QString &cell, int keyAscii);

struct EnterOutcome {
    QString message;                  // shown in an "ERROR" box when not empty
    std::optional<QString> corrected; // the cell's new text, when it is corrected
    int row = 0;                      // the current cell afterwards
    int column = 0;
};

// Enter in cell (row, column): a Duration or Space below 20, or any cell above 65535, is
// corrected to that limit and the current cell stays; otherwise the current cell moves
// right, and from the Space column to the Tone column of the next row (row 20 wraps to 1).
EnterOutcome applyEnter(int row, int column, const QString &cell);

} // namespace tonaq
