#pragma once

#include <QWidget>

class QPushButton;

namespace tonaq {

class FrmTonaq;
class ToneGrid;

// The sequence window: up to 20 tones, each with its own duration and space, sent to the
// unit in one go. Loaded hidden with the main window; Close hides it, the title-bar close
// unloads it.
class MultiPlay : public QWidget {
    Q_OBJECT
public:
    explicit MultiPlay(FrmTonaq &main);

    void Form_Load();
    QPushButton *cmdSend() const { return m_cmdSend; }
    ToneGrid *toneGrid() const { return m_grid; }

private:
    FrmTonaq &m_main;
    QPushButton *m_cmdSend;
    ToneGrid *m_grid;
};

} // namespace tonaq
