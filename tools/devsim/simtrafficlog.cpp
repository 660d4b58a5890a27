#include "simtrafficlog.h"

#include <QDateTime>

bool SimTrafficLog::open(const QString &path)
{
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void SimTrafficLog::received(const QString &device, const QByteArray &command)
{
    write(device, "<", command);
}

void SimTrafficLog::sent(const QString &device, const QByteArray &reply)
{
    write(device, ">", reply);
}

QString SimTrafficLog::printable(const QByteArray &bytes)
{
    QString text;
    for (char byte : bytes) {
        if (byte == 0x06)
            text += QLatin1String("<ACK>");
        else if (byte == 0x15)
            text += QLatin1String("<NAK>");
        else if (byte == '\r')
            text += QLatin1String("<CR>");
        else if (uchar(byte) < 0x20 || uchar(byte) > 0x7e)
            text += QStringLiteral("<%1>").arg(uchar(byte), 2, 16, QLatin1Char('0'));
        else
            text += QLatin1Char(byte);
    }
    return text;
}

void SimTrafficLog::write(const QString &device, const char *direction, const QByteArray &bytes)
{
    if (!m_file.isOpen())
        return;
    const QString line = QStringLiteral("%1 %2 %3 %4\n")
                             .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), device,
                                  QLatin1String(direction), printable(bytes));
    m_file.write(line.toUtf8());
    m_file.flush();
}
