// Any file handed to Open: read the 84 fields, or fail cleanly where the data runs out.
#include "app/tonaqerror.h"
#include "config/configfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tonaq::ConfigFieldReader reader(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    try {
        for (int field = 0; field < 84; ++field)
            reader.next();
    } catch (const tonaq::TonaqError &) {
    }
    return 0;
}
