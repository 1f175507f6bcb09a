#include "config/filecommands.h"

#include "app/basetitle.h"
#include "app/frmtonaq.h"
#include "app/trap.h"
#include "config/configdisk.h"
#include "config/configfile.h"
#include "config/dialogmodule.h"
#include "config/dialogrules.h"
#include "memory/memorytableframe.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

namespace tonaq {

namespace {

constexpr const char *kForm = "Form frmTonaq";
const QString kFilter = QStringLiteral("Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*");
constexpr int kTableRows = MemoryTableFrame::kRows;
constexpr int kGridRows = ToneGrid::kRows - 1; // row 0 holds the headings

// The folder of a path up to and including its last separator.
QString folderOf(const QString &path) {
    return path.left(std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/')) + 1);
}

DialogSettings openSettings(const FrmTonaq &main) {
    DialogSettings s;
    s.FileMustExist = true;
    s.Filter = kFilter;
    s.InitDir =
        main.CurrentFile.isEmpty() ? main.seams().programFolder : folderOf(main.CurrentFile);
    s.DialogTitle = QStringLiteral("Open Tonaq File");
    s.DefaultExt = QStringLiteral("tnq");
    return s;
}

DialogSettings saveAsSettings(const FrmTonaq &main) {
    DialogSettings s;
    s.FileName =
        main.CurrentFile.isEmpty() ? QStringLiteral("Tonaq Config File") : main.CurrentFile;
    s.OverwritePrompt = true;
    s.Filter = kFilter;
    s.InitDir = main.seams().programFolder;
    s.DialogTitle = QStringLiteral("Save Tonaq File");
    s.DefaultExt = QStringLiteral("tnq");
    s.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    return s;
}

ConfigurationTexts windowTexts(FrmTonaq &main) {
    ConfigurationTexts texts;
    const MemoryTableFrame &table = main.memoryTable();
    for (int i = 0; i < kTableRows; ++i)
        texts.locations[i] = {table.MemString(i)->text(), table.Length(i)->text(),
                              table.Space(i)->text()};
    const ToneGrid &grid = *main.multiPlay().toneGrid();
    for (int row = 1; row <= kGridRows; ++row)
        texts.rows[row - 1] = {grid.TextMatrix(row, 1), grid.TextMatrix(row, 2),
                               grid.TextMatrix(row, 3)};
    return texts;
}

// Each text is set as soon as its field is read, so a short file fills as far as it goes.
// A field longer than its box is cut to the box's length.
void loadTable(MemoryTableFrame &table, ConfigFieldReader &fields) {
    for (int i = 0; i < kTableRows; ++i) {
        table.MemString(i)->setText(fields.next(MemoryTableFrame::kStringLimit));
        table.Length(i)->setText(fields.next(MemoryTableFrame::kTimeLimit));
        table.Space(i)->setText(fields.next(MemoryTableFrame::kTimeLimit));
    }
}

// Grid cells take their fields whole, up to a length no cell of a real sequence comes near.
void loadGrid(ToneGrid &grid, ConfigFieldReader &fields) {
    constexpr qsizetype kLongestCell = 65535;
    for (int row = 1; row <= kGridRows; ++row) {
        for (int column = 1; column <= 3; ++column)
            grid.setTextMatrix(row, column, fields.next(kLongestCell));
    }
}

} // namespace

void wireFileMenu(FrmTonaq &main) {
    const auto wire = [&main](const char *name, void (FrmTonaq::*handler)()) {
        for (QAction *action : main.mnuFile()->actions()) {
            if (action->objectName() == QLatin1String(name))
                QObject::connect(action, &QAction::triggered, &main, handler);
        }
    };
    wire("mnuOpen", &FrmTonaq::mnuOpen_Click);
    wire("mnuSave", &FrmTonaq::mnuSave_Click);
    wire("mnuSaveAs", &FrmTonaq::mnuSaveAs_Click);
}

void FrmTonaq::mnuOpen_Click() {
    trapped(errorLog(), "mnuOpen_Click", kForm, [&](Trap &at) {
        at(10);
        QString path;
        if (!CommandLineFile.isEmpty()) {
            path = CommandLineFile;
            CommandLineFile.clear();
        } else {
            at(20);
            DialogSettings settings = openSettings(*this);
            OpenDialog({*seams().fileDialogs, errorLog()}, settings);
            path = settings.FileName;
        }
        at(30);
        // A file that cannot be read counts as missing: it must not cost the table its texts.
        const std::unique_ptr<QFile> file = openConfigurationFile(path);
        at(40);
        if (!file) {
            SetStatus(QStringLiteral("Ready"));
            return;
        }
        at(50);
        memoryTable().cmdClear_Click();
        at(60);
        CurrentFile = path;
        at(70);
        ConfigFieldReader fields(*file);
        at(80);
        loadTable(memoryTable(), fields);
        at(90);
        loadGrid(*multiPlay().toneGrid(), fields);
        at(100);
        setWindowTitle(captionFor(CurrentFile, false));
        at(110);
        SetStatus(QStringLiteral("Ready"));
    });
}

void FrmTonaq::mnuSave_Click() {
    trapped(errorLog(), "mnuSave_Click", kForm, [&](Trap &at) {
        at(10);
        if (!FileExists(CurrentFile)) {
            at(20);
            mnuSaveAs_Click();
            return;
        }
        at(30);
        const QByteArray bytes = writeConfiguration(windowTexts(*this));
        at(40);
        replaceConfigurationFile(CurrentFile, bytes);
        at(50);
        setWindowTitle(captionFor(CurrentFile, false));
        at(60);
        SetStatus(QStringLiteral("File Saved. Ready."));
    });
}

void FrmTonaq::mnuSaveAs_Click() {
    trapped(errorLog(), "mnuSaveAs_Click", kForm, [&](Trap &at) {
        at(10);
        DialogSettings settings = saveAsSettings(*this);
        SaveDialog({*seams().fileDialogs, errorLog()}, settings);
        at(20);
        if (settings.FileName.isEmpty()) return;
        at(30);
        createConfigurationFile(settings.FileName);
        at(40);
        CurrentFile = settings.FileName;
        at(50);
        mnuSave_Click();
    });
}

} // namespace tonaq
