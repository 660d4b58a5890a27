#pragma once

#include <QPointer>
#include <QQuickItem>

// Process-wide record of the desktop canvas item ("QmlCanvas") and the open modal pop-up
// ("ModalObject").
class VModeManager
{
public:
    static VModeManager *instance();
    static void destroy();

    QQuickItem *canvasItem() const { return m_canvasItem; }
    void setCanvasItem(QQuickItem *item) { m_canvasItem = item; }
    QObject *modalObject() const { return m_modalObject; }
    void setModalObject(QObject *object) { m_modalObject = object; }

    // Asks the open pop-up to close itself.
    void cancel();

private:
    VModeManager() = default;

    QPointer<QQuickItem> m_canvasItem;
    QPointer<QObject> m_modalObject;
};
