// Input to wire: from a mouse event delivered to the panel's window until the set command it
// causes reaches the device's socket, for a mute button press and for a fader drag, beside a bare
// QQuickView whose MouseArea writes the same command on a socket of its own. The simulator runs
// in this process: its commandReceived signal is the wire's end for both.
//
//   bench_inputwire [events]          1000 events per control by default

#include "appbench.h"

#include "app/vqmlframe.h"
#include "controls/democlient.h"
#include "controls/wbutton.h"
#include "controls/wslider.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QQuickItem>
#include <QQuickView>
#include <QTcpSocket>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int kDefaultEvents = 1000;
constexpr int kNoCommandMs = 1000;
// A user does not press a thousand times a second: each event starts from a quiet loop.
constexpr int kPauseMs = 5;
constexpr double kButtonGoalMs = 15.0;
constexpr double kFaderGoalMs = 45.0;
const QString kPanel = QStringLiteral("Volume & Source Control");
const QByteArray kMuteCommand = "SA \"Dining Gain\">2=";
const QByteArray kVolumeCommand = "SA \"Dining Gain\">1=";

} // namespace

// What the bare view's MouseArea calls: the command straight onto a socket to the device.
class Wire : public QObject
{
    Q_OBJECT

public:
    bool open(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        if (!m_socket.waitForConnected(5000))
            return false;
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(&m_socket, &QTcpSocket::readyRead, this, [this] { m_socket.readAll(); });
        return true;
    }
    Q_INVOKABLE void send(const QString &command) { m_socket.write(command.toUtf8() + '\r'); }

private:
    QTcpSocket m_socket;
};

namespace {

// Times one input until the first command with the prefix arrives at the simulator.
class Stopwatch
{
public:
    explicit Stopwatch(DeviceSimulator *simulator)
    {
        m_clock.start();
        m_timeout.setSingleShot(true);
        QObject::connect(&m_timeout, &QTimer::timeout, &m_loop, &QEventLoop::quit);
        QObject::connect(simulator, &DeviceSimulator::commandReceived, &m_loop,
                         [this](const QString &, const QByteArray &command) {
                             if (m_arrival < 0 && !m_prefix.isEmpty() &&
                                 command.startsWith(m_prefix)) {
                                 m_arrival = m_clock.nsecsElapsed();
                                 m_loop.quit();
                             }
                         });
    }

    // Nanoseconds, or -1 when no such command came within kNoCommandMs.
    qint64 time(const QByteArray &prefix, const std::function<void()> &input)
    {
        m_prefix = prefix;
        m_arrival = -1;
        const qint64 start = m_clock.nsecsElapsed();
        input();
        if (m_arrival < 0) {
            m_timeout.start(kNoCommandMs);
            m_loop.exec();
            m_timeout.stop();
        }
        m_prefix.clear();
        return m_arrival < 0 ? -1 : m_arrival - start;
    }

private:
    QElapsedTimer m_clock;
    QEventLoop m_loop;
    QTimer m_timeout;
    QByteArray m_prefix;
    qint64 m_arrival = -1;
};

struct Latencies
{
    QList<qint64> samples;
    QString error;
};

QPoint scenePoint(QQuickItem *item, double fx, double fy)
{
    return item->mapToScene(QPointF(item->width() * fx, item->height() * fy)).toPoint();
}

// Press and release at the point, each press timed to its command.
Latencies presses(Stopwatch &watch, QQuickWindow *window, const QPoint &at, int events)
{
    Latencies result;
    for (int i = 0; i < events; ++i) {
        const qint64 ns = watch.time(
            kMuteCommand, [&] { QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at); });
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
        if (ns < 0) {
            result.error = QStringLiteral("no command within %1 s").arg(kNoCommandMs / 1000);
            break;
        }
        result.samples.append(ns);
        AppBench::runEventLoopFor(kPauseMs);
    }
    return result;
}

// A drag between two points, each move timed to the command that carries it.
Latencies drag(Stopwatch &watch, QQuickWindow *window, const QPoint &from, const QPoint &to,
               int events)
{
    Latencies result;
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, from);
    // What the press itself sends is not a move's: let it go first.
    AppBench::runEventLoopFor(100);
    for (int i = 0; i < events; ++i) {
        const QPoint at = i % 2 == 0 ? to : from;
        const qint64 ns = watch.time(kVolumeCommand, [&] { QTest::mouseMove(window, at); });
        if (ns < 0) {
            result.error = QStringLiteral("no command within %1 s").arg(kNoCommandMs / 1000);
            break;
        }
        result.samples.append(ns);
        AppBench::runEventLoopFor(kPauseMs);
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, from);
    return result;
}

