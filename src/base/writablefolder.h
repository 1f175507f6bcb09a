#pragma once

#include <QString>

namespace tonaq {

// Whether this user can make a file in the folder. On Windows a folder's read-only mark says
// nothing of that (Program Files has none, yet only administrators write there), so a file is
// tried there; elsewhere the folder's permissions answer.
bool folderTakesFiles(const QString &folder);

} // namespace tonaq
