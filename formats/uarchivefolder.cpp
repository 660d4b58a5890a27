#include "formats/uarchivefolder.h"

#include "util/logcategories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// Siblings tried before giving up on finding a folder of our own.
constexpr int MaxSiblings = 100;
} // namespace

QString UArchiveFolder::make(const QString &folder, bool clear)
{
    const QString chosen = ownFolder(folder);
    const QString failure = tryMake(chosen, clear);
    if (failure.isEmpty())
        return chosen;
    qCDebug(lcArchive).noquote() << failure + QFileInfo(chosen).absoluteFilePath();

    const QString fallback = ownFolder(
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                        QLatin1Char('/') + folder));
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

bool UArchiveFolder::isOwn(const QString &folder)
{
    return QFileInfo(folder + QLatin1Char('/') + QLatin1String(MarkerName)).isFile();
}

bool UArchiveFolder::isFree(const QString &folder)
{
    // An empty folder holds nothing to lose.
    const QFileInfo info(folder);
    return !info.exists() || isOwn(folder) || (info.isDir() && QDir(folder).isEmpty());
}

QString UArchiveFolder::ownFolder(const QString &folder)
{
    if (isFree(folder))
        return folder;
    QString sibling;
    for (int n = 2; n <= MaxSiblings; ++n) {
        sibling = folder + QLatin1Char('-') + QString::number(n);
        if (isFree(sibling))
            break;
    }
    static bool warned = false;
    if (!warned) {
        warned = true;
        qCWarning(lcArchive).noquote()
            << "The folder" << QFileInfo(folder).absoluteFilePath()
            << "was not made by this program and is left alone; unpacking into" << sibling;
    }
    return sibling;
}

QString UArchiveFolder::tryMake(const QString &folder, bool clear)
{
    QDir dir(folder);
    if (clear && QFileInfo::exists(folder)) {
        if (!isFree(folder))
            return QStringLiteral("Will not remove a folder this program did not make: ");
        if (!dir.removeRecursively())
            return QStringLiteral("Unable to remove the existing directory at: ");
    }
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
    if (clear) {
        QFile marker(parent.filePath(QLatin1String(MarkerName)));
        if (!marker.open(QIODevice::WriteOnly))
            return QStringLiteral("Could not mark the directory: ");
    }
    return {};
}
