#pragma once

#include "app/layouthelpers.h"

class QLineEdit;
class QPushButton;

namespace tonaq {

class FrmTonaq;

// The "Memory Play" frame: the unit plays its stored locations in the order typed.
class MemoryPlayFrame : public Frame {
    Q_OBJECT
public:
    MemoryPlayFrame(FrmTonaq &main, QWidget *parent);

    QLineEdit *txtLoc() const { return m_txtLoc; }
    QPushButton *cmdMemPlay() const { return m_play; }

private:
    FrmTonaq &m_main;
    QLineEdit *m_txtLoc;
    QPushButton *m_play;
};

} // namespace tonaq
