#include "app/xpstyle.h"

#ifdef Q_OS_WIN
// The system's headers want windows.h first.
#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>
#endif

namespace tonaq {

bool visualStylesActive(VisualStyleProbe &probe) {
    const VisualStyleProbe::Version version = probe.systemVersion();
    if (version.major + version.minor / 10.0 < 5.1) return false;
    if (!probe.appThemed()) return false;
    return probe.commonControlsMajor() >= 6;
}

#ifdef Q_OS_WIN
namespace {

class WindowsProbe : public VisualStyleProbe {
public:
    Version systemVersion() override {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info); // 148 bytes
        GetVersionExA(&info);
        return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion)};
    }
    bool appThemed() override { return IsAppThemed() != FALSE; }
    int commonControlsMajor() override {
        HMODULE library = LoadLibraryA("comctl32.dll");
        if (!library) return 0;
        DLLVERSIONINFO info{};
        info.cbSize = sizeof(info); // 20 bytes
        // Through a function of no arguments: GCC takes that cast as the deliberate one.
        auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "DllGetVersion")));
        const int major = getVersion && getVersion(&info) == S_OK ? info.dwMajorVersion : 0;
        FreeLibrary(library);
        return major;
    }
};

} // namespace

void initVisualStyles() {
    WindowsProbe probe;
    if (!visualStylesActive(probe)) return;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls); // 8 bytes
    controls.dwICC = 0x1FFF;            // list view up to and including the pager
    InitCommonControlsEx(&controls);
}
#else
void initVisualStyles() {
    // Qt's platform theme already draws the desktop's own style; nothing to register.
}
#endif

} // namespace tonaq
