#pragma once

#include <QString>

class MModel;
class QObject;
class QQmlContext;
class QQuickItem;
class WWidget;

// Turns a widget element name of the panel file into a live control: creates the element's
// document in the view's context, parents it to the canvas item and hands back its widget.
class WWidgetFactory
{
public:
    // `parentItem` is kept only when it is a QQuickItem.
    WWidgetFactory(QObject *parentItem, QQmlContext *context, MModel *model);
    virtual ~WWidgetFactory();

    // Null for names outside the table (compared case-sensitively), "dropsite" included, and
    // whenever the document cannot be created.
    virtual WWidget *createWidget(const QString &type);
    virtual void setParentItem(QObject *item);
    virtual QQuickItem *parentItem() const;
    virtual QQmlContext *context() const;
    virtual MModel *model() const;

    void setContext(QQmlContext *context);
    void setModel(MModel *model);

    // Diagnostics: the parent item's children, and the chain of parent items of `item`.
    void dumpChildren() const;
    static void dumpParents(const QQuickItem *item);

private:
    WWidget *loadWidget(const QString &path);
    QQuickItem *createItem(const QString &path);

    QQuickItem *m_parentItem = nullptr;
    QQmlContext *m_context = nullptr;
    MModel *m_model = nullptr;
};
