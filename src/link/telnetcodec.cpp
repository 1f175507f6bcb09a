#include "link/telnetcodec.h"

#include <QStringList>

namespace tonaq {

namespace {

using namespace telnet;

// A subnegotiation longer than this (no COM-PORT-OPTION message is) is cut, not grown forever.
constexpr qsizetype kMaxSubnegotiation = 1024;

bool weWant(quint8 option) {
    return option == kBinary || option == kSuppressGoAhead || option == kComPort;
}

bool weAccept(quint8 option) {
    return option == kBinary || option == kSuppressGoAhead;
}

QByteArray bytes(std::initializer_list<quint8> values) {
    QByteArray bytes;
    for (const quint8 value : values)
        bytes += char(value);
    return bytes;
}

QByteArray command(quint8 verb, quint8 option) {
    return bytes({kIac, verb, option});
}

// RFC 2217's codes for the settings.
quint32 parityCode(QSerialPort::Parity parity) {
    switch (parity) {
    case QSerialPort::NoParity:
        return 1;
    case QSerialPort::OddParity:
        return 2;
    case QSerialPort::EvenParity:
        return 3;
    case QSerialPort::MarkParity:
        return 4;
    case QSerialPort::SpaceParity:
        return 5;
    }
    return 0;
}

quint32 stopCode(QSerialPort::StopBits stopBits) {
    switch (stopBits) {
    case QSerialPort::OneStop:
        return 1;
    case QSerialPort::TwoStop:
        return 2;
    case QSerialPort::OneAndHalfStop:
        return 3;
    }
    return 0;
}

QString settingText(int setting, quint32 value) {
    static const char *const parities[] = {"no", "odd", "even", "mark", "space"};
    static const char *const stops[] = {"1", "2", "1.5"};
    switch (setting) {
    case 0:
        return QStringLiteral("%1 baud").arg(value);
    case 1:
        return QStringLiteral("%1 data bits").arg(value);
    case 2:
        return value >= 1 && value <= 5 ? QStringLiteral("%1 parity").arg(parities[value - 1])
                                        : QStringLiteral("parity code %1").arg(value);
    default:
        return value >= 1 && value <= 3 ? QStringLiteral("%1 stop bits").arg(stops[value - 1])
                                        : QStringLiteral("stop size code %1").arg(value);
    }
}

} // namespace

QByteArray TelnetCodec::start() {
    QByteArray requests;
    for (const quint8 option : {kBinary, kSuppressGoAhead, kComPort}) {
        m_ours[option].asked = true;
        requests += command(kWill, option);
    }
    for (const quint8 option : {kBinary, kSuppressGoAhead}) {
        m_theirs[option].asked = true;
        requests += command(kDo, option);
    }
    return requests;
}

TelnetCodec::Decoded TelnetCodec::decode(QByteArrayView bytes) {
    Decoded out;
    out.data.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<quint8>(bytes[i]);
        switch (m_state) {
        case State::Data:
            if (byte == kIac)
                m_state = State::Iac;
            else
                out.data += char(byte);
            break;
        case State::Iac:
            if (byte == kIac) {
                out.data += char(byte);
                m_state = State::Data;
            } else if (byte >= kWill && byte <= kDont) {
                m_verb = byte;
                m_state = State::Verb;
            } else if (byte == kSb) {
                m_sub.clear();
                m_state = State::Sub;
            } else {
                m_state = State::Data; // NOP, go-ahead, data mark...: nothing for us
            }
            break;
        case State::Verb:
            verb(m_verb, byte, out.answer);
            m_state = State::Data;
            break;
        case State::Sub:
            if (byte == kIac)
                m_state = State::SubIac;
            else if (m_sub.size() < kMaxSubnegotiation)
                m_sub += char(byte);
            break;
        case State::SubIac:
            if (byte == kIac) {
                if (m_sub.size() < kMaxSubnegotiation) m_sub += char(byte);
                m_state = State::Sub;
            } else {
                // IAC SE ends it; any other command ends it too and is then read as itself.
                endSubnegotiation(out);
                m_state = State::Data;
                if (byte != kSe) {
                    m_state = State::Iac;
                    --i;
                }
            }
            break;
        }
    }
    return out;
}

