#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace tonaq {

class FrmTonaq;
class ToneGrid;

// The sequence window: up to 20 tones, each with its own duration and space, sent to the
// unit in one go. Loaded hidden with the main window; Close hides it, the title-bar close
// unloads it. Typing anywhere in it edits the grid's current cell.
class MultiPlay : public QWidget {
    Q_OBJECT
public:
    explicit MultiPlay(FrmTonaq &main);

    void Form_Load();
    void Form_KeyPress(int keyAscii);
    void ToneGrid_EnterCell();
    void ToneGrid_Validate();
    void cmdSend_Click();
    void cmdClear_Click();
    void cmdImport_Click();
    void cmdExport_Click();
    void Cancel_Click();

    QPushButton *cmdSend() const { return m_cmdSend; }
    QPushButton *cmdClear() const { return m_cmdClear; }
    QPushButton *cmdImport() const { return m_cmdImport; }
    QPushButton *cmdExport() const { return m_cmdExport; }
    QPushButton *Cancel() const { return m_cancel; }
    ToneGrid *toneGrid() const { return m_grid; }
    // The cell the key handler works on, as last copied from the grid.
    int CurRow = 0;
    int CurCol = 0;

signals:
    // The title-bar close: the window is on its way out and must not be handed out again.
    void unloading();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPushButton *addButton(const char *name, const char *caption, const char *tip, QRect place);
    void applyKey(int keyAscii);
    void showError(const QString &text);

    FrmTonaq &m_main;
    QPushButton *m_cancel;
    ToneGrid *m_grid;
    QPushButton *m_cmdSend;
    QPushButton *m_cmdClear;
    QPushButton *m_cmdImport;
    QPushButton *m_cmdExport;
    QLabel *m_label;
};

// The main window's "Multi Play" button: shows the window, loading it first when it is not,
// and brings it forward.
void cmdMultiPlay_Click(FrmTonaq &main);

} // namespace tonaq
