#pragma once

#include "controls/wdelegate.h"
#include "controls/wqmltypes.h"
#include "controls/wwidgetfactory.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>

#include <memory>

// A QML engine that carries the interface object as "intrf", a parent item, and the widget
// factory of the delegate over both, as the model sets it up.
class WidgetTestEnv
{
public:
    WidgetTestEnv()
    {
        registerQmlTypes();
        QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/qml/QmlInterface.qml")));
        interface.reset(component.create());
        engine.rootContext()->setContextProperty(QStringLiteral("intrf"), interface.get());
        WDelegate::instance()->setFactory(
            std::make_unique<WWidgetFactory>(&parent, engine.rootContext(), nullptr));
    }
    ~WidgetTestEnv() { WDelegate::destroy(); }

    QQmlEngine engine;
    QQuickItem parent;
    std::unique_ptr<QObject> interface;
};
