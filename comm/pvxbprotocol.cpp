#include "comm/pvxbprotocol.h"

#include "canvas/cattributes.h"
#include "comm/iinterface.h"
#include "comm/routinginfo.h"
#include "comm/tnodecalls.h"
#include "comm/ttransform.h"
#include "hardware/hnode.h"
#include "util/logcategories.h"

#include <QRegularExpression>

namespace {

constexpr uint replyTimeoutMs = 200;
constexpr char ack = 0x06;
constexpr char nak = 0x15;
constexpr int stateStructure = 4;
constexpr int meterStructure = 10;
constexpr int lastStructure = 10;

QString blockOf(const TTransform &transform)
{
    return transform.node()->label();
}

QString hexLower(int number)
{
    return QString::number(number, 16);
}

// A final CR removed, then cut at the first ";".
QString replyBody(const QByteArray &line)
{
    QString text = QString::fromLatin1(line);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text.section(QLatin1Char(';'), 0, 0);
}

// Which readings a category picks no matter how many there are.
std::optional<int> categoryIndex(const TTransform &transform, const QString &category, int count)
{
    const HNode *node = transform.node();
    if (category == QLatin1String("PSTN Out") && count == 2)
        return 1;
    if (category == QLatin1String("PSTN In") && count == 2)
        return 0;
    if (category == QLatin1String("USB Out"))
        return count / 2 + transform.indexOffset();
    if (category == QLatin1String("USB In"))
        return transform.indexOffset();
    const HNode *chassis = node->ancestorWithMarks(HNode::FlagChassis);
    const QString model = chassis ? chassis->title() : QString();
    const bool amplifier =
        model.startsWith(QLatin1String("LZ")) || model.startsWith(QLatin1String("TQ"));
    if ((category == QLatin1String("Analog In") || category == QLatin1String("Digital In")) &&
        amplifier)
        return node->pinIndex();
    return std::nullopt;
}

// Which reading the number of readings picks; nullopt when none is picked.
std::optional<int> countIndex(const TTransform &transform, const QString &category, int count)
{
    const HNode *node = transform.node();
    if (count == 4) {
        const int port = node->portIndex();
        return port >= 0 && port < 16 ? std::optional<int>(port % 4) : std::nullopt;
    }
    if (count == 8) {
        if (node->title() == QLatin1String("Amp Output"))
            return node->portIndex();
        const QStringList pieces = transform.channelName().split(QLatin1Char('-'));
        return pieces.size() < 2 ? -1 : TNodeCalls::channelIndex(node, pieces.at(1));
    }
    if (count > 8 && node->title().startsWith(QLatin1String("Dante "))) {
        const bool wide = count == 32 || count == 64 || count == 128;
        const bool output = category.contains(QLatin1String("Out"));
        return transform.channelIndex() + (output && wide ? count / 2 : 0);
    }
    return std::nullopt;
}

} // namespace

PVXBProtocol::PVXBProtocol(QObject *parent)
    : PProtocol(parent)
{}

PVXBProtocol::~PVXBProtocol() = default;

bool PVXBProtocol::write(TTransform *transform)
{
    if (!canSend(transform))
        return false;
    pauseOwnerPolling();
    const QStringList commands = setCommands(*transform);
    if (commands.isEmpty())
        return false;
    const int structure = int(transform->attributes().structure());
    const bool unanswered = structure == stateStructure || interface()->subscriptionMode();
    const int type = unanswered ? IInterface::NoAnswer : IInterface::Acknowledged;
    const QString target = setTarget(*transform);
    for (const QString &command : commands)
        sendMessage(command + QLatin1Char('\r'), type, QString(), target);
    return true;
}

bool PVXBProtocol::read(TTransform *transform)
{
    if (!canSend(transform))
        return false;
    m_currentTransform = transform;
    return issueQuery(*transform);
}

bool PVXBProtocol::handleReply(const QByteArray &line)
{
    if (line.isEmpty())
        return false;
    QList<QPointer<RoutingInfo>> infos;
    for (RoutingInfo *info : m_subscriptions.match(line))
        infos.append(info);
    bool taken = false;
    // A transform's reply signal may end a control, and with it later registrations.
    for (const QPointer<RoutingInfo> &info : std::as_const(infos)) {
        if (info)
            taken = deliver(*info, line) || taken;
    }
    return taken;
}

