#include "comm/icomposite.h"
#include "comm/iinterfacefactory.h"
#include "comm/itcpclient.h"
#include "comm/itcpclientthread.h"
#include "comm/pprotocol.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

const QByteArray Ack(1, 0x06);
const QByteArray Nak(1, 0x15);

// Generous bound for things that happen within a few dispatch steps on loopback.
constexpr int SettleMs = 5000;

// Records what the client hands to its protocol.
class RecordingProtocol : public PProtocol
{
public:
    bool handleReply(const QByteArray &line) override
    {
        lines.append(line);
        return true;
    }
    void onNoReply(const QString &expectedReply) override { noReplies.append(expectedReply); }
    bool onOnlineStateChanged(bool online) override
    {
        onlineCalls.append(online);
        return true;
    }
    void resubscribe() override { ++resubscribes; }

    QList<QByteArray> lines;
    QStringList noReplies;
    QList<bool> onlineCalls;
    int resubscribes = 0;
};

// A device on 127.0.0.1 that records each CR-ended command and answers as the test tells it.
class FakeDevice : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<QByteArray(const QByteArray &command)>;

    FakeDevice()
    {
        connect(&m_server, &QTcpServer::newConnection, this, &FakeDevice::accept);
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    quint16 port() const { return m_server.serverPort(); }
    void stopListening() { m_server.close(); }
    bool listenAgain(quint16 port) { return m_server.listen(QHostAddress::LocalHost, port); }
    void setAnswer(Answer answer) { m_answer = std::move(answer); }
    int count(const QByteArray &command) const { return int(commands.count(command)); }
    QTcpSocket *peer() const { return m_peer; }

    void write(const QByteArray &bytes)
    {
        m_peer->write(bytes);
        m_peer->flush();
    }

    void drop() { m_peer->disconnectFromHost(); }

    QList<QByteArray> commands;
    int connections = 0;

Q_SIGNALS:
    void commandReceived(const QByteArray &command);

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            m_peer = socket;
            m_buffer.clear();
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            ++connections;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket *socket)
    {
        m_buffer += socket->readAll();
        qsizetype cr;
        while ((cr = m_buffer.indexOf('\r')) >= 0) {
            const QByteArray command = m_buffer.left(cr);
            m_buffer.remove(0, cr + 1);
            commands.append(command);
            Q_EMIT commandReceived(command);
            const QByteArray answer = m_answer ? m_answer(command) : QByteArray();
            if (!answer.isEmpty() && socket->state() == QAbstractSocket::ConnectedState)
                socket->write(answer);
        }
    }

    QTcpServer m_server;
    QPointer<QTcpSocket> m_peer;
    QByteArray m_buffer;
    Answer m_answer;
};

struct Rig
{
    FakeDevice device;
    RecordingProtocol protocol;
    ITcpClient client;

    Rig()
    {
        client.setProtocol(&protocol);
        client.setAddress(QHostAddress(QHostAddress::LocalHost));
        client.setPort(device.port());
    }

    bool connect()
    {
        client.open();
        return QTest::qWaitFor([this] { return client.isOnline() && device.peer(); }, SettleMs);
    }

    void queue(const QByteArray &command, int type, const char *expected = "", uint timeoutMs = 200)
    {
        const QByteArray bytes = command + '\r';
        client.send(bytes.constData(), int(bytes.size()), type, expected, timeoutMs);
    }

    // Every message queued before has been given up or answered once the marker is acknowledged.
    bool drainWithMarker()
    {
        queue("MARK", IInterface::NoAnswer);
        return QTest::qWaitFor([this] { return device.count("MARK") == 1; }, SettleMs);
    }

    QTcpSocket *socket() const { return client.findChild<QTcpSocket *>(); }
};

FakeDevice::Answer answerWith(const QByteArray &bytes)
{
    return [bytes](const QByteArray &) { return bytes; };
}

} // namespace

Q_DECLARE_METATYPE(FakeDevice::Answer)

class TestITcpClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void factoryMakesAnUnparentedTcpClient();
    void withoutSocketNothingIsSentOrClosed();
    void dispatcherLivesOnTheGuiThread();
    void connectsAndGoesOnline();
    void closeGoesOfflineAndIdle();
    void acknowledgedMessage_data();
    void acknowledgedMessage();
    void queryMatchedByItsBeginning_data();
    void queryMatchedByItsBeginning();
    void repliesAreSplitAtSemicolonAndCr_data();
    void repliesAreSplitAtSemicolonAndCr();
    void reconnectsAfterTheDeviceDrops();
    void refusedDeviceWarnsOnce();
    void silentHostIsUnreachable();
    void resetsAfterThirteenFailures_data();
    void resetsAfterThirteenFailures();
    void immediateMessageBypassesTheQueue();
    void pendingRepliesAreCapped();
    void subscriptionModeFlags();
    void subscriptionModeHasNoReplyTimeout();
    void hostCheckRunsPingWithArguments_data();
    void hostCheckRunsPingWithArguments();
    void hostCheckSurvivesAMissingPing();
    void hostCheckKillsAHangingPing();
    void manyClientsFitTheUsualFileLimit();
};

void TestITcpClient::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.comm.tcp.debug=true"));
}

void TestITcpClient::factoryMakesAnUnparentedTcpClient()
{
    std::unique_ptr<IInterface> interface(IInterfaceFactory::create(QStringLiteral("Serial")));
    QVERIFY(qobject_cast<ITcpClient *>(interface.get()));
    QCOMPARE(interface->parent(), nullptr);
    QCOMPARE(interface->name(), QStringLiteral("TcpClient Interface"));
    QCOMPARE(interface->state(), int(IInterface::Idle));
    QCOMPARE(interface->stateText(), QStringLiteral(" - Offline - Idle"));
}

void TestITcpClient::withoutSocketNothingIsSentOrClosed()
{
    ITcpClient client;
    QCOMPARE(client.send("X\r", 2, IInterface::Immediate, "", 200), 0u);
    QCOMPARE(client.send("X\r", 2, IInterface::Acknowledged, "", 200), 0u);
    QVERIFY(!client.waitForBytesWritten(10));
    QVERIFY(!client.close());
}

void TestITcpClient::dispatcherLivesOnTheGuiThread()
{
    ITcpClient client;
    auto *dispatcher = client.findChild<ITcpClientThread *>();
    QVERIFY(dispatcher);
    QCOMPARE(dispatcher->thread(), QThread::currentThread());
    QVERIFY(!dispatcher->isRunning());
}

void TestITcpClient::connectsAndGoesOnline()
{
    Rig rig;
    QSignalSpy online(&rig.client, &IInterface::interfaceStateChanged);
    QSignalSpy active(&rig.client, &ITcpClient::connectionActive);
    QCOMPARE(rig.client.state(), int(IInterface::Idle));

    QVERIFY(rig.connect());
    QCOMPARE(rig.client.state(), int(IInterface::Online));
    QCOMPARE(rig.client.stateText(), QStringLiteral(" - Online - Running"));
    QCOMPARE(online.count(), 1);
    QCOMPARE(online.first().first().toBool(), true);
    QCOMPARE(active.count(), 1);
    QCOMPARE(rig.client.failureCount(), 0);
    QVERIFY(rig.socket());
    QCOMPARE(rig.socket()->socketOption(QAbstractSocket::LowDelayOption).toInt(), 1);

    const QString port = QString::number(rig.device.port());
    QTest::ignoreMessage(
        QtDebugMsg, QRegularExpression(QStringLiteral("TcpClient Interface.*127\\.0\\.0\\.1.*") +
                                       port + QStringLiteral(".*true")));
    rig.client.dump();
}

void TestITcpClient::closeGoesOfflineAndIdle()
{
    Rig rig;
    QVERIFY(rig.connect());
    QSignalSpy online(&rig.client, &IInterface::interfaceStateChanged);
    QSignalSpy quit(&rig.client, &ITcpClient::quitMessageProcessing);

    QVERIFY(rig.client.close());
    QCOMPARE(rig.client.state(), int(IInterface::Idle));
    QVERIFY(!rig.client.isOnline());
    QCOMPARE(online.count(), 1);
    QCOMPARE(online.first().first().toBool(), false);
    QVERIFY(quit.count() >= 1);
    QVERIFY(!rig.client.close());
}

void TestITcpClient::acknowledgedMessage_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("sends");
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("noReplies");

    QTest::newRow("ACK completes") << Ack << 1 << 0 << 0;
    QTest::newRow("NAK resent twice, then dropped") << Nak << 3 << 3 << 0;
    QTest::newRow("other first byte resent twice, then dropped")
        << QByteArray("?\r") << 3 << 3 << 0;
    QTest::newRow("silence times out three times") << QByteArray() << 3 << 3 << 3;
}

