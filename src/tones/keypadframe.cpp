#include "tones/keypadframe.h"

#include "base/tonecharacter.h"
#include "tones/tonecommands.h"

#include <QEvent>
#include <QGridLayout>
#include <QPushButton>

namespace tonaq {

namespace {
// Where each index stands: rows "1 2 3 A", "4 5 6 B", "7 8 9 C", "* 0 # D".
constexpr int kGridIndex[4][4] = {{0, 1, 2, 12}, {3, 4, 5, 13}, {6, 7, 8, 14}, {10, 9, 11, 15}};
constexpr int kKeyCount = 16;
} // namespace

KeypadFrame::KeypadFrame(UnitSession &session, QWidget *parent)
    : Frame(0, tr("Keypad"), parent)
    , m_session(session) {
    for (int index = 0; index < kKeyCount; ++index) {
        const QString tone(toneCharacterOfKeypad(index));
        auto *key = named(new QPushButton(tone, holder()), element("KeyPad", index),
                          QStringLiteral("DTMF ") + tone);
        key->setFocusPolicy(Qt::TabFocus);
        key->installEventFilter(this);
        m_keyButtons.append(key);
    }
    auto *grid = new QGridLayout(holder());
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setSpacing(6);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            QPushButton *key = m_keyButtons[kGridIndex[row][column]];
            key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            grid->addWidget(key, row, column);
        }
    }
}

void KeypadFrame::keyPressed(int index) {
    sendKeypadTone(m_session, index);
}

void KeypadFrame::keyReleased(int /*index*/) {
    sendKeypadTone(m_session, kStopTone);
}

bool KeypadFrame::eventFilter(QObject *watched, QEvent *event) {
    // A quick second press on the same button arrives as a double click in place of the press:
    // every press starts the tone, whatever its click count. Where the system sends the press
    // and a double click both, the double click repeats the press and is passed over.
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    const bool doubleClick = type == QEvent::MouseButtonDblClick;
    if (press || doubleClick || type == QEvent::MouseButtonRelease) {
        const int index = int(m_keyButtons.indexOf(qobject_cast<QPushButton *>(watched)));
        if (index >= 0 && m_keyButtons[index]->isEnabled()) {
            if (press || (doubleClick && m_pressedKey != index)) {
                m_pressedKey = index;
                keyPressed(index);
            } else if (!doubleClick) {
                m_pressedKey = -1;
                keyReleased(index);
            }
        }
    }
    return Frame::eventFilter(watched, event);
}

} // namespace tonaq
