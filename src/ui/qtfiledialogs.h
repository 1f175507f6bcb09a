#pragma once

#include "base/filedialogs.h"

namespace tonaq {

// The real one: a modal QFileDialog.
class QtFileDialogs : public FileDialogs {
public:
    FileDialogAnswer run(QWidget *parent, const FileDialogRequest &request) override;
};

// The folder the dialogs start in when no file is open: the program's folder, or the user's
// documents folder where the program's folder is not writable (an installed program).
QString defaultDialogFolder();
// The same choice for a given program folder.
QString dialogFolderFor(const QString &programFolder);

} // namespace tonaq
