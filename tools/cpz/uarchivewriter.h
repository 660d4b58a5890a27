#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Writes a project archive: the marker, the entry count, the entry headers, then each entry's
// data compressed by qCompress at default level, in the order the entries were added.
class UArchiveWriter
{
public:
    // name as stored, e.g. "/image/Demo.png". False (see errorString()) when the client would
    // refuse the entry.
    bool addEntry(const QString &name, const QByteArray &data);
    bool addFile(const QString &name, const QString &sourcePath);
    // The whole archive as it goes to disk.
    QByteArray archive() const;
    bool write(const QString &archivePath);

    QString errorString() const { return m_errorString; }

private:
    struct Entry
    {
        QString name;
        QByteArray block;
    };

    qint64 headerSize() const;
    bool fail(const QString &message);

    std::vector<Entry> m_entries;
    qint64 m_unpackedBytes = 0;
    QString m_errorString;
};
