#pragma once

#include "base/basetitle.h"
#include "base/prompter.h"

namespace tonaq {

// What a command asks of the place it runs in: the main window, or the command line's stand-in
// for it. Commands report progress, switch the controls that talk to the unit, and ask the
// operator through it.
class Desk {
public:
    virtual ~Desk() = default;
    virtual void SetStatus(const QString &text) = 0;
    virtual void EnableControls(bool enabled) = 0;
    virtual QMessageBox::StandardButton ask(const Message &message) = 0;

    // A notice of the main window: OK only, no icon, the application title.
    void showMessage(const QString &text) { ask(Message{text, AppTitle()}); }
};

// The file commands of the main window, which the MultiPlay window's Open and Save run.
class FileMenu {
public:
    virtual ~FileMenu() = default;
    virtual void mnuOpen_Click() = 0;
    virtual void mnuSave_Click() = 0;
};

} // namespace tonaq