double percentileMs(const Latencies &latencies, int percent)
{
    return latencies.error.isEmpty() ? AppBench::percentile(latencies.samples, percent) / 1e6
                                     : std::nan("");
}

void printLatencies(const QString &input, const QString &figure, const Latencies &client,
                    const QString &baseline, const Latencies &bare, double goalMs)
{
    for (const int percent : {50, 99}) {
        const QString p = QStringLiteral(" p%1").arg(percent);
        const double clientMs = percentileMs(client, percent);
        const double bareMs = percentileMs(bare, percent);
        const QString clientNote = client.error.isEmpty()
                                       ? QStringLiteral("%1 events").arg(client.samples.size())
                                       : client.error;
        AppBench::printFigure(figure + p, clientMs, "ms", clientNote);
        AppBench::printBaseline(baseline + p, bareMs, "ms", bare.error);
        AppBench::printRatio(input + p + QStringLiteral(" / baseline"), clientMs, bareMs,
                             percent == 99 ? QStringLiteral("p99 < %1 ms").arg(goalMs) : QString(),
                             clientMs < goalMs);
    }
}

} // namespace

int main(int argc, char **argv)
{
    AppBench::prepareEnvironment();
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
    const int parsed = argc > 1 ? atoi(argv[1]) : kDefaultEvents;
    const int events = parsed > 0 ? parsed : kDefaultEvents;

    DemoClient client;
    if (!client.start()) {
        std::printf("bench_inputwire: the client did not come online with the simulator\n");
        return 1;
    }
    auto *mute =
        client.widget<WButton>(kPanel, QStringLiteral("Dining Mute"), QStringLiteral("button"));
    auto *fader =
        client.widget<WSlider>(kPanel, QStringLiteral("Dining Volume"), QStringLiteral("slider"));
    auto *muteItem = mute ? qobject_cast<QQuickItem *>(mute->quickItem()) : nullptr;
    auto *faderItem = fader ? qobject_cast<QQuickItem *>(fader->quickItem()) : nullptr;
    if (!muteItem || !faderItem) {
        std::printf("bench_inputwire: Dining Mute or Dining Volume has no item on %s\n",
                    qPrintable(kPanel));
        return 1;
    }
    QQuickWindow *view = client.window->view();
    client.window->show();
    if (!QTest::qWaitForWindowExposed(view))
        std::printf("bench_inputwire: the panel's window was not exposed\n");

    Stopwatch watch(&client.simulator);
    const Latencies button = presses(watch, view, scenePoint(muteItem, 0.5, 0.5), events);
    const Latencies slider =
        drag(watch, view, scenePoint(faderItem, 0.5, 0.4), scenePoint(faderItem, 0.5, 0.6), events);

    // The client leaves the wire to the baseline: no polling, no meters.
    client.model()->setConnectionsEnabled(false);
    client.window->hide();
    Wire wire;
    if (!wire.open(client.simulator.port(QLatin1String(DemoClient::Processor))))
        std::printf("bench_inputwire: no socket to the simulator\n");
    const std::unique_ptr<QQuickView> bare = AppBench::bareView(
        view->size(),
        QStringLiteral(R"(MouseArea {
    anchors.fill: parent
    onPressed: helper.send('%1M')
    onPositionChanged: (mouse) => helper.send('%2' + Math.round(mouse.y))
})")
            .arg(QString::fromLatin1(kMuteCommand), QString::fromLatin1(kVolumeCommand)),
        &wire);
    bare->show();
    if (!QTest::qWaitForWindowExposed(bare.get()))
        std::printf("bench_inputwire: the bare window was not exposed\n");
    const QPoint centre(bare->width() / 2, bare->height() / 2);
    const Latencies barePresses = presses(watch, bare.get(), centre, events);
    const Latencies bareDrag = drag(watch, bare.get(), centre, centre + QPoint(0, 40), events);

    std::printf("input to wire: %d events per control, simulator in process, view %dx%d\n", events,
                view->width(), view->height());
    printLatencies(QStringLiteral("press"), QStringLiteral("Dining Mute press to wire"), button,
                   QStringLiteral("bare MouseArea press to socket"), barePresses, kButtonGoalMs);
    printLatencies(QStringLiteral("drag"), QStringLiteral("Dining Volume drag to wire"), slider,
                   QStringLiteral("bare MouseArea move to socket"), bareDrag, kFaderGoalMs);
    return button.error.isEmpty() && slider.error.isEmpty() ? 0 : 1;
}

#include "bench_inputwire.moc"