void TestITcpClient::acknowledgedMessage()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, sends);
    QFETCH(int, failures);
    QFETCH(int, noReplies);

    Rig rig;
    QVERIFY(rig.connect());
    rig.device.setAnswer(
        [answer](const QByteArray &command) { return command == "MARK" ? QByteArray() : answer; });
    QElapsedTimer elapsed;
    elapsed.start();
    rig.queue("SET \"Lvl\" 1=-10", IInterface::Acknowledged, "SET");

    QVERIFY(rig.drainWithMarker());
    QCOMPARE(rig.device.count("SET \"Lvl\" 1=-10"), sends);
    QCOMPARE(rig.client.failureCount(), failures);
    QCOMPARE(rig.client.failedMessages(), failures);
    QCOMPARE(rig.client.msSinceReply() >= 0, !answer.isEmpty());
    QCOMPARE(rig.protocol.noReplies.size(), noReplies);
    if (noReplies > 0) {
        QCOMPARE(rig.protocol.noReplies.first(), QStringLiteral("SET"));
        // Three 200 ms waits, less the coarse timers' slack.
        QVERIFY2(elapsed.elapsed() >= 3 * 180, qPrintable(QString::number(elapsed.elapsed())));
    }
    QVERIFY(rig.protocol.lines.isEmpty());
}

void TestITcpClient::queryMatchedByItsBeginning_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<int>("sends");
    QTest::addColumn<int>("failures");

    QTest::newRow("matching reply")
        << QByteArray("GS \"Lvl\" 1 -10\r") << QList<QByteArray>{"GS \"Lvl\" 1 -10"} << 1 << 0;
    QTest::newRow("leading ACK dropped")
        << Ack + "GS \"Lvl\" 1 -3\r" << QList<QByteArray>{"GS \"Lvl\" 1 -3"} << 1 << 0;
    QTest::newRow("lines of one reply")
        << QByteArray("GS \"Lvl\" 1 -1\rGS \"Lvl\" 2 -2\r")
        << QList<QByteArray>{"GS \"Lvl\" 1 -1", "GS \"Lvl\" 2 -2"} << 1 << 0;
    QTest::newRow("other beginning resent")
        << QByteArray("GS \"Mute\" 1 0\r") << QList<QByteArray>{} << 3 << 3;
}

void TestITcpClient::queryMatchedByItsBeginning()
{
    QFETCH(QByteArray, answer);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(int, sends);
    QFETCH(int, failures);

    Rig rig;
    QVERIFY(rig.connect());
    rig.device.setAnswer([answer](const QByteArray &command) {
        return command.startsWith("GS") ? answer : QByteArray();
    });
    rig.queue("GS \"Lvl\" 1", IInterface::Query, "GS \"Lvl\"");

    QVERIFY(rig.drainWithMarker());
    QCOMPARE(rig.device.count("GS \"Lvl\" 1"), sends);
    QCOMPARE(rig.protocol.lines, lines);
    QCOMPARE(rig.client.failureCount(), failures);
}

void TestITcpClient::repliesAreSplitAtSemicolonAndCr_data()
{
    QTest::addColumn<QList<QByteArray>>("segments");
    QTest::addColumn<QList<QByteArray>>("lines");

    using L = QList<QByteArray>;
    QTest::newRow("joined by one semicolon") << L{"a;b\r"} << L{"a", "b"};
    QTest::newRow("joined by two semicolons") << L{"a;;b\r"} << L{"a", "b"};
    QTest::newRow("two lines") << L{"a\rb\r"} << L{"a", "b"};
    QTest::newRow("split across two segments") << L{"VAL x", "=1\r"} << L{"VAL x=1"};
    QTest::newRow("lone semicolon and lone CR") << L{";", "\r"} << L{};
}

// Subscription mode hands every entry to the protocol, so the framing shows in full.
void TestITcpClient::repliesAreSplitAtSemicolonAndCr()
{
    QFETCH(QList<QByteArray>, segments);
    QFETCH(QList<QByteArray>, lines);

    Rig rig;
    QVERIFY(rig.connect());
    rig.client.setSubscriptionMode(true);
    QSignalSpy reads(rig.socket(), &QTcpSocket::readyRead);
    for (const QByteArray &segment : segments) {
        rig.device.write(segment);
        QVERIFY(reads.wait(SettleMs));
    }
    QCOMPARE(reads.count(), segments.size());
    rig.device.write("END\r");
    QTRY_VERIFY_WITH_TIMEOUT(rig.protocol.lines.contains("END"), SettleMs);
    rig.protocol.lines.removeAll("END");
    QCOMPARE(rig.protocol.lines, lines);
}

