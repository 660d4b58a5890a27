#include "controls/wdelegate.h"

#include "controls/wwidgetfactory.h"

#include <QDateTime>

namespace {

std::unique_ptr<WDelegate> &theInstance()
{
    static std::unique_ptr<WDelegate> instance;
    return instance;
}

} // namespace

WDelegate *WDelegate::instance()
{
    auto &instance = theInstance();
    if (!instance)
        instance.reset(new WDelegate);
    return instance.get();
}

void WDelegate::destroy()
{
    theInstance().reset();
}

// Starting at the clock keeps ids of controls added in different runs apart.
WDelegate::WDelegate()
    : m_idCounter(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()))
{}

WDelegate::~WDelegate() = default;

void WDelegate::setFactory(std::unique_ptr<WWidgetFactory> factory)
{
    m_factory = std::move(factory);
}

void WDelegate::setPixelScale(float scale)
{
    m_pixelScale = scale;
}

void WDelegate::setAspect(float aspect)
{
    m_canvasAspect = aspect;
}

quint32 WDelegate::nextId()
{
    return ++m_idCounter;
}

void WDelegate::setMainWindow(QObject *window)
{
    m_mainWindow = window;
}
