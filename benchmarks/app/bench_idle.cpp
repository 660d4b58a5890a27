// What the client costs while the user only looks: CPU time and frames per second on a panel of
// the demonstration project that it keeps polling, beside a bare QQuickView that shows one
// Rectangle over the same time. Each is measured in a child process of this program; the devices
// are played by veloxa-devsim, a process of its own, so that the CPU clock counts the client alone.
//
//   bench_idle [seconds]                              the parent (30 s by default)
//   bench_idle --child client SECONDS PANEL NAME=PORT...
//   bench_idle --child bare SECONDS W H

#include "appbench.h"

#include "app/mainwindow.h"
#include "app/vqmlframe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickView>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kDefaultSeconds = 30;
// Connecting, the first replies and the first meter frames are start-up, not idling.
constexpr int kSettleMs = 3000;
constexpr int kConnectTimeoutMs = 10000;
// A panel whose meters move may cost a little; a static one should cost next to nothing and
// draw nothing at all.
constexpr double kMeterCpuGoalPercent = 2.0;
constexpr double kStaticCpuGoalPercent = 0.5;
constexpr double kFramesGoal = 0.0;
const QString kMeterPanel = QStringLiteral("Volume & Source Control");
const QString kQuietPanel = QStringLiteral("Disclaimer");

// Settles, then reports CPU time, frames and wall time over the given seconds, and the frames
// of the settling: proof that frames are counted at all.
void measure(QQuickWindow *window, int seconds)
{
    int frames = 0;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [&frames] { ++frames; });
    AppBench::runEventLoopFor(kSettleMs);
    const int settling = frames;
    const qint64 cpuStart = AppBench::processCpuNs();
    QElapsedTimer wall;
    wall.start();
    AppBench::runEventLoopFor(seconds * 1000);
    AppBench::report({QStringLiteral("idle"), QString::number(AppBench::processCpuNs() - cpuStart),
                      QString::number(frames - settling), QString::number(wall.nsecsElapsed()),
                      QString::number(window->width()), QString::number(window->height()),
                      QString::number(settling)});
}

int clientChild(int argc, char **argv, int seconds, const QString &panel,
                const QHash<QString, quint16> &ports)
{
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
    MainWindow window;
    window.setApplication(&application);
    if (!AppBench::connectDevices(window.model(), ports, kConnectTimeoutMs)) {
        std::fprintf(stderr, "bench_idle: the devices did not come online\n");
        return 2;
    }
    if (!AppBench::showPanel(window.model(), panel)) {
        std::fprintf(stderr, "bench_idle: no panel %s\n", qPrintable(panel));
        return 3;
    }
    window.show();
    measure(window.view(), seconds);
    return 0;
}

int bareChild(int argc, char **argv, int seconds, const QSize &size)
{
    QGuiApplication application(argc, argv);
    const std::unique_ptr<QQuickView> view = AppBench::bareView(size);
    view->show();
    measure(view.get(), seconds);
    return 0;
}

struct Idle
{
    bool ok = false;
    double cpuPercent = 0;
    double framesPerSecond = 0;
    int settlingFrames = 0;
    QSize size;
    QString error;
};

Idle runChild(const QStringList &arguments, int seconds)
{
    QTemporaryDir home;
    const AppBench::ChildRun run = AppBench::runSelf(
        arguments, AppBench::childEnvironment(home.path()), seconds * 1000 + kSettleMs + 60000);
    Idle idle;
    if (!run.ok || run.fields.size() < 7) {
        idle.error = run.error.isEmpty() ? QStringLiteral("malformed report") : run.error;
        return idle;
    }
    const double wallNs = run.fields.at(3).toDouble();
    idle.ok = wallNs > 0;
    idle.cpuPercent = 100.0 * run.fields.at(1).toDouble() / wallNs;
    idle.framesPerSecond = run.fields.at(2).toDouble() / (wallNs / 1e9);
    idle.size = QSize(run.fields.at(4).toInt(), run.fields.at(5).toInt());
    idle.settlingFrames = run.fields.at(6).toInt();
    return idle;
}

