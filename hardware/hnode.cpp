#include "hardware/hnode.h"

#include "util/logcategories.h"

#include <QCoreApplication>
#include <QXmlAttributes>
#include <QXmlStreamWriter>

namespace {
const QString Unknown = QStringLiteral("???");
}

HNode::HNode() = default;

HNode::~HNode()
{
    if (m_parent)
        m_parent->removeChild(this);
}

void HNode::setLevelRange(const QString &max, const QString &min)
{
    m_levelMax = max;
    m_levelMin = min;
    m_hasLevelRange = true;
}

void HNode::setRange(const QString &property, const QString &max, const QString &min)
{
    m_rangeMax.insert(property, max);
    m_rangeMin.insert(property, min);
}

QString HNode::attribute(const QString &name) const
{
    if (name == QLatin1String("category"))
        return category();
    if (name == QLatin1String("id"))
        return m_id;
    if (name == QLatin1String("label"))
        return m_label;
    if (name == QLatin1String("title"))
        return m_title;
    if (name == QLatin1String("typenum"))
        return m_typenum;
    return QString();
}

QString HNode::linkName() const
{
    if (!hasMarks(FlagChassis))
        return m_parent ? m_parent->linkName() : Unknown;
    if (m_nodeNumber < 1)
        return m_label;
    return QStringLiteral("%1|||%2").arg(QStringLiteral("Chassis")).arg(m_nodeNumber);
}

QString HNode::chassisLabel() const
{
    const HNode *chassis = ancestorWithMarks(FlagChassis);
    return chassis ? chassis->label() : Unknown;
}

HNode *HNode::rootNode() const
{
    const HNode *node = this;
    while (node->m_parent)
        node = node->m_parent;
    return const_cast<HNode *>(node);
}

HNode *HNode::ancestorWithMarks(NodeFlags mask) const
{
    for (const HNode *node = this; node; node = node->m_parent) {
        if (node->hasMarks(mask))
            return const_cast<HNode *>(node);
    }
    return nullptr;
}

void HNode::parseProperty(const QXmlAttributes &attributes)
{
    const QString name = attributes.value(QStringLiteral("name"));
    const QString value = attributes.value(QStringLiteral("value"));
    if (name == QLatin1String("title"))
        m_title = value;
    else if (name == QLatin1String("label"))
        m_label = value;
    else if (name == QLatin1String("scriptFile"))
        m_scriptFile = value;
    else if (name == QLatin1String("index"))
        m_orderNumber = value.toInt();
    else if (name == QLatin1String("nodeID"))
        m_nodeNumber = value.toInt(); // decimal: "030216" is 30216
    else if (name == QLatin1String("controlCount"))
        m_controlCount = value.toInt();
    else if (name == QLatin1String("actionCount"))
        m_actionCount = value.toInt();
    else if (name.startsWith(QLatin1String("inputLabel")))
        m_inputLabels.append(value);
    parseBlockProperty(name, attributes);
}

// Ranges and labels that only the blocks use, read by the block kind the title names.
void HNode::parseBlockProperty(const QString &name, const QXmlAttributes &attributes)
{
    static const QStringList roomRouters = {QStringLiteral("Conference Room Router"),
                                            QStringLiteral("General Purpose Room Combiner"),
                                            QStringLiteral("Standard Room Combiner")};
    static const QStringList routerLevels = {
        QStringLiteral("bgmLevel"),        QStringLiteral("inputLevel"),
        QStringLiteral("level"),           QStringLiteral("masterVolume"),
        QStringLiteral("micMixLevel"),     QStringLiteral("programMixLevel"),
        QStringLiteral("preAecMicsLevel"), QStringLiteral("programLevel"),
        QStringLiteral("teleconLevel1")};
    static const QStringList toneBands = {QStringLiteral("low"), QStringLiteral("mid"),
                                          QStringLiteral("high")};

    const QString value = attributes.value(QStringLiteral("value"));
    const QString max = attributes.value(QStringLiteral("max"));
    const QString min = attributes.value(QStringLiteral("min"));
    const bool usb = m_title.startsWith(QLatin1String("USB"));

    if (m_title.startsWith(QLatin1String("AMM"))) {
        if (name == QLatin1String("channelCount")) {
            m_channelCount = value.toInt();
            m_hasChannelCount = true;
        }
    } else if (roomRouters.contains(m_title)) {
        if (name == QLatin1String("roomNumber"))
            m_roomNumber = value.toInt();
        else if (name == QLatin1String("rcGroupNumber"))
            m_rcGroupNumber = value.toInt();
        else if (routerLevels.contains(name))
            setRange(name, max, min);
        else if (m_title == roomRouters.first() && name == QLatin1String("teleconInputs"))
            m_teleconInputs = value.toInt();
        else if (m_title == roomRouters.first() && name == QLatin1String("micInputs"))
            m_micInputs = value.toInt();
    } else if (name == QLatin1String("level") || (usb && name.startsWith(QLatin1String("level")))) {
        setLevelRange(max, min);
    } else if (toneBands.contains(name)) {
        setRange(name, max, min);
    } else if (usb && (name.startsWith(QLatin1String("outName")) ||
                       name.startsWith(QLatin1String("label")))) {
        m_outputNames.append(value);
    }
}

void HNode::addAssignment(const QXmlAttributes &, bool) {}

