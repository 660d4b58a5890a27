// The GUI thread's longest stall while device links fail, beside the same loop with no devices.
// A 1 ms timer ticks on the event loop; the longest gap between two ticks is the stall.
// Scenarios, each with N devices (24 unless given as the first argument):
//   refused     - every device's port is closed;
//   black-holed - a listener whose backlog is full, so connection attempts are never answered;
//   vanishing   - connected devices that stop reading, then closed with data still unsent.
// Loopback only. Run: build/benchmarks/comm/bench_linkstall [devices]

#include "comm/itcpclient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kDefaultDevices = 24;
constexpr int kRunMs = 4000;
constexpr qint64 kUnsentBytes = 4 * 1024 * 1024;

using Clients = std::vector<std::unique_ptr<ITcpClient>>;

struct Stall
{
    double longestMs = 0;
    double actionMs = 0; // the part spent in the scenario's own call
};

// Longest gap between two ticks of a 1 ms timer during runMs; action runs on the loop at the
// start, so that its own duration counts.
Stall longestStall(int runMs, const std::function<void()> &action)
{
    Stall stall;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    sinceTick.start();
    tick.start();
    if (action) {
        QTimer::singleShot(0, [&action, &stall] {
            QElapsedTimer own;
            own.start();
            action();
            stall.actionMs = double(own.nsecsElapsed()) / 1e6;
        });
    }
    QElapsedTimer run;
    run.start();
    while (run.elapsed() < runMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    // A call that outlasts the run leaves no tick after it.
    longest = std::max(longest, sinceTick.nsecsElapsed());
    stall.longestMs = double(longest) / 1e6;
    return stall;
}

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

Clients makeClients(int devices, quint16 port)
{
    Clients clients;
    for (int i = 0; i < devices; ++i) {
        auto client = std::make_unique<ITcpClient>();
        client->setAddress(QHostAddress(QHostAddress::LocalHost));
        client->setPort(port);
        clients.push_back(std::move(client));
    }
    return clients;
}

void openAll(Clients &clients)
{
    for (auto &client : clients)
        client->open();
}

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

Stall refused(int devices)
{
    Clients clients = makeClients(devices, closedPort());
    return longestStall(kRunMs, [&] { openAll(clients); });
}

Stall blackHoled(int devices)
{
    QTcpServer server;
    server.setListenBacklogSize(0);
    server.listen(QHostAddress::LocalHost, 0);
    server.pauseAccepting();
    // Fill the accept queue; once a connection is left unanswered the queue is full.
    std::vector<std::unique_ptr<QTcpSocket>> fillers;
    for (int i = 0; i < 16; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, server.serverPort());
        const bool answered = socket->waitForConnected(300);
        fillers.push_back(std::move(socket));
        if (!answered)
            break;
    }
    Clients clients = makeClients(devices, server.serverPort());
    return longestStall(kRunMs, [&] { openAll(clients); });
}

Stall vanishing(int devices, qint64 *unsent)
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    std::vector<QTcpSocket *> peers;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *peer = server.nextPendingConnection()) {
            peer->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
            peers.push_back(peer); // never read
        }
    });
    Clients clients = makeClients(devices, server.serverPort());
    openAll(clients);
    QElapsedTimer wait;
    wait.start();
    const auto allOnline = [&] {
        return std::all_of(clients.cbegin(), clients.cend(),
                           [](const auto &client) { return client->isOnline(); });
    };
    while (!allOnline() && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const QByteArray bulk(kUnsentBytes, 'x');
    for (auto &client : clients) {
        // Small system buffers, so that most of the data stays in the socket's own.
        if (auto *socket = client->findChild<QTcpSocket *>())
            socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 4096);
        client->send(bulk.constData(), int(bulk.size()), IInterface::Immediate, "", 0);
    }
    settle(500);
    *unsent = 0;
    for (auto &client : clients) {
        if (auto *socket = client->findChild<QTcpSocket *>())
            *unsent += socket->bytesToWrite();
    }
    return longestStall(kRunMs, [&] {
        for (auto &client : clients)
            client->close();
    });
}

void report(const char *scenario, const Stall &stall)
{
    std::printf("%-36s %8.1f ms   (its own call: %.1f ms)\n", scenario, stall.longestMs,
                stall.actionMs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*=false"));
    const int devices = argc > 1 ? std::max(1, atoi(argv[1])) : kDefaultDevices;

    std::printf("GUI thread's longest stall over %d ms, %d devices (goal: under 50 ms)\n", kRunMs,
                devices);
    report("baseline (no devices)", longestStall(kRunMs, {}));
    report("refused (closed port)", refused(devices));
    report("black-holed (backlog full)", blackHoled(devices));
    qint64 unsent = 0;
    report("vanishing, closed with unsent data", vanishing(devices, &unsent));
    std::printf("  %lld bytes were unsent at the close\n", static_cast<long long>(unsent));
    return 0;
}
