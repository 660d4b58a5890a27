#pragma once

#include <QByteArray>
#include <QList>

// Cuts the byte stream of a device connection into reply entries. A line is complete at its CR;
// an unfinished line is kept for the next read, but never beyond MaxEntrySize, so a device that
// never ends its line cannot grow memory without bound.
class IReplyFramer
{
public:
    static constexpr int MaxEntrySize = 64 * 1024;

    // The complete entries that this read finishes, in order.
    QList<QByteArray> feed(const QByteArray &bytes);
    void clear();
    int pendingSize() const { return int(m_pending.size()); }

private:
    QByteArray takeComplete();
    QList<QByteArray> split(QByteArray complete) const;
    bool dropDiscardedLine(QByteArray &bytes);

    QByteArray m_pending;
    bool m_discarding = false;
};
