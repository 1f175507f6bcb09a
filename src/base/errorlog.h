#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <functional>

namespace tonaq {

// "Error 8015 (Could not open the port) in procedure COMPort_Click of Form frmTonaq on line 30"
QString errorLine(int number, const QString &description, const QString &procedure,
                  const QString &owner, int line);
// "3/03/2026 09:05": month without, day with a leading zero; the locale's separators.
QString logStamp(const QDateTime &when, QChar dateSeparator, QChar timeSeparator);
// The first header line, "Tonaq v1.0.23 Error Log".
QString logHeader();

// The error log, ErrorLog.txt: the only trace of a failure. Each call opens, appends and
// closes; a log that cannot be written is passed over in silence. A program without a window
// also listens, to say each failure on its own terminal.
class ErrorLog {
public:
    explicit ErrorLog(QString folder);
    // The program's folder, or the per-user data folder where that one is not writable.
    static QString defaultFolder();

    void logError(const QString &line) const;
    QString filePath() const;
    void setListener(std::function<void(const QString &line)> listener);

private:
    QString m_folder;
    std::function<void(const QString &)> m_listener;
};

} // namespace tonaq
