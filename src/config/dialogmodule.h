#pragma once

#include "config/dialogrules.h"

#include <QString>

class QWidget;

namespace tonaq {

class ErrorLog;
class FileDialogs;

// The inputs and, after a chosen file, the outputs of one open or save dialog.
struct DialogSettings {
    QString fileName;             // in: the name shown first; out: the chosen path (or, for several
                                  // chosen files, the folder and each name, NUL between them)
    QString fileTitle;            // in: the title buffer's start; out: the name without its folder
    bool fileMustExist = false;   // open only
    bool multiSelect = false;     // open only
    bool readOnly = false;        // open only; out: True when the read-only box stayed ticked
    bool hideReadOnly = false;    // open only
    bool overwritePrompt = false; // save only
    QString filter;               // in: "|"-separated; out: the chosen pair, NUL-joined
    int filterIndex = 1;          // 1-based; out: the filter in force at the end
    QString initDir;
    QString dialogTitle;
    QString defaultExt;             // without the point
    QWidget *ownerWindow = nullptr; // none
    DialogFlags flags;              // in: further flags; out: the flags the dialog left
};

// Where the dialogs come from and where their failures are logged.
struct DialogHost {
    FileDialogs &dialogs;
    const ErrorLog &log;
};

// Show the open or save dialog. True when a file was chosen. On cancel the texts, Flags and
// Filter come back empty and FilterIndex names no filter. A failure (such as an initial name
// longer than its buffer, which shows no dialog) is logged and answers False.
bool openDialog(const DialogHost &host, DialogSettings &settings);
bool saveDialog(const DialogHost &host, DialogSettings &settings);

} // namespace tonaq