void TestITcpClient::reconnectsAfterTheDeviceDrops()
{
    Rig rig;
    QVERIFY(rig.connect());
    rig.device.setAnswer(answerWith(Ack));
    QSignalSpy online(&rig.client, &IInterface::interfaceStateChanged);
    QSignalSpy active(&rig.client, &ITcpClient::connectionActive);

    QElapsedTimer elapsed;
    elapsed.start();
    rig.device.drop();
    QTRY_COMPARE_WITH_TIMEOUT(rig.client.state(), int(IInterface::Reconnecting), SettleMs);
    QCOMPARE(rig.client.stateText(), QStringLiteral(" - Offline - Reconnecting"));
    QCOMPARE(online.count(), 1);
    QCOMPARE(online.first().first().toBool(), false);

    // One retry period (1500 ms) plus generous slack for a loaded machine.
    QTRY_VERIFY_WITH_TIMEOUT(rig.client.isOnline(), ITcpClient::RetryIntervalMs + 3500);
    QVERIFY2(elapsed.elapsed() >= ITcpClient::RetryIntervalMs - 100,
             qPrintable(QString::number(elapsed.elapsed())));
    QCOMPARE(rig.client.state(), int(IInterface::Online));
    QCOMPARE(rig.device.connections, 2);
    QCOMPARE(active.count(), 0);

    rig.queue("SET \"Lvl\" 1=0", IInterface::Acknowledged);
    QVERIFY(rig.drainWithMarker());
    QCOMPARE(rig.device.count("SET \"Lvl\" 1=0"), 1);
    QCOMPARE(rig.client.failureCount(), 0);
}

// A device that stays away is one warning, however often the client tries again.
void TestITcpClient::refusedDeviceWarnsOnce()
{
    Rig rig;
    QVERIFY(rig.connect());
    rig.device.stopListening();
    const QRegularExpression socketError(QStringLiteral("^Socket error"));
    QTest::ignoreMessage(QtWarningMsg, socketError);
    QTest::failOnWarning(socketError);
    QSignalSpy errors(rig.socket(), &QTcpSocket::errorOccurred);
    rig.device.drop();
    QTRY_VERIFY_WITH_TIMEOUT(errors.count() >= 3, 4 * ITcpClient::RetryIntervalMs + 3000);
    QCOMPARE(rig.client.linkState(), IInterface::LinkRefused);
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("connected again$")));
    QVERIFY(rig.device.listenAgain(rig.client.port()));
    QTRY_VERIFY_WITH_TIMEOUT(rig.client.isOnline(), ITcpClient::RetryIntervalMs + 3500);
    QCOMPARE(rig.client.linkState(), IInterface::LinkOnline);
}

// A host that does not answer the handshake (a full backlog here) is unreachable, not refused.
void TestITcpClient::silentHostIsUnreachable()
{
    QTcpServer silent;
    silent.setListenBacklogSize(1);
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    silent.pauseAccepting();
    QTcpSocket fillers[4];
    for (QTcpSocket &filler : fillers)
        filler.connectToHost(QHostAddress::LocalHost, silent.serverPort());
    Rig rig;
    rig.client.setPort(silent.serverPort());
    QCOMPARE(rig.client.linkState(), IInterface::LinkIdle);
    rig.client.open();
    QCOMPARE(rig.client.linkState(), IInterface::LinkConnecting);
    QTRY_COMPARE_WITH_TIMEOUT(rig.client.linkState(), IInterface::LinkUnreachable,
                              ITcpClient::ConnectTimeoutMs + 3000);
}

void TestITcpClient::resetsAfterThirteenFailures_data()
{
    QTest::addColumn<bool>("thirteenth");

    // Each refused message fails three times; one more message fails once.
    QTest::newRow("twelve failures") << false;
    QTest::newRow("thirteen failures") << true;
}

