#pragma once

#include "app/layouthelpers.h"

#include <QList>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tonaq {

class FrmTonaq;

// The "Memory Locations Display" frame: the working copy of the unit's eight memory
// locations, one row each (1 to 8 on screen, 0 to 7 on the wire), all held as text.
class MemoryTableFrame : public Frame {
    Q_OBJECT
public:
    static constexpr int kRows = 8;
    static constexpr int kTimeLimit = 5;    // characters of a length or space
    static constexpr int kStringLimit = 20; // tones of a location

    MemoryTableFrame(FrmTonaq &main, QWidget *parent);

    QLineEdit *Length(int i) const { return m_length[i]; }
    QLineEdit *Space(int i) const { return m_space[i]; }
    QLineEdit *MemString(int i) const { return m_string[i]; }
    QCheckBox *Update(int i) const { return m_update[i]; }
    QCheckBox *chkAll() const { return m_chkAll; }
    QPushButton *cmdClear() const { return m_cmdClear; }

    // A text of row i changed, typed or put there by the program: the row is marked for
    // upload and the caption says that the table holds unsaved changes.
    void MarkRowChanged(int i);
    // The operator clicked "All": every update mark takes its value; the caption stays.
    void chkAll_Click();
    // Empties the table and the MultiPlay sequence (loading that window hidden if need be);
    // the file command Open runs it too before it fills the table.
    void cmdClear_Click();

private:
    void addHeadings(QGridLayout *grid);
    void addRow(QGridLayout *grid, int i);

    FrmTonaq &m_main;
    QList<QLineEdit *> m_length;
    QList<QLineEdit *> m_space;
    QList<QLineEdit *> m_string;
    QList<QCheckBox *> m_update;
    QCheckBox *m_chkAll;
    QPushButton *m_cmdClear;
};

} // namespace tonaq
