#pragma once

#include <QString>
#include <stdexcept>

namespace tonaq {

// The fixed numbers of the failures the program itself raises. The serial-port numbers are
// those a Windows operator of serial utilities already knows; the file numbers are the
// classic run-time ones, so a log line means the same on every system.
enum class ErrorCode : int {
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    DiskFull = 61,
    PermissionDenied = 70,
    InputPastEndOfFile = 62,
    PathFileAccessError = 75,
    PathNotFound = 76,
    InvalidPortNumber = 8002,
    PortAlreadyOpen = 8005,
    PortNotOpen = 8012,
    PortUnavailable = 8015,
    InvalidSettings = 8016,
    PortGone = 8018,
    WriteFailed = 8020,
    ReadFailed = 8021,
    ReplyTooLong = 8022,
    ReplyTooShort = 9,
};

// The description that goes with each number in the error log.
QString errorDescription(ErrorCode code);

// A failure of the link or of a file: carries the number and the description that the
// trapping handler writes to the error log.
class TonaqError : public std::runtime_error {
public:
    explicit TonaqError(ErrorCode code);
    TonaqError(ErrorCode code, const QString &description);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

} // namespace tonaq
