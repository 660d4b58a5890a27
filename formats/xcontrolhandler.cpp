#include "formats/xcontrolhandler.h"

#include "canvas/ccanvas.h"
#include "canvas/ccomposite.h"
#include "hardware/hnode.h"
#include "hardware/hroot.h"
#include "model/mproject.h"
#include "util/logcategories.h"

#include <memory>

namespace {

const QString NoBlock = QStringLiteral("uninitialized");

int toInt(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

quint64 toUInt64(const QString &text)
{
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    return ok ? value : 0;
}

} // namespace

XControlHandler::XControlHandler(CComposite *sceneRoot, HRoot *hardwareRoot, MProject *project,
                                 CCanvas *canvas)
    : m_sceneRoot(sceneRoot)
    , m_currentScene(sceneRoot)
    , m_currentPanel(sceneRoot)
    , m_hardwareRoot(hardwareRoot)
    , m_block(NoBlock)
    , m_nodeID(-1)
    , m_project(project)
    , m_canvas(canvas)
{}

XControlHandler::~XControlHandler() = default;

void XControlHandler::setNameFilter(const QString &name)
{
    m_nameFilter = name;
}

void XControlHandler::setTemplateNode(HNode *node)
{
    m_templateNode = node;
}

bool XControlHandler::startElement(const QString &, const QString &, const QString &qName,
                                   const QXmlAttributes &attributes)
{
    push(qName);
    if (qName == QLatin1String("Control")) {
        startControl(attributes);
    } else if (qName == QLatin1String("Version")) {
        enterSection(qName);
    } else if (qName == QLatin1String("Scene")) {
        startScene(attributes);
    } else if (qName == QLatin1String("Panel")) {
        startPanel(attributes);
    } else if (qName == QLatin1String("Connection")) {
        startConnection(attributes);
    } else if (qName == QLatin1String("Project")) {
        enterSection(qName);
    } else if (qName == QLatin1String("Canvas")) {
        enterSection(qName);
        if (m_canvas)
            m_canvas->resetAttributes();
    } else if (qName == QLatin1String("Property")) {
        if (m_inSection)
            m_propertyName = attributes.value(QStringLiteral("name"));
    }
    return true;
}

void XControlHandler::startControl(const QXmlAttributes &attributes)
{
    const QString name = attributes.value(QStringLiteral("name"));
    if (!m_nameFilter.isEmpty() && name != m_nameFilter)
        return;
    if (oneLevelUp() != QLatin1String("Controls") || !m_currentPanel)
        return;
    enterSection(QStringLiteral("Control"));
    auto control = std::make_unique<CControl>(QStringLiteral("Control"), name,
                                              attributes.value(QStringLiteral("type")));
    control->setModel(m_sceneRoot->model());
    if (m_templateNode) {
        control->setName(QString(name).replace(QLatin1String("*LABEL*"), m_templateNode->label()));
        control->setNode(m_templateNode);
    }
    m_activeControl = control.get();
    m_currentPanel->addChild(std::move(control));
    // A binding never carries over from the control before.
    m_block = NoBlock;
    m_nodeID = -1;
    m_nodeCategory.clear();
}

void XControlHandler::startScene(const QXmlAttributes &attributes)
{
    if (oneLevelUp() != QLatin1String("Scenes") || !m_sceneRoot)
        return;
    auto scene = std::make_unique<CComposite>(QStringLiteral("Scene"),
                                              attributes.value(QStringLiteral("name")));
    m_currentScene = scene.get();
    m_sceneRoot->addChild(std::move(scene));
}

void XControlHandler::startPanel(const QXmlAttributes &attributes)
{
    if (oneLevelUp() != QLatin1String("Panels") || !m_currentScene)
        return;
    auto panel = std::make_unique<CComposite>(QStringLiteral("Panel"),
                                              attributes.value(QStringLiteral("name")));
    const QString type = attributes.value(QStringLiteral("type"));
    panel->setPanelType(type);
    // Without a type the panel is classified once its controls are known.
    m_classifyPanel = type.isEmpty();
    m_currentPanel = panel.get();
    m_currentScene->addChild(std::move(panel));
}

void XControlHandler::startConnection(const QXmlAttributes &attributes)
{
    if (oneLevelUp() != QLatin1String("Connections"))
        return;
    enterSection(QStringLiteral("Connection"));
    if (m_hardwareRoot)
        m_activeConnectionNode =
            m_hardwareRoot->resolveConnection(attributes.value(QStringLiteral("name")));
}

void XControlHandler::enterSection(const QString &section)
{
    m_section = section;
    m_inSection = true;
}

void XControlHandler::leaveSection()
{
    m_section.clear();
    m_propertyName.clear();
    m_inSection = false;
    m_activeControl = nullptr;
    m_activeConnectionNode = nullptr;
}

bool XControlHandler::characters(const QString &text)
{
    if (!m_inSection)
        return true;
    const QString value = processText(text);
    push(value);
    if (!value.isEmpty())
        dispatch(value);
    pop();
    return true;
}

void XControlHandler::dispatch(const QString &value)
{
    if (m_propertyName == QLatin1String("widget")) {
        const QString part = twoLevelsUp();
        if (m_activeControl)
            m_activeControl->processWidget(part, oneLevelUp(), value);
        else
            qCDebug(lcPanel).noquote()
                << "m_pActiveControl not defined while trying to processWidget(" + part + ")";
    } else if (m_propertyName == QLatin1String("attributes") &&
               m_section != QLatin1String("Version")) {
        dispatchAttribute(value);
    } else {
        dispatchField(value);
    }
}

void XControlHandler::dispatchAttribute(const QString &value)
{
    if (m_section == QLatin1String("Control")) {
        if (m_activeControl)
            m_activeControl->attributes().setAttribute(twoLevelsUp(), oneLevelUp(), value);
    } else if (m_section == QLatin1String("Connection")) {
        if (m_activeConnectionNode)
            m_activeConnectionNode->setConnectionAttribute(oneLevelUp(), value);
    } else if (m_section == QLatin1String("Canvas")) {
        if (m_canvas)
            m_canvas->setAttribute(oneLevelUp(), value);
    } else if (m_section == QLatin1String("Project")) {
        if (m_project)
            m_project->set(twoLevelsUp(), oneLevelUp(), value);
    }
}

void XControlHandler::dispatchField(const QString &value)
{
    const QString leaf = oneLevelUp();
    if (m_section == QLatin1String("Version")) {
        if (leaf == QLatin1String("fileVersion") && m_sceneRoot)
            m_sceneRoot->setFileVersion(value);
    } else if (leaf == QLatin1String("block")) {
        m_block = value;
        m_nodeID = -1;
        m_nodeCategory.clear();
    } else if (leaf == QLatin1String("nodeID")) {
        m_nodeID = toInt(value);
    } else if (leaf == QLatin1String("nodeCategory")) {
        m_nodeCategory = value;
    } else if (leaf == QLatin1String("id")) {
        if (m_activeControl)
            m_activeControl->setId(toUInt64(value));
    } else if (leaf == QLatin1String("connection")) {
        bindActiveControl(value);
    }
}

void XControlHandler::bindActiveControl(const QString &connection)
{
    if (!m_activeControl || !m_hardwareRoot)
        return;
    HNode *node = m_hardwareRoot->resolveLink(connection, m_block, m_nodeID, m_nodeCategory);
    if (node)
        m_activeControl->setNode(node);
}

bool XControlHandler::endElement(const QString &, const QString &, const QString &qName)
{
    pop();
    if (qName == QLatin1String("Scene")) {
        m_currentScene = m_sceneRoot;
    } else if (qName == QLatin1String("Panel")) {
        if (m_classifyPanel && m_currentPanel && m_currentPanel != m_currentScene)
            m_currentPanel->classifyByContent();
        m_classifyPanel = false;
        m_currentPanel = m_currentScene;
    } else if (m_inSection && qName == m_section) {
        if (m_templateNode && m_activeControl)
            addressTemplateGroup();
        leaveSection();
    } else if (qName == QLatin1String("Property")) {
        // Control fields may follow a property; they are not part of it.
        m_propertyName.clear();
    } else if (top() == QLatin1String("Property")) {
        notifyEnded(qName);
    }
    return true;
}

void XControlHandler::addressTemplateGroup()
{
    // A template cannot know the designer's group number; the dropped group supplies it.
    CAttributes &attributes = m_activeControl->attributes();
    bool ok = false;
    const int group = m_templateNode->id().toInt(&ok);
    if (ok && (attributes.structure() == 5 || attributes.structure() == 6))
        attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("index1"),
                                QString::number(group));
}

void XControlHandler::notifyEnded(const QString &name)
{
    if (m_propertyName == QLatin1String("widget")) {
        if (m_activeControl)
            m_activeControl->widgetEnded(name);
        return;
    }
    if (m_propertyName != QLatin1String("attributes"))
        return;
    if (m_section == QLatin1String("Control")) {
        if (m_activeControl)
            m_activeControl->attributes().attributeEnded(name);
    } else if (m_section == QLatin1String("Connection")) {
        if (m_activeConnectionNode)
            m_activeConnectionNode->connectionAttributeEnded(name);
    } else if (m_section == QLatin1String("Canvas")) {
        if (m_canvas)
            m_canvas->attributeEnded(name);
    }
}
