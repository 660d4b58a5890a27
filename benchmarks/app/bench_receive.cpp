// The window while a project arrives: the whole client on the demonstration project, in receive
// mode, while veloxa-push (a process of its own) sends it a 50 MiB project. A 1 ms timer on the
// GUI thread records the longest gap between its ticks: while the bytes arrive, then while the
// arrived project is checked and opened. The baseline is the same timer with nothing arriving.
//
//   bench_receive [MiB]        50 by default

#include "appbench.h"

#include "app/mainwindow.h"
#include "model/mmodel.h"
#include "uarchivewriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kDefaultMiB = 50;
constexpr int kBaselineMs = 2000;
constexpr double kStallGoalMs = 100.0;

// The ticks of a 1 ms timer on the GUI thread, on the clock given; a long gap between two is a
// time the thread did not come back to its event loop.
class StallMeter
{
public:
    explicit StallMeter(const QElapsedTimer &clock)
        : m_clock(clock)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_ticks.append(m_clock.nsecsElapsed()); });
    }
    void start()
    {
        m_ticks = {m_clock.nsecsElapsed()};
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    // The longest gap, in ms, that ended after `from` and by `until` (ns).
    double longestMs(qint64 from, qint64 until) const
    {
        qint64 longest = 0;
        for (qsizetype i = 1; i < m_ticks.size(); ++i) {
            if (m_ticks[i] > from && m_ticks[i] <= until)
                longest = std::max(longest, m_ticks[i] - m_ticks[i - 1]);
        }
        return longest / 1e6;
    }

private:
    const QElapsedTimer &m_clock;
    QTimer m_timer;
    QList<qint64> m_ticks;
};

// The demonstration's panel and designer project, and one incompressible picture of that size.
bool writeProject(const QString &path, int mib, QString *error)
{
    QByteArray picture(qsizetype(mib) * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(picture.data()), picture.size() / 4);
    const QString stage = QStringLiteral(VELOXA_DEMO_STAGE);
    UArchiveWriter writer;
    if (!writer.addFile(QStringLiteral("/Demo.cpf"), stage + QStringLiteral("/Demo.cpf")) ||
        !writer.addFile(QStringLiteral("/project/Demo.vxj"),
                        stage + QStringLiteral("/project/Demo.vxj")) ||
        !writer.addEntry(QStringLiteral("/image/Ballast.png"), picture) || !writer.write(path)) {
        *error = writer.errorString();
        return false;
    }
    return true;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

int main(int argc, char **argv)
{
    AppBench::prepareEnvironment();
    QTemporaryDir home;
    AppBench::useHome(home.path());
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
    const int mib = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : kDefaultMiB;

    const QString project = home.filePath(QStringLiteral("big.cpz"));
    QString error;
    if (!writeProject(project, mib, &error)) {
        std::fprintf(stderr, "bench_receive: %s\n", qPrintable(error));
        return 1;
    }
    MainWindow window;
    MModel *model = window.model();
    const quint16 port = freePort();
    model->setReceivePort(port);

    QElapsedTimer clock;
    clock.start();
    StallMeter meter(clock);
    meter.start();
    AppBench::runEventLoopFor(kBaselineMs);
    const double idle = meter.longestMs(0, clock.nsecsElapsed());

    // Bytes arrive into the temporary file until the last tick that saw it; the check and the
    // opening come after.
    const QString arriving = model->designsDownloadPath(false) + QLatin1Char('t');
    qint64 pushStarted = 0;
    qint64 arrived = 0;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QFileInfo::exists(arriving))
            arrived = clock.nsecsElapsed();
    });
    QProcess push;
    push.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Once receive mode listens; receivePanel() returns when the project is open.
    QTimer::singleShot(50, [&] {
        pushStarted = clock.nsecsElapsed();
        watch.start(1);
        push.start(QStringLiteral(VELOXA_PUSH), {QStringLiteral("127.0.0.1"), project,
                                                 QStringLiteral("--port"), QString::number(port)});
    });
    meter.start();
    const bool received = model->receivePanel();
    const qint64 opened = clock.nsecsElapsed();
    // One tick after the opening ends its gap.
    AppBench::runEventLoopFor(20);
    meter.stop();
    const qint64 settled = clock.nsecsElapsed();
    push.waitForFinished(10000);
    if (!received || push.exitCode() != 0 || arrived == 0) {
        std::fprintf(stderr, "bench_receive: the project did not arrive (push exit %d)\n",
                     push.exitCode());
        return 2;
    }
    const double during = meter.longestMs(pushStarted, arrived);
    std::printf("%d MiB arrived in %.0f ms; checked and opened %.0f ms later\n", mib,
                (arrived - pushStarted) / 1e6, (opened - arrived) / 1e6);
    AppBench::printFigure(QStringLiteral("longest GUI stall while receiving"), during, "ms");
    AppBench::printBaseline(QStringLiteral("longest GUI stall idle"), idle, "ms");
    AppBench::printRatio(QStringLiteral("receiving / idle"), during, idle,
                         QStringLiteral("stall under 100 ms"), during < kStallGoalMs);
    AppBench::printFigure(QStringLiteral("longest GUI stall checking and opening"),
                          meter.longestMs(arrived, settled), "ms");
    QElapsedTimer check;
    check.start();
    QString reason;
    MModel::checkProject(model->designsDownloadPath(false), &reason);
    AppBench::printFigure(QStringLiteral("checking alone"), check.nsecsElapsed() / 1e6, "ms");
    return 0;
}
