#include "tones/memoryplayframe.h"

#include "base/desk.h"
#include "base/keyascii.h"
#include "base/limits.h"
#include "base/trap.h"
#include "session/unitsession.h"
#include "tones/entryrules.h"
#include "ui/keyevents.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tonaq {

MemoryPlayFrame::MemoryPlayFrame(UnitSession &session, Desk &desk, const MemoryModel &memory,
                                 const ErrorLog &log, QWidget *parent)
    : Frame(2, tr("Memory Play"), parent)
    , m_session(session)
    , m_desk(desk)
    , m_log(log)
    , m_player(session.unit(), memory) {
    auto *label = named(new QLabel(tr("Memory Locations:"), holder()), element("lblDisp", 1));
    m_locationsBox = named(new QLineEdit(holder()), QStringLiteral("txtLoc"));
    label->setBuddy(m_locationsBox);
    m_playButton = named(new QPushButton(tr("Play"), holder()), QStringLiteral("cmdMemPlay"),
                         tr("Play tones from memory location(s).  Locations 1-8 allowed.  "
                            "For multiple locations, do not use seperating characters."));
    m_playButton->setFixedWidth(kPlayButtonWidth);
    m_locationsBox->installEventFilter(this);
    m_player.setStopRequested([this] { return m_closeRequested; });
    connect(m_playButton, &QPushButton::clicked, this, &MemoryPlayFrame::play);

    auto *row = new QHBoxLayout(holder());
    row->setContentsMargins(6, 0, 6, 2);
    row->addWidget(label);
    row->addWidget(m_locationsBox, 1);
    row->addWidget(m_playButton);
}

bool MemoryPlayFrame::locationsKeyPress(int keyAscii) {
    if (locationKeyAccepted(keyAscii)) return false;
    if (keyAscii == kEnterKey) {
        play();
        return true;
    }
    m_desk.showMessage(tr("Only numbers 1 through 8 allowed."));
    m_locationsBox->setText(correctedLocations(m_locationsBox->text()));
    return true;
}

void MemoryPlayFrame::play() {
    if (m_playing) return; // Enter in the box while the button is off for this very play
    if (m_session.refuseUnconnected()) return;
    m_playing = true;
    window()->installEventFilter(this); // a close waits until the play has let go of the link
    trapped(m_log, Procedure::MemoryPlay, [&](Trap &at) {
        at(10);
        m_session.enableControls(false);
        at(20);
        playTyped(at);
        if (m_closeRequested) return;
        at(100);
        m_session.enableControls(true);
    });
    endPlay();
}

// Each character is read from the box as it stands when its turn comes: the operator may edit
// it meanwhile. Anything but the digits 1 to 8 is skipped.
void MemoryPlayFrame::playTyped(Trap &at) {
    const qsizetype count = m_locationsBox->text().size();
    for (qsizetype i = 0; i < count; ++i) {
        at(30);
        const QString text = m_locationsBox->text();
        const QChar typed = i < text.size() ? text[i] : QChar();
        const int location = locationDigit(typed);
        if (location < 1 || location > kLocationCount) continue;
        const MemoryPlayer::Outcome outcome = m_player.play(location, typed, at);
        if (outcome == MemoryPlayer::Outcome::Stopped) return;
        if (outcome == MemoryPlayer::Outcome::NoReady) {
            at(90);
            m_session.report({Activity::NoReady});
            return;
        }
    }
}

void MemoryPlayFrame::endPlay() {
    window()->removeEventFilter(this);
    m_playing = false;
    if (m_closeRequested) {
        m_closeRequested = false;
        QTimer::singleShot(0, window(), [main = window()] { main->close(); });
    }
}

bool MemoryPlayFrame::eventFilter(QObject *watched, QEvent *event) {
    if (watched == window() && event->type() == QEvent::Close && m_playing) {
        m_closeRequested = true;
        event->ignore();
        return true;
    }
    if (watched == m_locationsBox && event->type() == QEvent::KeyPress) {
        const int keyAscii = keyAsciiOf(static_cast<const QKeyEvent &>(*event));
        if (keyAscii >= 0 && locationsKeyPress(keyAscii)) return true;
    }
    return Frame::eventFilter(watched, event);
}

} // namespace tonaq
