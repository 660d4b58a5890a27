#include "controls/wregion.h"

#include "canvas/ccontrol.h"
#include "formats/xmlwriter.h"
#include "model/mmodel.h"
#include "util/ulogger.h"

namespace {
constexpr int JumpDelayMs = 5;
} // namespace

WRegion::WRegion(QQuickItem *parent)
    : WPolygon(parent)
{
    m_jumpTimer.setSingleShot(true);
    m_jumpTimer.setInterval(JumpDelayMs);
    connect(&m_jumpTimer, &QTimer::timeout, this, &WRegion::onJumpTimerTimeout);
    // The first region starts the log file, proving that it can be written.
    static const bool logStarted = [] {
        ULogger::instance()->logInfo(QStringLiteral("Test Log Write Success"));
        return true;
    }();
    Q_UNUSED(logStarted);
}

WRegion::~WRegion() = default;

bool WRegion::processProperty(const QString &name, const QString &value)
{
    if (WPolygon::processProperty(name, value))
        return true;
    if (name != QLatin1String("path"))
        return false;
    m_path = value;
    return true;
}

bool WRegion::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    savePolygonChildren(writer);
    writer.writeText(QStringLiteral("path"), m_path);
    writer.writeEndElement();
    return true;
}

void WRegion::pressedInside()
{
    m_jumpTimer.start();
}

void WRegion::onJumpTimerTimeout()
{
    if (owner() && owner()->model())
        owner()->model()->jumpToPanel(m_path);
}