// The reset comes at once, not with the next socket event, and the device counts as down for
// the indicator until it answers again, though its link comes back.
void TestITcpClient::resetsAfterThirteenFailures()
{
    QFETCH(bool, thirteenth);

    Rig rig;
    QVERIFY(rig.connect());
    bool refusedOnce = false;
    rig.device.setAnswer([&refusedOnce](const QByteArray &command) {
        if (command.startsWith("BAD"))
            return Nak;
        if (command == "ONCE" && !refusedOnce) {
            refusedOnce = true;
            return Nak;
        }
        return Ack;
    });
    QList<int> states;
    connect(&rig.client, &ITcpClient::quitMessageProcessing, &rig.client, [&] {
        states.append(rig.client.state());
        states.append(rig.client.linkState());
    });
    for (int i = 0; i < 4; ++i)
        rig.queue("BAD " + QByteArray::number(i), IInterface::Acknowledged);
    if (!thirteenth) {
        QVERIFY(rig.drainWithMarker());
        QCOMPARE(rig.client.failureCount(), 12);
        QCOMPARE(rig.client.state(), int(IInterface::Online));
        return;
    }
    rig.queue("ONCE", IInterface::Acknowledged);
    QTRY_VERIFY_WITH_TIMEOUT(!rig.client.isOnline(), SettleMs);
    QCOMPARE(states.value(0), int(IInterface::Resetting));
    QCOMPARE(states.value(1), int(IInterface::LinkResetting));
    QCOMPARE(rig.client.state(), int(IInterface::Reconnecting));
    QCOMPARE(rig.client.failureCount(), 0);
    QCOMPARE(rig.client.failedMessages(), 13);
    // Back after one retry period (1500 ms) plus slack.
    QTRY_VERIFY_WITH_TIMEOUT(rig.client.isOnline(), ITcpClient::RetryIntervalMs + 3500);
    QVERIFY(!rig.client.isAnswering());
    QSignalSpy changed(&rig.client, &IInterface::interfaceStateChanged);
    rig.queue("ONCE", IInterface::Acknowledged);
    QTRY_VERIFY_WITH_TIMEOUT(rig.client.isAnswering(), SettleMs);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toBool(), true);
}

void TestITcpClient::immediateMessageBypassesTheQueue()
{
    Rig rig;
    QVERIFY(rig.connect());
    rig.device.setAnswer(
        [](const QByteArray &command) { return command == "SLOW" ? QByteArray() : Ack; });
    rig.queue("SLOW", IInterface::Query, "SLOW", 1000);
    rig.queue("NEXT", IInterface::Acknowledged);
    QTRY_COMPARE_WITH_TIMEOUT(rig.device.count("SLOW"), 1, SettleMs);

    const QByteArray now("NOW\r");
    QCOMPARE(rig.client.send(now.constData(), int(now.size()), IInterface::Immediate, "", 0),
             uint(now.size()));
    QTRY_COMPARE_WITH_TIMEOUT(rig.device.count("NOW"), 1, SettleMs);
    // The queue is still held by the unanswered query.
    QCOMPARE(rig.device.commands, (QList<QByteArray>{"SLOW", "NOW"}));

    // Past the cap, messages are dropped with a warning.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("wait for the device")));
    for (int i = 0; i < ITcpClient::MaxQueuedMessages; ++i)
        rig.queue("N " + QByteArray::number(i), IInterface::Acknowledged);
    QCOMPARE(rig.client.queuedCount(), ITcpClient::MaxQueuedMessages);
}

void TestITcpClient::pendingRepliesAreCapped()
{
    Rig rig;
    QVERIFY(rig.connect());
    QByteArray flood;
    const int floodEntries = 3 * ITcpClient::MaxPendingReplies;
    for (int i = 0; i < floodEntries; ++i)
        flood += "F" + QByteArray::number(i) + ';';
    flood += '\r';
    QSignalSpy reads(rig.socket(), &QTcpSocket::readyRead);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("replies pending")));
    rig.device.write(flood);
    rig.device.write("LAST\r");
    QTRY_VERIFY_WITH_TIMEOUT(rig.socket()->bytesAvailable() == 0 && !reads.isEmpty() &&
                                 rig.device.peer()->bytesToWrite() == 0,
                             SettleMs);

    // Nobody waits for a reply, so the entries pile up until subscription mode takes them.
    rig.client.setSubscriptionMode(true);
    QTRY_COMPARE_WITH_TIMEOUT(rig.protocol.lines.size(), ITcpClient::MaxPendingReplies, SettleMs);
    QCOMPARE(rig.protocol.lines.first(), QByteArray("F0"));
    rig.device.write("END\r");
    QTRY_COMPARE_WITH_TIMEOUT(rig.protocol.lines.last(), QByteArray("END"), SettleMs);
    QCOMPARE(rig.protocol.lines.size(), ITcpClient::MaxPendingReplies + 1);

    // Another flood soon after belongs to the same episode: no second warning.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("replies pending")));
    rig.device.write(flood);
    QTRY_COMPARE_WITH_TIMEOUT(rig.protocol.lines.size(), 2 * ITcpClient::MaxPendingReplies + 1,
                              SettleMs);
}

