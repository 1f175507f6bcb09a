#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace tonaq {

// One modal message box as the program asks it.
struct Message {
    QString text;
    QString title;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
};

// Shows the program's message boxes and answers with the button pressed; tests put a scripted
// one in its place.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual QMessageBox::StandardButton ask(QWidget *parent, const Message &message) = 0;
};

// The real one: a QMessageBox with exactly the asked buttons, default and icon. Esc or the
// close box answer with the box's escape button (Cancel, No, or the only button).
class MessageBoxPrompter : public Prompter {
public:
    QMessageBox::StandardButton ask(QWidget *parent, const Message &message) override;
};

} // namespace tonaq
