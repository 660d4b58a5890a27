#include "formats/uarchivefolder.h"

#include "util/logcategories.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString UArchiveFolder::make(const QString &folder, bool clear)
{
    const QString failure = tryMake(folder, clear);
    if (failure.isEmpty())
        return folder;
    qCDebug(lcArchive).noquote() << failure + QFileInfo(folder).absoluteFilePath();

    const QString fallback =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                        QLatin1Char('/') + folder);
    const QString fallbackFailure = tryMake(fallback, clear);
    if (!fallbackFailure.isEmpty())
        qCWarning(lcArchive).noquote() << fallbackFailure + QFileInfo(fallback).absoluteFilePath();
    return fallback;
}

bool UArchiveFolder::makeInPlace(const QString &folder)
{
    const QString failure = tryMake(folder, false);
    if (!failure.isEmpty())
        qCWarning(lcArchive).noquote() << failure + QFileInfo(folder).absoluteFilePath();
    return failure.isEmpty();
}

QString UArchiveFolder::tryMake(const QString &folder, bool clear)
{
    QDir dir(folder);
    if (clear && dir.exists() && !dir.removeRecursively())
        return QStringLiteral("Unable to remove the existing directory at: ");
    if (dir.exists())
        return {};

    const QFileInfo info(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    QDir parent = info.dir();
    // Nested entry folders ("/image/icons/x.png") and a fresh "Path/Archive" need their
    // parents made as well.
    if (!parent.exists() && !QDir().mkpath(parent.path()))
        return QStringLiteral("Could not access parent directory of: ");
    if (!parent.mkdir(info.fileName()))
        return QStringLiteral("Failed to create the directory: ");
    if (!parent.cd(info.fileName()))
        return QStringLiteral("Could not change into directory: ");
    return {};
}
