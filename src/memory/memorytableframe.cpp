#include "memory/memorytableframe.h"

#include "base/desk.h"
#include "base/limits.h"
#include "model/memorymodel.h"

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
constexpr int kTimeBoxWidth = 56;

void showText(QLineEdit *box, const QString &text) {
    if (box->text() != text) box->setText(text);
}
} // namespace

MemoryTableFrame::MemoryTableFrame(MemoryModel &memory, Desk &desk, QWidget *parent)
    : Frame(1, tr("Memory Locations Display"), parent)
    , m_memory(memory)
    , m_desk(desk) {
    auto *grid = new QGridLayout(holder());
    grid->setContentsMargins(6, 0, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    m_clearButton = named(new QPushButton(tr("Clear"), holder()), QStringLiteral("cmdClear"),
                          tr("Clears all fileds"));
    m_updateAllBox = named(new QCheckBox(tr("All"), holder()), QStringLiteral("chkAll"),
                           tr("Check here to check update on all memory locations"));
    grid->addWidget(m_clearButton, 0, StringColumn, Qt::AlignRight);
    grid->addWidget(m_updateAllBox, 0, UpdateColumn, Qt::AlignCenter);
    addHeadings(grid);
    for (int i = 0; i < kLocationCount; ++i)
        addRow(grid, i);
    grid->setColumnStretch(StringColumn, 1);

    connect(m_updateAllBox, &QCheckBox::clicked, this, &MemoryTableFrame::markAll);
    connect(m_clearButton, &QPushButton::clicked, this, &MemoryTableFrame::clear);
    connect(&m_memory, &MemoryModel::locationChanged, this, &MemoryTableFrame::showLocation);
}

void MemoryTableFrame::markAll() {
    const bool all = m_updateAllBox->isChecked();
    for (int i = 0; i < kLocationCount; ++i)
        m_memory.setUpdate(i, all);
}

void MemoryTableFrame::clear() {
    m_memory.clear();
    m_desk.report({Activity::Ready});
}

void MemoryTableFrame::showLocation(int i) {
    const MemoryLocation &location = m_memory.location(i);
    showText(m_lengthBoxes[i], location.length);
    showText(m_spaceBoxes[i], location.space);
    showText(m_tonesBoxes[i], location.tones);
    m_updateBoxes[i]->setChecked(location.update);
}

void MemoryTableFrame::addHeadings(QGridLayout *grid) {
    const QStringList headings = {tr("Location"), tr("Length [ms]"), tr("Space [ms]"), tr("String"),
                                  tr("Update")};
    for (int column = 0; column < headings.size(); ++column) {
        auto *label = named(new QLabel(headings[column], holder()),
                            element("lblDisp", kFirstHeadingLabel + column));
        grid->addWidget(label, kHeadingRow, column, Qt::AlignCenter);
    }
}

void MemoryTableFrame::addRow(QGridLayout *grid, int i) {
    const QString number = QString::number(i + 1);
    auto *label = named(new QLabel(number, holder()), element("lblDisp", kFirstRowLabel + i));
    auto *length = named(new QLineEdit(holder()), element("Length", i),
                         tr("Sets Tone duration in milliseconds"), tr("Length %1").arg(number));
    auto *space = named(new QLineEdit(holder()), element("Space", i),
                        tr("Sets Tones pacing in milliseconds"), tr("Space %1").arg(number));
    auto *string = named(new QLineEdit(holder()), element("MemString", i),
                         tr("Onboard Memory Location %1").arg(i), tr("String %1").arg(number));
    auto *update = named(new QCheckBox(holder()), element("Update", i),
                         tr("Check here to upload this row"), tr("Update %1").arg(number));
    length->setMaxLength(kTimeTextLimit);
    space->setMaxLength(kTimeTextLimit);
    string->setMaxLength(kToneStringLimit);
    length->setFixedWidth(kTimeBoxWidth);
    space->setFixedWidth(kTimeBoxWidth);

    const int row = kFirstTableRow + i;
    grid->addWidget(label, row, LocationColumn, Qt::AlignCenter);
    grid->addWidget(length, row, LengthColumn);
    grid->addWidget(space, row, SpaceColumn);
    grid->addWidget(string, row, StringColumn);
    grid->addWidget(update, row, UpdateColumn, Qt::AlignCenter);
    m_lengthBoxes.append(length);
    m_spaceBoxes.append(space);
    m_tonesBoxes.append(string);
    m_updateBoxes.append(update);

    using Text = MemoryModel::Text;
    const auto edits = [this, i](QLineEdit *box, Text which) {
        connect(box, &QLineEdit::textChanged, this,
                [this, i, which](const QString &text) { m_memory.setText(i, which, text); });
    };
    edits(length, Text::Length);
    edits(space, Text::Space);
    edits(string, Text::Tones);
    connect(update, &QCheckBox::toggled, this,
            [this, i](bool checked) { m_memory.setUpdate(i, checked); });
}

} // namespace tonaq
