#pragma once

#include <QString>

class QWidget;

namespace tonaq {

enum class MsgButtons { Ok, YesNo, OkCancel };
enum class MsgIcon { None, Exclamation };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// One modal message box as the program asks it.
struct Message {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    MsgAnswer defaultAnswer = MsgAnswer::Ok;
};

// Shows the program's message boxes; tests put a scripted one in its place.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MsgAnswer ask(QWidget *parent, const Message &message) = 0;
};

// The real one: a QMessageBox with exactly the asked buttons, default and icon.
class MessageBoxPrompter : public Prompter {
public:
    MsgAnswer ask(QWidget *parent, const Message &message) override;
};

} // namespace tonaq
