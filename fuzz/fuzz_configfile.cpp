// Any file handed to Open: read the 84 fields, or fail cleanly where the data runs out.
#include "base/tonaqerror.h"
#include "config/configfile.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer source(&bytes);
    source.open(QIODevice::ReadOnly);
    tonaq::ConfigFieldReader reader(source);
    try {
        for (int field = 0; field < tonaq::kConfigurationFieldCount; ++field)
            reader.next(field % 3 == 0 ? 20 : 5);
    } catch (const tonaq::TonaqError &) {
    }
    return 0;
}