void PVXBProtocol::onNoReply(const QString &expectedReply)
{
    if (expectedReply != QLatin1String("SUB") || !interface() ||
        interface()->state() != IInterface::Online)
        return;
    qCDebug(lcProtocol) << "No answer to the subscription probe: polling";
    interface()->setSubscriptionMode(false);
    setSubscribed(false);
}

QString PVXBProtocol::name() const
{
    return QStringLiteral("VXB");
}

void PVXBProtocol::setInterface(IInterface *interface)
{
    PProtocol::setInterface(interface);
    if (interface && owner())
        m_subscriptions.attach(interface);
}

void PVXBProtocol::setOwner(QObject *owner)
{
    PProtocol::setOwner(owner);
    if (owner && interface())
        m_subscriptions.attach(interface());
}

void PVXBProtocol::resubscribe()
{
    m_subscriptions.clear(true);
    setSubscribed(false);
}

TTransform *PVXBProtocol::currentTransform() const
{
    return m_currentTransform.data();
}

bool PVXBProtocol::isSubscribed() const
{
    return m_subscribed;
}

void PVXBProtocol::requestMeterStatus(TTransform *transform)
{
    if (!transform) {
        qCWarning(lcProtocol) << "TTransform is not provided for Meter Status";
        return;
    }
    // Without them the query would name no meter.
    if (transform->attributes().isEmpty()) {
        qCWarning(lcProtocol) << "No attributes available.";
        return;
    }
    if (canSend(transform))
        issueQuery(*transform);
}

bool PVXBProtocol::onOnlineStateChanged(bool online)
{
    if (!online) {
        m_subscriptions.clear(false);
        setSubscribed(false);
    }
    emit onlineStateChanged(online);
    return false;
}

QString PVXBProtocol::query(const TTransform &transform)
{
    const CAttributes &attributes = transform.attributes();
    const QString block = blockOf(transform);
    const QString qi1 = QString::number(transform.queryIndex1());
    const QString qi2 = QString::number(transform.queryIndex2());
    switch (attributes.structure()) {
    case 0:
    case 1:
        return QStringLiteral("GA\"%1\">%2").arg(block, qi1);
    case 2:
        return QStringLiteral("GA\"%1\">%2>%3").arg(block, qi1, qi2);
    case 3: {
        const QString link = transform.linked() ? transform.linked()->valueText() : QString();
        return QStringLiteral("GA \"%1\">%2>%3").arg(block, link, qi2);
    }
    case 4:
        return QStringLiteral("GS ");
    case 5:
        return QStringLiteral("GG ") + hexLower(transform.queryIndex1());
    case 6:
        return QStringLiteral("GN ") + hexLower(transform.queryIndex1());
    case 7:
        return QStringLiteral("GA\"%1\">%2").arg(attributes.channelLabel(), qi2);
    case 8:
        return QStringLiteral("GA\"%1\">0>%2").arg(block, qi2);
    case 9: {
        QString text = transform.queryText();
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        return text;
    }
    case 10:
        return QStringLiteral("GL ") +
               QString::number(TNodeCalls::meterNumber(transform.node()), 16).toUpper();
    default:
        return {};
    }
}

QString PVXBProtocol::replyKey(const TTransform &transform)
{
    switch (transform.attributes().structure()) {
    case 4:
        return QStringLiteral("S ");
    case 5:
    case 6:
    case 10:
        return query(transform);
    case 9: // "GRC 1,[1,2]": the group's combos follow a comma
        return query(transform) + QLatin1Char(',');
    default:
        return query(transform) + QLatin1Char('=');
    }
}

QStringList PVXBProtocol::setCommands(const TTransform &transform)
{
    const QString target = setTarget(transform);
    const QString value = transform.valueText();
    switch (transform.attributes().structure()) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 7:
        return {target + QLatin1Char('=') + value};
    case 4:
        return {
            QStringLiteral("SS %1 ").arg(hexLower(transform.value(static_cast<int *>(nullptr))))};
    case 5:
    case 6:
        return {target + QLatin1Char(',') + value};
    case 8:
        return {value.isEmpty() ? target : target + QLatin1Char('=') + value};
    case 9: {
        // Room-combining texts arrive with their own CR; each command gets exactly one.
        QStringList commands;
        for (QString command : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            while (command.endsWith(QLatin1Char('\r')))
                command.chop(1);
            if (!command.isEmpty())
                commands.append(command);
        }
        return commands;
    }
    default:
        return {};
    }
}

