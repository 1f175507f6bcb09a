#pragma once

#include "base/limits.h"
#include "base/locationsandsequence.h"

#include <QList>
#include <QObject>
#include <array>

namespace tonaq {

// The working copy of what the unit holds and plays: its eight memory locations and the
// 20-row tone sequence, as plain texts, with the file they were last opened from or saved to
// and the caption that says whether they hold unsaved changes. The table and the grid show and
// edit it; download, upload, reset, memory play and the file commands read and write it.
class MemoryModel : public QObject {
    Q_OBJECT
public:
    enum class Text { Tones, Length, Space };

    explicit MemoryModel(QObject *parent = nullptr);

    const MemoryLocation &location(int index) const { return m_locations.at(index); }
    QString text(int index, Text which) const;
    // Cut to the text's limit. A real change, typed or put there by the program, marks the
    // location for upload and the caption as changed.
    void setText(int index, Text which, const QString &text);
    void setUpdate(int index, bool update);

    // The sequence's cells by grid row 1 to 20 and column kToneColumn to kSpaceColumn.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    QList<SequenceRow> sequence() const;
    void clearSequence();
    // Every text of the table (each location's tones, length and space, in that order) and
    // every cell of the sequence emptied; the marks of emptied rows set as for any change.
    void clear();

    // The configuration file last opened or saved; empty until then.
    QString currentFile() const { return m_currentFile; }
    void setCurrentFile(const QString &path) { m_currentFile = path; }
    // The main window's caption: the base title at first, then the file's name, marked "*]"
    // after a change. Only a change, an open or a save rebuilds it.
    QString caption() const { return m_caption; }
    bool hasUnsavedChanges() const;
    void markSaved();

signals:
    void locationChanged(int index);
    void cellChanged(int row, int column);
    void captionChanged(const QString &caption);

private:
    void setCaption(const QString &caption);

    std::array<MemoryLocation, kLocationCount> m_locations;
    std::array<SequenceRow, kSequenceRows> m_sequence;
    QString m_currentFile;
    QString m_caption;
};

} // namespace tonaq
