// The device simulator answering short command lines that arrive in one write, in lines per
// second: many lines against few. Cutting the lines in linear time keeps the rate whatever the
// size of the write; a splitter that searches or shifts the whole buffer per line falls off by
// the ratio of the sizes.

#include "devicesimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kFewLines = 2000;
constexpr int kManyLines = 200000;
constexpr int kGiveUpMs = 120000;

// Lines per second for count lines in one write, or 0 when the answers did not all come.
double linesPerSecond(int count)
{
    DeviceSimulator simulator;
    SimDeviceConfig config;
    config.name = QStringLiteral("Device");
    config.port = 0;
    simulator.addDevice(config);
    if (!simulator.listen())
        return 0;
    QTcpSocket client;
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), simulator.port());
    if (!client.waitForConnected(5000))
        return 0;

    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += "GG " + QByteArray::number(i % 256, 16) + '\r';
    QEventLoop loop;
    qsizetype answered = 0;
    QObject::connect(&client, &QTcpSocket::readyRead, &loop, [&] {
        answered += client.readAll().count('\r');
        if (answered >= count)
            loop.quit();
    });
    QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    client.write(lines);
    // Before the simulator runs, the kernel takes what it can hold: one lump to be read at once,
    // as from a client that sends faster than the simulator answers.
    while (client.bytesToWrite() > 0 && client.waitForBytesWritten(100)) {
    }
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    return answered >= count ? count / seconds : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const double few = linesPerSecond(kFewLines);
    const double many = linesPerSecond(kManyLines);
    std::printf("simulator, %d lines in one write   %12.0f lines/s\n", kManyLines, many);
    std::printf("baseline %d lines in one write      %12.0f lines/s\n", kFewLines, few);
    std::printf("ratio many / few lines                 %12.2f  (goal >= 0.5: %s)\n",
                few > 0 ? many / few : 0.0, few > 0 && many / few >= 0.5 ? "met" : "NOT met");
    return 0;
}
