#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
class UArchiveHeader;

// One entry header of a project archive: where the entry's data block lies in the file and
// where the entry is unpacked.
class UArchiveHeaderRecord
{
public:
    explicit UArchiveHeaderRecord(UArchiveHeader *owner);

    // extractionRoot + name
    QString fullPath() const { return m_fullPath; }
    void setFullPath(const QString &fullPath);
    QString name() const { return m_name; }
    void setName(const QString &name);
    quint32 offset() const { return m_offset; }
    void setOffset(quint32 offset);
    quint32 size() const { return m_size; }
    void setSize(quint32 size);
    qint64 nameLength() const { return m_nameLength; }
    UArchiveHeader *owner() const { return m_owner; }

    // Bytes that an entry header with a name of nameLength UTF-16 units takes in the file.
    static qint64 encodedSize(qint64 nameLength) { return 12 + 2 * nameLength; }

    // Why an entry of this name must not be written (an empty text when it may): the name
    // comes from outside and is joined to the extraction root as it stands.
    static QString nameFault(const QString &name);

    // Whether the data block lies wholly inside a file of fileSize bytes.
    bool blockFits(qint64 fileSize) const;
    // The stored data block; call only when blockFits().
    QByteArray readBlock(QIODevice &archive) const;

private:
    QString m_fullPath;
    QString m_name;
    quint32 m_offset = 0;
    quint32 m_size = 0;
    qint64 m_nameLength = 0;
    UArchiveHeader *m_owner = nullptr;
};
