#pragma once

#include "ui/layouthelpers.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tonaq {

class Desk;
class ErrorLog;
class UnitSession;

// The "Single Play" frame: one tone for a number of milliseconds, timed by the unit.
class SinglePlayFrame : public Frame {
    Q_OBJECT
public:
    SinglePlayFrame(UnitSession &session, Desk &desk, const ErrorLog &log, QWidget *parent);

    QLineEdit *Tone() const { return m_tone; }
    QLineEdit *Duration() const { return m_duration; }
    QPushButton *cmdSinglePlay() const { return m_play; }

    // Key filters; true when the key is to be kept from the box.
    bool Tone_KeyPress(int keyAscii);
    bool Duration_KeyPress(int keyAscii);
    void Duration_Validate();
    void cmdSinglePlay_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void validateWhenTheMouseIsFree();
    void validateBeforeRelease(QAbstractButton *pressed);

    UnitSession &m_session;
    Desk &m_desk;
    const ErrorLog &m_log;
    QLineEdit *m_tone;
    QLineEdit *m_duration;
    QPushButton *m_play;
    bool m_validateOnRelease = false;
};

} // namespace tonaq
