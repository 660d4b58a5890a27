#include "controls/wimage.h"

#include "formats/uarchive.h"
#include "formats/xmlwriter.h"
#include "util/logcategories.h"

#include <QDir>
#include <QUrl>

namespace {
const QString DefaultImage = QStringLiteral("../images/default.png");
// Relative paths in the documents are taken from the control documents' folder.
const QUrl DocumentFolder(QStringLiteral("qrc:/qmlcontrol/"));
constexpr int StretchFillMode = 0;
constexpr int MaxCachedImageWidth = 2048;
} // namespace

WImage::WImage(QQuickItem *parent)
    : WWidget(parent)
{}

WImage::~WImage() = default;

void WImage::initWidget()
{
    setItemProperty("path", DefaultImage);
    setItemProperty("fillMode", StretchFillMode);
    setItemProperty("imageOpacity", 1.0);
    setItemProperty("maxCachedImageWidth", MaxCachedImageWidth);
}

QString WImage::resolveImage(const QString &path)
{
    QString resolved = path;
    if (!UArchive::instance()->resolveImage(resolved))
        return QString();
    // An entry name that climbs out of the archive folder names no picture of the project.
    const QString root = QDir(UArchive::instance()->header().extractionRoot()).absolutePath();
    const QString file = QDir::cleanPath(QUrl(resolved).toLocalFile());
    return file.startsWith(root + QLatin1Char('/')) ? resolved : QString();
}

QString WImage::localImage(const QString &stored)
{
    const QString archived = resolveImage(stored);
    if (!archived.isEmpty())
        return archived;
    const QUrl resource = DocumentFolder.resolved(QUrl(stored));
    if (resource.scheme() == QLatin1String("qrc"))
        return resource.toString();
    qCWarning(lcControls) << "Image refused: neither in the archive nor the program:" << stored;
    return QString();
}

bool WImage::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value))
        return true;
    if (name == QLatin1String("path")) {
        m_path = value;
        const QString resolved = resolveImage(value);
        // A picture missing from the archive keeps the placeholder rather than a broken path.
        if (resolved.isEmpty())
            qCDebug(lcControls) << "WImage: no image in the archive for" << value;
        else
            setItemProperty("path", resolved);
    } else if (name == QLatin1String("imagesize")) {
        setItemProperty("imageSize", value.toDouble());
    } else if (name == QLatin1String("backgroundFillMode")) {
        setItemProperty("fillMode", value.toInt());
    } else if (name == QLatin1String("imageOpacity")) {
        setItemProperty("imageOpacity", value.toDouble());
    } else if (name == QLatin1String("maxCachedImageWidth")) {
        setItemProperty("maxCachedImageWidth", value.toInt());
    } else {
        return false;
    }
    return true;
}

bool WImage::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("path"), m_path);
    writer.writeDouble(QStringLiteral("imagesize"), itemProperty("imageSize").toDouble());
    writer.writeInt(QStringLiteral("backgroundFillMode"), itemProperty("fillMode").toInt());
    writer.writeDouble(QStringLiteral("imageOpacity"), itemProperty("imageOpacity").toDouble());
    writer.writeInt(QStringLiteral("maxCachedImageWidth"),
                    itemProperty("maxCachedImageWidth").toInt());
    writer.writeEndElement();
    return true;
}

QRectF WImage::rect() const
{
    if (!quickItem()) {
        qCWarning(lcControls) << "Returning empty bounds for image";
        return QRectF();
    }
    const QRectF bounds = WWidget::rect();
    m_imageX = int(bounds.x());
    m_imageY = int(bounds.y());
    m_imageWidth = int(bounds.width());
    m_imageHeight = int(bounds.height());
    return bounds;
}
