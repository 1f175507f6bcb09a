#pragma once

#include <QFlags>
#include <QString>

class QWidget;

namespace tonaq {

// The buttons of the program's message boxes. The values are the window toolkit's own, so a
// box can be asked for exactly these.
enum class Button : quint32 {
    None = 0,
    Ok = 0x00000400,
    Yes = 0x00004000,
    No = 0x00010000,
    Cancel = 0x00400000,
};
Q_DECLARE_FLAGS(Buttons, Button)
Q_DECLARE_OPERATORS_FOR_FLAGS(Buttons)

enum class MessageIcon { None, Warning };

// One modal message box as the program asks it.
struct Message {
    QString text;
    QString title;
    Buttons buttons = Button::Ok;
    MessageIcon icon = MessageIcon::None;
    Button defaultButton = Button::Ok;
};

// Shows the program's message boxes and answers with the button pressed; tests put a scripted
// one in its place.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Button ask(QWidget *parent, const Message &message) = 0;
};

} // namespace tonaq
