#include "uarchivewriter.h"

#include "formats/uarchiveblock.h"
#include "formats/uarchiveheader.h"
#include "formats/uarchiveheaderrecord.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include <limits>

bool UArchiveWriter::addEntry(const QString &name, const QByteArray &data)
{
    if (const QString fault = UArchiveHeaderRecord::nameFault(name); !fault.isEmpty())
        return fail(QStringLiteral("entry name \"%1\" %2").arg(name, fault));
    if (data.size() > qsizetype(UArchiveBlock::MaxUnpackedBytes))
        return fail(QStringLiteral("entry \"%1\" holds %2 bytes, more than the %3 a client unpacks")
                        .arg(name)
                        .arg(data.size())
                        .arg(UArchiveBlock::MaxUnpackedBytes));
    if (m_unpackedBytes + data.size() > UArchiveHeader::MaxUnpackedBytes)
        return fail(QStringLiteral("the entries hold more than the %1 bytes a client unpacks")
                        .arg(UArchiveHeader::MaxUnpackedBytes));
    if (m_entries.size() >= UArchiveHeader::MaxEntryCount)
        return fail(QStringLiteral("more than %1 entries").arg(UArchiveHeader::MaxEntryCount));
    m_unpackedBytes += data.size();
    m_entries.push_back({name, qCompress(data)});
    return true;
}

bool UArchiveWriter::addFile(const QString &name, const QString &sourcePath)
{
    QFile file(sourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(sourcePath, file.errorString()));
    return addEntry(name, file.readAll());
}

QByteArray UArchiveWriter::archive() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeRawData("\x10\0\0\0", 4);
    out << quint32(m_entries.size());
    qint64 offset = headerSize();
    for (const Entry &entry : m_entries) {
        out << quint32(entry.name.size());
        for (const QChar unit : entry.name) {
            const char littleEndian[2] = {char(unit.unicode() & 0xFF), char(unit.unicode() >> 8)};
            out.writeRawData(littleEndian, 2);
        }
        out << quint32(offset) << quint32(entry.block.size());
        offset += entry.block.size();
    }
    for (const Entry &entry : m_entries)
        out.writeRawData(entry.block.constData(), int(entry.block.size()));
    return bytes;
}

bool UArchiveWriter::write(const QString &archivePath)
{
    qint64 total = headerSize();
    for (const Entry &entry : m_entries)
        total += entry.block.size();
    if (total > std::numeric_limits<quint32>::max())
        return fail(QStringLiteral("the archive would pass the 4 GiB that its offsets can reach"));

    // Written whole or not at all, so that a failed build step leaves no half archive.
    QSaveFile file(archivePath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(archivePath, file.errorString()));
    file.write(archive());
    if (!file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(archivePath, file.errorString()));
    return true;
}

qint64 UArchiveWriter::headerSize() const
{
    qint64 size = UArchiveHeader::LeadBytes;
    for (const Entry &entry : m_entries)
        size += UArchiveHeaderRecord::encodedSize(entry.name.size());
    return size;
}

bool UArchiveWriter::fail(const QString &message)
{
    m_errorString = message;
    return false;
}
