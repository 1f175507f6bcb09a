#pragma once

#include "base/prompter.h"

namespace tonaq {

// The real prompter: a QMessageBox with exactly the asked buttons, default and icon. Esc or the
// close box answer with the box's escape button (Cancel, No, or the only button).
class MessageBoxPrompter : public Prompter {
public:
    Button ask(QWidget *parent, const Message &message) override;
};

} // namespace tonaq
