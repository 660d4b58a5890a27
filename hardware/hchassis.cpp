#include "hardware/hchassis.h"

#include "comm/iinterface.h"
#include "comm/iinterfacefactory.h"
#include "comm/pprotocol.h"
#include "comm/pprotocolfactory.h"
#include "hardware/haudioio.h"
#include "hardware/hdevicedictionary.h"
#include "util/logcategories.h"

#include <QHostAddress>
#include <QXmlAttributes>
#include <QXmlStreamWriter>

namespace {

struct DeviceFamily
{
    const char *prefix;
    const char *platform;
    bool cordaLinkName;
};

// First match wins; a family without the link-name mark leaves the mark as it was.
const DeviceFamily deviceFamilies[] = {
    {"NVA", "NVA", false}, {"VXJ", "NVA", false}, {"QRT", "NVA", true},
    {"IN", "NVA", true},   {"LZ", "LZ", false},   {"TQ", "TQ", false},
};

// Every chassis at or below node, depth first.
void collectChassis(const HNode *node, QList<const HChassis *> &found)
{
    if (const auto *chassis = qobject_cast<const HChassis *>(node))
        found.append(chassis);
    for (int i = 0; i < node->childCount(); ++i)
        collectChassis(node->child(i), found);
}

} // namespace

HChassis::HChassis()
{
    setMarks(FlagChassis);
    m_ownedProtocol = PProtocolFactory::create(m_platform);
    setProtocol(m_ownedProtocol.get());
}

HChassis::~HChassis()
{
    // The composite deletes the nodes below after this body; none may keep the protocol's
    // address, and the protocol must not keep the connection's.
    setProtocol(nullptr);
    if (m_ownedProtocol)
        m_ownedProtocol->setInterface(nullptr);
    m_interface.reset();
}

quint16 HChassis::connectionPort() const
{
    return m_serialPort.toUShort(); // 0 when it is not a number or does not fit
}

void HChassis::parseProperty(const QXmlAttributes &attributes)
{
    HComposite::parseProperty(attributes);
    const QString name = attributes.value(QStringLiteral("name"));
    const QString value = attributes.value(QStringLiteral("value"));
    if (name == QLatin1String("ipAddress"))
        m_ipAddress = value;
    else if (name == QLatin1String("ipPort"))
        m_ipPort = value;
    else if (name == QLatin1String("monitorPort"))
        m_monitorPort = value;
    else if (name == QLatin1String("serialPortNumber"))
        m_serialPort = value;
    else if (name == QLatin1String("deviceType"))
        applyDeviceType(value);
    else if (name == QLatin1String("isMainNVA") && value == QLatin1String("True"))
        setMarks(FlagMain);
}

void HChassis::applyDeviceType(const QString &deviceType)
{
    for (const DeviceFamily &family : deviceFamilies) {
        if (deviceType.startsWith(QLatin1String(family.prefix))) {
            m_usesCordaLinkName = m_usesCordaLinkName || family.cordaLinkName;
            setPlatform(QLatin1String(family.platform));
            return;
        }
    }
    setPlatform(QString());
}

void HChassis::setPlatform(const QString &platform)
{
    m_platform = platform;
    // The channels' I/O categories come from the platform's module dictionaries.
    for (int i = 0; i < childCount(); ++i) {
        if (auto *channel = qobject_cast<HAudioIO *>(child(i)))
            channel->settleCategory();
    }
}

void HChassis::setConnectionAttribute(const QString &name, const QString &value)
{
    if (name == QLatin1String("title"))
        setTitle(value);
    else if (name == QLatin1String("ipaddress"))
        m_ipAddress = value;
    else if (name == QLatin1String("ipport"))
        m_ipPort = value;
    else if (name == QLatin1String("monitorport"))
        m_monitorPort = value;
    else if (name == QLatin1String("serialport"))
        m_serialPort = value;
    else if (name == QLatin1String("platform"))
        setPlatform(value);
    // A connection made earlier follows, so that the next open reaches the new endpoint.
    if (m_interface && name == QLatin1String("ipaddress"))
        m_interface->setAddress(QHostAddress(m_ipAddress));
    else if (m_interface && name == QLatin1String("serialport"))
        m_interface->setPort(connectionPort());
}

void HChassis::connectionAttributeEnded(const QString &name)
{
    if (name == QLatin1String("platform"))
        createConnection();
}

