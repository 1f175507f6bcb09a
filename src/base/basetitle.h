#pragma once

#include <QString>

namespace tonaq {

// "Tonaq v1.0.23": the application title and its version, from the project's version.
QString baseTitle();
// "1.0.23": major, minor and revision.
QString versionText();
// "Tonaq": the title of the program's message boxes.
QString appTitle();

// The main window's caption for a configuration file: the clean form
// BaseTitle [name] or, with changed, BaseTitle [name*]; name is the part of the path after
// its last backslash or slash.
QString captionFor(const QString &currentFile, bool changed);
QString fileNameOf(const QString &path);

} // namespace tonaq
