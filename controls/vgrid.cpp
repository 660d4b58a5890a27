#include "controls/vgrid.h"

#include <QtMath>

namespace {
constexpr float GridStep = 5.0f;
} // namespace

VGrid::VGrid(float scaleFactor)
    : m_gridSize(scaleFactor * GridStep)
{}

QPointF VGrid::snap(const QPointF &point) const
{
    if (m_gridSize <= 0.0f)
        return point;
    return QPointF(point.x() - std::fmod(point.x(), double(m_gridSize)),
                   point.y() - std::fmod(point.y(), double(m_gridSize)));
}

QPointF VGrid::nudge(int key, bool useGrid) const
{
    const double step = useGrid ? double(m_gridSize) : 1.0;
    switch (key) {
    case Qt::Key_Left:
        return QPointF(-step, 0);
    case Qt::Key_Up:
        return QPointF(0, -step);
    case Qt::Key_Right:
        return QPointF(step, 0);
    case Qt::Key_Down:
        return QPointF(0, step);
    default:
        return QPointF(0, 0);
    }
}
