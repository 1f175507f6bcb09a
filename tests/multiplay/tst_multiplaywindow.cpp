#include "app/basetitle.h"
#include "app/frmtonaq.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"
#include "program.h"
#include "tonetestkit.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tonaq;

namespace {

const QString kDigits = QStringLiteral("Only numbers 0 - 9 allowed");
const QString kRange = QStringLiteral("Only numbers between 20 and 65535 allowed.");

// Types into whatever widget is given: "\r" is Enter, "\b" Backspace, "+" the number pad's 5.
void type(QWidget *widget, const QString &keys) {
    for (const QChar key : keys) {
        if (key == u'\r')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (key == u'\b')
            QTest::keyClick(widget, Qt::Key_Backspace);
        else if (key == u'+')
            QTest::keyClick(widget, Qt::Key_5, Qt::KeypadModifier);
        else
            QTest::keyClick(widget, key.toLatin1());
    }
}

MultiPlay &shown(FrmTonaq &main) {
    QTest::mouseClick(main.cmdMultiPlay(), Qt::LeftButton);
    MultiPlay &window = main.multiPlay();
    [&window] { QVERIFY(QTest::qWaitForWindowActive(&window)); }();
    return window;
}

QPoint cellCentre(ToneGrid &grid, int row, int column) {
    return grid.visualItemRect(grid.item(row, column)).center();
}

} // namespace

class TestMultiPlayWindow : public QObject {
    Q_OBJECT
private slots:
    void freshWindow();
    void showingItPutsTheFocusOnClose();
    void typing_data();
    void typing();
    void theKeyAlsoReachesTheFocusedControl();
    void clickingACellMakesItCurrent();
    void typingDoesNotSearch();
    void leavingTheGridMarksTheCaption_data();
    void leavingTheGridMarksTheCaption();
    void clearEmptiesTheDataCells();
    void closeHidesAndTitleBarCloseUnloads();
    void openAndSaveRunTheFileCommands();
};

void TestMultiPlayWindow::freshWindow() {
    test::Program program;
    MultiPlay &window = program.start().multiPlay();
    QVERIFY(window.isHidden());
    QVERIFY(!window.parentWidget());
    QCOMPARE(window.windowTitle(), QStringLiteral("Multi Play "));
    ToneGrid &grid = *window.toneGrid();
    QCOMPARE(grid.TextMatrix(0, 0), QString());
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("Tone"));
    QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("Duration"));
    QCOMPARE(grid.TextMatrix(0, 3), QStringLiteral("Space"));
    for (int row = 1; row <= 20; ++row) {
        QCOMPARE(grid.TextMatrix(row, 0), u' ' + QString::number(row));
        for (int column = 1; column <= 3; ++column)
            QVERIFY(grid.TextMatrix(row, column).isEmpty());
        QCOMPARE(grid.item(row, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignTop));
    }
    QCOMPARE(grid.currentRow(), 1);
    QCOMPARE(grid.currentColumn(), 1);
    QVERIFY(!window.cmdSend()->isEnabled()); // not connected
    const auto *label = window.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(label->text(),
             QStringLiteral("MultiPlay sends up to 20 tones with individual length and duration."));
    QCOMPARE(label->font().family(), QStringLiteral("Arial"));

    test::Rig connected;
    QVERIFY(connected.window.multiPlay().cmdSend()->isEnabled());
}

