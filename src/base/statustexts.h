#pragma once

#include <QString>

// The status texts that many commands share.
namespace tonaq::status {

inline QString ready() {
    return QStringLiteral("Ready");
}
// A command refused because no unit answered the connect.
inline QString notConnected() {
    return QStringLiteral("Not connected.");
}

} // namespace tonaq::status
