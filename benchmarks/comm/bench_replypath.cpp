// The client's two roads over loopback, each beside a bare socket doing the same:
// (a) reply lines from the socket read to the transform's signal (framing, dispatcher, protocol,
//     subscription table, transform) against a QTcpSocket that only reads the same bytes;
// (b) time from the protocol's write of a transform to the command's bytes at the peer, against
//     a QTcpSocket writing the same command.

#include "canvas/cattributes.h"
#include "comm/itcpclient.h"
#include "comm/itcpclientthread.h"
#include "comm/pvxbprotocol.h"
#include "comm/ttransform.h"
#include "comm/ttransformfactory.h"
#include "hardware/hblock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kLines = 200000;
// Below the client's cap on pending replies: the next block goes when the last has been taken.
constexpr int kBlockLines = 500;
constexpr int kWrites = 1000;
constexpr int kGiveUpMs = 60000;
const QByteArray kReplyLine = "GA\"Bar Left Gain\">1=-12.5\r";

bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > kGiveUpMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    return true;
}

// The device end: a listener and the one connection it accepts.
struct Peer
{
    QTcpServer server;
    QTcpSocket *socket = nullptr;

    bool accept()
    {
        if (!server.waitForNewConnection(5000))
            return false;
        socket = server.nextPendingConnection();
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        return true;
    }
};

// One parameter of one block, read and written through the protocol.
struct Parameter
{
    HBlock block;
    CAttributes attributes;
    std::unique_ptr<TTransform> transform;

    Parameter()
    {
        block.setLabel(QStringLiteral("Bar Left Gain"));
        const QString group = QStringLiteral("Property");
        attributes.setAttribute(group, QStringLiteral("transform"), QStringLiteral("strV"));
        attributes.setAttribute(group, QStringLiteral("struct"), QStringLiteral("1"));
        attributes.setAttribute(group, QStringLiteral("index1"), QStringLiteral("1"));
        transform = TTransformFactory::create(attributes, &block);
    }
};

// A client with its protocol, connected to a fresh peer.
struct Link
{
    Peer peer;
    PVXBProtocol protocol;
    ITcpClient client;

    bool open()
    {
        if (!peer.server.listen(QHostAddress::LocalHost, 0))
            return false;
        client.setProtocol(&protocol);
        protocol.setInterface(&client);
        client.setAddress(QHostAddress::LocalHost);
        client.setPort(peer.server.serverPort());
        // The connection completes on the event loop.
        return client.open() && peer.accept() && waitFor([this] { return client.isOnline(); });
    }
    bool lowDelay()
    {
        auto *socket = client.findChild<QTcpSocket *>();
        return socket && socket->socketOption(QAbstractSocket::LowDelayOption).toInt() == 1;
    }
};

// Lines per second: kLines pushed block by block until taken() has counted each block.
double pushLines(QTcpSocket &peer, const std::function<qint64()> &taken)
{
    const QByteArray block = kReplyLine.repeated(kBlockLines);
    QElapsedTimer timer;
    timer.start();
    for (qint64 sent = kBlockLines; sent <= kLines; sent += kBlockLines) {
        peer.write(block);
        if (!waitFor([&] { return taken() >= sent; }))
            return 0.0;
    }
    return kLines / (double(timer.nsecsElapsed()) / 1e9);
}

double rawReadRate()
{
    Peer peer;
    QTcpSocket reader;
    if (!peer.server.listen(QHostAddress::LocalHost, 0))
        return 0.0;
    reader.connectToHost(QHostAddress::LocalHost, peer.server.serverPort());
    if (!reader.waitForConnected(5000) || !peer.accept())
        return 0.0;
    qint64 lines = 0;
    QObject::connect(&reader, &QTcpSocket::readyRead,
                     [&] { lines += reader.readAll().count('\r'); });
    return pushLines(*peer.socket, [&] { return lines; });
}

