#include "simdevice.h"

#include "simcommand.h"
#include "simconnection.h"
#include "simlogcategory.h"
#include "simparameterstore.h"
#include "simroomcombos.h"

#include <QMap>
#include <QTcpSocket>

namespace {

const QByteArray Ack(1, 0x06);
const QByteArray Nak(1, 0x15);

} // namespace

SimDevice::SimDevice(const SimDeviceConfig &config, SimParameterStore *store, quint32 seed,
                     QObject *parent)
    : QObject(parent)
    , m_spec(config)
    , m_port(config.port)
    , m_store(store)
    , m_random(seed)
    , m_meters(seed)
{
    connect(&m_listener, &SimListener::accepted, this, &SimDevice::onAccepted);
    connect(m_store, &SimParameterStore::valueChanged, this, &SimDevice::onValueChanged);
    for (const QString &block : std::as_const(m_spec.telephones))
        addTelephone(block, m_spec.voipTelephones.contains(block));
}

SimDevice::~SimDevice()
{
    m_subscriptions.clear();
    qDeleteAll(std::exchange(m_connections, {}));
}

void SimDevice::setFaults(const SimFaults &faults)
{
    const bool refuseChanged = faults.refuse != m_faults.refuse;
    m_faults = faults;
    for (SimConnection *connection : std::as_const(m_connections))
        connection->setFaults(faults);
    if (refuseChanged && m_started)
        listen();
}

bool SimDevice::listen()
{
    m_started = true;
    if (m_faults.refuse)
        return reserveRefusedPort();
    if (m_listener.isListening())
        return true;
    if (!m_listener.listen(m_spec.address, m_port)) {
        m_errorString = m_listener.errorString();
        return false;
    }
    m_port = m_listener.serverPort();
    return true;
}

int SimDevice::meterWidth() const
{
    const bool amplifier = m_spec.platform.startsWith(QLatin1String("LZ")) ||
                           m_spec.platform.startsWith(QLatin1String("TQ"));
    return amplifier ? 8 : 4;
}

bool SimDevice::reserveRefusedPort()
{
    if (m_port == 0 && !m_listener.isListening() && !m_listener.listen(m_spec.address, 0)) {
        m_errorString = m_listener.errorString();
        return false;
    }
    if (m_listener.isListening())
        m_port = m_listener.serverPort();
    // A closed port makes the peer's connect fail as a real refusal does.
    m_listener.close();
    return true;
}

void SimDevice::onAccepted(QTcpSocket *socket)
{
    auto *connection = new SimConnection(socket, m_faults, this);
    m_connections.append(connection);
    connect(connection, &SimConnection::commandReceived, this,
            [this, connection](const QByteArray &line) { onCommand(connection, line); });
    connect(connection, &SimConnection::closed, this,
            [this, connection] { onConnectionClosed(connection); });
    connect(connection, &SimConnection::closedByFault, this,
            [this] { emit fault(QStringLiteral("closed")); });
    connect(connection, &SimConnection::dropped, this, [this](const QString &why) {
        qCWarning(lcDevsim).noquote() << m_spec.name << "drops a client:" << why;
        emit fault(QStringLiteral("dropped"));
    });
    connect(connection, &SimConnection::replyWritten, this, &SimDevice::replyWritten);
    connect(connection, &SimConnection::bytesWritten, this, &SimDevice::bytesWritten);
}

void SimDevice::onConnectionClosed(SimConnection *connection)
{
    m_subscriptions.removeIf(
        [connection](const Subscription &entry) { return entry.connection == connection; });
    m_connections.removeOne(connection);
    connection->deleteLater();
}

void SimDevice::onCommand(SimConnection *connection, const QByteArray &line)
{
    const SimCommand command = SimCommand::parse(line);
    emit commandReceived(line, command.kindName());
    if (!injectFault(connection))
        answer(connection, command);
}

bool SimDevice::injectFault(SimConnection *connection)
{
    if (m_faults.noAnswerRate > 0 && m_random.generateDouble() < m_faults.noAnswerRate) {
        emit fault(QStringLiteral("unanswered"));
        return true;
    }
    if (m_faults.nakRate > 0 && m_random.generateDouble() < m_faults.nakRate) {
        connection->queueReply(Nak);
        emit fault(QStringLiteral("nak"));
        return true;
    }
    return false;
}

void SimDevice::answer(SimConnection *connection, const SimCommand &command)
{
    switch (command.kind()) {
    case SimCommand::Unknown:
        connection->queueReply(Nak);
        emit fault(QStringLiteral("unknown"));
        return;
    case SimCommand::Probe:
        if (!m_faults.silentProbe)
            connection->queueReply(m_faults.noSubscribe ? "SUB,no" : "SUB,yes");
        return;
    case SimCommand::Subscribe:
        subscribe(connection, command);
        return;
    case SimCommand::Unsubscribe:
        unsubscribe(connection, command);
        return;
    default:
        break;
    }
    if (command.isQuery()) {
        connection->queueReply(queryReply(command));
        return;
    }
    // The ACK goes first: subscribers, the sender among them, then see the new value.
    connection->queueReply(Ack);
    const bool telephone = command.kind() == SimCommand::SetMatrix && playTelephone(command);
    if (command.kind() == SimCommand::SetCombo)
        applyCombos(command.comboSteps());
    else if (!telephone && command.hasValue())
        m_store->setValue(command.address(), command.value());
}

