#include "ui/qtfiledialogs.h"

#include "base/writablefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace tonaq {

FileDialogAnswer QtFileDialogs::run(QWidget *parent, const FileDialogRequest &request) {
    const bool open = request.kind == FileDialogRequest::Kind::Open;
    QFileDialog dialog(parent, request.title, request.initialFolder);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (open)
        dialog.setFileMode(request.multiSelect     ? QFileDialog::ExistingFiles
                           : request.fileMustExist ? QFileDialog::ExistingFile
                                                   : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setNameFilters(request.nameFilters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.nameFilters.size())
        dialog.selectNameFilter(request.nameFilters.at(request.filterIndex - 1));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);

    FileDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) return answer;
    answer.accepted = true;
    answer.files = dialog.selectedFiles();
    answer.filterIndex =
        static_cast<int>(request.nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
    answer.readOnly = request.readOnlyChecked;
    return answer;
}

QString defaultDialogFolder() {
    return dialogFolderFor(QCoreApplication::applicationDirPath());
}

QString dialogFolderFor(const QString &programFolder) {
    if (folderTakesFiles(programFolder)) return QDir::toNativeSeparators(programFolder);
    // A fresh account may have no Documents folder yet; its home always exists.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace tonaq
