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

    QLineEdit *toneBox() const { return m_toneBox; }
    QLineEdit *durationBox() const { return m_durationBox; }
    QPushButton *playButton() const { return m_playButton; }

    // Key filters; true when the key is to be kept from the box.
    bool toneKeyPress(int keyAscii);
    bool durationKeyPress(int keyAscii);
    void validateDuration();
    void play();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void validateWhenTheMouseIsFree();
    void validateBeforeRelease(QAbstractButton *pressed);

    UnitSession &m_session;
    Desk &m_desk;
    const ErrorLog &m_log;
    QLineEdit *m_toneBox;
    QLineEdit *m_durationBox;
    QPushButton *m_playButton;
    bool m_validateOnRelease = false;
};

} // namespace tonaq