SimTelephone *SimDevice::telephone(const QString &block) const
{
    for (SimTelephone *line : m_telephones) {
        if (line->block() == block)
            return line;
    }
    return nullptr;
}

SimTelephone *SimDevice::addTelephone(const QString &block, bool voip)
{
    if (SimTelephone *known = telephone(block))
        return known;
    auto *line = new SimTelephone(block, voip, m_store, this);
    line->setTiming(m_telephoneTiming);
    connect(line, &SimTelephone::stateChanged, this,
            [this, block](const QString &state) { emit telephoneStateChanged(block, state); });
    m_telephones.append(line);
    return line;
}

void SimDevice::setTelephoneTiming(const SimTelephone::Timing &timing)
{
    m_telephoneTiming = timing;
    for (SimTelephone *line : std::as_const(m_telephones))
        line->setTiming(timing);
}

bool SimDevice::playTelephone(const SimCommand &command)
{
    // A matrix write reads `"block">0>code`; codes outside the dialer's stay plain values.
    const QString address = command.address();
    const int code = address.section(QLatin1Char('>'), -1).toInt();
    if (!SimTelephone::isCommand(code))
        return false;
    const QString block = address.mid(1, address.indexOf(QLatin1String("\">")) - 1);
    // A block the project did not show as a telephone is taken for a PSTN line.
    SimTelephone *line = addTelephone(block, false);
    if (!line->command(code, command.value()))
        qCDebug(lcDevsim).noquote() << m_spec.name << "telephone" << block << "ignores"
                                    << command.text() << "while" << line->state();
    return true;
}

void SimDevice::applyComboText(const QByteArray &line)
{
    const SimCommand command = SimCommand::parse(line);
    if (command.kind() == SimCommand::SetCombo)
        applyCombos(command.comboSteps());
}

void SimDevice::applyCombos(const QList<SimComboStep> &steps)
{
    QMap<int, SimRoomCombos> groups;
    for (const SimComboStep &step : steps) {
        auto found = groups.find(step.group());
        if (found == groups.end())
            found = groups.insert(step.group(), SimRoomCombos::fromText(comboText(step.group())));
        found->apply(step);
    }
    // Subscribers hear of a group once per line, and only when it changed.
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        const QString address = QStringLiteral("GRC ") + QString::number(it.key());
        const QString text = it->toText();
        if (text != comboText(it.key()))
            m_store->setValue(address, text);
    }
}

QString SimDevice::comboText(int group) const
{
    // A group nobody combined has no combos, which the store's "0" would not say.
    const QString address = QStringLiteral("GRC ") + QString::number(group);
    return m_store->contains(address) ? m_store->value(address) : QString();
}

QByteArray SimDevice::queryReply(const SimCommand &query)
{
    if (query.kind() == SimCommand::GetMeter) {
        const QByteArray readings = m_meters.nextReadings(query.meter(), meterWidth()).toLatin1();
        if (m_faults.lowerCaseMeter)
            return "GL " + QByteArray::number(query.meter(), 16) + ' ' + readings;
        return query.reply(QString::fromLatin1(readings));
    }
    if (query.kind() == SimCommand::GetCombo)
        return query.reply(comboText(query.address().mid(4).toInt()));
    return query.reply(m_store->value(query.address()));
}

void SimDevice::subscribe(SimConnection *connection, const SimCommand &command)
{
    if (m_faults.noSubscribe) {
        connection->queueReply(command.text() + ",no");
        return;
    }
    const QByteArray query = command.innerQuery();
    const bool known = std::any_of(
        m_subscriptions.cbegin(), m_subscriptions.cend(), [&](const Subscription &entry) {
            return entry.connection == connection && entry.query == query;
        });
    if (!known) {
        m_subscriptions.append({connection, query});
        emit subscribed(command.address());
    }
    connection->queueReply(command.text() + ",yes");
    // A subscriber is not polled again, so it learns the present value now.
    connection->queueReply(queryReply(SimCommand::parse(query)));
}

void SimDevice::unsubscribe(SimConnection *connection, const SimCommand &command)
{
    const QByteArray query = command.innerQuery();
    m_subscriptions.removeIf([&](const Subscription &entry) {
        return entry.connection == connection && entry.query == query;
    });
    connection->queueReply(command.text() + ",yes");
}

void SimDevice::onValueChanged(const QString &address, const QString &value)
{
    for (const Subscription &entry : std::as_const(m_subscriptions)) {
        const SimCommand query = SimCommand::parse(entry.query);
        if (query.address() == address)
            entry.connection->queueReply(query.reply(value));
    }
}
