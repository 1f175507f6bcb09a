#include "base/prompter.h"

namespace tonaq {

QMessageBox::StandardButton MessageBoxPrompter::ask(QWidget *parent, const Message &message) {
    QMessageBox box(message.icon, message.title, message.text, message.buttons, parent);
    box.setDefaultButton(message.defaultButton);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    if (message.buttons.testFlag(pressed)) return pressed;
    return box.standardButton(box.escapeButton());
}

} // namespace tonaq
