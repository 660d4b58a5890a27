// Start-up as the user waits for it: from the start of a fresh process to the first frame of the
// demonstration panel, and the peak memory on the way, beside a bare QQuickView that shows one
// Rectangle at the same size. Every run is a new child process of this program.
//
//   bench_startup [runs]              the parent: times the children, prints the figures
//   bench_startup --child client      one start of the client, reports at its first frame
//   bench_startup --child bare W H    one start of the bare view

#include "appbench.h"

#include "app/mainwindow.h"
#include "app/vqmlframe.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kDefaultRuns = 7;
constexpr int kChildTimeoutMs = 60000;
constexpr double kTimeGoalRatio = 1.5;
constexpr double kMemoryGoalMb = 60.0;

// The report of a child at its first frame: peak memory and the size of what it showed.
void reportAtFirstFrame(QQuickWindow *window)
{
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [window] {
            AppBench::report({QStringLiteral("frame"), QString::number(AppBench::peakResidentKb()),
                              QString::number(window->width()), QString::number(window->height())});
            QCoreApplication::exit(0);
        },
        Qt::SingleShotConnection);
}

int clientChild(int argc, char **argv)
{
    QApplication application(argc, argv);
    // Debug lines would time the terminal, which a user's start does not have.
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
    MainWindow window;
    window.setApplication(&application);
    reportAtFirstFrame(window.view());
    window.show();
    return application.exec();
}

int bareChild(int argc, char **argv, const QSize &size)
{
    QGuiApplication application(argc, argv);
    const std::unique_ptr<QQuickView> view = AppBench::bareView(size);
    reportAtFirstFrame(view.get());
    view->show();
    return application.exec();
}

struct Sample
{
    QList<qint64> startNs;
    QList<qint64> peakKb;
    QString error;
};

bool runOnce(const QStringList &arguments, Sample *sample, QSize *size = nullptr)
{
    // A fresh home for every run, as on a first start.
    QTemporaryDir home;
    const AppBench::ChildRun run =
        AppBench::runSelf(arguments, AppBench::childEnvironment(home.path()), kChildTimeoutMs);
    if (!run.ok || run.fields.size() < 4) {
        sample->error = run.error.isEmpty() ? QStringLiteral("malformed report") : run.error;
        return false;
    }
    sample->startNs.append(run.elapsedNs);
    sample->peakKb.append(run.fields.at(1).toLongLong());
    if (size)
        *size = QSize(run.fields.at(2).toInt(), run.fields.at(3).toInt());
    return true;
}

double medianMs(const Sample &sample)
{
    return AppBench::percentile(sample.startNs, 50) / 1e6;
}

double medianMb(const Sample &sample)
{
    return AppBench::percentile(sample.peakKb, 50) / 1024.0;
}

int parent(int runs)
{
    const QStringList client{QStringLiteral("--child"), QStringLiteral("client")};
    // The first start of each warms the disk cache and the shader and font caches; not counted.
    Sample warmUp;
    QSize size;
    if (!runOnce(client, &warmUp, &size)) {
        std::printf("client start-up failed: %s\n", qPrintable(warmUp.error));
        return 1;
    }
    const QStringList bare{QStringLiteral("--child"), QStringLiteral("bare"),
                           QString::number(size.width()), QString::number(size.height())};
    runOnce(bare, &warmUp);

    Sample clientSample;
    Sample bareSample;
    // Alternating, so that a busy moment of the machine falls on both.
    for (int run = 0; run < runs; ++run) {
        runOnce(client, &clientSample);
        runOnce(bare, &bareSample);
    }
    std::printf("start-up: median of %d fresh processes each, view %dx%d, QT_QUICK_BACKEND=%s\n",
                runs, size.width(), size.height(),
                qEnvironmentVariableIsSet("QT_QUICK_BACKEND")
                    ? qPrintable(qEnvironmentVariable("QT_QUICK_BACKEND"))
                    : "default");
    const QString runsNote = QStringLiteral("%1 runs").arg(clientSample.startNs.size());
    const double clientMs = medianMs(clientSample);
    const double bareMs = medianMs(bareSample);
    AppBench::printFigure(QStringLiteral("client start to first panel frame"), clientMs, "ms",
                          clientSample.error.isEmpty() ? runsNote : clientSample.error);
    AppBench::printBaseline(QStringLiteral("bare QQuickView start to first frame"), bareMs, "ms",
                            bareSample.error.isEmpty() ? runsNote : bareSample.error);
    AppBench::printRatio(QStringLiteral("start-up / baseline"), clientMs, bareMs,
                         QStringLiteral("<= %1 x bare").arg(kTimeGoalRatio),
                         clientMs <= kTimeGoalRatio * bareMs);

    const double clientMb = medianMb(clientSample);
    const double bareMb = medianMb(bareSample);
    AppBench::printFigure(QStringLiteral("client peak resident (VmHWM)"), clientMb, "MB");
    AppBench::printBaseline(QStringLiteral("bare QQuickView peak resident"), bareMb, "MB");
    AppBench::printRatio(QStringLiteral("peak memory / baseline"), clientMb, bareMb,
                         QStringLiteral("<= bare + %1 MB, client - bare = %2 MB")
                             .arg(kMemoryGoalMb)
                             .arg(clientMb - bareMb, 0, 'f', 1),
                         clientMb <= bareMb + kMemoryGoalMb);
    return clientSample.startNs.size() == runs && bareSample.startNs.size() == runs ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    AppBench::prepareEnvironment();
    const QByteArray mode = argc > 2 && qstrcmp(argv[1], "--child") == 0 ? argv[2] : "";
    if (mode == "client")
        return clientChild(argc, argv);
    if (mode == "bare" && argc > 4)
        return bareChild(argc, argv, QSize(atoi(argv[3]), atoi(argv[4])));
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? atoi(argv[1]) : kDefaultRuns;
    return parent(runs > 0 ? runs : kDefaultRuns);
}
