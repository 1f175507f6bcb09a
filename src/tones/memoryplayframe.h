#pragma once

#include "tones/tonecommands.h"
#include "ui/layouthelpers.h"

class QLineEdit;
class QPushButton;

namespace tonaq {

class Desk;
class ErrorLog;
class MemoryModel;
class UnitSession;

// The "Memory Play" frame: the unit plays its stored locations in the order typed.
class MemoryPlayFrame : public Frame {
    Q_OBJECT
public:
    MemoryPlayFrame(UnitSession &session, Desk &desk, const MemoryModel &memory,
                    const ErrorLog &log, QWidget *parent);

    QLineEdit *locationsBox() const { return m_locationsBox; }
    QPushButton *playButton() const { return m_playButton; }

    // Key filter of the box; true when the key is to be kept from it.
    bool locationsKeyPress(int keyAscii);
    void play();

    MemoryPlayer &player() { return m_player; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void playTyped(Trap &at);
    void endPlay();

    UnitSession &m_session;
    Desk &m_desk;
    const ErrorLog &m_log;
    MemoryPlayer m_player;
    QLineEdit *m_locationsBox;
    QPushButton *m_playButton;
    bool m_playing = false;
    bool m_closeRequested = false;
};

} // namespace tonaq
