// Pictures of the main window and the MultiPlay window for the README: the real windows on a
// simulated unit, connected, downloaded, with a short sequence in the grid, in the desktop's
// theme and language. Arguments: the folder, and what the names end in ("-dark").
#include "app/connectmenu.h"
#include "app/mainwindow.h"
#include "app/xpstyle.h"
#include "base/basetitle.h"
#include "base/translations.h"
#include "link/portmap.h"
#include "memory/memorytransfer.h"
#include "multiplay/sequencewindow.h"
#include "multiplay/tonegrid.h"
#include "sim/attach.h"
#include "sim/simulatedunit.h"
#include "ui/messageboxprompter.h"
#include "ui/qtfiledialogs.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

using namespace tonaq;

namespace {

void settle() {
    // A few rounds so that layouts, style polish and repaints have all run.
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
}

bool save(QWidget &window, const QString &path) {
    window.raise();
    window.activateWindow();
    settle();
    // No text caret, whose blink would make every run's picture differ.
    if (QWidget *focused = QApplication::focusWidget()) focused->clearFocus();
    settle();
    const bool saved = window.grab().save(path);
    QTextStream(saved ? stdout : stderr) << (saved ? "saved " : "could not save ") << path << "\n";
    return saved;
}

void fillSequence(MemoryModel &memory) {
    const char *rows[][3] = {{"1", "100", "50"},
                             {"2", "100", "50"},
                             {"3", "250", "100"},
                             {"#", "400", "0"},
                             {"A", "80", "40"}};
    int row = 1;
    for (const auto &cells : rows) {
        for (int column = 1; column <= 3; ++column)
            memory.setCell(row, column, QString::fromLatin1(cells[column - 1]));
        ++row;
    }
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(appTitle());
    installTranslations();
    const QString outFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(outFolder);
    initVisualStyles();

    // A map of its own, so that only the simulated unit is found, as COM1.
    QTemporaryDir links, devices, logs;
    PortMap ports({links.path(), devices.path(), devices.path()});
    sim::SimulatedUnit unit;
    sim::attachSimulatedUnit(ports, unit, QStringLiteral("demo"));
    MessageBoxPrompter prompter;
    QtFileDialogs fileDialogs;
    Seams seams;
    seams.prompter = &prompter;
    seams.fileDialogs = &fileDialogs;
    seams.portMap = &ports;
    seams.logFolder = logs.path();
    seams.programFolder = logs.path();

    MainWindow window(seams);
    window.load(QString());
    window.connectMenu().connectEntry(0);
    window.transfer().download();
    bool ok = save(window, outFolder + QStringLiteral("/main-window%1.png").arg(suffix));

    SequenceWindow &sequenceWindow = window.sequenceWindow();
    fillSequence(window.memory());
    sequenceWindow.move(window.frameGeometry().topRight() + QPoint(16, 0));
    sequenceWindow.show();
    ok = save(sequenceWindow, outFolder + QStringLiteral("/multiplay%1.png").arg(suffix)) && ok;

    // Close without the unsaved-changes question: nothing here is the operator's.
    sequenceWindow.hide();
    window.hide();
    return ok ? 0 : 1;
}