void HChassis::createConnection()
{
    if (!m_ownedProtocol || m_interface)
        return;
    m_interface.reset(IInterfaceFactory::create(m_platform));
    if (!m_interface)
        return;
    // The interface relies on this order: protocol, address and port, owner, then the protocol
    // learns its interface.
    m_interface->setProtocol(m_ownedProtocol.get());
    m_interface->setAddress(QHostAddress(m_ipAddress));
    m_interface->setPort(connectionPort());
    m_interface->setOwner(this);
    m_ownedProtocol->setInterface(m_interface.get());
}

bool HChassis::completeSetup()
{
    QString model = title();
    const int bracket = model.lastIndexOf(QLatin1Char('('));
    if (bracket > 0)
        model = model.left(bracket - 1); // "NVA-410 (RTC)" is the model "NVA-410"
    if (!HDeviceDictionary::containsLine(m_platform, QStringLiteral("Chassis.dict"), model)) {
        qCWarning(lcHardware).nospace()
            << "Failed to find the chassis title in resource file :data/Chassis.dict. This can "
               "happen when a new device has been added to VXB but not VXM. Make sure the "
               "resurce file has the string "
            << model;
    }
    return true;
}

bool HChassis::writeXml(QXmlStreamWriter &writer)
{
    if (!isReferenced() || !isFirstWithLinkName())
        return false;
    writer.writeStartElement(QStringLiteral("Connection"));
    writer.writeAttribute(QStringLiteral("name"), linkName());
    writer.writeStartElement(QStringLiteral("Property"));
    writer.writeAttribute(QStringLiteral("name"), QStringLiteral("attributes"));
    writer.writeTextElement(QStringLiteral("title"), title());
    writer.writeTextElement(QStringLiteral("ipaddress"), m_ipAddress);
    writer.writeTextElement(QStringLiteral("ipport"), m_ipPort);
    writer.writeTextElement(QStringLiteral("monitorport"), m_monitorPort);
    writer.writeTextElement(QStringLiteral("serialport"), m_serialPort);
    writer.writeTextElement(QStringLiteral("platform"), m_platform);
    writer.writeEndElement();
    writer.writeEndElement();
    return !writer.hasError();
}

// The tree is written in order, so the first referenced chassis that carries a connection name
// is the one that writes it.
bool HChassis::isFirstWithLinkName() const
{
    QList<const HChassis *> all;
    collectChassis(rootNode(), all);
    const QString name = linkName();
    for (const HChassis *chassis : std::as_const(all)) {
        if (chassis == this)
            return true;
        if (chassis->isReferenced() && chassis->linkName() == name)
            return false;
    }
    return true;
}

bool HChassis::isOnline() const
{
    return m_interface && m_interface->isOnline();
}

QString HChassis::platform() const
{
    return m_platform;
}

HNode *HChassis::findCounterpart(const HNode *otherTree) const
{
    if (!otherTree)
        return nullptr;
    QList<const HChassis *> all;
    collectChassis(otherTree, all);
    const QString mainTitle = title() + QStringLiteral(" (Main)");
    for (const HChassis *chassis : std::as_const(all)) {
        if (chassis->nodeNumber() == nodeNumber() &&
            (chassis->title() == title() || chassis->title() == mainTitle))
            return const_cast<HChassis *>(chassis);
    }
    return nullptr;
}

QString HChassis::category() const
{
    return QStringLiteral("Chassis");
}

void HChassis::setEnabled(bool on)
{
    createConnection();
    if (!m_interface || !hasMarks(FlagChildReferenced))
        return;
    emit onlineStateChanged(on);
    if (on)
        m_interface->open();
    else
        m_interface->close();
}

QString HChassis::networkStatus() const
{
    const QString device = title().isEmpty() ? label() : title();
    const QString state =
        m_interface ? m_interface->stateText() : IInterface::stateText(IInterface::Idle);
    const QString status = tr("%1%2\nIP Address: %3\nPort: %4")
                               .arg(device, state, m_ipAddress, QString::number(connectionPort()));
    if (!m_interface)
        return status;
    const qint64 sinceReply = m_interface->msSinceReply();
    const QString lastReply = sinceReply < 0 ? tr("never") : tr("%1 s ago").arg(sinceReply / 1000);
    return status + tr("\nState: %1\nLast reply: %2\nFailed messages: %3")
                        .arg(IInterface::linkStateText(m_interface->linkState()), lastReply,
                             QString::number(m_interface->failedMessages()));
}

void HChassis::nodeAttached(HNode *node)
{
    node->registerRooms(&m_roomCombining);
}
