#pragma once

namespace tonaq {

// The character codes of the keys the entry boxes and the grid treat apart.
inline constexpr int kBackspaceKey = 8;
inline constexpr int kEnterKey = 13;
inline constexpr int kEscapeKey = 27;

} // namespace tonaq
