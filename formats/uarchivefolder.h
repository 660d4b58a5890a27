#pragma once

#include <QString>

// Makes the folders that an archive unpacks into. Only a folder that carries the marker file
// written when the program made it is ever cleared: a folder of the user's that happens to
// stand where the archive would go is left alone.
class UArchiveFolder
{
public:
    static constexpr const char *MarkerName = ".veloxa-archive";

    // Makes folder, removing it with its contents first when clear is set. An existing folder
    // that is neither empty nor marked is not touched: a fresh folder beside it is used instead,
    // with one warning. When nothing can be made the same is tried under the user's documents
    // folder; returns the path of the folder made (or last tried).
    static QString make(const QString &folder, bool clear);
    // Makes folder without clearing and without the documents fallback; an entry's folder
    // must stay inside the extraction root. False (after one warning) on failure.
    static bool makeInPlace(const QString &folder);
    // True when folder was made by make().
    static bool isOwn(const QString &folder);

private:
    // Missing, empty or the program's own: make() may clear it.
    static bool isFree(const QString &folder);
    // folder itself when it is free or the program's own, else the first free or own sibling.
    static QString ownFolder(const QString &folder);
    // An empty text on success, else the message that names the failure.
    static QString tryMake(const QString &folder, bool clear);
};
