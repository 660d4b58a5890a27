#include "hardware/xvxjhandler.h"

#include "formats/xmlguard.h"
#include "hardware/hchassis.h"
#include "hardware/hnodefactory.h"
#include "hardware/hparametersetlist.h"
#include "hardware/hrcgroup.h"
#include "hardware/hroot.h"
#include "model/mproject.h"
#include "util/logcategories.h"

#include <QDomDocument>
#include <QFile>
#include <QHash>
#include <QMessageBox>
#include <QSet>
#include <QXmlAttributes>
#include <QXmlInputSource>
#include <QXmlSimpleReader>

namespace {

const QString SupportAddress = QStringLiteral("https://support.orvik.example/designer");

// Definition and assignment-owner elements: the container a definition sits in and the category
// under which its node is found again in the assignment section.
struct OwnerKind
{
    QLatin1String element;
    QLatin1String container;
    const char *category;
};

constexpr OwnerKind OwnerKinds[] = {
    {QLatin1String("Group"), QLatin1String("Groups"), QT_TRANSLATE_NOOP("HNode", "Groups")},
    {QLatin1String("ParameterSet"), QLatin1String("ParameterSets"),
     QT_TRANSLATE_NOOP("HNode", "ParameterSets")},
    {QLatin1String("RCGroup"), QLatin1String("RCGroups"), QT_TRANSLATE_NOOP("HNode", "RCGroups")},
    {QLatin1String("PanelList"), QLatin1String("ParameterSetLists"),
     QT_TRANSLATE_NOOP("HNode", "ParameterSetLists")},
};

const OwnerKind *ownerKind(const QString &element)
{
    for (const OwnerKind &kind : OwnerKinds) {
        if (element == kind.element)
            return &kind;
    }
    return nullptr;
}

QString shortClassName(QString className)
{
    className.remove(QStringLiteral("Orvik.Atelier.Nodes."));
    className.remove(QStringLiteral("Devices."));
    return className;
}

// The Node element around the first "nodeID" property of each value.
QHash<QString, QDomElement> indexNodesById(const QDomDocument &document)
{
    QHash<QString, QDomElement> nodes;
    const QDomNodeList properties = document.elementsByTagName(QStringLiteral("Property"));
    for (int i = 0; i < properties.count(); ++i) {
        const QDomElement property = properties.at(i).toElement();
        const QString id = property.attribute(QStringLiteral("value"));
        if (property.attribute(QStringLiteral("name")) != QLatin1String("nodeID") ||
            nodes.contains(id))
            continue;
        for (QDomNode above = property.parentNode(); !above.isNull(); above = above.parentNode()) {
            if (above.nodeName() == QLatin1String("Node")) {
                nodes.insert(id, above.toElement());
                break;
            }
        }
    }
    return nodes;
}

QDomElement titleProperty(const QDomElement &node)
{
    const QDomNodeList properties = node.elementsByTagName(QStringLiteral("Property"));
    for (int i = 0; i < properties.count(); ++i) {
        const QDomElement property = properties.at(i).toElement();
        if (property.attribute(QStringLiteral("name")) == QLatin1String("title"))
            return property;
    }
    return QDomElement();
}

} // namespace

XVXJHandler::XVXJHandler(HRoot *root, MProject *projectInfo, bool mergeMode)
    : m_root(root)
    , m_projectInfo(projectInfo)
    , m_mergeMode(mergeMode)
{}

XVXJHandler::~XVXJHandler() = default;

bool XVXJHandler::load(HRoot *root, const QString &fileName, bool mergeMode, MProject *projectInfo,
                       QString *error)
{
    const QString document = tr("the designer project");
    const auto fail = [&](const QString &reason) {
        qCWarning(lcHardware).noquote() << "XVXJHandler::load:" << fileName << "-" << reason;
        if (error)
            *error = reason;
        return false;
    };
    QFile file(fileName);
    if (!root || !file.open(QIODevice::ReadOnly))
        return fail(tr("%1 cannot be read").arg(document));
    // The DOM pass reads the same bytes, so one check covers both parses.
    XmlGuard guard(document);
    guard.limit(QStringLiteral("Node"), MaxNodes, tr("devices, channels and blocks"));
    if (!guard.check(&file))
        return fail(guard.reason());
    XVXJHandler handler(root, projectInfo, mergeMode);
    if (!file.seek(0))
        return fail(tr("%1 cannot be read").arg(document));
    handler.setRawText(file.readAll());
    if (!file.seek(0))
        return fail(tr("%1 cannot be read").arg(document));
    QXmlInputSource source(&file);
    QXmlSimpleReader reader;
    reader.setContentHandler(&handler);
    reader.setErrorHandler(&handler);
    if (!reader.parse(&source)) {
        return fail(handler.m_refusal.isEmpty()
                        ? XmlGuard::malformed(document, handler.errorLine(), handler.errorMessage())
                        : handler.m_refusal);
    }
    return true;
}

