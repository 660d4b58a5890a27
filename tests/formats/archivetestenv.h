#pragma once

#include "formats/uarchivefolder.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Keeps the archive tests out of the user's real folders: home, configuration and documents
// all live in a folder that the test owns, whatever runner started it.
inline void isolateUserFolders(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/.local/share")));
    QStandardPaths::setTestModeEnabled(true);
}

// The client's settings store, where "Path/Archive" lives.
inline QSettings clientSettings()
{
    return QSettings(QStringLiteral("Orvik"), QStringLiteral("Veloxa Remote 3.0"));
}

// Every file and folder below dir but the program's folder marker, as paths relative to it,
// sorted.
inline QStringList treeBelow(const QString &dir)
{
    QStringList paths;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(dir).relativeFilePath(it.next());
        if (it.fileName() != QLatin1String(UArchiveFolder::MarkerName))
            paths << path;
    }
    paths.sort();
    return paths;
}
