#include "controls/wpolygon.h"

#include "controls/vgrid.h"
#include "controls/wdelegate.h"
#include "formats/xmlwriter.h"
#include "util/logcategories.h"
#include "util/utesselator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSGFlatColorMaterial>
#include <QSGGeometryNode>

namespace {

constexpr int ColorDelayMs = 100;

// "x,y x,y ..."; pairs that do not parse are skipped.
QList<QPointF> parseVertices(const QString &text)
{
    QList<QPointF> vertices;
    const QStringList pairs = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &pair : pairs) {
        const QStringList xy = pair.split(QLatin1Char(','));
        bool xOk = false;
        bool yOk = false;
        const double x = xy.value(0).toDouble(&xOk);
        const double y = xy.value(1).toDouble(&yOk);
        if (xy.size() == 2 && xOk && yOk)
            vertices.append(QPointF(x, y));
    }
    return vertices;
}

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

WPolygon::WPolygon(QQuickItem *parent)
    : WWidget(parent)
{
    setFlag(ItemHasContents);
    m_colorTimer.setSingleShot(true);
    m_colorTimer.setInterval(ColorDelayMs);
    connect(&m_colorTimer, &QTimer::timeout, this, &WPolygon::onColorTimerTimeout);
}

WPolygon::~WPolygon() = default;

bool WPolygon::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value))
        return true;
    if (name == QLatin1String("fieldcolor")) {
        m_fieldColor = QColor::fromString(value);
        update();
    } else if (name == QLatin1String("bordercolor")) {
        setItemColor("borderColor", value);
    } else if (name == QLatin1String("borderwidth")) {
        setItemProperty("borderWidth", value.toDouble());
    } else if (name == QLatin1String("polygon")) {
        setVertices(parseVertices(value));
    } else {
        return false;
    }
    return true;
}

void WPolygon::scale(double factor, bool both)
{
    WWidget::scale(factor, both);
    if (factor == 0.0)
        return;
    scaleVertices(both ? factor : 1.0 / factor, factor);
}

void WPolygon::place(const QRectF &controlRect)
{
    const QRectF before = rect();
    WWidget::place(controlRect);
    const QRectF after = rect();
    if (before.width() > 0 && before.height() > 0)
        scaleVertices(after.width() / before.width(), after.height() / before.height());
}

void WPolygon::scaleVertices(double sx, double sy)
{
    if (sx == 1.0 && sy == 1.0)
        return;
    QList<QPointF> scaled;
    for (const QPointF &vertex : std::as_const(m_vertices))
        scaled.append(QPointF(vertex.x() * sx, vertex.y() * sy));
    setVertices(scaled);
}

void WPolygon::dump() const
{
    WWidget::dump();
    qCDebug(lcControls) << m_vertices;
}

bool WPolygon::isPointInside(const QPointF &point) const
{
    return UTesselator::contains(m_vertices, point);
}

void WPolygon::outputPressed(double x, double y)
{
    if (isPointInside(QPointF(x, y)))
        pressedInside();
}

void WPolygon::activate()
{
    pressedInside();
}

void WPolygon::pressedInside() {}

void WPolygon::editWidget(int key, bool useGrid)
{
    const QPointF offset = VGrid(WDelegate::instance()->pixelScale()).nudge(key, useGrid);
    moveBy(offset.x(), offset.y());
}

void WPolygon::setFieldColor(const QString &color)
{
    scheduleColor(QColor::fromString(color), 0, false);
}

void WPolygon::scheduleColor(const QColor &color, int vertexSet, bool noRepaint)
{
    m_pendingColor = color;
    m_pendingVertexSet = vertexSet;
    m_pendingNoRepaint = noRepaint;
    if (!m_colorTimer.isActive())
        m_colorTimer.start();
}

void WPolygon::onColorTimerTimeout()
{
    m_fieldColor = m_pendingColor;
    if (!m_pendingNoRepaint)
        update();
}

QString WPolygon::getVertexJson() const
{
    QJsonArray array;
    for (const QPointF &vertex : m_vertices)
        array.append(
            QJsonObject{{QStringLiteral("x"), vertex.x()}, {QStringLiteral("y"), vertex.y()}});
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

bool WPolygon::saveVertices(const QString &vertexJsonList)
{
    const QJsonDocument document = QJsonDocument::fromJson(vertexJsonList.toUtf8());
    if (!document.isArray())
        return false;
    QList<QPointF> vertices;
    const QJsonArray array = document.array();
    for (const QJsonValue &value : array) {
        const QJsonObject vertex = value.toObject();
        if (vertex.value(QStringLiteral("x")).isDouble() &&
            vertex.value(QStringLiteral("y")).isDouble())
            vertices.append(QPointF(vertex.value(QStringLiteral("x")).toDouble(),
                                    vertex.value(QStringLiteral("y")).toDouble()));
    }
    setVertices(vertices);
    return true;
}

void WPolygon::setVertices(const QList<QPointF> &vertices)
{
    m_vertices = vertices;
    m_geometryChanged = true;
    // The document draws the outline from the same vertices.
    setItemProperty("vertexJson", getVertexJson());
    update();
}

void WPolygon::savePolygonChildren(XmlWriter &writer) const
{
    writer.writeText(QStringLiteral("bordercolor"), itemColorName("borderColor"));
    writer.writeDouble(QStringLiteral("borderwidth"), itemProperty("borderWidth").toDouble());
    QStringList pairs;
    for (const QPointF &vertex : m_vertices)
        pairs.append(number(vertex.x()) + QLatin1Char(',') + number(vertex.y()));
    writer.writeText(QStringLiteral("polygon"), pairs.join(QLatin1Char(' ')));
}

void WPolygon::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    m_geometryChanged = true;
    update();
}

QSGNode *WPolygon::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    auto *node = static_cast<QSGGeometryNode *>(oldNode);
    if (!node) {
        node = new QSGGeometryNode;
        auto *geometry = new QSGGeometry(QSGGeometry::defaultAttributes_Point2D(), 0);
        geometry->setDrawingMode(QSGGeometry::DrawTriangles);
        node->setGeometry(geometry);
        node->setFlag(QSGNode::OwnsGeometry);
        node->setMaterial(new QSGFlatColorMaterial);
        node->setFlag(QSGNode::OwnsMaterial);
        m_geometryChanged = true;
    }
    if (m_geometryChanged) {
        QList<float> triangles;
        // A polygon that is not simple draws nothing rather than overlapping triangles.
        UTesselator::instance()->triangulate(m_vertices, triangles);
        QSGGeometry *geometry = node->geometry();
        geometry->allocate(int(triangles.size() / 2));
        QSGGeometry::Point2D *points = geometry->vertexDataAsPoint2D();
        for (qsizetype i = 0; i + 1 < triangles.size(); i += 2)
            points[i / 2].set(triangles[i], triangles[i + 1]);
        node->markDirty(QSGNode::DirtyGeometry);
        m_geometryChanged = false;
    }
    auto *material = static_cast<QSGFlatColorMaterial *>(node->material());
    if (material->color() != m_fieldColor) {
        material->setColor(m_fieldColor);
        node->markDirty(QSGNode::DirtyMaterial);
    }
    return node;
}
