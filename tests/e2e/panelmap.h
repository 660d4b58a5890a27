#pragma once

#include <QHash>
#include <QPoint>
#include <QRect>
#include <QString>

// Where a panel file's controls land on the screen. The file gives every widget part in
// panel units; the window is the canvas in a 2-pixel frame, the canvas a tool bar, the
// control area and a status bar stacked, and the panel is scaled to the area's height and
// centred across it.
class PanelMap
{
public:
    // Reads every control's fields from the panel file (the file's own encoding).
    bool load(const QString &panelFile, QString *error);
    void setWindow(const QRect &window);

    // A leaf of a control, by its path below the control: "widget/slider/x",
    // "attributes/index1", "block". Empty when absent.
    QString field(const QString &panel, const QString &control, const QString &path) const;
    // The part's rectangle in panel units ("widget/frame", "widget/slider").
    QRect partRect(const QString &panel, const QString &control, const QString &part) const;
    QRect screenRect(const QString &panel, const QString &control, const QString &part) const;
    QRect toScreen(const QRectF &panelRect) const;

    QRect window() const { return m_window; }
    QRect canvas() const { return m_window.adjusted(2, 2, -2, -2); }
    QRect controlArea() const;
    // The status bar's right arrow is a square at its end.
    QPoint nextArrow() const;

private:
    int statusBarHeight() const;
    int toolBarHeight() const;

    // "panel\ncontrol" -> path -> text
    QHash<QString, QHash<QString, QString>> m_fields;
    QSize m_panelSize;
    QRect m_window;
    double m_scale = 1.0;
};
