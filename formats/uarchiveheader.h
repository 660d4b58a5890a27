#pragma once

#include "formats/uarchiveheaderrecord.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QFile;

// The entry list of a project archive and the folder it is unpacked into.
class UArchiveHeader
{
public:
    using Records = std::vector<std::unique_ptr<UArchiveHeaderRecord>>;

    // The marker and the entry count in front of the entry headers.
    static constexpr qint64 LeadBytes = 8;
    static constexpr quint32 MaxEntryCount = 65536;
    // Longer than any path the file systems take.
    static constexpr quint32 MaxNameLength = 4096;
    static constexpr qint64 MaxUnpackedBytes = 256 * 1024 * 1024;

    UArchiveHeader() = default;
    UArchiveHeader(const UArchiveHeader &) = delete;
    UArchiveHeader &operator=(const UArchiveHeader &) = delete;

    // In file order; after unpack() only the entries that were not refused.
    const Records &records() const { return m_records; }
    QString extractionRoot() const { return m_extractionRoot; }
    // Also sets every record's fullPath.
    void setExtractionRoot(const QString &extractionRoot);

    // Reads the entry headers without unpacking anything. A header block that the file cannot
    // hold is refused with one warning: false, and the previous records stay.
    bool read(QFile &archive);
    // Bytes that the header block of the last read() took: 8 + sum of (12 + 2 * name length).
    qint64 headerSize() const { return m_headerSize; }

    // Writes every entry below the extraction root; the root must exist. Entries whose name or
    // data cannot be trusted are refused, each with one warning, and dropped from records().
    void unpack(QFile &archive);
    // Entries refused by the last unpack().
    int refusedCount() const { return m_refusedCount; }

private:
    std::unique_ptr<UArchiveHeaderRecord> readRecord(QFile &archive, int index, QString *fault);
    // Drops and counts the records for which fault() gives a reason.
    void refuseWhere(const std::function<QString(const UArchiveHeaderRecord &)> &fault);
    QString placementFault(const UArchiveHeaderRecord &record, qint64 fileSize) const;
    QString writeEntry(QFile &archive, const UArchiveHeaderRecord &record);
    bool isInsideRoot(const QString &path) const;

    Records m_records;
    QString m_extractionRoot;
    qint64 m_headerSize = 0;
    int m_refusedCount = 0;
    qint64 m_unpackedBytes = 0;
};
