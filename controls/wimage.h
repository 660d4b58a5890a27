#pragma once

#include "controls/wwidget.h"

// A picture from the project's images.
class WImage : public WWidget
{
    Q_OBJECT

public:
    explicit WImage(QQuickItem *parent = nullptr);
    ~WImage() override;

    void initWidget() override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    QRectF rect() const override;

    // The URL of the unpacked archive's image named by `path`; empty when the archive has none.
    static QString resolveImage(const QString &path);
    // A stored picture as the documents may show it: the archive's image of that name, else a
    // path among the program's resources; empty, with a warning, for a picture from the network
    // or from elsewhere on disk.
    static QString localImage(const QString &stored);

private:
    // The last rectangle read from the item; -999 while unknown.
    mutable int m_imageX = -999;
    mutable int m_imageY = -999;
    mutable int m_imageWidth = -999;
    mutable int m_imageHeight = -999;
    QString m_path; // as stored, for saving
};
