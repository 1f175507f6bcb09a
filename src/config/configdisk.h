#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

namespace tonaq {

// True when the length of the file at path can be read; False for a missing file, a folder,
// an empty or malformed path. Never fails.
bool fileExists(const QString &path);

// The file opened for reading; null when it cannot be read (missing, a folder, no permission),
// which Open treats like a file that is not there.
std::unique_ptr<QFile> openConfigurationFile(const QString &path);

// Creates the file empty when it is missing; an existing file is only checked to be writable,
// since the save that follows replaces it whole.
void createConfigurationFile(const QString &path);

// Replaces the file's content through a temporary file and a rename, so that a failed or
// interrupted save leaves the old content whole. In a folder that takes no new files the file
// is written in place, as the user may still write the file itself.
void replaceConfigurationFile(const QString &path, const QByteArray &bytes);

} // namespace tonaq
