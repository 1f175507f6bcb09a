#pragma once

#include "base/limits.h"
#include "base/locationsandsequence.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

namespace tonaq {

class MemoryModel;

// Fields in a file: three for each location, then three for each sequence row.
inline constexpr int kConfigurationFieldCount = 3 * (kLocationCount + kSequenceRows);

// The file's bytes: 28 lines ended by CR LF, the three texts of a record joined by ",", in the
// single-byte Latin-1 code ("?" for any character outside it). Texts go out exactly as they
// are, unquoted: a comma or line break inside a text shifts the later fields on reading.
QByteArray writeConfiguration(const MemoryModel &memory);

// Reads a configuration file field by field as it streams in, so the caller can set each text
// as it comes, a short file fills as far as it got, and a file of any size is read in bounded
// memory.
// A field ends at a comma or a line end (CR LF, lone CR or lone LF); line ends only separate
// fields, so the grouping into lines is not checked and an empty line is one empty field.
// Fields are taken exactly as they stand: blanks and double quotes are part of the text
// (files the program writes hold neither). A comma always promises one more field, even at
// the end of the data; a line end does not.
class ConfigFieldReader {
public:
    explicit ConfigFieldReader(QIODevice &source);

    // The next field, cut to its first `keep` characters; the rest of it is read past.
    // Throws TonaqError: InputPastEndOfFile when the data ran out, PathFileAccessError when
    // the file could not be read.
    QString next(qsizetype keep);

private:
    bool atEnd();
    char take();

    QIODevice &m_source;
    QByteArray m_buffer;
    qint64 m_filled = 0; // bytes of the buffer that hold data
    qint64 m_pos = 0;
    bool m_fieldPending = false; // the last field ended at a comma
};

// Loads a configuration file into the model field by field, each text set as soon as it is read
// and cut to its box's length, so a short file fills as far as it goes (then TonaqError
// InputPastEndOfFile): first the locations, then the sequence. Sequence cells take their fields
// whole, up to a length no real cell comes near, so memory stays bounded whatever the file holds.
void loadLocations(ConfigFieldReader &fields, MemoryModel &memory);
void loadSequence(ConfigFieldReader &fields, MemoryModel &memory);
// Both, from the start of a file.
void loadConfiguration(QIODevice &file, MemoryModel &memory);

} // namespace tonaq
