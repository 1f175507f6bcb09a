#pragma once

#include <optional>

namespace tonaq::sim {

// The keypad's tone characters: 0-9, *, #, A-D. Lower-case a-d count as their upper-case keys.
bool isToneChar(char c);

// The key a byte stands for, upper-cased; nothing when it is no tone character.
std::optional<char> toneKey(char c);

// The row and column frequencies (Hz) of a tone character; nothing when it is none.
struct DtmfPair {
    int rowHz;
    int columnHz;
};
std::optional<DtmfPair> dtmfFrequencies(char tone);

} // namespace tonaq::sim
