#include "multiplay/sequencewindow.h"

#include "base/basetitle.h"
#include "base/desk.h"
#include "base/trap.h"
#include "model/memorymodel.h"
#include "multiplay/keypreview.h"
#include "multiplay/tonegrid.h"
#include "session/unitsession.h"
#include "ui/layouthelpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace tonaq {

SequenceWindow::SequenceWindow(MemoryModel &memory, UnitSession &session, FileMenu &files,
                               Prompter &prompter, const ErrorLog &log)
    : m_memory(memory)
    , m_session(session)
    , m_files(files)
    , m_prompter(prompter)
    , m_log(log) {
    setObjectName(QStringLiteral("MultiPlay"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Multi Play "));
    setFixedSize(twips(0, 0, 5490, 5940).size());
    setFont(dialogFont());
    // Created in tab order: Close first, so that it holds the focus when the window shows.
    m_closeButton = addButton("Cancel", tr("Close"), QString(), twips(4200, 4860, 1215, 375));
    m_toneGrid = new ToneGrid(this);
    m_toneGrid->setGeometry(twips(60, 60, 3975, 5175));
    m_sendButton = addButton("cmdSend", tr("Send matrix"), tr("Upload entire grid to the device"),
                             twips(4200, 120, 1215, 375));
    m_clearButton = addButton("cmdClear", tr("Clear matrix"), tr("Clear the grid"),
                              twips(4200, 600, 1215, 375));
    m_openButton = addButton("cmdImport", tr("Open"), tr("Open configuration data file"),
                             twips(4200, 1080, 1215, 375));
    m_saveButton = addButton("cmdExport", tr("Save"), tr("Saves configuration data to a file"),
                             twips(4200, 1560, 1215, 375));
    m_descriptionLabel = named(
        new QLabel(tr("MultiPlay sends up to 20 tones with individual length and duration."), this),
        QStringLiteral("Label1"));
    m_descriptionLabel->setFont(QFont(QStringLiteral("Arial"), 12));
    m_descriptionLabel->setWordWrap(true);
    m_descriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_descriptionLabel->setGeometry(twips(180, 5280, 3855, 735));
    fitTextToBox(m_descriptionLabel);
    QWidget *const order[] = {m_closeButton, m_toneGrid,   m_sendButton,
                              m_clearButton, m_openButton, m_saveButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_closeButton->setFocus();

    connect(m_closeButton, &QPushButton::clicked, this, &SequenceWindow::hideWindow);
    connect(m_sendButton, &QPushButton::clicked, this, &SequenceWindow::send);
    connect(m_clearButton, &QPushButton::clicked, this, &SequenceWindow::clear);
    connect(m_openButton, &QPushButton::clicked, this, &SequenceWindow::openFile);
    connect(m_saveButton, &QPushButton::clicked, this, &SequenceWindow::saveFile);
    connect(m_toneGrid, &QTableWidget::currentCellChanged, this, &SequenceWindow::cellEntered);
    connect(&m_memory, &MemoryModel::cellChanged, this, &SequenceWindow::showCell);
    m_toneGrid->installEventFilter(this);
    new KeyPreview(*this, [this](int keyAscii) { gridKeyPress(keyAscii); });
}

QPushButton *SequenceWindow::addButton(const char *name, const QString &caption, const QString &tip,
                                       QRect place) {
    auto *button = named(new QPushButton(caption, this), QString::fromLatin1(name), tip);
    button->setGeometry(place);
    return button;
}

void SequenceWindow::load() {
    trapped(m_log, Procedure::SequenceWindowLoad, [&](Trap &at) {
        at(10);
        const QString headings[] = {tr("Tone"), tr("Duration"), tr("Space")};
        for (int column = kToneColumn; column <= kSpaceColumn; ++column)
            m_toneGrid->setTextMatrix(0, column, headings[column - 1]);
        at(20);
        for (int row = 1; row <= kSequenceRows; ++row) {
            m_toneGrid->setTextMatrix(row, 0, u' ' + QString::number(row));
            for (int column = kToneColumn; column <= kSpaceColumn; ++column)
                showCell(row, column);
        }
        at(30);
        m_toneGrid->setCurrentCell(1, kToneColumn);
        at(40);
        m_toneGrid->setColumnAlignment(kToneColumn, Qt::AlignLeft | Qt::AlignTop);
        at(50);
        // Off without a unit, and while a command holds the other device controls off: a window
        // loaded again during a download must not offer to send into it.
        m_sendButton->setEnabled(m_session.isConnected() && m_session.controlsEnabled());
    });
}

void SequenceWindow::showCell(int row, int column) {
    m_toneGrid->setTextMatrix(row, column, m_memory.cell(row, column));
}

void SequenceWindow::cellEntered() {
    m_currentRow = m_toneGrid->currentRow();
    m_currentColumn = m_toneGrid->currentColumn();
}

void SequenceWindow::validateGrid() {
    showCaption(*this, captionFor(m_memory.currentFile(), true));
}

// Without a connected unit Send does nothing at all.
void SequenceWindow::send() {
    if (m_session.isConnected()) m_session.unit().sendSequence(m_memory.sequence());
}

void SequenceWindow::clear() {
    m_memory.clearSequence();
}

void SequenceWindow::openFile() {
    m_files.openFile();
}

void SequenceWindow::saveFile() {
    m_files.saveFile();
}

void SequenceWindow::hideWindow() {
    hide();
}

bool SequenceWindow::eventFilter(QObject *watched, QEvent *event) {
    // Leaving the grid for another control of this window, not for another window or a menu.
    if (watched == m_toneGrid && event->type() == QEvent::FocusOut) {
        const QWidget *next = QApplication::focusWidget();
        if (next && next != m_toneGrid && next->window() == this) validateGrid();
    }
    return QWidget::eventFilter(watched, event);
}

// The title-bar close unloads the window, and with it the sequence it held.
void SequenceWindow::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted()) return;
    m_memory.clearSequence();
    emit unloading();
}

} // namespace tonaq
