#pragma once

#include <QString>

class MModel;
class QObject;
class QQmlContext;
class QQuickItem;
class WWidget;

// Turns a widget element name of the panel file into a widget.
class WWidgetFactory
{
public:
    // `parentItem` is kept only when it is a QQuickItem.
    WWidgetFactory(QObject *parentItem, QQmlContext *context, MModel *model);
    virtual ~WWidgetFactory();

    // Null for names outside the table (compared case-sensitively), "dropsite" included.
    virtual WWidget *createWidget(const QString &type);
    virtual void setParentItem(QObject *item);
    virtual QQuickItem *parentItem() const;
    virtual QQmlContext *context() const;
    virtual MModel *model() const;

    void setContext(QQmlContext *context);
    void setModel(MModel *model);

private:
    QQuickItem *m_parentItem = nullptr;
    QQmlContext *m_context = nullptr;
    MModel *m_model = nullptr;
};