bool XVXJHandler::startElement(const QString &, const QString &, const QString &qName,
                               const QXmlAttributes &attributes)
{
    push(qName);
    if (qName == QLatin1String("LogicView") && m_currentNode &&
        m_currentNode->title() == QLatin1String("Logic"))
        m_skipLogic = true;

    if (qName == QLatin1String("Project"))
        return checkVersion(attributes);
    if (qName == QLatin1String("ProjectInfo")) {
        openSection(ModeProjectInfo, qName);
        return true;
    }
    if (qName == QLatin1String("Nodes") && m_mergeMode)
        m_root->clearConfirmed(true);
    if (m_skipLogic)
        return true;

    if (qName == QLatin1String("Node")) {
        if (oneLevelUp() == QLatin1String("Nodes"))
            beginNode(attributes);
    } else if (const OwnerKind *kind = ownerKind(qName)) {
        if (oneLevelUp() == kind->container)
            beginDefinition(qName, attributes);
        else if (oneLevelUp() == QLatin1String("Assignment"))
            beginOwner(qName, attributes);
    } else {
        dispatch(qName, attributes);
    }
    return true;
}

bool XVXJHandler::endElement(const QString &, const QString &, const QString &qName)
{
    const int depth = this->depth();
    pop();
    if (qName == QLatin1String("LogicView"))
        m_skipLogic = false;
    if (m_inSection && depth == m_sectionDepth && qName == m_currentElement)
        closeSection();
    return true;
}

bool XVXJHandler::characters(const QString &text)
{
    if (m_mode != ModeProjectInfo || !m_projectInfo)
        return true;
    const QString value = processText(text);
    if (!value.isEmpty())
        m_projectInfo->set(oneLevelUp(), top(), value);
    return true;
}

QString XVXJHandler::errorString() const
{
    return m_refusal.isEmpty() ? XmlHandler::errorString() : m_refusal;
}

bool XVXJHandler::checkVersion(const QXmlAttributes &attributes)
{
    const QString version = attributes.value(QStringLiteral("version"));
    if (version.toDouble() >= MinimumVersion)
        return true;
    m_refusal = tr("the designer project is version %1, older than 4.2").arg(version);
    QMessageBox::warning(
        nullptr, tr("Open Veloxa Designer File Error"),
        tr("Veloxa Remote builder cannot open this file. (version: ") + version +
            tr(")\n\nVeloxa Designer files saved in a version earlier than Veloxa v4.2 can't be "
               "opened. If your file is from an earlier version, please visit ") +
            SupportAddress +
            tr(" to download the latest version of Veloxa Designer.\n\nOnce you have installed "
               "the latest version of Veloxa Designer, open the design file and re-save it. This "
               "will update the file to the newest format which can then be opened in Veloxa "
               "Remote builder. Also ensure that your system devices have been updated to the "
               "latest firmware (System->Update Firmware). "),
        QMessageBox::Ok);
    return false;
}

void XVXJHandler::openSection(Mode mode, const QString &element)
{
    m_inSection = true;
    m_mode = mode;
    m_currentElement = element;
    m_sectionDepth = depth();
}

void XVXJHandler::beginNode(const QXmlAttributes &attributes)
{
    openSection(ModeNode, QStringLiteral("Node"));
    m_currentNode.reset(
        HNodeFactory::create(shortClassName(attributes.value(QStringLiteral("className"))),
                             attributes.value(QStringLiteral("cardType"))));
    if (!m_currentNode)
        return;
    m_currentNode->setTypenum(attributes.value(QStringLiteral("typeNumber")));
    m_currentNode->setPortIndex(attributes.value(QStringLiteral("portIndex")).toInt());
    m_currentNode->clearMarks(HNode::FlagPlaceholder);
    bool isNumber = false;
    const int pin = attributes.value(QStringLiteral("pinIndex")).toInt(&isNumber);
    if (isNumber)
        m_currentNode->setPinIndex(pin);
}

