#pragma once

#include <QLocale>
#include <QStringList>

namespace tonaq {

// Where the program's translations are looked for: beside the installed program
// (../share/tonaq/translations from its folder), then in the build tree it came from.
QStringList translationFolders();

// Installs the program's translation for the language the locale asks for (the desktop's,
// LANGUAGE first), and Qt's own for what Qt draws itself: dialog buttons, key names, the menus
// of text boxes. An English locale, or a language without a translation, installs nothing and
// the English source texts show. Returns the language installed, or an empty string.
QString installTranslations(const QLocale &locale = QLocale::system(),
                            const QStringList &folders = translationFolders());

} // namespace tonaq