void TestITcpClient::subscriptionModeFlags()
{
    Rig rig;
    QVERIFY(!rig.client.isSubscriptionModeSet());
    QVERIFY(!rig.client.subscriptionMode());
    rig.client.setSubscriptionMode(true);
    QVERIFY(rig.client.isSubscriptionModeSet());
    QVERIFY(rig.client.subscriptionMode());

    rig.client.resetSubscriptionMode();
    QVERIFY(!rig.client.isSubscriptionModeSet());
    QVERIFY(!rig.client.subscriptionMode());
    QCOMPARE(rig.protocol.onlineCalls, QList<bool>{false});
    QCOMPARE(rig.protocol.resubscribes, 0);

    QVERIFY(rig.connect());
    rig.client.setSubscriptionMode(false);
    QVERIFY(rig.client.isSubscriptionModeSet());
    rig.client.resetSubscriptionMode();
    QCOMPARE(rig.protocol.resubscribes, 1);
    QCOMPARE(rig.protocol.onlineCalls.size(), 1);

    ITcpClient bare;
    bare.setSubscriptionMode(true);
    bare.resetSubscriptionMode();
    QVERIFY(bare.isSubscriptionModeSet());
}

void TestITcpClient::subscriptionModeHasNoReplyTimeout()
{
    Rig rig;
    QVERIFY(rig.connect());
    rig.client.setSubscriptionMode(true);
    rig.device.setAnswer([](const QByteArray &command) {
        return command == "GS \"Lvl\" 1" ? QByteArray("PUSHED 7\r") : QByteArray();
    });
    QSignalSpy received(&rig.device, &FakeDevice::commandReceived);
    rig.queue("GS \"Lvl\" 1", IInterface::Query, "GS", 20);
    rig.queue("SILENT", IInterface::Acknowledged, "", 20);
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, SettleMs);
    // Ten times the message's own 20 ms time-out: a resend would have come by then.
    QVERIFY(!received.wait(200));
    QCOMPARE(rig.device.commands, (QList<QByteArray>{"GS \"Lvl\" 1", "SILENT"}));
    QCOMPARE(rig.protocol.lines, QList<QByteArray>{"PUSHED 7"});
    QVERIFY(rig.protocol.noReplies.isEmpty());
    QCOMPARE(rig.client.failureCount(), 0);
}

void TestITcpClient::hostCheckRunsPingWithArguments_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<bool>("hostDead");

    QTest::newRow("unreachable") << QByteArray("From 127.0.0.1 icmp_seq=1 Destination Host "
                                               "Unreachable\n")
                                 << true;
    QTest::newRow("timed out") << QByteArray("Request timed out.\n") << true;
    QTest::newRow("no output") << QByteArray() << true;
    QTest::newRow("answered") << QByteArray("64 bytes from 127.0.0.1: icmp_seq=1 ttl=64\n")
                              << false;
    QTest::newRow("case differs") << QByteArray("destination host unreachable\n") << false;
}