void XVXJHandler::beginDefinition(const QString &element, const QXmlAttributes &attributes)
{
    openSection(ModeNode, element);
    m_currentNode.reset(HNodeFactory::create(element, QString()));
    if (!m_currentNode) {
        if (element == QLatin1String("ParameterSet"))
            qCDebug(lcHardware) << "XVXJHandler::processParamSet - Failed to create HParameterSet";
        return;
    }
    const QString id = attributes.value(QStringLiteral("id"));
    m_currentNode->setId(id);
    if (element == QLatin1String("Group") && m_tqAmpFound)
        m_currentNode->setDeviceTypes(findGroupAmplifiers(id));
}

void XVXJHandler::beginOwner(const QString &element, const QXmlAttributes &attributes)
{
    const bool panelList = element == QLatin1String("PanelList");
    openSection(panelList ? ModePanelList : ModeNode, element);
    const QString id = attributes.value(QStringLiteral("id"));
    if (element == QLatin1String("RCGroup") && id.toInt() < 1)
        return;
    const QString category = QLatin1String(ownerKind(element)->category);
    m_currentOwner = m_root->findByCategoryAndAttribute(category, QStringLiteral("id"), id);
    if (m_currentOwner)
        m_currentOwner->clearMarks(HNode::FlagPlaceholder);
    if (auto *group = qobject_cast<HRCGroup *>(m_currentOwner))
        group->buildRooms();
}

void XVXJHandler::dispatch(const QString &element, const QXmlAttributes &attributes)
{
    const bool property = element == QLatin1String("Property");
    const bool assign = element == QLatin1String("Assign");
    switch (m_mode) {
    case ModeNode:
        if (property && m_currentNode)
            m_currentNode->parseProperty(attributes);
        else if (assign && m_currentOwner)
            m_currentOwner->addAssignment(attributes, m_mergeMode);
        break;
    case ModePanelList:
        if (property && m_currentNode)
            m_currentNode->parseProperty(attributes);
        else if (auto *list = qobject_cast<HParameterSetList *>(m_currentOwner); assign && list)
            list->addTarget(attributes.value(QStringLiteral("targetID")));
        break;
    case ModeProjectInfo: // the text of the elements carries the values
    case ModeNone:
        break;
    }
}

void XVXJHandler::closeSection()
{
    if (HNode *node = m_currentNode.release()) {
        if (node->completeSetup()) {
            attach(node);
        } else {
            if (qobject_cast<HChassis *>(node))
                m_activeChassis = nullptr;
            delete node;
        }
    }
    m_inSection = false;
    m_mode = ModeNone;
    m_currentElement.clear();
    m_currentOwner = nullptr;
}

void XVXJHandler::attach(HNode *node)
{
    if (auto *chassis = qobject_cast<HChassis *>(node)) {
        attachChassis(chassis);
        return;
    }
    if (!m_activeChassis) {
        qCDebug(lcHardware) << "ActiveChassis is null. Deleting parsed node.";
        delete node;
        return;
    }
    HChassis *target = node->selectAttachChassis(m_mainChassis, m_activeChassis);
    if (!target) {
        qCDebug(lcHardware) << "Failed to select chassis to attach node.";
        delete node;
        return;
    }
    if (m_mergeMode) {
        if (HNode *existing = node->findCounterpart(target)) {
            existing->mergeFrom(node);
            existing->setMarks(HNode::FlagConfirmed);
            delete node;
            target->nodeAttached(existing);
            return;
        }
    }
    if (!target->addNode(node)) {
        delete node;
        return;
    }
    node->setMarks(HNode::FlagConfirmed);
    target->nodeAttached(node);
}

void XVXJHandler::attachChassis(HChassis *chassis)
{
    const bool main = chassis->hasMarks(HNode::FlagMain);
    m_activeChassis = chassis;
    if (main)
        m_mainChassis = chassis;
    if (chassis->title().contains(QLatin1String("TQY"))) {
        qCDebug(lcHardware) << "Found TQY. Activating Group/Chassis check.";
        m_tqAmpFound = true;
    }
    if (m_mergeMode) {
        if (auto *existing = qobject_cast<HChassis *>(chassis->findCounterpart(m_root))) {
            m_activeChassis = existing;
            // The read chassis goes; the main-chassis pointer must not go with it.
            if (main || existing->hasMarks(HNode::FlagMain))
                m_mainChassis = existing;
            existing->mergeFrom(chassis);
            existing->setMarks(HNode::FlagConfirmed);
            existing->roomCombining()->clear();
            delete chassis;
            return;
        }
    }
    m_root->addNode(chassis);
    chassis->setMarks(HNode::FlagConfirmed);
}

