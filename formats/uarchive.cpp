#include "formats/uarchive.h"

#include "formats/uarchivefolder.h"
#include "util/logcategories.h"
#include "util/usettings.h"

#include <QFile>
#include <QStandardPaths>
#include <QUrl>
#include <QtEndian>

UArchive *UArchive::instance()
{
    static UArchive archive;
    return &archive;
}

bool UArchive::open(const QString &path)
{
    return open(path, settingsExtractionRoot());
}

bool UArchive::open(const QString &path, const QString &extractionRoot)
{
    if (!isArchive(path))
        return false;
    m_archivePath = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcArchive).noquote()
            << "UArchive::open: cannot read" << path << "-" << file.errorString();
        return false;
    }
    // A header that the file cannot hold leaves the previous project's folder alone.
    if (!m_header.read(file))
        return false;
    m_header.setExtractionRoot(UArchiveFolder::make(extractionRoot, true));
    m_header.unpack(file);
    qCDebug(lcArchive).noquote() << "UArchive::open:" << path << "unpacked"
                                 << m_header.records().size() << "entries into"
                                 << m_header.extractionRoot();
    return true;
}

QString UArchive::findFile(const QString &text) const
{
    for (const auto &record : m_header.records()) {
        if (record->fullPath().contains(text))
            return record->fullPath();
    }
    return {};
}

bool UArchive::resolveImage(QString &path) const
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return false;
    const QString fileName = path.mid(slash + 1);
    for (const auto &record : m_header.records()) {
        const QString name = record->name();
        const qsizetype nameSlash = name.lastIndexOf(QLatin1Char('/'));
        if (nameSlash >= 0 && name.mid(nameSlash + 1) == fileName) {
            path = QUrl::fromLocalFile(m_header.extractionRoot() + name).toString();
            return true;
        }
    }
    return false;
}

bool UArchive::isArchive(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray first = file.read(4);
    if (first.size() < 4)
        return false;
    const quint32 word = qFromLittleEndian<quint32>(first.constData());
    return (word & 0x3C000000u) != 0x3C000000u && (word & 0x3Cu) != 0x3Cu;
}

QString UArchive::settingsExtractionRoot()
{
    const QSettings settings = USettings::paths();
    QString parent = settings.value(QStringLiteral("Path/Archive")).toString();
    // Unset, the working folder would be wherever the program was started from: the cache is
    // the program's own.
    if (parent.isEmpty())
        parent = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    parent.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!parent.isEmpty() && !parent.endsWith(QLatin1Char('/')))
        parent += QLatin1Char('/');
    return parent + QStringLiteral("Archive");
}
