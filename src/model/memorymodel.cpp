#include "model/memorymodel.h"

#include "base/basetitle.h"

namespace tonaq {

namespace {

int limitOf(MemoryModel::Text which) {
    return which == MemoryModel::Text::Tones ? kToneStringLimit : kTimeTextLimit;
}

// The text of a location or cell, for reading or writing as the location or row is.
template <class Location> auto &textOf(Location &location, MemoryModel::Text which) {
    switch (which) {
    case MemoryModel::Text::Tones:
        return location.tones;
    case MemoryModel::Text::Length:
        return location.length;
    case MemoryModel::Text::Space:
        break;
    }
    return location.space;
}

template <class Row> auto *cellOf(Row &row, int column) {
    switch (column) {
    case kToneColumn:
        return &row.tone;
    case kDurationColumn:
        return &row.duration;
    case kSpaceColumn:
        return &row.space;
    default:
        return static_cast<decltype(&row.tone)>(nullptr);
    }
}

bool isSequenceRow(int row) {
    return row >= 1 && row <= kSequenceRows;
}

} // namespace

MemoryModel::MemoryModel(QObject *parent)
    : QObject(parent)
    , m_caption(baseTitle()) {}

QString MemoryModel::text(int index, Text which) const {
    return textOf(m_locations.at(index), which);
}

void MemoryModel::setText(int index, Text which, const QString &text) {
    QString &stored = textOf(m_locations.at(index), which);
    const QString cut = text.left(limitOf(which));
    if (stored == cut) return;
    stored = cut;
    m_locations.at(index).update = true;
    // The caption is rebuilt from the current file at every change.
    setCaption(captionFor(m_currentFile, true));
    emit locationChanged(index);
}

void MemoryModel::setUpdate(int index, bool update) {
    bool &mark = m_locations.at(index).update;
    if (mark == update) return;
    mark = update;
    emit locationChanged(index);
}

QString MemoryModel::cell(int row, int column) const {
    if (!isSequenceRow(row)) return {};
    const QString *text = cellOf(m_sequence.at(row - 1), column);
    return text ? *text : QString();
}

void MemoryModel::setCell(int row, int column, const QString &text) {
    QString *stored = isSequenceRow(row) ? cellOf(m_sequence.at(row - 1), column) : nullptr;
    if (!stored || *stored == text) return;
    *stored = text;
    emit cellChanged(row, column);
}

QList<SequenceRow> MemoryModel::sequence() const {
    return QList<SequenceRow>(m_sequence.begin(), m_sequence.end());
}

void MemoryModel::clearSequence() {
    for (int row = 1; row <= kSequenceRows; ++row) {
        for (int column = kToneColumn; column <= kSpaceColumn; ++column)
            setCell(row, column, QString());
    }
}

void MemoryModel::clear() {
    for (int i = 0; i < kLocationCount; ++i) {
        for (const Text which : {Text::Tones, Text::Length, Text::Space})
            setText(i, which, QString());
    }
    clearSequence();
}

bool MemoryModel::hasUnsavedChanges() const {
    return m_caption.endsWith(QStringLiteral("*]"));
}

void MemoryModel::markSaved() {
    setCaption(captionFor(m_currentFile, false));
}

void MemoryModel::setCaption(const QString &caption) {
    if (m_caption == caption) return;
    m_caption = caption;
    emit captionChanged(caption);
}

} // namespace tonaq
