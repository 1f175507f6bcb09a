#include "tones/singleplayframe.h"

#include "base/desk.h"
#include "base/keyascii.h"
#include "base/trap.h"
#include "session/unitsession.h"
#include "tones/entryrules.h"
#include "tones/tonecommands.h"
#include "ui/keyevents.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tonaq {

namespace {

// The focus moves on to another control (not to another window, a menu or a message box).
bool leavesForAnotherControl(const QFocusEvent &event) {
    switch (event.reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

} // namespace

SinglePlayFrame::SinglePlayFrame(UnitSession &session, Desk &desk, const ErrorLog &log,
                                 QWidget *parent)
    : Frame(3, tr("Single Play"), parent)
    , m_session(session)
    , m_desk(desk)
    , m_log(log) {
    auto *toneLabel = named(new QLabel(tr("Tone:"), holder()), element("lblDisp", 2));
    m_toneBox = named(new QLineEdit(holder()), QStringLiteral("Tone"));
    m_toneBox->setMaxLength(1);
    m_toneBox->setFixedWidth(22);
    toneLabel->setBuddy(m_toneBox);
    auto *durationLabel = named(new QLabel(tr("Duration:"), holder()), element("lblDisp", 3));
    m_durationBox = named(new QLineEdit(holder()), QStringLiteral("Duration"));
    m_durationBox->setMaxLength(5);
    m_durationBox->setFixedWidth(44);
    durationLabel->setBuddy(m_durationBox);
    m_playButton = named(new QPushButton(tr("Play"), holder()), QStringLiteral("cmdSinglePlay"),
                         tr("Play single tone for specified duration"));
    m_playButton->setFixedWidth(kPlayButtonWidth);
    m_toneBox->installEventFilter(this);
    m_durationBox->installEventFilter(this);
    connect(m_playButton, &QPushButton::clicked, this, &SinglePlayFrame::play);

    auto *row = new QHBoxLayout(holder());
    row->setContentsMargins(6, 0, 6, 2);
    row->addWidget(toneLabel);
    row->addWidget(m_toneBox);
    row->addSpacing(2);
    row->addWidget(durationLabel);
    row->addWidget(m_durationBox);
    row->addStretch();
    row->addWidget(m_playButton);
}

bool SinglePlayFrame::toneKeyPress(int keyAscii) {
    if (toneKeyAccepted(keyAscii)) return false;
    m_desk.showMessage(tr("Invalid tone: Please re-enter tone value"));
    m_toneBox->setText(correctedToneText(m_toneBox->text()));
    return true;
}

bool SinglePlayFrame::durationKeyPress(int keyAscii) {
    if (keyAscii != kEnterKey) return false;
    play(); // at once, without the range check of leaving the box
    return true;
}

void SinglePlayFrame::validateDuration() {
    if (const auto check = checkDuration(m_durationBox->text())) {
        m_desk.showMessage(check->message);
        m_durationBox->setText(check->corrected);
    }
}

// A message box opened while a mouse button is held would swallow its release: the button
// pressed would stay down and never click. A press that took the focus away is therefore
// let finish first, and the check runs just before its release arrives.
void SinglePlayFrame::validateWhenTheMouseIsFree() {
    if (QGuiApplication::mouseButtons() == Qt::NoButton) {
        validateDuration();
    } else if (!m_validateOnRelease) {
        m_validateOnRelease = true;
        qApp->installEventFilter(this);
    }
}

// Runs as the release reaches the control that was pressed; the release then goes on to it,
// so that a click on Play plays the corrected duration. A message box takes the focus, which
// lifts a pressed button: it is put down again for its release to click.
void SinglePlayFrame::validateBeforeRelease(QAbstractButton *pressed) {
    m_validateOnRelease = false;
    qApp->removeEventFilter(this);
    const QPointer<QAbstractButton> button = pressed;
    const bool wasDown = button && button->isDown();
    validateDuration();
    if (wasDown && button && !button->isDown()) button->setDown(true);
}

void SinglePlayFrame::play() {
    if (m_session.refuseUnconnected()) return;
    trapped(m_log, Procedure::SinglePlay, [&](Trap &at) {
        playSingleTone(m_session.unit(), m_toneBox->text(), m_durationBox->text(), at);
    });
}

bool SinglePlayFrame::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const int keyAscii = keyAsciiOf(static_cast<const QKeyEvent &>(*event));
        if (keyAscii >= 0 && watched == m_toneBox && toneKeyPress(keyAscii)) return true;
        if (keyAscii >= 0 && watched == m_durationBox && durationKeyPress(keyAscii)) return true;
    }
    if (event->type() == QEvent::FocusOut && watched == m_durationBox &&
        leavesForAnotherControl(static_cast<const QFocusEvent &>(*event)))
        validateWhenTheMouseIsFree();
    if (event->type() == QEvent::MouseButtonRelease && m_validateOnRelease &&
        watched->isWidgetType())
        validateBeforeRelease(qobject_cast<QAbstractButton *>(watched));
    return Frame::eventFilter(watched, event);
}

} // namespace tonaq
