#pragma once

#include <QSize>
#include <QString>

class MModel;
class VQmlFrame;

// The panel's screen: the simulated device, its diagonal and shape, and the window's pixel size
// that follows from them.
class CCanvas
{
public:
    CCanvas();
    virtual ~CCanvas();

    // Stores the view, computes the pixel size and loads the desktop document into the view.
    void setView(VQmlFrame *view);
    void setModel(MModel *model);
    // One leaf of the Canvas element's attributes; unknown names are ignored.
    void setAttribute(const QString &name, const QString &value);
    void attributeEnded(const QString &name);
    // The defaults that a Canvas element starts from.
    void resetAttributes();
    // resetAttributes, then the view documents are told and the pixel size recomputed.
    void reset();
    void reload();
    void calculateSize();

    // The row document to load for a project's topRow or bottomRow text: one of the program's
    // own rows or "?" (none); anything else gives the position's usual row, with a warning.
    static QString rowDocument(const QString &name, bool top);

    // Pixel size of a screen `size` inches across its diagonal; orientation 1 is portrait.
    static QSize pixelSize(float size, float aspect, int orientation, qreal dpi);

    QString device() const { return m_device; }
    float size() const { return m_size; }
    float aspect() const { return m_aspect; }
    int orientation() const { return m_orientation; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool horizcenter() const { return m_horizcenter != 0; }
    QString skin() const { return m_skin; }
    QString accent() const { return m_accent; }
    QString text() const { return m_text; }
    MModel *model() const { return m_model; }
    bool multiplyScaleFactor() const { return m_multiplyScaleFactor; }
    VQmlFrame *view() const { return m_view; }

private:
    // Takes `name` when the skin list names it, else the list's first skin; keeps the current
    // skin when the list cannot be read.
    void setSkin(const QString &name);

    QString m_device;
    float m_size = 6.0f;
    float m_aspect = 16.0f / 9.0f;
    int m_orientation = 1;
    int m_width = 200;
    int m_height = 300;
    int m_horizcenter = 1;
    QString m_skin = QStringLiteral("Light");
    QString m_accent = QStringLiteral("Blue");
    QString m_text;
    MModel *m_model = nullptr;
    bool m_multiplyScaleFactor = false;
    VQmlFrame *m_view = nullptr;
};
