#pragma once

#include "formats/uarchiveheader.h"

#include <QString>

// Opens project archives (".cpz", "download.cpn") and unpacks them into the extraction folder;
// afterwards tells where an entry landed.
class UArchive
{
public:
    static UArchive *instance();

    UArchive(const UArchive &) = delete;
    UArchive &operator=(const UArchive &) = delete;

    // The last archive opened.
    QString archivePath() const { return m_archivePath; }
    const UArchiveHeader &header() const { return m_header; }

    // Unpacks into the folder that the settings name (see settingsExtractionRoot()).
    bool open(const QString &path);
    // Unpacks into extractionRoot, which is cleared first when the program made it; for callers
    // that must not depend on the user's settings.
    bool open(const QString &path, const QString &extractionRoot);

    // fullPath of the first entry, in file order, that contains text; empty when none does.
    QString findFile(const QString &text) const;
    // Turns an image path of the panel file into the local-file URL of the first entry with
    // the same file name; false (path unchanged) when there is none.
    bool resolveImage(QString &path) const;

    // Neither the first nor the fourth byte has bits 2 to 5 all set, as "<" (3C hex) in
    // UTF-16 XML does.
    static bool isArchive(const QString &path);
    // "Path/Archive" of the client's settings (else the application's cache folder), then
    // "Archive".
    static QString settingsExtractionRoot();

private:
    UArchive() = default;

    QString m_archivePath;
    UArchiveHeader m_header;
};
