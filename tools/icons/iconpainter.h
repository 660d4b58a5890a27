#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// Draws the program's icon set with QPainter, so that every PNG under resources/images can be
// made again from this source at 1x and 2x.
class IconPainter
{
public:
    // One icon: its path below the images folder, its size at 1x and how to draw it into a
    // unit square (or a rectangle of the icon's aspect) in logical coordinates.
    struct Icon
    {
        QString path;
        QSize size;
        std::function<void(QPainter &, const QSizeF &)> draw;
    };

    IconPainter();

    const QList<Icon> &icons() const { return m_icons; }
    static QImage render(const Icon &icon, int scale);

private:
    void addCommon();
    void addSkin(const QString &skin, const QColor &ink, const QColor &text);
    void addAccent(const QString &accent, const QColor &colour);
    void add(const QString &path, QSize size, std::function<void(QPainter &, const QSizeF &)> draw);

    QList<Icon> m_icons;
};