double orMissing(const Idle &idle, double value)
{
    return idle.ok ? value : std::nan("");
}

void printPanel(const QString &panel, const Idle &client, const Idle &bare, bool meters)
{
    const double cpuGoal = meters ? kMeterCpuGoalPercent : kStaticCpuGoalPercent;
    AppBench::printFigure(QStringLiteral("client idle CPU, ") + panel,
                          orMissing(client, client.cpuPercent), "%", client.error);
    AppBench::printBaseline(QStringLiteral("bare QQuickView idle CPU"),
                            orMissing(bare, bare.cpuPercent), "%", bare.error);
    AppBench::printRatio(QStringLiteral("idle CPU / baseline"),
                         orMissing(client, client.cpuPercent), orMissing(bare, bare.cpuPercent),
                         QStringLiteral("<= %1 % of one core").arg(cpuGoal),
                         client.cpuPercent <= cpuGoal);
    const QString framesNote = !client.error.isEmpty() ? client.error
                               : meters ? QStringLiteral("meters excepted from the goal")
                                        : QString();
    AppBench::printFigure(QStringLiteral("client frames, ") + panel,
                          orMissing(client, client.framesPerSecond), "/s", framesNote);
    AppBench::printBaseline(QStringLiteral("bare QQuickView frames"),
                            orMissing(bare, bare.framesPerSecond), "/s");
    // Meters are excepted from the frame goal: they change the screen on purpose.
    AppBench::printRatio(QStringLiteral("frames / baseline"),
                         orMissing(client, client.framesPerSecond),
                         orMissing(bare, bare.framesPerSecond),
                         meters ? QString() : QStringLiteral("<= %1 frames/s").arg(kFramesGoal),
                         client.framesPerSecond <= kFramesGoal);
}

int parent(int seconds)
{
    AppBench::SimulatorProcess simulator;
    if (!simulator.start()) {
        std::printf("bench_idle: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    const QStringList ports = AppBench::portArguments(simulator.ports());
    const QString duration = QString::number(seconds);
    const QStringList client{QStringLiteral("--child"), QStringLiteral("client"), duration};
    const Idle meters = runChild(client + QStringList{kMeterPanel} + ports, seconds);
    const Idle quiet = runChild(client + QStringList{kQuietPanel} + ports, seconds);
    const QSize size = meters.ok ? meters.size : quiet.size;
    const Idle bare = runChild({QStringLiteral("--child"), QStringLiteral("bare"), duration,
                                QString::number(size.width()), QString::number(size.height())},
                               seconds);

    std::printf("idle: %d s each after %d s settling, view %dx%d, devices polled from "
                "veloxa-devsim in its own process\n",
                seconds, kSettleMs / 1000, size.width(), size.height());
    std::printf("frames while settling: %s %d, %s %d, bare %d\n", qPrintable(kMeterPanel),
                meters.settlingFrames, qPrintable(kQuietPanel), quiet.settlingFrames,
                bare.settlingFrames);
    std::printf("%s\n", qPrintable(simulator.stop()));
    printPanel(kMeterPanel, meters, bare, true);
    printPanel(kQuietPanel, quiet, bare, false);
    return meters.ok && quiet.ok && bare.ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    AppBench::prepareEnvironment();
    const QByteArray mode = argc > 3 && qstrcmp(argv[1], "--child") == 0 ? argv[2] : "";
    const int childSeconds = mode.isEmpty() ? 0 : atoi(argv[3]);
    if (mode == "client" && argc > 4) {
        QStringList ports;
        for (int i = 5; i < argc; ++i)
            ports.append(QString::fromLocal8Bit(argv[i]));
        return clientChild(argc, argv, childSeconds, QString::fromLocal8Bit(argv[4]),
                           AppBench::parsePortArguments(ports));
    }
    if (mode == "bare" && argc > 5)
        return bareChild(argc, argv, childSeconds, QSize(atoi(argv[4]), atoi(argv[5])));
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? atoi(argv[1]) : kDefaultSeconds;
    return parent(seconds > 0 ? seconds : kDefaultSeconds);
}
