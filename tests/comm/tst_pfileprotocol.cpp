#include "comm/itcpserver.h"
#include "comm/pfileprotocol.h"
#include "model/mmodel.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray Previous = "the download that worked before";

// A design tool on 127.0.0.1: writes `copies` of payload in chunks, each once the last is gone,
// then closes, or stays connected and silent when told to stall.
class Sender : public QObject
{
public:
    Sender(quint16 port, QByteArray payload, int copies, int chunk, bool stall)
        : m_payload(std::move(payload))
        , m_left(qint64(copies) * m_payload.size())
        , m_chunk(chunk > 0 ? chunk : int(m_payload.size()))
        , m_stall(stall)
    {
        connect(&socket, &QTcpSocket::connected, this, &Sender::pump);
        connect(&socket, &QTcpSocket::bytesWritten, this, &Sender::pump);
        socket.connectToHost(QHostAddress::LocalHost, port);
    }

    QTcpSocket socket;

private:
    void pump()
    {
        if (socket.bytesToWrite() > 0 || socket.state() != QAbstractSocket::ConnectedState)
            return;
        if (m_left == 0) {
            if (!m_stall)
                socket.disconnectFromHost();
            return;
        }
        const qint64 at = (m_payload.size() - m_left % m_payload.size()) % m_payload.size();
        const QByteArray chunk = m_payload.mid(at, qMin<qint64>(m_chunk, m_left));
        m_left -= chunk.size();
        socket.write(chunk);
    }

    QByteArray m_payload;
    qint64 m_left;
    int m_chunk;
    bool m_stall;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Receive mode's transfer against senders on loopback: what is stored, what is kept.
class TestPFileProtocol : public QObject
{
    Q_OBJECT

private slots:
    void receive_data();
    void receive();
};

void TestPFileProtocol::receive_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<bool>("stall");
    QTest::addColumn<bool>("intruder"); // a second sender once the first is connected
    QTest::addColumn<bool>("stored");

    const QByteArray project = readAll(QStringLiteral(":/data/Veloxa/Demo.cpz"));
    QTest::newRow("whole file") << project << 1 << 0 << false << false << true;
    QTest::newRow("one-byte chunks, second sender") << project << 1 << 1 << false << true << true;
    QTest::newRow("cut off after half")
        << project.left(project.size() / 2) << 1 << 0 << false << false << false;
    QTest::newRow("zero bytes") << QByteArray("x") << 0 << 0 << false << false << false;
    QTest::newRow("300 MiB") << QByteArray(1024 * 1024, 'x') << 300 << 256 * 1024 << false << false
                             << false;
    QTest::newRow("stall") << project.left(100) << 1 << 0 << true << false << false;
}

void TestPFileProtocol::receive()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, copies);
    QFETCH(int, chunk);
    QFETCH(bool, stall);
    QFETCH(bool, intruder);
    QFETCH(bool, stored);
    QTemporaryDir folder;
    const QString download = folder.filePath(QStringLiteral("download.cpn"));
    QFile previous(download);
    QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write(Previous) > 0);
    previous.close();

    // Wired as the model wires it, on a port the system chooses.
    ITcpServer server;
    PFileProtocol protocol;
    server.setProtocol(&protocol);
    protocol.setInterface(&server);
    protocol.setOwner(this);
    protocol.setCheck(&MModel::checkProject);
    if (stall)
        protocol.setIdleTimeoutMs(300);
    QVERIFY(server.open() && server.open()); // the second finds it listening
    const quint16 port = server.port();

    Sender sender(port, payload, copies, chunk, stall);
    QTcpSocket second;
    if (intruder) {
        connect(&sender.socket, &QTcpSocket::connected, this,
                [&] { second.connectToHost(QHostAddress::LocalHost, port); });
        connect(&second, &QTcpSocket::connected, this, [&] { second.write("intruder"); });
    }
    QCOMPARE(protocol.receiveFile(download), stored);

    QCOMPARE(protocol.failure().isEmpty(), stored);
    QVERIFY(!QFile::exists(download + QLatin1Char('t')));
    QCOMPARE(readAll(download), stored ? payload : Previous);
    QCOMPARE(readAll(download + QStringLiteral(".bak")), stored ? Previous : QByteArray());
    if (intruder)
        QTRY_COMPARE(second.state(), QAbstractSocket::UnconnectedState);
}

QTEST_MAIN(TestPFileProtocol)
#include "tst_pfileprotocol.moc"
