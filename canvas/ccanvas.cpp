#include "canvas/ccanvas.h"

#include "app/vqmlframe.h"
#include "canvas/cattributes.h"
#include "controls/vmodemanager.h"
#include "model/mmodel.h"
#include "util/logcategories.h"

#include <QFile>
#include <QTextStream>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

const QString DesktopDocument = QStringLiteral(":/qml/QmlDesktop.qml");
const QString SkinList = QStringLiteral(":/skins/SkinList.txt");
const QString ToolBarRow = QStringLiteral("qrc:/qml/objects/QmlToolBarObject.qml");
const QString MinToolBarRow = QStringLiteral("qrc:/qml/objects/QmlMinToolBarObject.qml");
const QString StatusBarRow = QStringLiteral("qrc:/qml/objects/QmlStatusBarObject.qml");
const QString NoRow = QStringLiteral("?");

QStringList readSkinList()
{
    QStringList skins;
    QFile file(SkinList);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return skins;
    QTextStream stream(&file);
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (!line.isEmpty())
            skins.append(line);
    }
    return skins;
}

// Toward zero, like a plain cast, and held to what a screen can show: a panel file may give
// any size, and the window must not become gigapixels. Not a number gives 0.
int truncated(float pixels)
{
    if (!std::isfinite(pixels))
        return 0;
    constexpr float limit = 16384.0f;
    return int(std::clamp(pixels, 0.0f, limit));
}

} // namespace

CCanvas::CCanvas() = default;

CCanvas::~CCanvas() = default;

void CCanvas::setView(VQmlFrame *view)
{
    m_view = view;
    calculateSize();
    if (!m_view)
        return;
    if (!QFile::exists(DesktopDocument)) {
        qCDebug(lcCanvas).noquote() << "File at " + DesktopDocument + " does not exist.";
        return;
    }
    m_view->setSource(QUrl(QLatin1String("qrc") + DesktopDocument));
}

void CCanvas::setModel(MModel *model)
{
    m_model = model;
}

void CCanvas::setAttribute(const QString &name, const QString &value)
{
    if (name == QLatin1String("size")) {
        m_size = CAttributes::toFloat(value);
    } else if (name == QLatin1String("device")) {
        // A device brings its own look; the skin and accent elements after it set it again.
        m_device = value;
        setSkin(QStringLiteral("Light"));
        m_accent = QStringLiteral("Blue");
    } else if (name == QLatin1String("skin")) {
        setSkin(value);
    } else if (name == QLatin1String("accent")) {
        m_accent = value;
    } else if (name == QLatin1String("aspect")) {
        m_aspect = CAttributes::toFloat(value);
    } else if (name == QLatin1String("orientation")) {
        m_orientation = CAttributes::toInt32(value);
    } else if (name == QLatin1String("text")) {
        m_text = value;
    } else if (name == QLatin1String("horizcenter")) {
        m_horizcenter = CAttributes::toInt32(value) != 0;
    } else if (name == QLatin1String("topRow") || name == QLatin1String("bottomRow")) {
        // They name the documents of the tool bar and status bar that the desktop loads.
        if (QQuickItem *canvasItem = VModeManager::instance()->canvasItem())
            canvasItem->setProperty(name.toLatin1().constData(),
                                    rowDocument(value, name == QLatin1String("topRow")));
    } else if (name == QLatin1String("multiplyScaleFactor")) {
        // Its presence is the setting; the text is not read.
        m_multiplyScaleFactor = true;
    }
}

QString CCanvas::rowDocument(const QString &name, bool top)
{
    // The desktop loads a row as code: a project only chooses among the program's own rows.
    static const QStringList rows = {ToolBarRow, MinToolBarRow, StatusBarRow, NoRow};
    if (rows.contains(name))
        return name;
    const QString fallback = top ? ToolBarRow : StatusBarRow;
    qCWarning(lcCanvas).noquote() << "Unknown row document" << name << "- showing" << fallback;
    return fallback;
}

void CCanvas::attributeEnded(const QString &name)
{
    if (name != QLatin1String("orientation"))
        return;
    if (m_model) {
        m_model->applySkin();
        emit m_model->reloadCanvas();
    }
    calculateSize();
}

void CCanvas::resetAttributes()
{
    m_size = 6.0f;
    m_aspect = 16.0f / 9.0f;
    m_orientation = 1;
    m_horizcenter = 1;
    m_device.clear();
    m_multiplyScaleFactor = false;
}

void CCanvas::reset()
{
    resetAttributes();
    if (m_model) {
        emit m_model->resetCanvas();
        emit m_model->reloadCanvas();
    }
    calculateSize();
}

void CCanvas::reload()
{
    if (m_model)
        emit m_model->reloadCanvas();
}

void CCanvas::calculateSize()
{
    const QSize pixels =
        pixelSize(m_size, m_aspect, m_orientation, m_view ? m_view->dotsPerInch() : 0);
    m_width = pixels.width();
    m_height = pixels.height();
}

QSize CCanvas::pixelSize(float size, float aspect, int orientation, qreal dpi)
{
    const double shortInches = std::sqrt(double(size) * size / (double(aspect) * aspect + 1.0));
    const float shortPixels = float(shortInches * dpi);
    const float longPixels = shortPixels * aspect;
    const int shortSide = truncated(shortPixels);
    const int longSide = truncated(longPixels);
    return orientation == 1 ? QSize(shortSide, longSide) : QSize(longSide, shortSide);
}

void CCanvas::setSkin(const QString &name)
{
    const QStringList skins = readSkinList();
    if (skins.isEmpty())
        return;
    m_skin = skins.contains(name) ? name : skins.first();
}
