#pragma once

#include <QByteArray>

// One entry's stored data as qCompress writes it: a 4-byte big-endian unpacked length, then a
// zlib stream. Unpacks like qUncompress, but never produces more than the announced length.
class UArchiveBlock
{
public:
    enum class Result {
        Unpacked,
        Damaged,    // truncated or corrupt stream: unpacks as empty data
        TooLarge,   // announces more than MaxUnpackedBytes
        PastLength, // the stream inflates to more than it announces
    };

    static constexpr quint32 MaxUnpackedBytes = 64 * 1024 * 1024;

    explicit UArchiveBlock(QByteArray stored);

    // 0 when the block is too short to hold the length.
    quint32 announcedLength() const;
    Result unpack(QByteArray *data) const;

private:
    Result inflate(QByteArray *data) const;

    QByteArray m_stored;
};
