// Any byte stream on the simulated unit's line. The first byte of each pair of input bytes
// is a time step, so bursts, pauses and the 5 ms "%" window all get exercised.
#include "sim/unitfirmware.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    tonaq::sim::UnitFirmware firmware;
    double now = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        now += data[i] * 0.25;
        firmware.feed(QByteArray(1, static_cast<char>(data[i + 1])), now);
        firmware.advanceTo(now);
        (void)firmware.takeReplies();
    }
    firmware.advanceTo(now + 200000.0);
    (void)firmware.takeReplies();
    return 0;
}
