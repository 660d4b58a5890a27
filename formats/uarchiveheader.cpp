#include "formats/uarchiveheader.h"

#include "formats/uarchiveblock.h"
#include "formats/uarchivefolder.h"
#include "util/logcategories.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

// Names are UTF-16 little-endian; unpaired surrogates are kept as they are.
QString nameFromUtf16Le(const QByteArray &bytes)
{
    QString name(bytes.size() / 2, Qt::Uninitialized);
    const auto *units = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype i = 0; i < name.size(); ++i)
        name[i] = QChar(ushort(units[2 * i] | (units[2 * i + 1] << 8)));
    return name;
}

} // namespace

void UArchiveHeader::setExtractionRoot(const QString &extractionRoot)
{
    m_extractionRoot = extractionRoot;
    for (const auto &record : m_records)
        record->setFullPath(m_extractionRoot + record->name());
}

bool UArchiveHeader::read(QFile &archive)
{
    const qint64 fileSize = archive.size();
    QDataStream in(&archive);
    quint32 count = 0;
    if (archive.seek(4))
        in >> count;
    QString fault;
    if (in.status() != QDataStream::Ok || fileSize < LeadBytes)
        fault = QStringLiteral("too short to hold an entry count");
    else if (count > MaxEntryCount)
        fault = QStringLiteral("announces %1 entries, more than the limit of %2")
                    .arg(count)
                    .arg(MaxEntryCount);
    else if (count > (fileSize - LeadBytes) / UArchiveHeaderRecord::encodedSize(0))
        fault = QStringLiteral("announces %1 entries, more than its %2 bytes can hold")
                    .arg(count)
                    .arg(fileSize);

    Records records;
    for (quint32 i = 0; fault.isEmpty() && i < count; ++i) {
        auto record = readRecord(archive, int(i), &fault);
        if (record)
            records.push_back(std::move(record));
    }
    if (!fault.isEmpty()) {
        qCWarning(lcArchive).noquote()
            << "UArchive: archive" << archive.fileName() << "refused:" << fault;
        return false;
    }

    m_records = std::move(records);
    m_headerSize = archive.pos();
    m_refusedCount = 0;
    setExtractionRoot(m_extractionRoot);
    return true;
}

std::unique_ptr<UArchiveHeaderRecord> UArchiveHeader::readRecord(QFile &archive, int index,
                                                                 QString *fault)
{
    QDataStream in(&archive);
    quint32 nameLength = 0;
    in >> nameLength;
    const qint64 left = archive.size() - archive.pos();
    if (in.status() != QDataStream::Ok ||
        UArchiveHeaderRecord::encodedSize(nameLength) - 4 > left) {
        *fault = QStringLiteral("entry header %1 runs past the end of the file").arg(index);
        return nullptr;
    }
    if (nameLength > MaxNameLength) {
        *fault = QStringLiteral("entry header %1 has a name of %2 units, more than the limit of %3")
                     .arg(index)
                     .arg(nameLength)
                     .arg(MaxNameLength);
        return nullptr;
    }
    auto record = std::make_unique<UArchiveHeaderRecord>(this);
    record->setName(nameFromUtf16Le(archive.read(2 * qint64(nameLength))));
    quint32 offset = 0;
    quint32 size = 0;
    in >> offset >> size;
    record->setOffset(offset);
    record->setSize(size);
    return record;
}

void UArchiveHeader::unpack(QFile &archive)
{
    m_refusedCount = 0;
    m_unpackedBytes = 0;
    const qint64 fileSize = archive.size();
    refuseWhere([this, fileSize](const UArchiveHeaderRecord &record) {
        return placementFault(record, fileSize);
    });
    for (const auto &record : m_records)
        UArchiveFolder::makeInPlace(folderOf(record->fullPath()));
    refuseWhere([this, &archive](const UArchiveHeaderRecord &record) {
        return writeEntry(archive, record);
    });
}

void UArchiveHeader::refuseWhere(const std::function<QString(const UArchiveHeaderRecord &)> &fault)
{
    Records kept;
    for (auto &record : m_records) {
        const QString reason = fault(*record);
        if (reason.isEmpty()) {
            kept.push_back(std::move(record));
            continue;
        }
        qCWarning(lcArchive) << "UArchive: entry" << record->name()
                             << "refused:" << qUtf8Printable(reason);
        ++m_refusedCount;
    }
    m_records = std::move(kept);
}

QString UArchiveHeader::placementFault(const UArchiveHeaderRecord &record, qint64 fileSize) const
{
    if (QString fault = UArchiveHeaderRecord::nameFault(record.name()); !fault.isEmpty())
        return QStringLiteral("its name ") + fault;
    if (!isInsideRoot(record.fullPath()))
        return QStringLiteral("its name resolves outside the extraction root");
    if (!record.blockFits(fileSize))
        return QStringLiteral("its data block (offset %1, %2 bytes) lies past the end of the "
                              "file (%3 bytes)")
            .arg(record.offset())
            .arg(record.size())
            .arg(fileSize);
    return {};
}

QString UArchiveHeader::writeEntry(QFile &archive, const UArchiveHeaderRecord &record)
{
    const UArchiveBlock block(record.readBlock(archive));
    if (block.announcedLength() > MaxUnpackedBytes - m_unpackedBytes)
        return QStringLiteral("it announces %1 bytes unpacked, past the archive's limit of "
                              "%2 bytes")
            .arg(block.announcedLength())
            .arg(MaxUnpackedBytes);

    QByteArray data;
    switch (block.unpack(&data)) {
    case UArchiveBlock::Result::TooLarge:
        return QStringLiteral("it announces %1 bytes unpacked, past the entry limit of %2 bytes")
            .arg(block.announcedLength())
            .arg(UArchiveBlock::MaxUnpackedBytes);
    case UArchiveBlock::Result::PastLength:
        return QStringLiteral("its data inflates past the %1 bytes it announces")
            .arg(block.announcedLength());
    case UArchiveBlock::Result::Damaged:
        qCWarning(lcArchive) << "UArchive: entry" << record.name()
                             << "has a damaged data block; unpacked as an empty file";
        break;
    case UArchiveBlock::Result::Unpacked:
        break;
    }
    m_unpackedBytes += block.announcedLength();

    QFile file(record.fullPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        qCWarning(lcArchive) << "UArchive: entry" << record.name()
                             << "could not be written:" << file.errorString();
    return {};
}

bool UArchiveHeader::isInsideRoot(const QString &path) const
{
    const QString root = QDir::cleanPath(QFileInfo(m_extractionRoot).absoluteFilePath());
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).startsWith(root + QLatin1Char('/'));
}
