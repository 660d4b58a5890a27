#include "util/utesselator.h"

#include <memory>

namespace {

constexpr double Epsilon = 1e-10;

// Twice the signed area of the triangle a-b-c.
double cross(const QPointF &a, const QPointF &b, const QPointF &c)
{
    return (b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x());
}

// Proper crossing of the segments a-b and c-d; touching end points do not count.
bool segmentsCross(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d)
{
    const double d1 = cross(a, b, c);
    const double d2 = cross(a, b, d);
    const double d3 = cross(c, d, a);
    const double d4 = cross(c, d, b);
    return ((d1 > Epsilon && d2 < -Epsilon) || (d1 < -Epsilon && d2 > Epsilon)) &&
           ((d3 > Epsilon && d4 < -Epsilon) || (d3 < -Epsilon && d4 > Epsilon));
}

} // namespace

UTesselator *UTesselator::instance()
{
    static std::unique_ptr<UTesselator> tesselator(new UTesselator);
    return tesselator.get();
}

double UTesselator::area(const QList<QPointF> &polygon)
{
    double sum = 0.0;
    for (qsizetype p = polygon.size() - 1, q = 0; q < polygon.size(); p = q++)
        sum += polygon[p].x() * polygon[q].y() - polygon[q].x() * polygon[p].y();
    return sum * 0.5;
}

bool UTesselator::triangulate(const QList<QPointF> &polygon, QList<float> &triangles) const
{
    const int n = int(polygon.size());
    if (n < 3)
        return false;
    // Ear clipping alone can still cut "ears" out of a bow tie, each overlapping the other.
    if (hasCrossingEdges(polygon))
        return false;

    const bool anticlockwise = area(polygon) > 0.0;
    QList<int> ring;
    for (int i = 0; i < n; ++i)
        ring.append(anticlockwise ? i : n - 1 - i);

    QList<float> result;
    int count = 2 * n;
    for (int v = n - 1; ring.size() > 2;) {
        if (count-- <= 0)
            return false;
        const int size = int(ring.size());
        const int u = v < size ? v : 0;
        v = u + 1 < size ? u + 1 : 0;
        const int w = v + 1 < size ? v + 1 : 0;
        if (!isEar(polygon, ring, u, v, w))
            continue;
        for (const int corner : {ring[u], ring[v], ring[w]})
            result << float(polygon[corner].x()) << float(polygon[corner].y());
        ring.removeAt(v);
        count = 2 * int(ring.size());
    }
    triangles.append(result);
    return true;
}

bool UTesselator::isEar(const QList<QPointF> &polygon, const QList<int> &ring, int u, int v, int w)
{
    const QPointF &a = polygon[ring[u]];
    const QPointF &b = polygon[ring[v]];
    const QPointF &c = polygon[ring[w]];
    if (cross(a, b, c) < Epsilon)
        return false;
    for (int p = 0; p < ring.size(); ++p) {
        if (p != u && p != v && p != w && insideTriangle(a, b, c, polygon[ring[p]]))
            return false;
    }
    return true;
}

bool UTesselator::insideTriangle(const QPointF &a, const QPointF &b, const QPointF &c,
                                 const QPointF &p)
{
    return cross(a, b, p) >= 0.0 && cross(b, c, p) >= 0.0 && cross(c, a, p) >= 0.0;
}

bool UTesselator::hasCrossingEdges(const QList<QPointF> &polygon)
{
    const qsizetype n = polygon.size();
    for (qsizetype i = 0; i < n; ++i) {
        for (qsizetype j = i + 1; j < n; ++j) {
            if (segmentsCross(polygon[i], polygon[(i + 1) % n], polygon[j], polygon[(j + 1) % n]))
                return true;
        }
    }
    return false;
}

bool UTesselator::contains(const QList<QPointF> &polygon, const QPointF &point)
{
    bool inside = false;
    for (qsizetype i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const QPointF &a = polygon[i];
        const QPointF &b = polygon[j];
        if ((a.y() > point.y()) != (b.y() > point.y()) &&
            point.x() < (b.x() - a.x()) * (point.y() - a.y()) / (b.y() - a.y()) + a.x())
            inside = !inside;
    }
    return inside;
}
