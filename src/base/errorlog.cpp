#include "base/errorlog.h"

#include "base/basetitle.h"
#include "base/writablefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace tonaq {

namespace {

// The first character of a format that is not a field letter: the locale's separator.
QChar separatorIn(const QString &format, QChar fallback) {
    for (const QChar c : format) {
        if (!c.isLetter() && c != u'\'' && !c.isSpace()) return c;
    }
    return fallback;
}

} // namespace

QString errorLine(int number, const QString &description, const QString &procedure,
                  const QString &owner, int line) {
    return QStringLiteral("Error %1 (%2) in procedure %3 of %4 on line %5")
        .arg(QString::number(number), description, procedure, owner, QString::number(line));
}

QString logStamp(const QDateTime &when, QChar dateSeparator, QChar timeSeparator) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QStringLiteral("%1%2%3%4%5 %6%7%8")
        .arg(d.month())
        .arg(dateSeparator)
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(dateSeparator)
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(timeSeparator)
        .arg(t.minute(), 2, 10, QLatin1Char('0'));
}

QString logHeader() {
    return baseTitle() + QStringLiteral(" Error Log");
}

ErrorLog::ErrorLog(QString folder)
    : m_folder(std::move(folder)) {}

QString ErrorLog::defaultFolder() {
    QString programFolder = QCoreApplication::applicationDirPath();
    if (folderTakesFiles(programFolder)) return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tonaq");
}

QString ErrorLog::filePath() const {
    return m_folder + QStringLiteral("/ErrorLog.txt");
}

void ErrorLog::setListener(std::function<void(const QString &)> listener) {
    m_listener = std::move(listener);
}

void ErrorLog::logError(const QString &line) const {
    if (m_listener) m_listener(line);
    QDir().mkpath(m_folder);
    QFile file(filePath());
    if (!file.open(QIODevice::Append)) return;
    const QLocale locale = QLocale::system();
    QString text;
    if (file.size() == 0)
        text = logHeader() + QStringLiteral("\r\n") + QString(32, u'=') + QStringLiteral("\r\n");
    text += logStamp(QDateTime::currentDateTime(),
                     separatorIn(locale.dateFormat(QLocale::ShortFormat), u'/'),
                     separatorIn(locale.timeFormat(QLocale::ShortFormat), u':')) +
            u' ' + line + QStringLiteral("\r\n");
    file.write(text.toLatin1());
}

} // namespace tonaq
