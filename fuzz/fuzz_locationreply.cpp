// Any reply a unit could send to a location query.
#include "unit/locationreply.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString reply =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)tonaq::parseLocationReply(reply);
    return 0;
}
