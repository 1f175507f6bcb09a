#pragma once

#include "base/desk.h"

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace tonaq {

class ErrorLog;
class FileDialogs;
class MemoryModel;

// The "File" menu's Open, Save and Save As...: the memory table and the sequence kept together
// in one configuration file. MultiPlay's Open and Save, the quit question and the file named on
// the command line run them too.
class FileCommands : public FileMenu {
    Q_DECLARE_TR_FUNCTIONS(FileCommands)

public:
    FileCommands(MemoryModel &memory, Desk &desk, FileDialogs &dialogs, const ErrorLog &log,
                 QString programFolder);

    void openFile() override;
    void saveFile() override;
    void saveFileAs();

    // The file named on the command line, opened once at start-up instead of asking.
    QString commandLineFile;

private:
    QString askForFileToOpen();

    MemoryModel &m_memory;
    Desk &m_desk;
    FileDialogs &m_dialogs;
    const ErrorLog &m_log;
    QString m_programFolder;
};

} // namespace tonaq