QString PVXBProtocol::setTarget(const TTransform &transform)
{
    const CAttributes &attributes = transform.attributes();
    const QString block = blockOf(transform);
    const QString si1 = QString::number(transform.setIndex1());
    const QString index2 = QString::number(attributes.index2());
    switch (attributes.structure()) {
    case 0:
    case 1:
        return QStringLiteral("SA \"%1\">%2").arg(block, si1);
    case 2:
        return QStringLiteral("SA \"%1\">%2>%3")
            .arg(block, si1, QString::number(transform.setIndex2()));
    case 3: {
        const QString link = transform.linked() ? transform.linked()->valueText() : QString();
        return QStringLiteral("SA \"%1\">%2>%3").arg(block, link, index2);
    }
    case 4:
        return QStringLiteral("SS");
    case 5:
        return QStringLiteral("SG ") + hexLower(attributes.index1());
    case 6:
        return QStringLiteral("SN ") + hexLower(attributes.index1());
    case 7:
        return QStringLiteral("SA\"%1\">%2").arg(attributes.channelLabel(), index2);
    case 8:
        return QStringLiteral("MA \"%1\">%2").arg(block, si1);
    default:
        return {};
    }
}

bool PVXBProtocol::canSend(const TTransform *transform) const
{
    return transform && transform->node() && isOnline() &&
           transform->attributes().structure() <= lastStructure;
}

bool PVXBProtocol::issueQuery(TTransform &transform)
{
    const int structure = int(transform.attributes().structure());
    const QString text = query(transform);
    // A free-text node that offers no query (an unlinked placeholder) is not asked.
    if (text.isEmpty())
        return false;
    const QString request = structure == stateStructure ? QStringLiteral("S") : text;
    const QString decision = m_subscriptions.decide(request, structure, &transform, QString());
    const bool subscribe = m_subscribed && decision == QLatin1String("SUB");
    const bool poll = structure == meterStructure || decision == QLatin1String("POLL") ||
                      (decision == QLatin1String("SUB") && !m_subscribed);
    if (subscribe) {
        const QString subscription = structure == stateStructure
                                         ? QStringLiteral("SUB \"GS\"")
                                         : QStringLiteral("SUB \"%1\"").arg(text);
        m_subscriptions.decide(subscription, structure, &transform, QString());
        if (!poll) {
            sendMessage(subscription + QLatin1Char('\r'), IInterface::Query,
                        subscription + QStringLiteral(",yes"));
            return true;
        }
    }
    if (poll) {
        sendMessage(text + QLatin1Char('\r'), IInterface::Query, replyKey(transform));
        return true;
    }
    if (m_subscribed)
        interface()->armHostCheck();
    return false;
}

void PVXBProtocol::sendMessage(const QString &text, int type, const QString &expectedReply,
                               const QString &target)
{
    const ClientMessage message{type, text.toLatin1(), expectedReply.toLatin1(), replyTimeoutMs,
                                target.toLatin1()};
    qCDebug(lcProtocol) << "send" << message.data << "type" << type << "expecting"
                        << message.expectedReply;
    interface()->post(message);
}

void PVXBProtocol::pauseOwnerPolling()
{
    if (owner())
        QMetaObject::invokeMethod(owner(), "setPollingEnabled", Qt::DirectConnection,
                                  Q_ARG(bool, false));
}

void PVXBProtocol::setSubscribed(bool on)
{
    m_subscribed = on;
    m_subscriptions.setEnabled(on);
}

bool PVXBProtocol::deliver(const RoutingInfo &info, const QByteArray &line)
{
    if (info.structure() == SMSubscriptionManager::probeStructure)
        return takeProbeReply(line);
    TTransform *transform = info.transform();
    if (!transform)
        return false;
    switch (info.structure()) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 7:
    case 8:
        return takeAddressReply(*transform, info.structure(), line);
    case 4:
        return takeStateReply(*transform, line);
    case 5:
    case 6:
        return takeGroupReply(*transform, line);
    case 9:
        return takeFreeTextReply(*transform, line);
    case 10:
        return takeMeterReply(*transform, line);
    default:
        return false;
    }
}

