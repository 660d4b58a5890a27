#include "comm/itcpserver.h"
#include "comm/pfileprotocol.h"
#include "model/mmodel.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray Previous = "the download that worked before";

// A design tool on 127.0.0.1: writes copies of payload in chunks, each when the last is gone,
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
        const qint64 at = (qint64(m_payload.size()) - m_left % m_payload.size()) % m_payload.size();
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

// Receive mode's transfer against a sender on loopback: what is stored, what is kept.
class TestPFileProtocol : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void receive_data();
    void receive();
    void secondSenderIsRefused();

private:
    // Listens on a free port, wired as the model wires it.
    void listen();

    QByteArray m_project;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_download;
    std::unique_ptr<ITcpServer> m_server;
    std::unique_ptr<PFileProtocol> m_protocol;
};

void TestPFileProtocol::initTestCase()
{
    m_project = readAll(QStringLiteral(":/data/Veloxa/Demo.cpz"));
    QVERIFY(m_project.size() > 1000);
}

void TestPFileProtocol::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_download = m_folder->filePath(QStringLiteral("download.cpn"));
    QFile previous(m_download);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.write(Previous);
    previous.close();
    listen();
}

void TestPFileProtocol::listen()
{
    // A free port, then the server on it: nothing else binds in between on loopback tests.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    m_server = std::make_unique<ITcpServer>();
    m_protocol = std::make_unique<PFileProtocol>();
    m_server->setProtocol(m_protocol.get());
    m_server->setPort(port);
    m_protocol->setInterface(m_server.get());
    m_protocol->setOwner(this);
    m_protocol->setCheck(&MModel::checkProject);
    QVERIFY(m_server->open());
    QVERIFY(m_server->open()); // a second open finds it listening
}

void TestPFileProtocol::receive_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<bool>("stall");
    QTest::addColumn<bool>("stored");

    const QByteArray project = readAll(QStringLiteral(":/data/Veloxa/Demo.cpz"));
    QTest::newRow("whole file") << project << 1 << 0 << false << true;
    QTest::newRow("one-byte chunks") << project << 1 << 1 << false << true;
    QTest::newRow("cut off after half")
        << project.left(project.size() / 2) << 1 << 0 << false << false;
    QTest::newRow("zero bytes") << QByteArray("x") << 0 << 0 << false << false;
    QTest::newRow("300 MiB") << QByteArray(1024 * 1024, 'x') << 300 << 256 * 1024 << false << false;
    QTest::newRow("stall") << project.left(100) << 1 << 0 << true << false;
}

void TestPFileProtocol::receive()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, copies);
    QFETCH(int, chunk);
    QFETCH(bool, stall);
    QFETCH(bool, stored);
    m_protocol->setIdleTimeoutMs(300);

    Sender sender(m_server->port(), payload, copies, chunk, stall);
    const bool received = m_protocol->receiveFile(m_download);

    QCOMPARE(received, stored);
    QCOMPARE(m_protocol->failure().isEmpty(), stored);
    QVERIFY(!QFile::exists(m_download + QLatin1Char('t')));
    QCOMPARE(readAll(m_download), stored ? payload : Previous);
    QCOMPARE(QFile::exists(m_download + QStringLiteral(".bak")), stored);
    if (stored)
        QCOMPARE(readAll(m_download + QStringLiteral(".bak")), Previous);
    QVERIFY(m_protocol->bytesReceived() <= PFileProtocol::DefaultMaxBytes);
}

void TestPFileProtocol::secondSenderIsRefused()
{
    Sender first(m_server->port(), m_project, 1, 1, false);
    QTcpSocket second;
    connect(&first.socket, &QTcpSocket::connected, this,
            [&] { second.connectToHost(QHostAddress::LocalHost, m_server->port()); });
    QVERIFY(m_protocol->receiveFile(m_download));
    QCOMPARE(readAll(m_download), m_project);
    QTRY_VERIFY(second.state() == QAbstractSocket::UnconnectedState);
}

QTEST_MAIN(TestPFileProtocol)
#include "tst_pfileprotocol.moc"
