#pragma once

#include <QString>

// Makes the folders that an archive unpacks into.
class UArchiveFolder
{
public:
    // Makes folder, removing it with its contents first when clear is set. When that fails the
    // same is tried under the user's documents folder; returns the path of the folder made (or
    // last tried).
    static QString make(const QString &folder, bool clear);
    // Makes folder without clearing and without the documents fallback; an entry's folder
    // must stay inside the extraction root. False (after one warning) on failure.
    static bool makeInPlace(const QString &folder);

private:
    // An empty text on success, else the message that names the failure.
    static QString tryMake(const QString &folder, bool clear);
};
