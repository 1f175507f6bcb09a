#include "sound/processend.h"

#include <cstdio>
#include <cstdlib>

namespace tonaq::sound {

void endProcess(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

} // namespace tonaq::sound
