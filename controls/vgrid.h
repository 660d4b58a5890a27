#pragma once

#include <QPointF>

// The snapping grid and arrow-key nudging of the editing view.
class VGrid
{
public:
    // A grid for the view's scale factor.
    explicit VGrid(float scaleFactor = 1.0f);

    float gridSize() const { return m_gridSize; }
    // Snaps down to the grid.
    QPointF snap(const QPointF &point) const;
    // The offset of one arrow key (Qt::Key_Left ...): one grid step, or one unit without the
    // grid; (0, 0) for any other key.
    QPointF nudge(int key, bool useGrid) const;

private:
    float m_gridSize;
};
