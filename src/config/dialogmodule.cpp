#include "config/dialogmodule.h"

#include "base/basetitle.h"
#include "base/filedialogs.h"
#include "base/trap.h"
#include "config/dialogrules.h"

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

namespace tonaq {

namespace {

using Kind = FileDialogRequest::Kind;

FileDialogRequest requestFor(Kind kind, const DialogSettings &s, DialogFlags flags,
                             const QString &convertedFilter) {
    FileDialogRequest request;
    request.kind = kind;
    request.title = s.dialogTitle;
    request.nameFilters = qtNameFilters(convertedFilter);
    request.filterIndex = s.filterIndex;
    request.initialFolder = s.initDir;
    request.initialName = s.fileName;
    request.defaultSuffix = s.defaultExt;
    request.flags = flags.toInt();
    request.fileMustExist = flags.testFlag(DialogFlag::FileMustExist);
    request.multiSelect = flags.testFlag(DialogFlag::AllowMultiSelect);
    request.overwritePrompt = flags.testFlag(DialogFlag::OverwritePrompt);
    request.readOnlyChecked = flags.testFlag(DialogFlag::ReadOnly);
    request.hideReadOnly = flags.testFlag(DialogFlag::HideReadOnly);
    return request;
}

// The initial texts are padded to the buffer length; a longer one cannot be.
void checkInitialTexts(const DialogSettings &s, DialogFlags flags) {
    if (!fitsDialogBuffer(s.fileName, flags) || !fitsDialogBuffer(s.fileTitle, flags))
        throw std::invalid_argument("Invalid procedure call or argument");
}

// Several chosen files come back as the folder, then each name, NUL between them.
QString chosenFiles(const QStringList &files) {
    if (files.size() == 1) return trimAtNull(files.first());
    QStringList parts{QDir::toNativeSeparators(QFileInfo(files.first()).absolutePath())};
    for (const QString &file : files)
        parts.append(QFileInfo(file).fileName());
    return parts.join(QChar(u'\0'));
}

void answerCancel(DialogSettings &s) {
    s.fileName.clear();
    s.fileTitle.clear();
    s.flags = {};
    s.filter.clear();
    s.filterIndex = 0;
}

bool showDialog(const DialogHost &host, Kind kind, DialogSettings &s) {
    const bool open = kind == Kind::Open;
    bool chosen = false;
    trapped(host.log, open ? Procedure::OpenDialog : Procedure::SaveDialog, [&](Trap &at) {
        at(10);
        const DialogFlags flags = open ? openDialogFlags(s.fileMustExist, s.multiSelect, s.readOnly,
                                                         s.hideReadOnly, s.flags)
                                       : saveDialogFlags(s.overwritePrompt, s.flags);
        const QString converted = convertFilterList(s.filter);
        at(20);
        checkInitialTexts(s, flags);
        at(30);
        const FileDialogAnswer answer =
            host.dialogs.run(s.ownerWindow, requestFor(kind, s, flags, converted));
        at(40);
        const QString files = answer.files.isEmpty() ? QString() : chosenFiles(answer.files);
        // A path longer than the buffer cannot come back: the dialog reports it as a cancel.
        if (!answer.accepted || files.isEmpty() || !fitsDialogBuffer(files, flags)) {
            answerCancel(s);
            return;
        }
        chosen = true;
        at(50);
        s.fileName = files;
        s.fileTitle = flags.testFlag(DialogFlag::AllowMultiSelect) ? QString() : fileNameOf(files);
        at(60);
        s.flags = flags;
        if (open) s.flags.setFlag(DialogFlag::ReadOnly, answer.readOnly);
        s.filterIndex = answer.filterIndex;
        s.filter = filterLookup(converted, s.filterIndex);
        at(70);
        if (s.flags.testFlag(DialogFlag::ReadOnly)) s.readOnly = true;
    });
    return chosen;
}

} // namespace

bool openDialog(const DialogHost &host, DialogSettings &settings) {
    return showDialog(host, Kind::Open, settings);
}

bool saveDialog(const DialogHost &host, DialogSettings &settings) {
    return showDialog(host, Kind::Save, settings);
}

} // namespace tonaq
