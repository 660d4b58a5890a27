// The send queue against a slow but correct device: veloxa-devsim answers every command 500 ms
// late while the client polls the demonstration's panel with faders and meters. For each device
// the longest queue is printed beside the number of distinct messages it ever held: a queue that
// repeats a message grows past it.
//
//   bench_slowlink [seconds]        60 s by default; 600 s for a soak

#include "appbench.h"

#include "app/mainwindow.h"
#include "comm/icomposite.h"
#include "comm/itcpclient.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"
#include "model/mmodel.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kDefaultSeconds = 60;
constexpr int kConnectTimeoutMs = 20000;
constexpr int kSampleMs = 20;
const QString kPanel = QStringLiteral("Volume & Source Control");

} // namespace

int main(int argc, char **argv)
{
    AppBench::prepareEnvironment();
    QTemporaryDir home;
    AppBench::useHome(home.path());
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
    const int seconds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : kDefaultSeconds;

    AppBench::SimulatorProcess simulator;
    if (!simulator.start({QStringLiteral("--delay"), QStringLiteral("500")})) {
        std::fprintf(stderr, "bench_slowlink: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    MainWindow window;
    if (!AppBench::connectDevices(window.model(), simulator.ports(), kConnectTimeoutMs) ||
        !AppBench::showPanel(window.model(), kPanel)) {
        std::fprintf(stderr, "bench_slowlink: the devices or the panel did not come up\n");
        return 2;
    }
    // Per device: its client, the longest its queue grew, every distinct message it held.
    struct Device
    {
        QString name;
        const ITcpClient *client = nullptr;
        int longest = 0;
        QSet<QByteArray> distinct;
    };
    QList<Device> devices;
    for (const QString &name : simulator.ports().keys()) {
        const auto *chassis =
            qobject_cast<const HChassis *>(window.model()->hardwareRoot()->findChassis(name));
        if (chassis)
            devices.append({name, qobject_cast<const ITcpClient *>(chassis->interface()), 0, {}});
    }
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, &sampler, [&devices] {
        for (Device &device : devices) {
            const QList<QByteArray> queued =
                device.client ? device.client->queuedMessages() : QList<QByteArray>();
            device.longest = std::max(device.longest, int(queued.size()));
            device.distinct.unite(QSet<QByteArray>(queued.cbegin(), queued.cend()));
        }
    });
    sampler.start(kSampleMs);
    AppBench::runEventLoopFor(seconds * 1000);

    const QString over = QStringLiteral("%1 s on %2, --delay 500").arg(seconds).arg(kPanel);
    for (const Device &device : std::as_const(devices)) {
        const int distinct = int(device.distinct.size());
        AppBench::printFigure(QStringLiteral("longest send queue, ") + device.name, device.longest,
                              "entries", over);
        AppBench::printBaseline(QStringLiteral("distinct messages it held"), distinct, "entries");
        AppBench::printRatio(QStringLiteral("send queue, ") + device.name, device.longest, distinct,
                             QStringLiteral("no more entries than parameters"),
                             device.longest <= distinct);
    }
    return 0;
}
