#include "comm/smsubscriptionmanager.h"

#include "comm/iinterface.h"
#include "comm/routinginfo.h"
#include "comm/ttransform.h"
#include "util/logcategories.h"

#include <QRegularExpression>

namespace {

const QString poll = QStringLiteral("POLL");
const QString sub = QStringLiteral("SUB");
const QString uns = QStringLiteral("UNS");
constexpr char ack = 0x06;
constexpr char nak = 0x15;
constexpr uint replyTimeoutMs = 200;
constexpr int freeTextStructure = 9;

// A leading ACK or NAK belongs to the framing, not to the key; the parse still sees it.
QString keyText(const QByteArray &line)
{
    qsizetype start = 0;
    while (start < line.size() && (line.at(start) == ack || line.at(start) == nak))
        ++start;
    QString text = QString::fromLatin1(line.mid(start));
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

QStringList tokens(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

void sendText(IInterface *client, const QString &message, const QString &expected)
{
    const QByteArray bytes = message.toLatin1();
    const QByteArray expectedBytes = expected.toLatin1();
    client->send(bytes.constData(), int(bytes.size()), IInterface::Query, expectedBytes.constData(),
                 replyTimeoutMs);
}

} // namespace

SMSubscriptionManager::SMSubscriptionManager(QObject *parent)
    : QObject(parent)
{}

SMSubscriptionManager::~SMSubscriptionManager() = default;

void SMSubscriptionManager::attach(IInterface *interface)
{
    if (m_client)
        disconnect(m_client, nullptr, this, nullptr);
    m_client = interface;
    decide(sub, probeStructure, nullptr, QString());
    if (!m_client)
        return;
    if (m_client->state() == IInterface::Online)
        sendProbe();
    // Every connection that comes on line; the probe itself skips a device whose mode is known.
    connect(m_client, &IInterface::interfaceStateChanged, this, [this](bool online) {
        if (online)
            onConnectionActive();
    });
}

QString SMSubscriptionManager::decide(const QString &request, int structure, TTransform *transform,
                                      const QString &text)
{
    QString key = request;
    if (key.endsWith(QLatin1Char('\r')))
        key.chop(1);
    if (structure == freeTextStructure)
        key += QLatin1Char(',');

    if (m_table.empty() && key != sub) {
        add(sub, probeStructure, nullptr, QString());
        sendProbe();
    }

    const auto range = m_table.equal_range(key);
    if (range.first == range.second) {
        add(key, structure, transform, text);
        return m_enabled ? sub : poll;
    }

    bool foundFirst = false;
    bool found = false;
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second->isSame(structure, transform, text)) {
            found = true;
            foundFirst = it == range.first;
            break;
        }
    }
    if (!found)
        add(key, structure, transform, text);

    if (!m_enabled)
        return foundFirst ? poll : QString();
    if (m_table.count(subscriptionText(request, key)) > 0)
        return found ? QString() : sub;
    return sub;
}

QList<RoutingInfo *> SMSubscriptionManager::match(const QByteArray &line) const
{
    QString key = replyKey(line);
    if (key.startsWith(QLatin1String("GL")) && m_table.count(key) == 0)
        key = key.toUpper();
    QList<RoutingInfo *> infos;
    const auto range = m_table.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        if (!it->second->isOrphan())
            infos.append(it->second.get());
    }
    return infos;
}

QString SMSubscriptionManager::replyKey(const QByteArray &line)
{
    const QString text = keyText(line);
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals >= 0)
        return text.left(equals);
    if (text.startsWith(QLatin1String("GRC "))) {
        // A group with no combo may be answered without the comma.
        const qsizetype comma = text.indexOf(QLatin1Char(','));
        return comma < 0 ? text.trimmed() + QLatin1Char(',') : text.left(comma + 1);
    }
    if (text.startsWith(QLatin1String("GL"))) {
        const QStringList words = tokens(text);
        return words.size() >= 2 ? words.at(0) + QLatin1Char(' ') + words.at(1) : QString();
    }
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() == 2)
        return parts.at(0);
    if (parts.size() == 1) {
        const QStringList words = tokens(text);
        if (words.size() >= 2)
            return words.at(0);
    }
    return {};
}

void SMSubscriptionManager::clear(bool withdrawSubscriptions)
{
    while (!m_table.empty()) {
        const QString key = m_table.begin()->first;
        if (withdrawSubscriptions)
            withdraw(*m_table.begin()->second);
        m_table.erase(key);
    }
}

void SMSubscriptionManager::sendProbe()
{
    if (!m_client || m_client->isSubscriptionModeSet())
        return;
    qCDebug(lcProtocol) << "Subscription probe";
    sendText(m_client, QStringLiteral("SUB\r"), sub);
}

void SMSubscriptionManager::onConnectionActive()
{
    sendProbe();
}

void SMSubscriptionManager::onSelectedZoneChanged()
{
    clear(true);
}

RoutingInfo *SMSubscriptionManager::add(const QString &key, int structure, TTransform *transform,
                                        const QString &text)
{
    auto info = std::make_unique<RoutingInfo>(structure, transform, text);
    RoutingInfo *added = info.get();
    m_table.emplace(key, std::move(info));
    if (transform)
        connect(transform, &QObject::destroyed, this, &SMSubscriptionManager::dropOrphans,
                Qt::UniqueConnection);
    return added;
}

void SMSubscriptionManager::dropOrphans()
{
    for (auto it = m_table.begin(); it != m_table.end();) {
        if (it->second->isOrphan())
            it = m_table.erase(it);
        else
            ++it;
    }
}

void SMSubscriptionManager::withdraw(const RoutingInfo &info)
{
    const QString opening = QStringLiteral("SUB \"");
    if (!m_client || !info.text().startsWith(opening))
        return;
    // What is withdrawn is the query inside the quotes of SUB "<query>".
    QString query = info.text().mid(opening.size());
    if (query.endsWith(QLatin1Char('"')))
        query.chop(1);
    const QString message = QStringLiteral("%1 \"%2\"\r").arg(uns, query);
    sendText(m_client, message, message.chopped(1) + QStringLiteral(",yes"));
}

QString SMSubscriptionManager::subscriptionText(const QString &request, const QString &key)
{
    if (request.startsWith(sub))
        return request;
    if (request == QLatin1String("S"))
        return QStringLiteral("SUB \"GS\"");
    return QStringLiteral("SUB \"%1\"").arg(key);
}
