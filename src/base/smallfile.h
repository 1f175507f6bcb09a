#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tonaq {

// Reads a file that an operator names and that is known to be small (a CA, a key, a ports
// folder entry) whole, without ever blocking: only a regular file, or a link to one, of at most
// `limit` bytes is read; a FIFO, a device or a folder is refused before it is opened for
// reading, so that nothing waits for a writer or reads for ever. Nothing and, when asked, why
// ("not a regular file", "larger than 65536 bytes", the system's reason) otherwise.
std::optional<QByteArray> readSmallFile(const QString &path, qint64 limit, QString *why = nullptr);

} // namespace tonaq
