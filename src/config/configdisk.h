#pragma once

#include <QByteArray>
#include <QString>

namespace tonaq {

// True when the length of the file at path can be read; False for a missing file, a folder,
// an empty or malformed path. Never fails.
bool FileExists(const QString &path);

// The start of a configuration file, enough for any file the program writes; a file that
// is not one cannot make Open read gigabytes.
QByteArray readConfigurationBytes(const QString &path);

// Creates the file empty when it is missing; an existing file is only checked to be writable,
// since the save that follows replaces it whole.
void createConfigurationFile(const QString &path);

// Replaces the file's content through a temporary file and a rename, so that a failed or
// interrupted save leaves the old content whole.
void replaceConfigurationFile(const QString &path, const QByteArray &bytes);

} // namespace tonaq
