#include "tones/instanttoneframe.h"

#include "base/trap.h"
#include "session/unitsession.h"
#include "tones/keyclassification.h"
#include "tones/tonecommands.h"
#include "unit/unitdriver.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace tonaq {

InstantToneFrame::InstantToneFrame(UnitSession &session, const ErrorLog &log, QWidget *parent)
    : Frame(4, tr("Instant Tone"), parent)
    , m_session(session)
    , m_log(log) {
    m_toneLabel = named(new QLabel(tr("Tone to send:"), holder()), element("lblDisp", 0));
    m_keysBox = named(new QLineEdit(holder()), QStringLiteral("txtKeys"),
                      tr("Set focus here (click left mous button) and press a valid DTMF "
                         "corresponding key to send a pulsating tone or one constant tone.  "
                         "Defined by Key Lock check box."));
    m_keysBox->setMaxLength(1);
    m_keysBox->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(13.5);
    m_keysBox->setFont(arial);
    m_keysBox->setFixedWidth(34);
    m_keysBox->installEventFilter(this);
    m_toneLabel->setBuddy(m_keysBox);
    m_keyLockBox = named(new QCheckBox(tr("Key Lock"), holder()), QStringLiteral("chkKeyLock"),
                         tr("Send a constant tone, don't pulsate it"));

    auto *row = new QHBoxLayout(holder());
    row->setContentsMargins(6, 0, 6, 2);
    row->addWidget(m_toneLabel);
    row->addWidget(m_keysBox);
    row->addStretch();
    row->addWidget(m_keyLockBox);
}

void InstantToneFrame::toneKeyDown(int keyCode, int shift) {
    trapped(m_log, Procedure::InstantToneKey, [&](Trap &at) {
        at(10);
        m_keysBox->clear(); // the key's own character follows, so the box shows the last one
        at(20);
        if (m_session.refuseUnconnected()) return;
        at(30);
        const ToneKey key = classifyToneKey(keyCode, shift);
        m_lastKeyWasTone = key.kind == ToneKeyKind::Tone;
        at(40);
        if (key.kind == ToneKeyKind::Abort) abortTimedTones(m_session);
        at(50);
        if (m_lastKeyWasTone && (!m_keyLockBox->isChecked() || !m_tonePlaying)) {
            at(60);
            m_tonePlaying = true;
            m_session.unit().startTone(key.tone);
            at(70);
            m_session.report({Activity::SendingTone, key.tone.unicode()});
        }
    });
}

void InstantToneFrame::toneKeyUp() {
    if (!m_lastKeyWasTone) return;
    m_tonePlaying = false;
    sendKeypadTone(m_session, kStopTone);
}

void InstantToneFrame::keyDown(const QKeyEvent &event) {
    static const NativeKeyCodes native = nativeKeyCodesOf(QGuiApplication::platformName());
    toneKeyDown(windowsVirtualKey(event.key(), event.modifiers(), event.nativeScanCode(),
                                  event.nativeVirtualKey(), native),
                shiftMask(event.modifiers()));
}

bool InstantToneFrame::eventFilter(QObject *watched, QEvent *event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (watched == m_keysBox && (press || event->type() == QEvent::KeyRelease)) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (press) {
            if (m_heldRelease && m_heldRelease->pairedWith(key)) m_heldRelease.reset();
            keyDown(key);
        } else if (!key.isAutoRepeat()) {
            releaseUnlessRepeated(key);
        }
    }
    return Frame::eventFilter(watched, event);
}

// The windowing system repeats a held key as a release and a press with one time stamp. It
// marks the release as a repeat only when the press is already in its queue, so a pair split
// across two reads of the display connection shows as a real release. Before a release stops
// the tone, the window system is synced, which brings in a press sent with it; that press
// takes the release back.
void InstantToneFrame::releaseUnlessRepeated(const QKeyEvent &release) {
    if (m_heldRelease) return; // a release met while syncing for another: that one decides
    m_heldRelease = HeldRelease{release.key(), release.nativeScanCode(), release.timestamp()};
    QGuiApplication::sync();
    if (!m_heldRelease) return;
    m_heldRelease.reset();
    toneKeyUp();
}

bool InstantToneFrame::HeldRelease::pairedWith(const QKeyEvent &press) const {
    return press.key() == key && press.nativeScanCode() == scanCode &&
           press.timestamp() == timestamp;
}

} // namespace tonaq
