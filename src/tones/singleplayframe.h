#pragma once

#include "app/layouthelpers.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tonaq {

class FrmTonaq;

// The "Single Play" frame: one tone for a number of milliseconds, timed by the unit. It also
// holds the abort command of the window's "Abort" button, which stops such timed tones.
class SinglePlayFrame : public Frame {
    Q_OBJECT
public:
    SinglePlayFrame(FrmTonaq &main, QWidget *parent);

    QLineEdit *Tone() const { return m_tone; }
    QLineEdit *Duration() const { return m_duration; }
    QPushButton *cmdSinglePlay() const { return m_play; }

    // Key filters; true when the key is to be kept from the box.
    bool Tone_KeyPress(int keyAscii);
    bool Duration_KeyPress(int keyAscii);
    void Duration_Validate();
    void cmdSinglePlay_Click();
    void cmdAbort_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void validateWhenTheMouseIsFree();
    void validateBeforeRelease(QAbstractButton *pressed);

    FrmTonaq &m_main;
    QLineEdit *m_tone;
    QLineEdit *m_duration;
    QPushButton *m_play;
    bool m_validateOnRelease = false;
};

} // namespace tonaq
