#include "controls/wwidgetfactory.h"

#include "controls/wwidget.h"

#include <QQuickItem>

namespace {

bool isKnownType(const QString &type)
{
    static const QStringList types = {
        QStringLiteral("bounds"),       QStringLiteral("button"),
        QStringLiteral("cmdbutton"),    QStringLiteral("dialer"),
        QStringLiteral("droplist"),     QStringLiteral("image"),
        QStringLiteral("frame"),        QStringLiteral("label"),
        QStringLiteral("region"),       QStringLiteral("panellink"),
        QStringLiteral("slider"),       QStringLiteral("textedit"),
        QStringLiteral("textlink"),     QStringLiteral("activeroomcombo"),
        QStringLiteral("roomselector"), QStringLiteral("comboselector"),
        QStringLiteral("levelbutton"),  QStringLiteral("meter"),
        QStringLiteral("meterimage"),
    };
    return types.contains(type);
}

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
    if (!isKnownType(type))
        return nullptr;
    auto *widget = new WWidget;
    widget->setType(type);
    return widget;
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
