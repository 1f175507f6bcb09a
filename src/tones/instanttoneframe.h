#pragma once

#include "ui/layouthelpers.h"

#include <optional>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace tonaq {

class ErrorLog;
class UnitSession;

// The "Instant Tone" frame: a one-character box that sounds the tone of the key held in it,
// and Key Lock, which makes a held key one constant tone instead of a pulsating one.
class InstantToneFrame : public Frame {
    Q_OBJECT
public:
    InstantToneFrame(UnitSession &session, const ErrorLog &log, QWidget *parent);

    QLineEdit *keysBox() const { return m_keysBox; }
    QCheckBox *keyLockBox() const { return m_keyLockBox; }

    // keyCode is a Windows virtual-key code, shift the mask 1 Shift, 2 Ctrl, 4 Alt.
    void toneKeyDown(int keyCode, int shift);
    void toneKeyUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keyDown(const QKeyEvent &event);
    void releaseUnlessRepeated(const QKeyEvent &release);

    // A key release waiting to be told from the first half of an auto-repeat.
    struct HeldRelease {
        int key;
        quint32 scanCode;
        quint64 timestamp;
        bool pairedWith(const QKeyEvent &press) const;
    };

    UnitSession &m_session;
    const ErrorLog &m_log;
    QLabel *m_toneLabel;
    QLineEdit *m_keysBox;
    QCheckBox *m_keyLockBox;
    // The latest key-down while connected was a tone key; its key-up stops the tone.
    bool m_lastKeyWasTone = false;
    // A keyboard tone sounds; with Key Lock its auto-repeats start nothing new.
    bool m_tonePlaying = false;
    std::optional<HeldRelease> m_heldRelease;
};

} // namespace tonaq
