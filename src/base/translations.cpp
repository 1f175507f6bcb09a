#include "base/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>
#include <iterator>

namespace tonaq {

namespace {

// Qt's catalog is taken only for the controls Qt draws for us. Its I/O contexts (sockets, files,
// serial ports, TLS) are left out: their error strings reach the error log, which stays English.
constexpr const char *kQtContexts[] = {
    "QCommandLineParser",
    "QDialog",
    "QDialogButtonBox",
    "QFileDialog",
    "QFileSystemModel",
    "QLineEdit",
    "QMessageBox",
    "QPlatformTheme",
    "QScrollBar",
    "QShortcut",
    "QUnicodeControlCharacterMenu",
    "QWidget",
    "QWidgetTextControl",
};

class QtControlsTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *source, const char *disambiguation,
                      int n) const override {
        const auto drawnByQt = [context](const char *name) { return qstrcmp(context, name) == 0; };
        if (!context || std::none_of(std::begin(kQtContexts), std::end(kQtContexts), drawnByQt))
            return {};
        return QTranslator::translate(context, source, disambiguation, n);
    }
};

} // namespace

QStringList translationFolders() {
    return {QCoreApplication::applicationDirPath() +
                QStringLiteral("/" TONAQ_INSTALLED_TRANSLATIONS),
            QStringLiteral(TONAQ_BUILD_TRANSLATIONS)};
}

QString installTranslations(const QLocale &locale, const QStringList &folders) {
    auto *own = new QTranslator(QCoreApplication::instance());
    const bool found = std::any_of(folders.cbegin(), folders.cend(), [&](const QString &folder) {
        return own->load(locale, QStringLiteral("tonaq"), QStringLiteral("_"), folder);
    });
    if (!found) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts come with the program where the system has no Qt of its own (Windows).
    auto *qt = new QtControlsTranslator(QCoreApplication::instance());
    const QStringList qtFolders =
        folders + QStringList{QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    if (std::any_of(qtFolders.cbegin(), qtFolders.cend(), [&](const QString &folder) {
            return qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder);
        }))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return own->language();
}

} // namespace tonaq
