// Any text typed into a box whose number the program reads.
#include "base/numericvalue.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto *bytes = reinterpret_cast<const char *>(data);
    const auto length = static_cast<qsizetype>(size);
    const double latin = tonaq::numericValue(QString::fromLatin1(bytes, length));
    const double utf8 = tonaq::numericValue(QString::fromUtf8(bytes, length));
    (void)tonaq::decimalText(latin);
    (void)tonaq::decimalText(utf8);
    return 0;
}
