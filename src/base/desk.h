#pragma once

#include "base/basetitle.h"
#include "base/progress.h"
#include "base/prompter.h"

namespace tonaq {

// What a command asks of the place it runs in: the main window, or the command line's stand-in
// for it. Commands report where they stand and ask the operator through it.
class Desk {
public:
    virtual ~Desk() = default;
    virtual void report(const Progress &progress) = 0;
    virtual Button ask(const Message &message) = 0;

    // A notice of the main window: OK only, no icon, the application title.
    void showMessage(const QString &text) { ask(Message{text, appTitle()}); }
};

// The file commands of the main window, which the MultiPlay window's Open and Save run.
class FileMenu {
public:
    virtual ~FileMenu() = default;
    virtual void openFile() = 0;
    virtual void saveFile() = 0;
};

} // namespace tonaq
