#pragma once

#include <QChar>
#include <QString>
#include <Qt>

namespace tonaq {

// Which native key codes a key event carries; they recover the physical key where Qt only
// reports the character the layout made of it (Shift+5 arrives as Qt::Key_Percent).
enum class NativeKeyCodes {
    None,    // unknown platform or synthetic events: Qt key only
    Windows, // nativeVirtualKey() is the Windows virtual-key code itself
    Xkb,     // nativeScanCode() is the xkb (evdev + 8) key code: X11 and Wayland
};

// The native key codes of a QGuiApplication::platformName().
NativeKeyCodes nativeKeyCodesOf(const QString &platformName);

// The Windows virtual-key code of a Qt key event, for the keys the tone keyboard knows:
// number-pad digits 96-105, main-row digits 48-57 (also when shifted), letters 65-90 by key
// whatever the case, Esc 27, Shift/Ctrl/Alt 16/17/18, number-pad "*" 106. Keys without a
// meaning here give 0. Without native codes a shifted US-layout digit ("!" ... ")") is taken
// as its digit key.
int windowsVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
                      quint32 nativeVirtualKey, NativeKeyCodes nativeCodes);

// The modifier mask of the tone keyboard: 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftMask(Qt::KeyboardModifiers modifiers);

enum class ToneKeyKind { None, Tone, Abort };

struct ToneKey {
    ToneKeyKind kind = ToneKeyKind::None;
    QChar tone; // set for ToneKeyKind::Tone only

    friend bool operator==(const ToneKey &, const ToneKey &) = default;
};

// What a key-down in the tone keyboard box means, from its virtual-key code and modifier
// mask: number-pad and main-row digits, Shift (alone) + "3" is "#" and + "8" is "*", "A"-"D"
// by key, Esc aborts; everything else is no tone.
ToneKey classifyToneKey(int keyCode, int shiftMask);

} // namespace tonaq
