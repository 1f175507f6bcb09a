#include "config/filecommands.h"

#include "base/trap.h"
#include "config/configdisk.h"
#include "config/configfile.h"
#include "config/dialogmodule.h"
#include "config/dialogrules.h"
#include "model/memorymodel.h"

namespace tonaq {

namespace {

QString filter() {
    return FileCommands::tr("Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*");
}
const QString kExtension = QStringLiteral("tnq");

// The folder of a path up to and including its last separator.
QString folderOf(const QString &path) {
    return path.left(std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/')) + 1);
}

} // namespace

FileCommands::FileCommands(MemoryModel &memory, Desk &desk, FileDialogs &dialogs,
                           const ErrorLog &log, QString programFolder)
    : m_memory(memory)
    , m_desk(desk)
    , m_dialogs(dialogs)
    , m_log(log)
    , m_programFolder(std::move(programFolder)) {}

QString FileCommands::askForFileToOpen() {
    DialogSettings s;
    s.fileMustExist = true;
    s.filter = filter();
    const QString current = m_memory.currentFile();
    s.initDir = current.isEmpty() ? m_programFolder : folderOf(current);
    s.dialogTitle = tr("Open Tonaq File");
    s.defaultExt = kExtension;
    openDialog({m_dialogs, m_log}, s);
    return s.fileName;
}

void FileCommands::openFile() {
    trapped(m_log, Procedure::OpenFile, [&](Trap &at) {
        at(10);
        QString path;
        if (!commandLineFile.isEmpty()) {
            path = commandLineFile;
            commandLineFile.clear();
        } else {
            at(20);
            path = askForFileToOpen();
        }
        at(30);
        // A file that cannot be read counts as missing: it must not cost the table its texts.
        const std::unique_ptr<QFile> file = openConfigurationFile(path);
        at(40);
        if (!file) {
            m_desk.report({Activity::Ready});
            return;
        }
        at(50);
        m_memory.clear();
        m_desk.report({Activity::Ready});
        at(60);
        m_memory.setCurrentFile(path);
        at(70);
        ConfigFieldReader fields(*file);
        at(80);
        loadLocations(fields, m_memory);
        at(90);
        loadSequence(fields, m_memory);
        at(100);
        m_memory.markSaved();
        at(110);
        m_desk.report({Activity::Ready});
    });
}

void FileCommands::saveFile() {
    trapped(m_log, Procedure::SaveFile, [&](Trap &at) {
        at(10);
        if (!fileExists(m_memory.currentFile())) {
            at(20);
            saveFileAs();
            return;
        }
        at(30);
        const QByteArray bytes = writeConfiguration(m_memory);
        at(40);
        replaceConfigurationFile(m_memory.currentFile(), bytes);
        at(50);
        m_memory.markSaved();
        at(60);
        m_desk.report({Activity::FileSaved});
    });
}

void FileCommands::saveFileAs() {
    trapped(m_log, Procedure::SaveFileAs, [&](Trap &at) {
        at(10);
        DialogSettings s;
        const QString current = m_memory.currentFile();
        s.fileName = current.isEmpty() ? tr("Tonaq Config File") : current;
        s.overwritePrompt = true;
        s.filter = filter();
        s.initDir = m_programFolder;
        s.dialogTitle = tr("Save Tonaq File");
        s.defaultExt = kExtension;
        s.flags = DialogFlag::Explorer | DialogFlag::OverwritePrompt | DialogFlag::HideReadOnly;
        saveDialog({m_dialogs, m_log}, s);
        at(20);
        if (s.fileName.isEmpty()) return;
        at(30);
        createConfigurationFile(s.fileName);
        at(40);
        m_memory.setCurrentFile(s.fileName);
        at(50);
        saveFile();
    });
}

} // namespace tonaq
