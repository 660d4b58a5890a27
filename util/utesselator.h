#pragma once

#include <QList>
#include <QPointF>

// Splits a simple polygon into triangles by ear clipping, so that polygon widgets can be drawn
// as one flat scene-graph geometry.
class UTesselator
{
public:
    // The one instance, created on first use.
    static UTesselator *instance();

    // Appends three (x, y) pairs per triangle to `triangles`. False, with `triangles` untouched,
    // for fewer than three vertices or a polygon that is not simple.
    bool triangulate(const QList<QPointF> &polygon, QList<float> &triangles) const;

    // Shoelace formula; positive for anticlockwise vertices in a y-up frame.
    static double area(const QList<QPointF> &polygon);
    static bool contains(const QList<QPointF> &polygon, const QPointF &point);

private:
    UTesselator() = default;

    static bool isEar(const QList<QPointF> &polygon, const QList<int> &ring, int u, int v, int w);
    static bool insideTriangle(const QPointF &a, const QPointF &b, const QPointF &c,
                               const QPointF &p);
    static bool hasCrossingEdges(const QList<QPointF> &polygon);
};
