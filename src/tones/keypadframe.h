#pragma once

#include "ui/layouthelpers.h"

#include <QList>

class QPushButton;

namespace tonaq {

class UnitSession;

// The "Keypad" frame: sixteen buttons in the layout of a telephone keypad with the letter
// column on the right. A button sounds its tone while the mouse holds it down.
class KeypadFrame : public Frame {
    Q_OBJECT
public:
    KeypadFrame(UnitSession &session, QWidget *parent);

    const QList<QPushButton *> &keys() const { return m_keyButtons; }

    void keyPressed(int index);
    void keyReleased(int index);

protected:
    // Only real mouse presses and releases play: Space or Enter on a focused button does not.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    UnitSession &m_session;
    QList<QPushButton *> m_keyButtons;
    int m_pressedKey = -1; // the button whose press came last, until its release
};

} // namespace tonaq
