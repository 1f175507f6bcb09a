#include "base/tonaqerror.h"

namespace tonaq {

QString errorDescription(ErrorCode code) {
    switch (code) {
    case ErrorCode::ReplyTooShort:
        return QStringLiteral("Subscript out of range");
    case ErrorCode::BadFileNameOrNumber:
        return QStringLiteral("Bad file name or number");
    case ErrorCode::FileNotFound:
        return QStringLiteral("File not found");
    case ErrorCode::DiskFull:
        return QStringLiteral("Disk full");
    case ErrorCode::PermissionDenied:
        return QStringLiteral("Permission denied");
    case ErrorCode::InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case ErrorCode::PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case ErrorCode::PathNotFound:
        return QStringLiteral("Path not found");
    case ErrorCode::InvalidPortNumber:
        return QStringLiteral("Invalid port number");
    case ErrorCode::PortAlreadyOpen:
        return QStringLiteral("Port already open");
    case ErrorCode::PortNotOpen:
        return QStringLiteral("The device is not open");
    case ErrorCode::PortUnavailable:
        return QStringLiteral("Could not open the port");
    case ErrorCode::InvalidSettings:
        return QStringLiteral("Invalid port settings");
    case ErrorCode::PortGone:
        return QStringLiteral("The device has been removed");
    case ErrorCode::WriteFailed:
        return QStringLiteral("Write to the port failed");
    case ErrorCode::ReadFailed:
        return QStringLiteral("Read from the port failed");
    case ErrorCode::ReplyTooLong:
        return QStringLiteral("Reply too long");
    }
    return {};
}

TonaqError::TonaqError(ErrorCode code)
    : TonaqError(code, errorDescription(code)) {}

TonaqError::TonaqError(ErrorCode code, const QString &description)
    : std::runtime_error(description.toStdString())
    , m_number(static_cast<int>(code))
    , m_description(description) {}

} // namespace tonaq