void TelnetCodec::endSubnegotiation(Decoded &out) {
    if (m_sub.size() >= 2 && static_cast<quint8>(m_sub[0]) == kComPort)
        out.comPort.append({static_cast<quint8>(m_sub[1]), m_sub.mid(2)});
    m_sub.clear();
}

void TelnetCodec::verb(quint8 verb, quint8 option, QByteArray &answer) {
    const bool theirs = verb == kWill || verb == kWont;
    const bool enable = verb == kWill || verb == kDo;
    Side &side = theirs ? m_theirs[option] : m_ours[option];
    const bool wanted = theirs ? weAccept(option) : weWant(option);
    if (enable && wanted) {
        if (!side.enabled && !side.asked) answer += command(theirs ? kDo : kWill, option);
        side.enabled = true;
        side.asked = false;
    } else if (enable) {
        answer += command(theirs ? kDont : kWont, option);
    } else {
        if (side.enabled) answer += command(theirs ? kDont : kWont, option);
        side.enabled = false;
        side.asked = false;
    }
    if (!theirs && option == kComPort)
        m_comPortOffer = m_ours[kComPort].enabled ? Offer::Accepted : Offer::Refused;
}

QByteArray TelnetCodec::escape(QByteArrayView data) {
    QByteArray escaped;
    escaped.reserve(data.size() + 8);
    for (const char byte : data) {
        escaped += byte;
        if (static_cast<quint8>(byte) == kIac) escaped += byte;
    }
    return escaped;
}

QByteArray TelnetCodec::comPortCommand(quint8 command, QByteArrayView value) {
    return bytes({kIac, kSb, kComPort, command}) + escape(value) + bytes({kIac, kSe});
}

ComPortSetup::ComPortSetup(const LineSettings &settings)
    : m_asked{static_cast<quint32>(settings.baudRate), static_cast<quint32>(settings.dataBits),
              parityCode(settings.parity), stopCode(settings.stopBits)} {}

QByteArray ComPortSetup::requests() const {
    const quint32 baud = m_asked[Baud];
    const char baudBytes[] = {char(baud >> 24), char(baud >> 16), char(baud >> 8), char(baud)};
    QByteArray requests = TelnetCodec::comPortCommand(comport::kSetBaudRate, {baudBytes, 4});
    for (const int setting : {DataSize, Parity, StopSize}) {
        const char value = char(m_asked[setting]);
        requests +=
            TelnetCodec::comPortCommand(quint8(comport::kSetBaudRate + setting), {&value, 1});
    }
    const char noFlowControl = 1;
    return requests + TelnetCodec::comPortCommand(comport::kSetControl, {&noFlowControl, 1});
}

void ComPortSetup::take(const ComPortMessage &message) {
    const int setting = message.command - comport::kServerOffset - comport::kSetBaudRate;
    if (setting < 0 || setting >= SettingCount) return;
    quint32 value = 0;
    for (const char byte : message.value)
        value = value << 8 | static_cast<quint8>(byte);
    const qsizetype width = setting == Baud ? 4 : 1;
    if (value == m_asked[setting] && message.value.size() == width) {
        m_acknowledged[setting] = true;
    } else if (m_fault.isEmpty()) {
        m_fault = QStringLiteral("the server set %1 instead of %2")
                      .arg(settingText(setting, value), settingText(setting, m_asked[setting]));
    }
}

bool ComPortSetup::complete() const {
    return m_fault.isEmpty() && missing().isEmpty();
}

QString ComPortSetup::missing() const {
    static const char *const names[] = {"baud rate", "data size", "parity", "stop size"};
    QStringList missing;
    for (int setting = 0; setting < SettingCount; ++setting) {
        if (!m_acknowledged[setting]) missing << QString::fromLatin1(names[setting]);
    }
    return missing.join(QStringLiteral(", "));
}

} // namespace tonaq
