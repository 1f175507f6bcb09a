#include "sim/fieldparsing.h"

#include <algorithm>

namespace tonaq::sim {

namespace {
constexpr qint64 kSaturation = 1'000'000'000;
constexpr qint64 kDefaultDurationMs = 100;
constexpr qint64 kMaxTimedMs = 65535;
} // namespace

std::optional<qint64> leadingNumber(const QByteArray &field) {
    qsizetype i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    if (i >= field.size() || field[i] < '0' || field[i] > '9') return std::nullopt;
    qint64 value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = std::min(kSaturation, value * 10 + (field[i] - '0'));
    return negative ? -value : value;
}

double timedDurationMs(const QByteArray &field) {
    const auto ms = leadingNumber(field);
    if (!ms || *ms < 20 || *ms > kMaxTimedMs) return kDefaultDurationMs;
    return static_cast<double>(*ms);
}

double sequenceSpaceMs(const QByteArray &field) {
    return static_cast<double>(
        std::clamp<qint64>(leadingNumber(field).value_or(0), 0, kMaxTimedMs));
}

std::pair<QByteArray, QByteArray> splitAtComma(const QByteArray &line) {
    const qsizetype comma = line.indexOf(',');
    if (comma < 0) return {line, {}};
    return {line.left(comma), line.mid(comma + 1)};
}

} // namespace tonaq::sim