double replyPathRate(bool *lowDelay)
{
    Parameter parameter;
    Link link;
    if (!link.open())
        return 0.0;
    *lowDelay = link.lowDelay();
    link.protocol.subscriptions().decide(PVXBProtocol::query(*parameter.transform), 1,
                                         parameter.transform.get(), QString());
    // Replies that nobody asked for are taken only in subscription mode.
    link.client.setSubscriptionMode(true);
    // Each arrival is dispatched at once: the figure is the path's own cost, not the 10 ms step.
    auto *dispatcher = link.client.findChild<ITcpClientThread *>();
    QObject::connect(&link.client, &ITcpClient::replyReady, dispatcher,
                     &ITcpClientThread::onDispatch);
    qint64 delivered = 0;
    QObject::connect(parameter.transform.get(), &TTransform::replyValueReady, [&] { ++delivered; });
    return pushLines(*link.peer.socket, [&] { return delivered; });
}

// Nanoseconds from each write to the arrival of its CR at the peer, which answers ACK; the next
// write waits until settled() says the writer is ready again.
QList<qint64> latencies(QTcpSocket &peer, const std::function<void(int)> &write,
                        const std::function<bool()> &settled)
{
    QElapsedTimer clock;
    clock.start();
    QList<qint64> arrivals;
    QObject::connect(&peer, &QTcpSocket::readyRead, [&] {
        const qsizetype commands = peer.readAll().count('\r');
        for (qsizetype i = 0; i < commands; ++i) {
            arrivals.append(clock.nsecsElapsed());
            peer.write(QByteArray(1, 0x06));
        }
    });
    QList<qint64> result;
    for (int i = 0; i < kWrites; ++i) {
        const qint64 start = clock.nsecsElapsed();
        write(i);
        if (!waitFor([&] { return arrivals.size() > i && settled(); }))
            break;
        result.append(arrivals.at(i) - start);
    }
    std::sort(result.begin(), result.end());
    return result;
}

QList<qint64> rawWriteLatencies()
{
    Peer peer;
    QTcpSocket writer;
    if (!peer.server.listen(QHostAddress::LocalHost, 0))
        return {};
    writer.connectToHost(QHostAddress::LocalHost, peer.server.serverPort());
    if (!writer.waitForConnected(5000) || !peer.accept())
        return {};
    writer.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return latencies(
        *peer.socket,
        [&](int i) {
            writer.write("SA \"Bar Left Gain\">1=" + QByteArray::number(i % 100) + '\r');
        },
        [] { return true; });
}

QList<qint64> protocolWriteLatencies()
{
    Parameter parameter;
    Link link;
    if (!link.open())
        return {};
    bool acknowledged = false;
    // Connected after the dispatcher: when this runs, the ACK has been taken.
    QObject::connect(&link.client, &ITcpClient::replyReady, [&] { acknowledged = true; });
    return latencies(
        *link.peer.socket,
        [&](int i) {
            acknowledged = false;
            parameter.transform->setValueText(QString::number(i % 100));
            link.protocol.write(parameter.transform.get());
        },
        [&] { return acknowledged; });
}

double percentileMs(const QList<qint64> &sorted, int percent)
{
    if (sorted.isEmpty())
        return 0.0;
    const qsizetype index = std::min(sorted.size() - 1, sorted.size() * percent / 100);
    return double(sorted.at(index)) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*=false"));

    bool lowDelay = false;
    const double raw = rawReadRate();
    const double path = replyPathRate(&lowDelay);
    std::printf("reply path                          %12.0f lines/s\n", path);
    std::printf("baseline raw socket read            %12.0f lines/s\n", raw);
    std::printf("ratio reply path / baseline         %12.2f\n", raw > 0 ? path / raw : 0.0);
    std::printf("device socket LowDelayOption (Nagle off): %s\n", lowDelay ? "yes" : "no");

    const QList<qint64> rawWrites = rawWriteLatencies();
    const QList<qint64> writes = protocolWriteLatencies();
    for (const int percent : {50, 99}) {
        const double protocol = percentileMs(writes, percent);
        const double bare = percentileMs(rawWrites, percent);
        std::printf("protocol write to peer p%d          %12.3f ms  (%lld writes)\n", percent,
                    protocol, qlonglong(writes.size()));
        std::printf("baseline raw socket write p%d       %12.3f ms  (%lld writes)\n", percent, bare,
                    qlonglong(rawWrites.size()));
        std::printf("ratio write p%d / baseline          %12.2f\n", percent,
                    bare > 0 ? protocol / bare : 0.0);
    }
    return path > 0 && writes.size() == kWrites ? 0 : 1;
}
