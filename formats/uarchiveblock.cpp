#include "formats/uarchiveblock.h"

#include <QtEndian>
#include <zlib.h>

namespace {
constexpr qsizetype kLengthBytes = 4;
}

UArchiveBlock::UArchiveBlock(QByteArray stored)
    : m_stored(std::move(stored))
{}

quint32 UArchiveBlock::announcedLength() const
{
    if (m_stored.size() < kLengthBytes)
        return 0;
    return qFromBigEndian<quint32>(m_stored.constData());
}

UArchiveBlock::Result UArchiveBlock::unpack(QByteArray *data) const
{
    data->clear();
    if (announcedLength() > MaxUnpackedBytes)
        return Result::TooLarge;
    // qCompress of empty data may leave only the zero length; anything else this short is broken.
    if (m_stored.size() <= kLengthBytes)
        return m_stored.size() == kLengthBytes && announcedLength() == 0 ? Result::Unpacked
                                                                         : Result::Damaged;
    return inflate(data);
}

UArchiveBlock::Result UArchiveBlock::inflate(QByteArray *data) const
{
    // One spare byte tells a stream that ends exactly at the length from one that runs past it.
    QByteArray out(qsizetype(announcedLength()) + 1, Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return Result::Damaged;
    stream.next_in =
        reinterpret_cast<Bytef *>(const_cast<char *>(m_stored.constData())) + kLengthBytes;
    stream.avail_in = uInt(m_stored.size() - kLengthBytes);
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    int status = Z_OK;
    while (status == Z_OK && stream.avail_in > 0 && stream.avail_out > 0)
        status = ::inflate(&stream, Z_NO_FLUSH);
    const qsizetype produced = qsizetype(stream.total_out);
    inflateEnd(&stream);

    if (produced > qsizetype(announcedLength()))
        return Result::PastLength;
    if (status != Z_STREAM_END)
        return Result::Damaged;
    out.resize(produced);
    *data = std::move(out);
    return Result::Unpacked;
}
