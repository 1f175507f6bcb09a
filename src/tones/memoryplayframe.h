#pragma once

#include "app/layouthelpers.h"

#include <chrono>

class QLineEdit;
class QPushButton;

namespace tonaq {

class FrmTonaq;
class Trap;

// The "Memory Play" frame: the unit plays its stored locations in the order typed.
class MemoryPlayFrame : public Frame {
    Q_OBJECT
public:
    MemoryPlayFrame(FrmTonaq &main, QWidget *parent);

    QLineEdit *txtLoc() const { return m_txtLoc; }
    QPushButton *cmdMemPlay() const { return m_play; }

    // Key filter of the box; true when the key is to be kept from it.
    bool txtLoc_KeyPress(int keyAscii);
    void cmdMemPlay_Click();

    // How long to wait for "Ready" beyond the longest the location can play.
    void setReadyMargin(std::chrono::milliseconds margin) { m_readyMargin = margin; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Outcome { Played, NoReady, Closing };

    Outcome playLocation(int location, QChar typed, Trap &at);
    Outcome waitForReady(int location);
    void endPlay();

    FrmTonaq &m_main;
    QLineEdit *m_txtLoc;
    QPushButton *m_play;
    std::chrono::milliseconds m_readyMargin;
    bool m_playing = false;
    bool m_closeRequested = false;
};

} // namespace tonaq
