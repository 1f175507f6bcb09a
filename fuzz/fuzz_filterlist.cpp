// Any filter list a caller could hand the file dialogs, and every lookup into it.
#include "config/dialogrules.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString filter =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString converted = tonaq::convertFilterList(filter);
    (void)tonaq::qtNameFilters(converted);
    (void)tonaq::trimAtNull(filter);
    for (int index = 0; index <= 4; ++index)
        (void)tonaq::filterLookup(converted, index);
    (void)tonaq::filterLookup(filter, 1);
    return 0;
}
