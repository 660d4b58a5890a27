#include "formats/uarchiveheaderrecord.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringList>

UArchiveHeaderRecord::UArchiveHeaderRecord(UArchiveHeader *owner)
    : m_owner(owner)
{}

void UArchiveHeaderRecord::setFullPath(const QString &fullPath)
{
    m_fullPath = fullPath;
}

void UArchiveHeaderRecord::setName(const QString &name)
{
    m_name = name;
    m_nameLength = name.size();
}

void UArchiveHeaderRecord::setOffset(quint32 offset)
{
    m_offset = offset;
}

void UArchiveHeaderRecord::setSize(quint32 size)
{
    m_size = size;
}

QString UArchiveHeaderRecord::nameFault(const QString &name)
{
    if (!name.startsWith(QLatin1Char('/')))
        return QStringLiteral("does not begin with \"/\"");
    const QString relative = name.mid(1);
    if (relative.startsWith(QLatin1Char('/')))
        return QStringLiteral("is an absolute path");
    if (relative.contains(QChar(QChar::Null)))
        return QStringLiteral("holds a NUL character");
    if (relative.contains(QLatin1Char('\\')))
        return QStringLiteral("holds a backslash");
    static const QRegularExpression driveLetter(QStringLiteral("(^|/)[A-Za-z]:"));
    if (relative.contains(driveLetter))
        return QStringLiteral("holds a drive letter");
    if (relative.split(QLatin1Char('/')).contains(QStringLiteral("..")))
        return QStringLiteral("holds a \"..\" segment");
    if (relative.isEmpty() || relative.endsWith(QLatin1Char('/')))
        return QStringLiteral("names no file");
    return {};
}

bool UArchiveHeaderRecord::blockFits(qint64 fileSize) const
{
    return m_offset <= fileSize && m_size <= fileSize - m_offset;
}

QByteArray UArchiveHeaderRecord::readBlock(QIODevice &archive) const
{
    if (!archive.seek(m_offset))
        return {};
    return archive.read(m_size);
}
