#pragma once

#include "app/layouthelpers.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tonaq {

class FrmTonaq;

// The "Single Play" frame: one tone for a number of milliseconds, timed by the unit.
class SinglePlayFrame : public Frame {
    Q_OBJECT
public:
    SinglePlayFrame(FrmTonaq &main, QWidget *parent);

    QLineEdit *Tone() const { return m_tone; }
    QLineEdit *Duration() const { return m_duration; }
    QPushButton *cmdSinglePlay() const { return m_play; }

private:
    FrmTonaq &m_main;
    QLineEdit *m_tone;
    QLineEdit *m_duration;
    QPushButton *m_play;
};

} // namespace tonaq