const QDomDocument &XVXJHandler::rawDocument()
{
    if (m_rawDocument)
        return *m_rawDocument;
    // Parsed and indexed once for all groups, so that a large project does not cost a pass over
    // the document per group and target; a file that does not parse leaves an empty document.
    m_rawDocument.emplace();
    QByteArray text = m_rawText;
    text.replace("encoding=\"Windows-1252\"", "");
    QString message;
    int line = 0;
    int column = 0;
    if (!m_rawDocument->setContent(text, &message, &line, &column)) {
        qCDebug(lcHardware).noquote()
            << QStringLiteral("Failed to parse raw XML of vxj file at line: %1, col: %2 : %3")
                   .arg(line)
                   .arg(column)
                   .arg(message);
        m_rawDocument.emplace();
        return *m_rawDocument;
    }
    m_nodesById = indexNodesById(*m_rawDocument);
    const QDomElement assignment =
        m_rawDocument->elementsByTagName(QStringLiteral("Assignment")).item(0).toElement();
    for (QDomElement group = assignment.firstChildElement(QStringLiteral("Group")); !group.isNull();
         group = group.nextSiblingElement(QStringLiteral("Group"))) {
        const QString id = group.attribute(QStringLiteral("id"));
        if (!m_assignedGroups.contains(id))
            m_assignedGroups.insert(id, group);
    }
    return *m_rawDocument;
}

QStringList XVXJHandler::findGroupAmplifiers(const QString &groupId)
{
    qCDebug(lcHardware).noquote() << "Finding group chessis for gorup " + groupId;
    const QDomDocument &document = rawDocument();
    if (document.documentElement().isNull())
        return {};
    const QDomElement assignment =
        document.elementsByTagName(QStringLiteral("Assignment")).item(0).toElement();
    if (assignment.isNull()) {
        qCDebug(lcHardware) << "Failed to find XML node at /Assignment";
        return {};
    }
    const QDomElement group = m_assignedGroups.value(groupId);
    const QString groupPath = QStringLiteral("/Assignment/Group[@id=") + groupId + ']';
    const QDomNodeList assigns =
        group.isNull() ? QDomNodeList() : group.elementsByTagName(QStringLiteral("Assign"));
    if (assigns.isEmpty()) {
        qCDebug(lcHardware).noquote() << "Failed to find XML nodes at " + groupPath + "/Assign";
        return {};
    }
    QStringList targets;
    for (int i = 0; i < assigns.count(); ++i) {
        const QString target = assigns.at(i).toElement().attribute(QStringLiteral("targetID"));
        if (!target.isEmpty() && !targets.contains(target))
            targets.append(target);
    }
    if (targets.isEmpty()) {
        qCDebug(lcHardware).noquote()
            << "Failed to find XML attribute values for " + groupPath + "/Assign[@targetId]";
        return {};
    }

    QStringList titles;
    for (const QString &target : std::as_const(targets)) {
        const QString property =
            QStringLiteral("../Property[@name='nodeId', value=") + target + ']';
        const QDomElement block = m_nodesById.value(target);
        if (block.isNull()) {
            qCDebug(lcHardware).noquote() << "Failed to find XML node at " + property;
            continue;
        }
        const QString amplifierId = block.attribute(QStringLiteral("brambleNodeID"));
        if (amplifierId.isEmpty()) {
            qCDebug(lcHardware).noquote() << "Failed to find rootModule of " + property;
            continue;
        }
        const QDomElement amplifier = m_nodesById.value(amplifierId);
        if (amplifier.isNull()) {
            qCDebug(lcHardware).noquote() << "Failed to find TQ Amp node " + amplifierId;
            continue;
        }
        const QDomElement title = titleProperty(amplifier);
        if (title.isNull()) {
            qCDebug(lcHardware).noquote() << "Failed to find TQ Amp title Node for " + amplifierId;
            continue;
        }
        if (!title.hasAttribute(QStringLiteral("value"))) {
            qCDebug(lcHardware).noquote()
                << "Failed to find value from title node from TQ Amp " + amplifierId;
            continue;
        }
        titles.append(title.attribute(QStringLiteral("value")));
    }
    return titles;
}