void TestMultiPlayWindow::showingItPutsTheFocusOnClose() {
    test::Program program;
    FrmTonaq &main = program.start();
    MultiPlay &window = shown(main);
    QVERIFY(window.isVisible());
    QCOMPARE(QApplication::focusWidget(), window.Cancel());
    QVERIFY(main.isVisible()); // side by side
    // Tab goes on to the grid, then to the buttons.
    QTest::keyClick(window.Cancel(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.toneGrid());
}

void TestMultiPlayWindow::typing_data() {
    QTest::addColumn<QPoint>("from");  // the current cell: column, row
    QTest::addColumn<QString>("cell"); // its text first
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text"); // its text afterwards
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QPoint>("to"); // the current cell afterwards
    const QStringList none;
    QTest::newRow("5 then Enter in a fresh grid") << QPoint(1, 1) << ""
                                                  << "5\r"
                                                  << "5" << none << QPoint(2, 1);
    QTest::newRow("Enter on an empty Duration, twice")
        << QPoint(2, 1) << ""
        << "\r"
        << "20" << QStringList{kRange} << QPoint(2, 1);
    QTest::newRow("70000 in Space, Enter") << QPoint(3, 4) << ""
                                           << "70000\r"
                                           << "65535" << QStringList{kRange} << QPoint(3, 4);
    QTest::newRow("Backspace empties Duration") << QPoint(2, 2) << "1234"
                                                << "\b"
                                                << "" << none << QPoint(2, 2);
    QTest::newRow("x empties a Tone cell quietly") << QPoint(1, 3) << "7"
                                                   << "x"
                                                   << "" << none << QPoint(1, 3);
    QTest::newRow("b stays lower-case") << QPoint(1, 3) << ""
                                        << "b"
                                        << "b" << none << QPoint(1, 3);
    QTest::newRow("x in Duration empties it") << QPoint(2, 3) << "123"
                                              << "x"
                                              << "" << QStringList{kDigits} << QPoint(2, 3);
    QTest::newRow("number pad digit") << QPoint(2, 6) << "1"
                                      << "+"
                                      << "15" << none << QPoint(2, 6);
    QTest::newRow("row 20 wraps to row 1") << QPoint(3, 20) << "50"
                                           << "\r"
                                           << "50" << none << QPoint(1, 1);
    QTest::newRow("Enter on Tone moves without a check") << QPoint(1, 5) << ""
                                                         << "\r"
                                                         << "" << none << QPoint(2, 5);
    QTest::newRow("a whole row") << QPoint(1, 9) << ""
                                 << "A\r100\r50\r"
                                 << "A" << none << QPoint(1, 10);
}

void TestMultiPlayWindow::typing() {
    QFETCH(QPoint, from);
    QFETCH(QString, cell);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(QStringList, messages);
    QFETCH(QPoint, to);
    test::Program program;
    MultiPlay &window = shown(program.start());
    ToneGrid &grid = *window.toneGrid();
    grid.setTextMatrix(from.y(), from.x(), cell);
    grid.setCurrentCell(from.y(), from.x());
    grid.setFocus();

    type(&grid, keys);
    QCOMPARE(grid.TextMatrix(from.y(), from.x()), text);
    QCOMPARE(program.prompter.texts(), messages);
    for (const Message &shownMessage : std::as_const(program.prompter.shown))
        QCOMPARE(shownMessage.title, QStringLiteral("ERROR"));
    QCOMPARE(QPoint(grid.currentColumn(), grid.currentRow()), to);
    QCOMPARE(QPoint(window.CurCol, window.CurRow), to);
}

void TestMultiPlayWindow::theKeyAlsoReachesTheFocusedControl() {
    test::Program program;
    MultiPlay &window = shown(program.start());
    ToneGrid &grid = *window.toneGrid();
    grid.setTextMatrix(1, 1, QStringLiteral("5"));
    QCOMPARE(QApplication::focusWidget(), window.Cancel());

    type(window.Cancel(), QStringLiteral("7"));
    QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("7")); // typed with Close focused
    QTest::keyClick(window.Cancel(), Qt::Key_Space);
    QCOMPARE(grid.TextMatrix(1, 1), QString()); // a blank is no tone...
    QVERIFY(window.isHidden());                 // ...and Space worked the button too
}

void TestMultiPlayWindow::clickingACellMakesItCurrent() {
    test::Program program;
    MultiPlay &window = shown(program.start());
    ToneGrid &grid = *window.toneGrid();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 3, 2));
    QCOMPARE(QPoint(window.CurCol, window.CurRow), QPoint(2, 3));
    type(&grid, QStringLiteral("7"));
    QCOMPARE(grid.TextMatrix(3, 2), QStringLiteral("7"));

    // The headings and row numbers are never current.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 0, 3));
    QCOMPARE(QPoint(grid.currentColumn(), grid.currentRow()), QPoint(3, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 5, 0));
    QCOMPARE(QPoint(grid.currentColumn(), grid.currentRow()), QPoint(1, 5));
}

// A list view jumps to the next cell that starts with the typed text; this grid must not.
void TestMultiPlayWindow::typingDoesNotSearch() {
    test::Program program;
    MultiPlay &window = shown(program.start());
    ToneGrid &grid = *window.toneGrid();
    grid.setTextMatrix(9, 2, QStringLiteral("30"));
    grid.setTextMatrix(5, 2, QStringLiteral("1"));
    grid.setCurrentCell(5, 2);
    grid.setFocus();
    type(&grid, QStringLiteral("3"));
    QCOMPARE(QPoint(grid.currentColumn(), grid.currentRow()), QPoint(2, 5));
    QCOMPARE(grid.TextMatrix(5, 2), QStringLiteral("13"));
}

