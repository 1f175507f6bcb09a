#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

namespace tonaq {

// Dialog option flags, with the values of the Windows common dialogs they stand for.
enum class DialogFlag : quint32 {
    ReadOnly = 0x1,
    OverwritePrompt = 0x2,
    HideReadOnly = 0x4,
    EnableHook = 0x20,
    EnableTemplate = 0x40,
    AllowMultiSelect = 0x200,
    FileMustExist = 0x1000,
    Explorer = 0x80000,
};
Q_DECLARE_FLAGS(DialogFlags, DialogFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(DialogFlags)

// A "|"-separated filter list ("Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*") in the
// dialog's form: every "|" and ":" becomes NUL, and two NULs end the list.
QString convertFilterList(const QString &filter);

// The index-th (1-based) pair of a converted list: description, NUL, pattern. Empty when the
// list is empty, holds no NUL, or has fewer pairs; the last pair runs to the end of the text
// when no NUL closes it.
QString filterLookup(const QString &converted, int index);

// The text before the first NUL, or all of it.
QString trimAtNull(const QString &buffer);

// A converted list as Qt file-dialog name filters. Each pair becomes its description followed
// by its patterns in parentheses, space-separated where the list used ";", since Qt filters
// only on the parenthesised part; a description that already ends with its pattern so keeps
// it. The list ends at its first empty item, as it does for the Windows dialog.
QStringList qtNameFilters(const QString &converted);

// Open: the option flags plus the caller's flags, without hook and template, which this
// program never supplies.
DialogFlags openDialogFlags(bool fileMustExist, bool multiSelect, bool readOnly, bool hideReadOnly,
                            DialogFlags flags);

// Save: the overwrite prompt when asked, the read-only box always hidden, plus the caller's
// flags without hook and template.
DialogFlags saveDialogFlags(bool overwritePrompt, DialogFlags flags);

// Length of the file name and title buffers: 8192 with multiple selection, else 260.
int dialogBufferLength(DialogFlags flags);

// An initial file name or title must fit its buffer, or the dialog is not shown.
bool fitsDialogBuffer(const QString &text, DialogFlags flags);

} // namespace tonaq
