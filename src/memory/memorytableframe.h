#pragma once

#include "ui/layouthelpers.h"

#include <QList>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tonaq {

class Desk;
class MemoryModel;

// The "Memory Locations Display" frame: the eight memory locations of the model, one row each
// (1 to 8 on screen, 0 to 7 on the wire), all held as text. What is typed goes into the model,
// which marks the row and the caption; what the model holds is shown.
class MemoryTableFrame : public Frame {
    Q_OBJECT
public:
    MemoryTableFrame(MemoryModel &memory, Desk &desk, QWidget *parent);

    QLineEdit *lengthBox(int i) const { return m_lengthBoxes[i]; }
    QLineEdit *spaceBox(int i) const { return m_spaceBoxes[i]; }
    QLineEdit *tonesBox(int i) const { return m_tonesBoxes[i]; }
    QCheckBox *updateBox(int i) const { return m_updateBoxes[i]; }
    QCheckBox *updateAllBox() const { return m_updateAllBox; }
    QPushButton *clearButton() const { return m_clearButton; }

    // The operator clicked "All": every update mark takes its value; the caption stays.
    void markAll();
    // Empties the table and the MultiPlay sequence; the file command Open runs it too before
    // it fills the table.
    void clear();

private:
    void addHeadings(QGridLayout *grid);
    void addRow(QGridLayout *grid, int i);
    void showLocation(int i);

    MemoryModel &m_memory;
    Desk &m_desk;
    QList<QLineEdit *> m_lengthBoxes;
    QList<QLineEdit *> m_spaceBoxes;
    QList<QLineEdit *> m_tonesBoxes;
    QList<QCheckBox *> m_updateBoxes;
    QCheckBox *m_updateAllBox;
    QPushButton *m_clearButton;
};

} // namespace tonaq
