#pragma once

#include "app/layouthelpers.h"

#include <QList>

class QPushButton;

namespace tonaq {

class FrmTonaq;

// The "Keypad" frame: sixteen buttons in the layout of a telephone keypad with the letter
// column on the right. A button sounds its tone while the mouse holds it down.
class KeypadFrame : public Frame {
    Q_OBJECT
public:
    static constexpr int kStopTone = -1;

    KeypadFrame(FrmTonaq &main, QWidget *parent);

    const QList<QPushButton *> &KeyPad() const { return m_keys; }

    // Starts the tone of the button with that index, or stops the tone for kStopTone.
    // A failing step is skipped: a stuck tone is better than a dead keypad.
    void SendKeypadTone(int index);
    void KeyPad_MouseDown(int index);
    void KeyPad_MouseUp(int index);

protected:
    // Only real mouse presses and releases play: Space or Enter on a focused button does not.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FrmTonaq &m_main;
    QList<QPushButton *> m_keys;
    int m_pressed = -1; // the button whose press came last, until its release
};

} // namespace tonaq
