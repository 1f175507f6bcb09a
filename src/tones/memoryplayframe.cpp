#include "tones/memoryplayframe.h"

#include "app/frmtonaq.h"
#include "app/trap.h"
#include "memory/memorytableframe.h"
#include "tones/entryrules.h"
#include "tones/keyascii.h"
#include "tones/memoryplaybound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tonaq {

namespace {
constexpr int kEnter = 13;
constexpr int kPlayButtonWidth = 50; // as the single-play button, so the box gets the room
} // namespace

MemoryPlayFrame::MemoryPlayFrame(FrmTonaq &main, QWidget *parent)
    : Frame(2, QStringLiteral("Memory Play"), parent)
    , m_main(main)
    , m_readyMargin(kReadyMargin) {
    const QString caption = QStringLiteral("Memory Locations:");
    auto *label = named(new QLabel(caption, holder()), element("lblDisp", 1), caption);
    m_txtLoc = named(new QLineEdit(holder()), QStringLiteral("txtLoc"),
                     QStringLiteral("Memory Locations"));
    label->setBuddy(m_txtLoc);
    m_play = named(new QPushButton(QStringLiteral("Play"), holder()), QStringLiteral("cmdMemPlay"),
                   QStringLiteral("Play"),
                   QStringLiteral("Play tones from memory location(s).  Locations 1-8 allowed.  "
                                  "For multiple locations, do not use seperating characters."));
    m_play->setFixedWidth(kPlayButtonWidth);
    m_txtLoc->installEventFilter(this);
    connect(m_play, &QPushButton::clicked, this, &MemoryPlayFrame::cmdMemPlay_Click);

    auto *row = new QHBoxLayout(holder());
    row->setContentsMargins(6, 0, 6, 2);
    row->addWidget(label);
    row->addWidget(m_txtLoc, 1);
    row->addWidget(m_play);
}

bool MemoryPlayFrame::txtLoc_KeyPress(int keyAscii) {
    if (locationKeyAccepted(keyAscii)) return false;
    if (keyAscii == kEnter) {
        cmdMemPlay_Click();
        return true;
    }
    m_main.showMessage(QStringLiteral("Only numbers 1 through 8 allowed."));
    m_txtLoc->setText(correctedLocations(m_txtLoc->text()));
    return true;
}

void MemoryPlayFrame::cmdMemPlay_Click() {
    if (m_playing) return; // Enter in the box while the button is off for this very play
    if (m_main.refuseWhenDisconnected()) return;
    m_playing = true;
    m_main.installEventFilter(this); // a close waits until the play has let go of the link
    trapped(m_main.errorLog(), "cmdMemPlay_Click", "Form frmTonaq", [&](Trap &at) {
        at(10);
        m_main.EnableControls(false);
        at(20);
        const qsizetype count = m_txtLoc->text().size();
        for (qsizetype i = 0; i < count; ++i) {
            at(30);
            const QString text = m_txtLoc->text(); // the operator may edit it meanwhile
            const QChar typed = i < text.size() ? text[i] : QChar();
            const int location = locationDigit(typed);
            if (location < 1 || location > MemoryTableFrame::kRows) continue;
            const Outcome outcome = playLocation(location, typed, at);
            if (outcome == Outcome::Closing) return;
            if (outcome == Outcome::NoReady) {
                at(90);
                m_main.SetStatus(QStringLiteral("Memory play: no Ready from the unit."));
                break;
            }
        }
        at(100);
        m_main.EnableControls(true);
    });
    endPlay();
}

MemoryPlayFrame::Outcome MemoryPlayFrame::playLocation(int location, QChar typed, Trap &at) {
    CommandChannel &channel = m_main.channel();
    at(40);
    if (!channel.Transact(QStringLiteral("@")).isEmpty()) {
        at(50);
        if (channel.Transact(QStringLiteral("M")).contains(QStringLiteral("MP"))) {
            at(60);
            channel.Transact(QString::number(location - 1) + QStringLiteral("\r\n"));
        }
    }
    at(70);
    const Outcome outcome = waitForReady(location);
    if (outcome != Outcome::Played) return outcome;
    at(80);
    channel.Transact(typed + QStringLiteral("\r\n"));
    return outcome;
}

// Reads until a reply holds "Ready", for no longer than the location can play plus a margin.
// Between reads the operator's input is served, so that the window can be closed meanwhile.
MemoryPlayFrame::Outcome MemoryPlayFrame::waitForReady(int location) {
    const MemoryTableFrame &table = m_main.memoryTable();
    const int row = location - 1;
    const auto bound = longestLocationPlay(table.Length(row)->text(), table.Space(row)->text(),
                                           table.MemString(row)->text()) +
                       m_readyMargin;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (m_main.channel().ReadReply().contains(QStringLiteral("Ready"))) return Outcome::Played;
        QCoreApplication::processEvents();
        if (m_closeRequested) return Outcome::Closing;
        if (std::chrono::milliseconds(clock.elapsed()) >= bound) return Outcome::NoReady;
    }
}

void MemoryPlayFrame::endPlay() {
    m_main.removeEventFilter(this);
    m_playing = false;
    if (m_closeRequested) {
        m_closeRequested = false;
        QTimer::singleShot(0, &m_main, [main = &m_main] { main->close(); });
    }
}

bool MemoryPlayFrame::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &m_main && event->type() == QEvent::Close && m_playing) {
        m_closeRequested = true;
        event->ignore();
        return true;
    }
    if (watched == m_txtLoc && event->type() == QEvent::KeyPress) {
        const int keyAscii = keyAsciiOf(static_cast<const QKeyEvent &>(*event));
        if (keyAscii >= 0 && txtLoc_KeyPress(keyAscii)) return true;
    }
    return Frame::eventFilter(watched, event);
}

} // namespace tonaq
