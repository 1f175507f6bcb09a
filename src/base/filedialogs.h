#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tonaq {

// One open or save dialog as the program asks for it.
struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    QStringList nameFilters; // Qt form, "Tonaq Files (*.tnq)"
    int filterIndex = 1;     // 1-based, the filter shown first
    QString initialFolder;
    QString initialName;
    QString defaultSuffix; // without the point
    bool fileMustExist = false;
    bool multiSelect = false;
    bool overwritePrompt = false;
    bool readOnlyChecked = false;
    bool hideReadOnly = false;
    quint32 flags = 0; // the dialog flags the options above were taken from
};

// What the operator chose; accepted is false on cancel.
struct FileDialogAnswer {
    bool accepted = false;
    QStringList files;
    int filterIndex = 0; // 1-based
    bool readOnly = false;
};

// Shows the program's file dialogs; tests put a scripted one in its place.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogAnswer run(QWidget *parent, const FileDialogRequest &request) = 0;
};

} // namespace tonaq
