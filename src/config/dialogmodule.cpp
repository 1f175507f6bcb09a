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

FileDialogRequest requestFor(Kind kind, const DialogSettings &s, quint32 flags,
                             const QString &convertedFilter) {
    FileDialogRequest request;
    request.kind = kind;
    request.title = s.DialogTitle;
    request.nameFilters = qtNameFilters(convertedFilter);
    request.filterIndex = s.FilterIndex;
    request.initialFolder = s.InitDir;
    request.initialName = s.FileName;
    request.defaultSuffix = s.DefaultExt;
    request.flags = flags;
    request.fileMustExist = flags & OFN_FILEMUSTEXIST;
    request.multiSelect = flags & OFN_ALLOWMULTISELECT;
    request.overwritePrompt = flags & OFN_OVERWRITEPROMPT;
    request.readOnlyChecked = flags & OFN_READONLY;
    request.hideReadOnly = flags & OFN_HIDEREADONLY;
    return request;
}

// The initial texts are padded to the buffer length; a longer one cannot be.
void checkInitialTexts(const DialogSettings &s, quint32 flags) {
    if (!fitsDialogBuffer(s.FileName, flags) || !fitsDialogBuffer(s.FileTitle, flags))
        throw std::invalid_argument("Invalid procedure call or argument");
}

// Several chosen files come back as the folder, then each name, NUL between them.
QString chosenFiles(const QStringList &files) {
    if (files.size() == 1) return TrimAtNull(files.first());
    QStringList parts{QDir::toNativeSeparators(QFileInfo(files.first()).absolutePath())};
    for (const QString &file : files)
        parts.append(QFileInfo(file).fileName());
    return parts.join(QChar(u'\0'));
}

void answerCancel(DialogSettings &s) {
    s.FileName.clear();
    s.FileTitle.clear();
    s.Flags = 0;
    s.Filter.clear();
    s.FilterIndex = 0;
}

bool showDialog(const DialogHost &host, Kind kind, DialogSettings &s) {
    const bool open = kind == Kind::Open;
    bool chosen = false;
    trapped(host.log, open ? "OpenDialog" : "SaveDialog", kDialogModule, [&](Trap &at) {
        at(10);
        const quint32 flags = open ? openDialogFlags(s.FileMustExist, s.MultiSelect, s.ReadOnly,
                                                     s.HideReadOnly, s.Flags)
                                   : saveDialogFlags(s.OverwritePrompt, s.Flags);
        const QString converted = convertFilterList(s.Filter);
        at(20);
        checkInitialTexts(s, flags);
        at(30);
        const FileDialogAnswer answer =
            host.dialogs.run(s.OwnerWindow, requestFor(kind, s, flags, converted));
        at(40);
        const QString files = answer.files.isEmpty() ? QString() : chosenFiles(answer.files);
        // A path longer than the buffer cannot come back: the dialog reports it as a cancel.
        if (!answer.accepted || files.isEmpty() || !fitsDialogBuffer(files, flags)) {
            answerCancel(s);
            return;
        }
        chosen = true;
        at(50);
        s.FileName = files;
        s.FileTitle = (flags & OFN_ALLOWMULTISELECT) ? QString() : fileNameOf(files);
        at(60);
        s.Flags = flags;
        if (open) s.Flags = answer.readOnly ? flags | OFN_READONLY : flags & ~OFN_READONLY;
        s.FilterIndex = answer.filterIndex;
        s.Filter = FilterLookup(converted, s.FilterIndex);
        at(70);
        if (s.Flags & OFN_READONLY) s.ReadOnly = true;
    });
    return chosen;
}

} // namespace

bool OpenDialog(const DialogHost &host, DialogSettings &settings) {
    return showDialog(host, Kind::Open, settings);
}

bool SaveDialog(const DialogHost &host, DialogSettings &settings) {
    return showDialog(host, Kind::Save, settings);
}

} // namespace tonaq
