#include "memory/memorytableframe.h"

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
}

} // namespace tonaq
