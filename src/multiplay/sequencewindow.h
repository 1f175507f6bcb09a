#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace tonaq {

class ErrorLog;
class FileMenu;
class MemoryModel;
class Prompter;
class ToneGrid;
class UnitSession;

// The sequence window: up to 20 tones, each with its own duration and space, sent to the unit
// in one go. Its grid shows and edits the model's sequence. Loaded hidden with the main window;
// Close hides it, the title-bar close unloads it and its sequence. Typing anywhere in it edits
// the grid's current cell.
class SequenceWindow : public QWidget {
    Q_OBJECT
public:
    SequenceWindow(MemoryModel &memory, UnitSession &session, FileMenu &files, Prompter &prompter,
                   const ErrorLog &log);

    void load();
    void gridKeyPress(int keyAscii);
    void cellEntered();
    void validateGrid();
    void send();
    void clear();
    void openFile();
    void saveFile();
    void hideWindow();

    QPushButton *sendButton() const { return m_sendButton; }
    ToneGrid *toneGrid() const { return m_toneGrid; }

signals:
    // The title-bar close: the window is on its way out and must not be handed out again.
    void unloading();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPushButton *addButton(const char *name, const QString &caption, const QString &tip,
                           QRect place);
    void showCell(int row, int column);
    void applyKey(int keyAscii);
    void showError(const QString &text);

    MemoryModel &m_memory;
    UnitSession &m_session;
    FileMenu &m_files;
    Prompter &m_prompter;
    const ErrorLog &m_log;
    QPushButton *m_closeButton;
    ToneGrid *m_toneGrid;
    QPushButton *m_sendButton;
    QPushButton *m_clearButton;
    QPushButton *m_openButton;
    QPushButton *m_saveButton;
    QLabel *m_descriptionLabel;
    // The cell the key handler works on, as last copied from the grid.
    int m_currentRow = 0;
    int m_currentColumn = 0;
};

} // namespace tonaq
