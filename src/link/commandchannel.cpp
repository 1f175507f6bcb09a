#include "link/commandchannel.h"

#include "app/tonaqerror.h"
#include "link/devicelink.h"

namespace tonaq {

CommandChannel::CommandChannel(const PortMap &ports)
    : m_ports(ports) {}

CommandChannel::~CommandChannel() = default;

void CommandChannel::createLink(const QString &settings) {
    auto link = std::make_unique<DeviceLink>(m_ports);
    link->setSettings(settings);
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

QString CommandChannel::Transact(const QString &command) {
    SendCommand(command);
    return ReadReply();
}

void CommandChannel::SendCommand(const QString &command) {
    link().SendCommand(command.toLatin1());
}

QString CommandChannel::ReadReply() {
    return QString::fromLatin1(link().ReadReply());
}

} // namespace tonaq
