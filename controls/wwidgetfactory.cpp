#include "controls/wwidgetfactory.h"

#include "controls/wwidget.h"
#include "util/logcategories.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>

#include <memory>

namespace {

struct WidgetDocument
{
    const char *type;
    const char *path;
};

constexpr WidgetDocument Documents[] = {
    {"bounds", "qrc:/qmlcontrol/QmlBounds.qml"},
    {"button", "qrc:/qmlcontrol/QmlButton.qml"},
    {"cmdbutton", "qrc:/qmlcontrol/QmlCmdButton.qml"},
    {"dialer", "qrc:/qmlcontrol/QmlDialer.qml"},
    {"droplist", "qrc:/qmlcontrol/QmlDroplist.qml"},
    // Beyond the design tool's table: a template panel shows where nodes can be dropped.
    {"dropsite", "qrc:/qmlcontrol/QmlDropsite.qml"},
    {"image", "qrc:/qmlcontrol/QmlImage.qml"},
    {"frame", "qrc:/qmlcontrol/QmlFrame.qml"},
    {"label", "qrc:/qmlcontrol/QmlLabel.qml"},
    {"region", "qrc:/qmlcontrol/QmlRegion.qml"},
    {"panellink", "qrc:/qmlcontrol/QmlPanelLink.qml"},
    {"slider", "qrc:/qmlcontrol/QmlFader.qml"},
    {"textedit", "qrc:/qmlcontrol/QmlTextEdit.qml"},
    {"textlink", "qrc:/qmlcontrol/QmlTextLink.qml"},
    {"activeroomcombo", "qrc:/qmlcontrol/QmlActiveRoomCombo.qml"},
    {"roomselector", "qrc:/qmlcontrol/QmlRoomSelector.qml"},
    {"comboselector", "qrc:/qmlcontrol/QmlComboSelector.qml"},
    {"levelbutton", "qrc:/qmlcontrol/QmlLevelButtons.qml"},
    {"meter", "qrc:/qmlcontrol/QmlMeter.qml"},
    {"meterimage", "qrc:/qmlcontrol/QmlMeterImage.qml"},
};

} // namespace

WWidgetFactory::WWidgetFactory(QObject *parentItem, QQmlContext *context, MModel *model)
    : m_context(context)
    , m_model(model)
{
    setParentItem(parentItem);
}

WWidgetFactory::~WWidgetFactory() = default;

WWidget *WWidgetFactory::createWidget(const QString &type)
{
    for (const WidgetDocument &document : Documents) {
        if (type == QLatin1String(document.type))
            return loadWidget(QString::fromLatin1(document.path));
    }
    return nullptr;
}

void WWidgetFactory::setParentItem(QObject *item)
{
    m_parentItem = qobject_cast<QQuickItem *>(item);
}

QQuickItem *WWidgetFactory::parentItem() const
{
    return m_parentItem;
}

QQmlContext *WWidgetFactory::context() const
{
    return m_context;
}

MModel *WWidgetFactory::model() const
{
    return m_model;
}

void WWidgetFactory::setContext(QQmlContext *context)
{
    m_context = context;
}

void WWidgetFactory::setModel(MModel *model)
{
    m_model = model;
}

WWidget *WWidgetFactory::loadWidget(const QString &path)
{
    std::unique_ptr<QQuickItem> item(createItem(path));
    if (!item)
        return nullptr;
    auto *widget = item->findChild<WWidget *>(QStringLiteral("widget"));
    // A document without its widget could never be placed or removed again: drop it here.
    if (!widget)
        return nullptr;
    widget->setQuickItem(item.release());
    widget->initWidget();
    return widget;
}

QQuickItem *WWidgetFactory::createItem(const QString &path)
{
    if (!m_context || !m_parentItem) {
        qCDebug(lcControls).noquote()
            << "Context and parent not ready for creation of quick item " +
                   QStringLiteral("at path: ") + path;
        return nullptr;
    }
    QQmlEngine *engine = m_context->engine();
    if (!engine) {
        qCWarning(lcControls).noquote()
            << "QQmlEngine not available for loading of quick item at " + QStringLiteral("path: ") +
                   path;
        return nullptr;
    }
    // The created document does not need its component: the engine keeps the compiled type.
    QQmlComponent component(engine, QUrl(path), QQmlComponent::PreferSynchronous);
    std::unique_ptr<QObject> object(component.create(m_context));
    auto *item = qobject_cast<QQuickItem *>(object.get());
    if (item && !component.isError()) {
        item->setParentItem(m_parentItem);
        object.release();
        return item;
    }
    if (!object && !component.isError()) {
        qCWarning(lcControls).noquote()
            << "Creation of QML component yielded null at path: " + path;
        return nullptr;
    }
    const QList<QQmlError> errors = component.errors();
    for (const QQmlError &error : errors) {
        qCWarning(lcControls).noquote()
            << "Error loading QML at path: " + path + " Error message: " + error.toString();
    }
    return nullptr;
}

void WWidgetFactory::dumpChildren() const
{
    if (!m_parentItem)
        return;
    const QList<QQuickItem *> children = m_parentItem->childItems();
    for (qsizetype i = 0; i < children.size(); ++i)
        qCDebug(lcControls) << i << children.at(i);
}

void WWidgetFactory::dumpParents(const QQuickItem *item)
{
    int index = 0;
    for (const QQuickItem *parent = item; parent; parent = parent->parentItem())
        qCDebug(lcControls) << index++ << parent;
}
