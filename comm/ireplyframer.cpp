#include "comm/ireplyframer.h"

#include "util/logcategories.h"

namespace {

constexpr char Cr = '\r';
constexpr char Ack = 0x06;
constexpr char Nak = 0x15;

// A bare ACK or NAK carries no CR; holding it back would stall every acknowledged message.
bool needsNoCr(const QByteArray &bytes)
{
    for (char byte : bytes) {
        if (byte != Ack && byte != Nak && byte != ';')
            return false;
    }
    return true;
}

} // namespace

QList<QByteArray> IReplyFramer::feed(const QByteArray &bytes)
{
    QByteArray rest = bytes;
    if (!dropDiscardedLine(rest))
        return {};
    m_pending += rest;
    const QByteArray complete = takeComplete();
    if (m_pending.size() > MaxEntrySize) {
        qCWarning(lcTcp) << "Reply line longer than" << MaxEntrySize
                         << "bytes without CR, dropped up to the next CR";
        m_pending.clear();
        m_discarding = true;
    }
    return split(complete);
}

void IReplyFramer::clear()
{
    m_pending.clear();
    m_discarding = false;
}

QByteArray IReplyFramer::takeComplete()
{
    const qsizetype lastCr = m_pending.lastIndexOf(Cr);
    QByteArray complete = m_pending.left(lastCr + 1);
    m_pending.remove(0, lastCr + 1);
    if (needsNoCr(m_pending)) {
        complete += m_pending;
        m_pending.clear();
    }
    return complete;
}

QList<QByteArray> IReplyFramer::split(QByteArray complete) const
{
    if (complete.endsWith(Cr))
        complete.chop(1);
    if (complete.endsWith(';'))
        complete.chop(1);
    if (complete.isEmpty())
        return {};
    QList<QByteArray> entries = complete.split(';');
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->size() > MaxEntrySize) {
            qCWarning(lcTcp) << "Reply entry of" << it->size() << "bytes dropped";
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
    return entries;
}

bool IReplyFramer::dropDiscardedLine(QByteArray &bytes)
{
    if (!m_discarding)
        return true;
    const qsizetype cr = bytes.indexOf(Cr);
    if (cr < 0)
        return false;
    bytes.remove(0, cr + 1);
    m_discarding = false;
    return true;
}
