#include "ui/messageboxprompter.h"

#include <QMessageBox>

namespace tonaq {

Button MessageBoxPrompter::ask(QWidget *parent, const Message &message) {
    const QMessageBox::Icon icon =
        message.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    const auto buttons = QMessageBox::StandardButtons(message.buttons.toInt());
    QMessageBox box(icon, message.title, message.text, buttons, parent);
    box.setDefaultButton(QMessageBox::StandardButton(quint32(message.defaultButton)));
    const auto pressed = Button(quint32(box.exec()));
    if (message.buttons.testFlag(pressed)) return pressed;
    return Button(quint32(box.standardButton(box.escapeButton())));
}

} // namespace tonaq