bool PVXBProtocol::takeProbeReply(const QByteArray &line)
{
    QByteArray text = line;
    if (text.endsWith('\r'))
        text.chop(1);
    setSubscribed(text.endsWith("yes"));
    if (interface())
        interface()->setSubscriptionMode(m_subscribed);
    return true;
}

bool PVXBProtocol::takeAddressReply(TTransform &transform, int structure, const QByteArray &line)
{
    if (line.startsWith(nak))
        return false;
    if (line.startsWith(ack)) {
        transform.setReplyValue(SyncError);
        return true;
    }
    const QString body = replyBody(line);
    const qsizetype equals = body.indexOf(QLatin1Char('='));
    if (!body.startsWith(QLatin1String("GA")) || equals < 0)
        return false;
    const int arrows = structure == 2 || structure == 3 || structure == 8 ? 2 : 1;
    if (body.left(equals).count(QLatin1Char('>')) != arrows)
        return false;
    const QString name =
        structure == 7 ? transform.attributes().channelLabel() : blockOf(transform);
    if (body.section(QLatin1Char('"'), 1, 1) != name)
        return false;
    if (structure == 8)
        transform.setReplyIndex2(body.left(equals).section(QLatin1Char('>'), -1).toInt());
    transform.setReplyValue(body.mid(equals + 1));
    return true;
}

bool PVXBProtocol::takeStateReply(TTransform &transform, const QByteArray &line)
{
    const QString body = replyBody(line);
    if (!body.startsWith(QLatin1String("S ")))
        return false;
    transform.setReplyValue(QStringLiteral("0x") + body.section(QLatin1Char(' '), 1));
    return true;
}

bool PVXBProtocol::takeGroupReply(TTransform &transform, const QByteArray &line)
{
    const QString body = replyBody(line);
    const bool group = body.startsWith(QLatin1String("GG")) || body.startsWith(QLatin1String("GN"));
    if (!group || !body.contains(QLatin1Char(',')))
        return false;
    transform.setReplyValue(body.section(QLatin1Char(','), 1));
    return true;
}

bool PVXBProtocol::takeFreeTextReply(TTransform &transform, const QByteArray &line)
{
    if (line.isEmpty() || line.startsWith(nak))
        return false;
    transform.setReplyValue(line.startsWith(ack) ? SyncError : replyBody(line));
    return true;
}

bool PVXBProtocol::takeMeterReply(TTransform &transform, const QByteArray &line)
{
    static const QRegularExpression space(QStringLiteral("\\s"));
    const QString text = QString::fromLatin1(line);
    const QStringList pieces = text.split(space);
    if (pieces.size() < 3)
        return false;
    const QString list = pieces.at(2);
    if (list.size() < 2 || !list.startsWith(QLatin1Char('[')) || !list.endsWith(QLatin1Char(']')))
        return false;
    const QStringList readings = list.mid(1, list.size() - 2).split(QLatin1Char(','));
    const std::optional<QString> reading = meterReading(transform, readings, text);
    if (!reading)
        return false;
    transform.setReplyValue(*reading);
    return true;
}

std::optional<QString> PVXBProtocol::meterReading(const TTransform &transform,
                                                  const QStringList &readings, const QString &line)
{
    const HNode *node = transform.node();
    const int count = int(readings.size());
    const QString category =
        node->title() == QLatin1String("Amp Output") ? node->label() : node->title();
    if (category.startsWith(QLatin1String("VoIP")) && count == 4) {
        const int first = category.endsWith(QLatin1String("Out")) ? 2 : 0;
        const int pin = node->pinIndex();
        if (pin != 0 && pin != 1)
            return QStringLiteral("0");
        return readings.at(first + pin);
    }
    std::optional<int> index = categoryIndex(transform, category, count);
    if (!index)
        index = countIndex(transform, category, count);
    if (!index)
        return line;
    if (*index < 0 || *index >= count)
        return std::nullopt;
    return readings.at(*index);
}
