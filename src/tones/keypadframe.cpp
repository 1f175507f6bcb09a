#include "tones/keypadframe.h"

#include "tones/tonecharacter.h"

#include <QGridLayout>
#include <QPushButton>

namespace tonaq {

namespace {
// Where each index stands: rows "1 2 3 A", "4 5 6 B", "7 8 9 C", "* 0 # D".
constexpr int kGridIndex[4][4] = {{0, 1, 2, 12}, {3, 4, 5, 13}, {6, 7, 8, 14}, {10, 9, 11, 15}};
} // namespace

KeypadFrame::KeypadFrame(FrmTonaq &main, QWidget *parent)
    : Frame(0, QStringLiteral("Keypad"), parent)
    , m_main(main) {
    for (int index = 0; index < 16; ++index) {
        const QString tone(toneCharacterOfKeypad(index));
        auto *key = named(new QPushButton(tone, holder()), element("KeyPad", index), tone,
                          QStringLiteral("DTMF ") + tone);
        key->setFocusPolicy(Qt::TabFocus);
        m_keys.append(key);
    }
    auto *grid = new QGridLayout(holder());
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setSpacing(6);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            QPushButton *key = m_keys[kGridIndex[row][column]];
            key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            grid->addWidget(key, row, column);
        }
    }
}

} // namespace tonaq
