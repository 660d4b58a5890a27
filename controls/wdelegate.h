#pragma once

#include <QtGlobal>

#include <memory>

class QObject;
class WWidgetFactory;

// What every control widget shares: the factory, the view's scale and the id counter.
class WDelegate
{
public:
    // The one instance, created on first use.
    static WDelegate *instance();
    // Deletes the instance (and its factory); the next instance() makes a fresh one.
    static void destroy();

    ~WDelegate();

    WWidgetFactory *factory() const { return m_factory.get(); }
    void setFactory(std::unique_ptr<WWidgetFactory> factory);

    float pixelScale() const { return m_pixelScale; }
    void setPixelScale(float scale);
    float aspect() const { return m_canvasAspect; }
    void setAspect(float aspect);

    // Ids of new control records.
    quint32 nextId();

    QObject *mainWindow() const { return m_mainWindow; }
    void setMainWindow(QObject *window);

private:
    WDelegate();

    std::unique_ptr<WWidgetFactory> m_factory;
    float m_pixelScale = 1.0f;
    float m_canvasAspect = 16.0f / 9.0f;
    quint32 m_idCounter;
    QObject *m_mainWindow = nullptr;
};
