#pragma once

#include "app/layouthelpers.h"

#include <QList>

class QPushButton;

namespace tonaq {

class FrmTonaq;

// The "Keypad" frame: sixteen buttons in the layout of a telephone keypad with the letter
// column on the right.
class KeypadFrame : public Frame {
    Q_OBJECT
public:
    KeypadFrame(FrmTonaq &main, QWidget *parent);

    const QList<QPushButton *> &KeyPad() const { return m_keys; }

private:
    FrmTonaq &m_main;
    QList<QPushButton *> m_keys;
};

} // namespace tonaq
