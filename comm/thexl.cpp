#include "comm/thexl.h"

#include "canvas/cattributes.h"

namespace {
constexpr int maxCodes = 16;
}

void THexL::initialise()
{
    m_codes.clear();
    const QStringList fields = attributes().set().split(QLatin1Char(','));
    for (const QString &field : fields) {
        bool ok = false;
        const uint code = field.toUInt(&ok, 16);
        if (!ok || code > 0xff || m_codes.size() == maxCodes)
            break;
        m_codes.append(char(code));
    }
}

void THexL::setValue(quint8 index)
{
    m_valueIndex = index;
}

QString THexL::valueText() const
{
    return codeText(m_valueIndex);
}

QString THexL::replyText() const
{
    return codeText(m_replyIndex);
}

void THexL::setReplyValue(const QString &) {}

int THexL::valueSize() const
{
    return 1;
}

QString THexL::className() const
{
    return QStringLiteral("HexL");
}

quint8 THexL::valueAsByte() const
{
    return codeAt(m_valueIndex);
}

quint8 THexL::replyAsByte() const
{
    return codeAt(m_replyIndex);
}

QString THexL::codeText(int index) const
{
    if (index >= m_codes.size())
        return QStringLiteral("?");
    return QString(QChar(uchar(m_codes.at(index))));
}

quint8 THexL::codeAt(int index) const
{
    return index < m_codes.size() ? quint8(m_codes.at(index)) : quint8(255);
}