void HNode::setConnectionAttribute(const QString &, const QString &) {}

void HNode::connectionAttributeEnded(const QString &) {}

bool HNode::completeSetup()
{
    if (m_parent)
        m_protocol = m_parent->protocol();
    return true;
}

bool HNode::writeXml(QXmlStreamWriter &)
{
    return true;
}

void HNode::mergeFrom(HNode *) {}

HNode *HNode::findByCategory(const QString &category) const
{
    return this->category() == category ? const_cast<HNode *>(this) : nullptr;
}

HNode *HNode::findById(int nodeNumber) const
{
    return m_nodeNumber == nodeNumber ? const_cast<HNode *>(this) : nullptr;
}

HNode *HNode::findByCategoryAndId(const QString &category, int nodeNumber) const
{
    return this->category() == category && m_nodeNumber == nodeNumber ? const_cast<HNode *>(this)
                                                                      : nullptr;
}

HNode *HNode::findByAttribute(const QString &name, const QString &value) const
{
    return attribute(name) == value ? const_cast<HNode *>(this) : nullptr;
}

HNode *HNode::findByCategoryAndAttribute(const QString &category, const QString &name,
                                         const QString &value) const
{
    return this->category() == category && attribute(name) == value ? const_cast<HNode *>(this)
                                                                    : nullptr;
}

HNode *HNode::findCounterpart(const HNode *otherTree) const
{
    if (!otherTree)
        return nullptr;
    // Many nodes carry no number (0): only a real number identifies a node across trees.
    if (m_nodeNumber >= 1) {
        if (HNode *node = otherTree->findByCategoryAndId(category(), m_nodeNumber))
            return node;
    }
    if (m_label.isEmpty())
        return nullptr;
    return otherTree->findByCategoryAndAttribute(category(), QStringLiteral("label"), m_label);
}

bool HNode::removeChild(HNode *)
{
    return false;
}

bool HNode::pruneUnused()
{
    if (isReferenced() || !hasMarks(FlagPlaceholder))
        return false;
    delete this;
    return true;
}

void HNode::clearReferenced()
{
    setReferenced(false);
}

bool HNode::removeWhereReferenced(bool state)
{
    if (hasMarks(FlagKeep) || isReferenced() != state)
        return false;
    delete this;
    return true;
}

void HNode::setReferenced(bool on)
{
    if (!m_parent)
        return;
    if (on) {
        setMarks(FlagReferenced);
        m_parent->setMarks(FlagChildReferenced);
    } else {
        clearMarks(FlagReferenced);
    }
}

bool HNode::isReferenced() const
{
    return hasMarks(FlagReferenced);
}

void HNode::clearConfirmed(bool isTop)
{
    if (!isTop)
        clearMarks(FlagConfirmed);
}

void HNode::clearChildReferenced()
{
    clearMarks(FlagChildReferenced);
}

bool HNode::deleteUnlessKeep()
{
    if (hasMarks(FlagKeep))
        return false;
    delete this;
    return true;
}

bool HNode::collectByCategory(const QString &category, QList<HNode *> &list)
{
    if (this->category() == category)
        list.append(this);
    return !list.isEmpty();
}

bool HNode::collectMatching(const QString &category, QList<HNode *> &list)
{
    return collectByCategory(category, list);
}

void HNode::sortByOrder(QList<HNode *> &) const {}

bool HNode::isOnline() const
{
    return false;
}

bool HNode::addNode(HNode *node)
{
    qCDebug(lcHardware).noquote() << "Adding node: " + (node ? node->label() : QString());
    return false;
}

HNode *HNode::child(int) const
{
    return nullptr;
}

int HNode::childCount() const
{
    return 0;
}

void HNode::nodeAttached(HNode *) {}

void HNode::registerRooms(HRCGroupInfo *) {}

void HNode::clickRoom() {}

QString HNode::roomColor() const
{
    return QStringLiteral("black");
}

QStringList HNode::combinedRoomNames() const
{
    return {};
}

QStringList HNode::comboColors() const
{
    return {};
}

QString HNode::comboColor(int) const
{
    return {};
}

int HNode::selectedCombo() const
{
    return 0;
}

void HNode::selectCombo(int) {}

void HNode::setProtocol(PProtocol *protocol)
{
    m_protocol = protocol;
}

HChassis *HNode::selectAttachChassis(HChassis *, HChassis *activeChassis) const
{
    return activeChassis;
}

void HNode::removeTitlePunctuation()
{
    m_title.remove(QLatin1Char('.'));
    m_title.remove(QLatin1Char(' '));
}

QString HNode::outputLabel(int index) const
{
    return index >= 0 && index < m_outputNames.size() ? m_outputNames.at(index)
                                                      : QStringLiteral("noPortLabel");
}

QString HNode::templatePath() const
{
    QString title = m_title;
    title.remove(QLatin1Char(' '));
    return QStringLiteral(":/data/") + platform() + QLatin1Char('/') + title + QLatin1Char('_') +
           m_typenum + QStringLiteral(".xml");
}

QString HNode::platform() const
{
    return m_parent ? m_parent->platform() : QString();
}

QString HNode::category() const
{
    return QString();
}

QString HNode::categoryText() const
{
    return QCoreApplication::translate("HNode", category().toUtf8().constData());
}

void HNode::setParentNode(HNode *parent)
{
    m_parent = parent;
}
