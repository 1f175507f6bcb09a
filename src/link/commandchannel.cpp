#include "link/commandchannel.h"

#include "base/tonaqerror.h"
#include "link/devicelink.h"

namespace tonaq {

CommandChannel::CommandChannel(const PortMap &ports, WireTrace *trace)
    : m_ports(ports)
    , m_trace(trace) {}

CommandChannel::~CommandChannel() = default;

void CommandChannel::createLink(const QString &settings) {
    auto link = std::make_unique<DeviceLink>(m_ports);
    link->setSettings(settings);
    link->setTrace(m_trace);
    m_link = std::move(link);
}

void CommandChannel::releaseLink() {
    // A handler further up the stack may still be inside the link's reply wait (the window
    // can be closed from there); let the event loop delete it once that wait has unwound.
    if (m_link) m_link.release()->deleteLater();
}

DeviceLink &CommandChannel::link() const {
    if (!m_link) throw TonaqError(ErrorCode::PortNotOpen);
    return *m_link;
}

QByteArray CommandChannel::transact(const QByteArray &command, ReplyShape shape) {
    send(command);
    return readReply(shape);
}

void CommandChannel::send(const QByteArray &command) {
    link().send(command);
}

QByteArray CommandChannel::readReply(ReplyShape shape) {
    const bool brief = !shape.examined && m_unitSkipsUnexamined;
    // A reply looked at takes the whole lines already waiting as well: a late answer to an
    // earlier command may stand ahead of its own.
    QByteArray reply = link().readReply(
        shape.lines, brief ? kBriefFirstByteTimeout : kFirstByteTimeout, shape.examined);
    if (!shape.examined && shape.lines > 0) m_unitSkipsUnexamined = reply.isEmpty();
    return reply;
}

} // namespace tonaq
