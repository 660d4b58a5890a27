#include "lineclient.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QSignalSpy>

namespace {

bool isControlByte(const QByteArray &entry)
{
    return entry.size() == 1 && (entry[0] == 0x06 || entry[0] == 0x15);
}

} // namespace

QMap<QString, quint16> LineClient::listeningPorts(const QByteArray &output)
{
    QMap<QString, quint16> ports;
    const QRegularExpression line(QStringLiteral("^listening (\\S+) [0-9.]+:(\\d+)$"),
                                  QRegularExpression::MultilineOption);
    auto matches = line.globalMatch(QString::fromUtf8(output));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        ports.insert(match.captured(1), match.captured(2).toUShort());
    }
    return ports;
}

LineClient::LineClient(QObject *parent)
    : QObject(parent)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, &LineClient::onReadyRead);
}

bool LineClient::connectTo(quint16 port, int timeoutMs)
{
    m_socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    return m_socket.waitForConnected(timeoutMs);
}

void LineClient::send(const QList<QByteArray> &commands)
{
    QByteArray bytes;
    for (const QByteArray &command : commands)
        bytes += command + '\r';
    m_socket.write(bytes);
    m_socket.flush();
}

bool LineClient::waitForEntries(int count, int timeoutMs)
{
    QSignalSpy spy(this, &LineClient::entryReceived);
    while (m_entries.size() < count) {
        if (!spy.wait(timeoutMs))
            return false;
    }
    return true;
}

QByteArray LineClient::ask(const QByteArray &command, int timeoutMs)
{
    const int before = m_entries.size();
    send(command);
    if (!waitForEntries(before + 1, timeoutMs))
        return QByteArray();
    return m_entries.at(before);
}

QList<QByteArray> LineClient::takeEntries()
{
    return std::exchange(m_entries, {});
}

void LineClient::onReadyRead()
{
    m_buffer += m_socket.readAll();
    // ACK and NAK come without a line end; text entries end at ";" or CR.
    while (!m_buffer.isEmpty()) {
        if (isControlByte(m_buffer.left(1)) && m_buffer.mid(1, 1) != ";") {
            const QByteArray entry = m_buffer.left(1);
            m_buffer.remove(0, 1);
            m_entries.append(entry);
            emit entryReceived(entry);
            continue;
        }
        int cut = -1;
        for (int i = 0; i < m_buffer.size() && cut < 0; ++i) {
            if (m_buffer[i] == ';' || m_buffer[i] == '\r')
                cut = i;
        }
        if (cut < 0)
            break;
        const QByteArray entry = m_buffer.left(cut);
        m_buffer.remove(0, cut + 1);
        m_entries.append(entry);
        emit entryReceived(entry);
    }
}
