#include "config/filecommands.h"

#include "base/trap.h"
#include "config/configdisk.h"
#include "config/configfile.h"
#include "config/dialogmodule.h"
#include "config/dialogrules.h"
#include "model/memorymodel.h"

namespace tonaq {

namespace {

const QString kFilter = QStringLiteral("Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*");
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
    s.FileMustExist = true;
    s.Filter = kFilter;
    const QString current = m_memory.currentFile();
    s.InitDir = current.isEmpty() ? m_programFolder : folderOf(current);
    s.DialogTitle = QStringLiteral("Open Tonaq File");
    s.DefaultExt = kExtension;
    OpenDialog({m_dialogs, m_log}, s);
    return s.FileName;
}

void FileCommands::mnuOpen_Click() {
    trapped(m_log, "mnuOpen_Click", kMainForm, [&](Trap &at) {
        at(10);
        QString path;
        if (!CommandLineFile.isEmpty()) {
            path = CommandLineFile;
            CommandLineFile.clear();
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

void FileCommands::mnuSave_Click() {
    trapped(m_log, "mnuSave_Click", kMainForm, [&](Trap &at) {
        at(10);
        if (!FileExists(m_memory.currentFile())) {
            at(20);
            mnuSaveAs_Click();
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

void FileCommands::mnuSaveAs_Click() {
    trapped(m_log, "mnuSaveAs_Click", kMainForm, [&](Trap &at) {
        at(10);
        DialogSettings s;
        const QString current = m_memory.currentFile();
        s.FileName = current.isEmpty() ? QStringLiteral("Tonaq Config File") : current;
        s.OverwritePrompt = true;
        s.Filter = kFilter;
        s.InitDir = m_programFolder;
        s.DialogTitle = QStringLiteral("Save Tonaq File");
        s.DefaultExt = kExtension;
        s.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
        SaveDialog({m_dialogs, m_log}, s);
        at(20);
        if (s.FileName.isEmpty()) return;
        at(30);
        createConfigurationFile(s.FileName);
        at(40);
        m_memory.setCurrentFile(s.FileName);
        at(50);
        mnuSave_Click();
    });
}

} // namespace tonaq
