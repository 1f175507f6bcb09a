#pragma once

class QKeyEvent;

namespace tonaq {

// The character code a key press types, as the key-press handlers of the entry boxes and the
// MultiPlay grid take it (Backspace 8, Enter 13, Esc 27, Ctrl+letter 1-26, printable
// characters their code); -1 for keys that type nothing: Shift, arrows, function keys,
// Delete, and Tab, which moves the focus instead.
int keyAsciiOf(const QKeyEvent &event);

} // namespace tonaq