void TestITcpClient::hostCheckRunsPingWithArguments()
{
#ifdef Q_OS_WIN
    QSKIP("The stand-in ping is a shell script");
#endif
    QFETCH(QByteArray, output);
    QFETCH(bool, hostDead);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString argsFile = dir.filePath(QStringLiteral("args"));
    QFile script(dir.filePath(QStringLiteral("ping")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    // The banner comes first and the verdict later, as the real command prints them.
    script.write("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + argsFile.toUtf8() +
                 "'\n");
    if (!output.isEmpty())
        script.write("echo 'PING 127.0.0.1'\nsleep 0.2\nprintf '%s' '" + output + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    Rig rig;
    QVERIFY(rig.connect());
    rig.client.setPingProgram(script.fileName());
    QSignalSpy finished(&rig.client, &ITcpClient::hostCheckFinished);
    rig.client.onHostStatusTimerTimesout();
    QVERIFY(finished.wait(SettleMs));
    QCOMPARE(finished.first().first().toBool(), hostDead);

    QFile args(argsFile);
    QVERIFY(args.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
             ITcpClient::pingArguments(QStringLiteral("127.0.0.1")));
    QCOMPARE(ITcpClient::pingArguments(QStringLiteral("127.0.0.1")).last(),
             QStringLiteral("127.0.0.1"));

    const QByteArray mark("MARK\r");
    rig.client.send(mark.constData(), int(mark.size()), IInterface::Immediate, "", 0);
    QTRY_COMPARE_WITH_TIMEOUT(rig.device.count("MARK"), 1, SettleMs);
    QCOMPARE(rig.device.count("SUB"), hostDead ? 1 : 0);
}

void TestITcpClient::hostCheckSurvivesAMissingPing()
{
    Rig rig;
    QVERIFY(rig.connect());
    rig.client.setPingProgram(QStringLiteral("/nonexistent/veloxa-no-ping"));
    QSignalSpy finished(&rig.client, &ITcpClient::hostCheckFinished);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not start")));
    rig.client.onHostStatusTimerTimesout();
    QVERIFY(finished.wait(SettleMs));
    QCOMPARE(finished.first().first().toBool(), false);

    // The check is not stuck: the next one runs as well.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not start")));
    rig.client.onHostStatusTimerTimesout();
    QVERIFY(finished.wait(SettleMs));
    const QByteArray mark("MARK\r");
    rig.client.send(mark.constData(), int(mark.size()), IInterface::Immediate, "", 0);
    QTRY_COMPARE_WITH_TIMEOUT(rig.device.count("MARK"), 1, SettleMs);
    QCOMPARE(rig.device.count("SUB"), 0);
    QVERIFY(rig.client.isOnline());
}

void TestITcpClient::hostCheckKillsAHangingPing()
{
#ifdef Q_OS_WIN
    QSKIP("The stand-in ping is a shell script");
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile script(dir.filePath(QStringLiteral("ping")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 60\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    Rig rig;
    QVERIFY(rig.connect());
    rig.client.setPingProgram(script.fileName());
    QSignalSpy finished(&rig.client, &ITcpClient::hostCheckFinished);
    QElapsedTimer elapsed;
    elapsed.start();
    rig.client.onHostStatusTimerTimesout();
    // The ping deadline plus slack; a stuck check would never finish.
    QVERIFY(finished.wait(ITcpClient::PingDeadlineMs + 5000));
    // Coarse timers may fire up to 5 % early.
    QVERIFY2(elapsed.elapsed() >= ITcpClient::PingDeadlineMs * 9 / 10,
             qPrintable(QString::number(elapsed.elapsed())));
    // No answer within the deadline counts as a silent host.
    QCOMPARE(finished.first().first().toBool(), true);
    QTRY_COMPARE_WITH_TIMEOUT(rig.device.count("SUB"), 1, SettleMs);
}

// A 600-device project under the usual limit of 1,024 open files: one descriptor per device.
void TestITcpClient::manyClientsFitTheUsualFileLimit()
{
#ifndef Q_OS_UNIX
    QSKIP("The open-file limit is a Unix resource limit");
#else
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const rlimit lowered{std::min<rlim_t>(saved.rlim_cur, 1024), saved.rlim_max};
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    const auto restore = qScopeGuard([&saved] { setrlimit(RLIMIT_NOFILE, &saved); });
    QTest::failOnWarning(QRegularExpression(QStringLiteral("Too many open files|ResourceError")));

    // A listener that never accepts: past its backlog, connection attempts go unanswered.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    silent.pauseAccepting();
    std::vector<std::unique_ptr<ITcpClient>> clients;
    IComposite project;
    for (int i = 0; i < 600; ++i) {
        clients.push_back(std::make_unique<ITcpClient>());
        clients.back()->setAddress(QHostAddress(QHostAddress::LocalHost));
        clients.back()->setPort(silent.serverPort());
        project.add(clients.back().get());
    }
    project.open();
    const auto settled = [&clients] {
        return std::none_of(clients.cbegin(), clients.cend(), [](const auto &client) {
            return client->state() == IInterface::Idle || client->state() == IInterface::Connecting;
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 4 * ITcpClient::RetryIntervalMs);
    QVERIFY(project.onlineCount() > 0);
#endif
}

QTEST_GUILESS_MAIN(TestITcpClient)
#include "tst_itcpclient.moc"
