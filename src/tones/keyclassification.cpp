#include "tones/keyclassification.h"

namespace tonaq {

namespace {

constexpr int kVkNumpad0 = 96;
constexpr int kVkMultiply = 106;
constexpr int kVkEscape = 27;

bool isDigitKey(int qtKey) {
    return qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
}

// xkb key codes of the main-row digits: "1" is 10 ... "9" is 18, "0" is 19.
int mainRowDigitOfKeycode(quint32 keycode) {
    if (keycode >= 10 && keycode <= 18) return static_cast<int>(keycode) - 9;
    if (keycode == 19) return 0;
    return -1;
}

int keypadDigitOfKeycode(quint32 keycode) {
    switch (keycode) {
    case 79:
        return 7;
    case 80:
        return 8;
    case 81:
        return 9;
    case 83:
        return 4;
    case 84:
        return 5;
    case 85:
        return 6;
    case 87:
        return 1;
    case 88:
        return 2;
    case 89:
        return 3;
    case 90:
        return 0;
    default:
        return -1;
    }
}

// Keys whose Qt code names the key itself, whatever the layout.
int virtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (isDigitKey(qtKey)) return (keypad ? kVkNumpad0 : '0') + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // Qt's letter codes are the upper-case ASCII codes, as the VKs
    if (keypad && qtKey == Qt::Key_Asterisk) return kVkMultiply;
    switch (qtKey) {
    case Qt::Key_Escape:
        return kVkEscape;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    default:
        return 0;
    }
}

// The digit under a shifted symbol on a US layout, for events without native codes.
int usShiftedDigitKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_ParenRight:
        return '0';
    default:
        return 0;
    }
}

} // namespace

NativeKeyCodes nativeKeyCodesOf(const QString &platformName) {
    if (platformName == QLatin1String("windows")) return NativeKeyCodes::Windows;
    if (platformName == QLatin1String("xcb") || platformName.startsWith(QLatin1String("wayland")))
        return NativeKeyCodes::Xkb;
    return NativeKeyCodes::None;
}

int windowsVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
                      quint32 nativeVirtualKey, NativeKeyCodes nativeCodes) {
    if (nativeCodes == NativeKeyCodes::Windows && nativeVirtualKey != 0)
        return static_cast<int>(nativeVirtualKey);

    const bool keycodeKnown = nativeCodes == NativeKeyCodes::Xkb && nativeScanCode != 0;
    if (keycodeKnown) {
        if (const int digit = mainRowDigitOfKeycode(nativeScanCode); digit >= 0) return '0' + digit;
        // With Num Lock off the same key is Home, End, ...: only a digit is a number-pad digit.
        if (const int digit = keypadDigitOfKeycode(nativeScanCode); digit >= 0 && isDigitKey(qtKey))
            return kVkNumpad0 + digit;
    }
    if (const int vk = virtualKeyOfQtKey(qtKey, modifiers)) return vk;
    // A known key code that is no digit key means the symbol has a key of its own (the "#"
    // key of a German layout), so the US table must not turn it into a digit.
    return keycodeKnown ? 0 : usShiftedDigitKey(qtKey);
}

int shiftMask(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

ToneKey classifyToneKey(int keyCode, int shiftMask) {
    if (keyCode >= kVkNumpad0 && keyCode <= kVkNumpad0 + 9)
        return {ToneKeyKind::Tone, QChar(keyCode - 48)};
    if (keyCode >= '0' && keyCode <= '9') {
        if (keyCode == '3' && shiftMask == 1) return {ToneKeyKind::Tone, QChar(u'#')};
        if (keyCode == '8' && shiftMask == 1) return {ToneKeyKind::Tone, QChar(u'*')};
        return {ToneKeyKind::Tone, QChar(keyCode)};
    }
    if (keyCode >= 'A' && keyCode <= 'D') return {ToneKeyKind::Tone, QChar(keyCode)};
    if (keyCode == kVkEscape) return {ToneKeyKind::Abort, {}};
    return {};
}

} // namespace tonaq
