#pragma once

#include "link/replyshape.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace tonaq {

class DeviceLink;
class PortMap;
class WireTrace;

// The way to the unit: the one DeviceLink, created at start-up and released at shutdown, and
// transact(), which sends a command and reads its reply at once, in the reply's shape.
class CommandChannel {
public:
    explicit CommandChannel(const PortMap &ports, WireTrace *trace = nullptr);
    ~CommandChannel();

    void createLink(const QString &settings);
    void releaseLink();
    bool hasLink() const { return m_link != nullptr; }
    // The link; raises TonaqError (PortNotOpen) once it has been released.
    DeviceLink &link() const;

    // Sends the command and returns what the unit answered; empty when nothing came. A reply
    // nobody looks at is read all the same, to keep replies and commands in step, but after
    // the unit has left one such reply unanswered the next is waited for only briefly.
    QByteArray transact(const QByteArray &command, ReplyShape shape);
    void send(const QByteArray &command);
    QByteArray readReply(ReplyShape shape);

private:
    const PortMap &m_ports;
    WireTrace *m_trace;
    std::unique_ptr<DeviceLink> m_link;
    bool m_unitSkipsUnexamined = false;
};

} // namespace tonaq
