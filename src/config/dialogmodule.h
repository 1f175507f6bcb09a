#pragma once

#include <QString>

class QWidget;

namespace tonaq {

class ErrorLog;
class FileDialogs;

// The inputs and, after a chosen file, the outputs of one open or save dialog.
struct DialogSettings {
    QString FileName;             // in: the name shown first; out: the chosen path (or, for several
                                  // chosen files, the folder and each name, NUL between them)
    QString FileTitle;            // in: the title buffer's start; out: the name without its folder
    bool FileMustExist = false;   // open only
    bool MultiSelect = false;     // open only
    bool ReadOnly = false;        // open only; out: True when the read-only box stayed ticked
    bool HideReadOnly = false;    // open only
    bool OverwritePrompt = false; // save only
    QString Filter;               // in: "|"-separated; out: the chosen pair, NUL-joined
    int FilterIndex = 1;          // 1-based; out: the filter in force at the end
    QString InitDir;
    QString DialogTitle;
    QString DefaultExt;             // without the point
    QWidget *OwnerWindow = nullptr; // none
    quint32 Flags = 0;              // in: further flags; out: the flags the dialog left
};

// Where the dialogs come from and where their failures are logged.
struct DialogHost {
    FileDialogs &dialogs;
    const ErrorLog &log;
};

// Show the open or save dialog. True when a file was chosen. On cancel the texts, Flags and
// Filter come back empty and FilterIndex names no filter. A failure (such as an initial name
// longer than its buffer, which shows no dialog) is logged and answers False.
bool OpenDialog(const DialogHost &host, DialogSettings &settings);
bool SaveDialog(const DialogHost &host, DialogSettings &settings);

} // namespace tonaq
