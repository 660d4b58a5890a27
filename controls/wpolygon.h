#pragma once

#include "controls/wwidget.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QTimer>

// Base of the polygon-shaped widgets: a filled polygon drawn through the scene graph, with
// vertices in the document's coordinates.
class WPolygon : public WWidget
{
    Q_OBJECT

public:
    explicit WPolygon(QQuickItem *parent = nullptr);
    ~WPolygon() override;

    bool processProperty(const QString &name, const QString &value) override;
    void scale(double factor, bool both) override;
    void place(const QRectF &controlRect) override;
    void dump() const override;

    QList<QPointF> vertices() const { return m_vertices; }
    QColor fieldColor() const { return m_fieldColor; }
    bool isPointInside(const QPointF &point) const;

public Q_SLOTS:
    // A press at (x, y) in the document.
    void outputPressed(double x, double y);
    // The keyboard's press: inside, wherever the shape is.
    void activate();
    // Edit mode: an arrow key moves the whole shape, by the grid when `useGrid`.
    void editWidget(int key, bool useGrid);
    // Applied by the colour timer, so that a burst of changes repaints once.
    void setFieldColor(const QString &color);
    // [{"x": .., "y": ..}, ...]
    QString getVertexJson() const;
    bool saveVertices(const QString &vertexJsonList);

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;

    // A press that landed inside the polygon.
    virtual void pressedInside();
    void scheduleColor(const QColor &color, int vertexSet, bool noRepaint);
    // "bordercolor", "borderwidth" and "polygon".
    void savePolygonChildren(XmlWriter &writer) const;

private Q_SLOTS:
    void onColorTimerTimeout();

private:
    void setVertices(const QList<QPointF> &vertices);
    void scaleVertices(double sx, double sy);

    QList<QPointF> m_vertices;
    QColor m_pendingColor;
    int m_pendingVertexSet = 0;
    bool m_pendingNoRepaint = false;
    QTimer m_colorTimer;
    bool m_geometryChanged = true;
    QColor m_fieldColor = Qt::black;
};
