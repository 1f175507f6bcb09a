#include "memory/memorytableframe.h"

#include "app/basetitle.h"
#include "app/frmtonaq.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tonaq {

namespace {
enum Column { LocationColumn, LengthColumn, SpaceColumn, StringColumn, UpdateColumn };
constexpr int kFirstHeadingLabel = 5; // lblDisp(0..4) are the window's other labels
constexpr int kFirstRowLabel = kFirstHeadingLabel + 5;
constexpr int kHeadingRow = 1;
constexpr int kFirstTableRow = 2;
constexpr int kSequenceRows = 20;   // rows 1 to 20 of the MultiPlay grid
constexpr int kSequenceColumns = 3; // Tone, Duration, Space
} // namespace

MemoryTableFrame::MemoryTableFrame(FrmTonaq &main, QWidget *parent)
    : Frame(1, QStringLiteral("Memory Locations Display"), parent)
    , m_main(main) {
    auto *grid = new QGridLayout(holder());
    grid->setContentsMargins(6, 0, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    m_cmdClear =
        named(new QPushButton(QStringLiteral("Clear"), holder()), QStringLiteral("cmdClear"),
              QStringLiteral("Clear"), QStringLiteral("Clears all fileds"));
    m_chkAll = named(new QCheckBox(QStringLiteral("All"), holder()), QStringLiteral("chkAll"),
                     QStringLiteral("All"),
                     QStringLiteral("Check here to check update on all memory locations"));
    grid->addWidget(m_cmdClear, 0, StringColumn, Qt::AlignRight);
    grid->addWidget(m_chkAll, 0, UpdateColumn, Qt::AlignCenter);
    addHeadings(grid);
    for (int i = 0; i < kRows; ++i)
        addRow(grid, i);
    grid->setColumnStretch(StringColumn, 1);

    connect(m_chkAll, &QCheckBox::clicked, this, &MemoryTableFrame::chkAll_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &MemoryTableFrame::cmdClear_Click);
}

void MemoryTableFrame::MarkRowChanged(int i) {
    if (!m_update[i]->isEnabled()) return;
    m_update[i]->setChecked(true);
    // The caption is the one record of unsaved changes; the quit question reads it.
    m_main.setWindowTitle(captionFor(m_main.CurrentFile, true));
}

void MemoryTableFrame::chkAll_Click() {
    const bool all = m_chkAll->isChecked();
    for (QCheckBox *update : std::as_const(m_update))
        update->setChecked(all);
}

void MemoryTableFrame::cmdClear_Click() {
    for (int i = 0; i < kRows; ++i) {
        m_string[i]->setText(QString());
        m_length[i]->setText(QString());
        m_space[i]->setText(QString());
    }
    ToneGrid &sequence = *m_main.multiPlay().toneGrid();
    for (int row = 1; row <= kSequenceRows; ++row) {
        for (int column = 1; column <= kSequenceColumns; ++column)
            sequence.setTextMatrix(row, column, QString());
    }
    m_main.SetStatus(QStringLiteral("Ready"));
}

void MemoryTableFrame::addHeadings(QGridLayout *grid) {
    const QStringList headings = {QStringLiteral("Location"), QStringLiteral("Length [ms]"),
                                  QStringLiteral("Space [ms]"), QStringLiteral("String"),
                                  QStringLiteral("Update")};
    for (int column = 0; column < headings.size(); ++column) {
        auto *label = named(new QLabel(headings[column], holder()),
                            element("lblDisp", kFirstHeadingLabel + column), headings[column]);
        grid->addWidget(label, kHeadingRow, column, Qt::AlignCenter);
    }
}

void MemoryTableFrame::addRow(QGridLayout *grid, int i) {
    const QString number = QString::number(i + 1);
    auto *label =
        named(new QLabel(number, holder()), element("lblDisp", kFirstRowLabel + i), number);
    auto *length =
        named(new QLineEdit(holder()), element("Length", i), QStringLiteral("Length ") + number,
              QStringLiteral("Sets Tone duration in milliseconds"));
    auto *space =
        named(new QLineEdit(holder()), element("Space", i), QStringLiteral("Space ") + number,
              QStringLiteral("Sets Tones pacing in milliseconds"));
    auto *string =
        named(new QLineEdit(holder()), element("MemString", i), QStringLiteral("String ") + number,
              QStringLiteral("Onboard Memory Location %1").arg(i));
    auto *update =
        named(new QCheckBox(holder()), element("Update", i), QStringLiteral("Update ") + number,
              QStringLiteral("Check here to upload this row"));
    length->setMaxLength(kTimeLimit);
    space->setMaxLength(kTimeLimit);
    string->setMaxLength(kStringLimit);
    length->setFixedWidth(56);
    space->setFixedWidth(56);

    const int row = kFirstTableRow + i;
    grid->addWidget(label, row, LocationColumn, Qt::AlignCenter);
    grid->addWidget(length, row, LengthColumn);
    grid->addWidget(space, row, SpaceColumn);
    grid->addWidget(string, row, StringColumn);
    grid->addWidget(update, row, UpdateColumn, Qt::AlignCenter);
    m_length.append(length);
    m_space.append(space);
    m_string.append(string);
    m_update.append(update);

    // textChanged also fires for texts the program puts in, which must mark the row too.
    for (QLineEdit *text : {length, space, string})
        connect(text, &QLineEdit::textChanged, this, [this, i] { MarkRowChanged(i); });
}

} // namespace tonaq
