#include "sim/dtmf.h"

#include <cstring>

namespace tonaq::sim {

namespace {
// The keypad as it is laid out: row i uses kRowHz[i], column j uses kColumnHz[j].
constexpr const char *kKeypad[4] = {"123A", "456B", "789C", "*0#D"};
constexpr int kRowHz[4] = {697, 770, 852, 941};
constexpr int kColumnHz[4] = {1209, 1336, 1477, 1633};
} // namespace

std::optional<char> toneKey(char c) {
    if (c >= 'a' && c <= 'd') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= '0' && c <= '9') || c == '*' || c == '#' || (c >= 'A' && c <= 'D')) return c;
    return std::nullopt;
}

bool isToneChar(char c) {
    return toneKey(c).has_value();
}

std::optional<DtmfPair> dtmfFrequencies(char tone) {
    const auto key = toneKey(tone);
    if (!key) return std::nullopt;
    for (int row = 0; row < 4; ++row) {
        if (const char *hit = std::strchr(kKeypad[row], *key))
            return DtmfPair{kRowHz[row], kColumnHz[hit - kKeypad[row]]};
    }
    return std::nullopt;
}

} // namespace tonaq::sim