void TestMultiPlayWindow::leavingTheGridMarksTheCaption_data() {
    QTest::addColumn<QString>("currentFile");
    QTest::addColumn<QString>("caption");
    QTest::newRow("no file yet") << "" << BaseTitle() + " [*]";
    QTest::newRow("Windows path") << "C:\\Tonaq\\demo.tnq" << BaseTitle() + " [demo.tnq*]";
    QTest::newRow("no folder") << "plain.tnq" << BaseTitle() + " [plain.tnq*]";
}

void TestMultiPlayWindow::leavingTheGridMarksTheCaption() {
    QFETCH(QString, currentFile);
    QFETCH(QString, caption);
    test::Program program;
    FrmTonaq &main = program.start();
    main.CurrentFile = currentFile;
    MultiPlay &window = shown(main);
    window.toneGrid()->setFocus();
    QCOMPARE(window.windowTitle(), QStringLiteral("Multi Play ")); // arriving marks nothing

    // To another window: not a validation.
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QCOMPARE(window.windowTitle(), QStringLiteral("Multi Play "));

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), window.toneGrid());
    QTest::keyClick(window.toneGrid(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != window.toneGrid());
    QCOMPARE(window.windowTitle(), caption);
    QCOMPARE(main.windowTitle(), BaseTitle()); // only this window's caption
}

void TestMultiPlayWindow::clearEmptiesTheDataCells() {
    test::Program program;
    MultiPlay &window = shown(program.start());
    ToneGrid &grid = *window.toneGrid();
    for (int row = 1; row <= 20; ++row) {
        for (int column = 1; column <= 3; ++column)
            grid.setTextMatrix(row, column, QStringLiteral("9"));
    }
    grid.setCurrentCell(7, 2);
    const QString caption = window.windowTitle();

    QTest::mouseClick(window.cmdClear(), Qt::LeftButton);
    for (int row = 1; row <= 20; ++row) {
        for (int column = 1; column <= 3; ++column)
            QVERIFY(grid.TextMatrix(row, column).isEmpty());
        QCOMPARE(grid.TextMatrix(row, 0), u' ' + QString::number(row));
    }
    QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("Duration"));
    QCOMPARE(QPoint(grid.currentColumn(), grid.currentRow()), QPoint(2, 7));
    QCOMPARE(window.windowTitle(), caption);
    QVERIFY(program.prompter.shown.isEmpty());
}

void TestMultiPlayWindow::closeHidesAndTitleBarCloseUnloads() {
    test::Program program;
    FrmTonaq &main = program.start();
    MultiPlay *window = &shown(main);
    window->toneGrid()->setTextMatrix(4, 1, QStringLiteral("D"));

    QTest::mouseClick(window->Cancel(), Qt::LeftButton);
    QVERIFY(window->isHidden());
    QVERIFY(main.multiPlayLoaded());
    // The window manager hands the focus on, as the offscreen platform does not.
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    window = &shown(main);
    QCOMPARE(window->toneGrid()->TextMatrix(4, 1), QStringLiteral("D"));

    window->toneGrid()->setFocus();
    QTest::keyClick(window->toneGrid(), Qt::Key_Tab); // marks the caption
    QVERIFY(window->windowTitle() != QStringLiteral("Multi Play "));
    window->close(); // the title-bar close
    QVERIFY(!main.multiPlayLoaded()); // at once: the dying window is never handed out again
    QTRY_VERIFY(!FrmTonaq::IsFormLoaded(QStringLiteral("MultiPlay")));

    window = &shown(main);
    QCOMPARE(window->toneGrid()->TextMatrix(4, 1), QString());
    QCOMPARE(window->toneGrid()->TextMatrix(0, 1), QStringLiteral("Tone"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Multi Play "));
}

void TestMultiPlayWindow::openAndSaveRunTheFileCommands() {
    test::Program program;
    MultiPlay &window = shown(program.start());
    QTest::mouseClick(window.cmdExport(), Qt::LeftButton); // no file yet: "Save As..."
    QTest::mouseClick(window.cmdImport(), Qt::LeftButton);
    QCOMPARE(program.fileDialogs.requests.size(), 2);
    QCOMPARE(program.fileDialogs.requests.at(0).kind, FileDialogRequest::Kind::Save);
    QCOMPARE(program.fileDialogs.requests.at(1).kind, FileDialogRequest::Kind::Open);
}

QTEST_MAIN(TestMultiPlayWindow)
#include "tst_multiplaywindow.moc"
