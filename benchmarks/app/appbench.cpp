#include "appbench.h"

#include "canvas/ccomposite.h"
#include "comm/icomposite.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"
#include "model/mmodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace AppBench {

void prepareEnvironment()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") && !qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
}

void useHome(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    for (const QByteArray folder : {"config", "cache", "data"}) {
        qputenv("XDG_" + folder.toUpper() + "_HOME",
                QFile::encodeName(home + QLatin1Char('/') + QString::fromLatin1(folder)));
    }
}

void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

qint64 processCpuNs()
{
    timespec now{};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0)
        return 0;
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

std::unique_ptr<QQuickView> bareView(const QSize &size, const QString &extraQml, QObject *helper)
{
    auto view = std::make_unique<QQuickView>();
    view->setResizeMode(QQuickView::SizeRootObjectToView);
    if (helper)
        view->rootContext()->setContextProperty(QStringLiteral("helper"), helper);
    auto *component = new QQmlComponent(view->engine(), view.get());
    component->setData(QStringLiteral("import QtQuick\nRectangle {\ncolor: \"#2b2f33\"\n%1\n}\n")
                           .arg(extraQml)
                           .toUtf8(),
                       QUrl());
    QObject *root = component->create();
    if (!root)
        qWarning() << "bare view:" << component->errors();
    view->setContent(QUrl(), component, root);
    view->resize(size);
    return view;
}

void report(const QStringList &fields)
{
    std::printf("%s\n", qPrintable(fields.join(QLatin1Char(' '))));
    std::fflush(stdout);
}

namespace {

bool waitForLine(QProcess &process, const QElapsedTimer &clock, int timeoutMs)
{
    while (!process.canReadLine()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(int(left));
    }
    return true;
}

void finish(QProcess &process)
{
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

} // namespace

QProcessEnvironment childEnvironment(const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    return environment;
}

ChildRun runSelf(const QStringList &arguments, const QProcessEnvironment &environment,
                 int timeoutMs)
{
    ChildRun run;
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start();
    if (!waitForLine(process, clock, timeoutMs)) {
        run.error = QStringLiteral("no report within %1 s").arg(timeoutMs / 1000);
        process.kill();
        process.waitForFinished(2000);
        return run;
    }
    run.elapsedNs = clock.nsecsElapsed();
    run.fields = QString::fromUtf8(process.readLine()).simplified().split(QLatin1Char(' '));
    finish(process);
    run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!run.ok)
        run.error = QStringLiteral("child failed (exit code %1)").arg(process.exitCode());
    return run;
}

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

QString SimulatorProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return QString();
    // --stdin-quit: closing its input is the polite way to end it.
    m_process.closeWriteChannel();
    finish(m_process);
    return QString::fromUtf8(m_process.readAllStandardOutput()).trimmed();
}

bool SimulatorProcess::start(const QStringList &extra)
{
    m_process.setProgram(QStringLiteral(VELOXA_DEVSIM));
    m_process.setArguments(
        QStringList{QStringLiteral(VELOXA_DEMO_ARCHIVE), QStringLiteral("--ephemeral"),
                    QStringLiteral("--stdin-quit"), QStringLiteral("--summary")} +
        extra);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    const QRegularExpression listening(QStringLiteral("^listening (\\S+) ([0-9.]+):(\\d+)$"));
    QElapsedTimer clock;
    clock.start();
    // The devices are announced together, one line each, once the archive has been read.
    int waitMs = 10000;
    while (waitForLine(m_process, clock, waitMs)) {
        const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
        const QRegularExpressionMatch match = listening.match(line);
        if (match.hasMatch())
            m_ports.insert(match.captured(1), match.captured(3).toUShort());
        waitMs = int(clock.elapsed()) + 500;
    }
    if (m_ports.isEmpty())
        m_error =
            QStringLiteral("veloxa-devsim announced no device: %1").arg(m_process.errorString());
    return !m_ports.isEmpty();
}

QStringList portArguments(const QHash<QString, quint16> &ports)
{
    QStringList arguments;
    for (auto it = ports.cbegin(); it != ports.cend(); ++it)
        arguments.append(it.key() + QLatin1Char('=') + QString::number(it.value()));
    return arguments;
}

QHash<QString, quint16> parsePortArguments(const QStringList &arguments)
{
    QHash<QString, quint16> ports;
    for (const QString &argument : arguments) {
        const qsizetype equals = argument.lastIndexOf(QLatin1Char('='));
        if (equals > 0)
            ports.insert(argument.left(equals), argument.mid(equals + 1).toUShort());
    }
    return ports;
}

bool connectDevices(MModel *model, const QHash<QString, quint16> &ports, int timeoutMs)
{
    for (auto it = ports.cbegin(); it != ports.cend(); ++it) {
        auto *chassis = qobject_cast<HChassis *>(model->hardwareRoot()->findChassis(it.key()));
        if (!chassis)
            return false;
        chassis->setConnectionAttribute(QStringLiteral("ipaddress"), QStringLiteral("127.0.0.1"));
        chassis->setConnectionAttribute(QStringLiteral("serialport"), QString::number(it.value()));
    }
    model->setConnectionsEnabled(true);
    const int devices = int(ports.size());
    return QTest::qWaitFor([&] { return model->interfaces()->onlineCount() == devices; },
                           timeoutMs);
}

bool showPanel(MModel *model, const QString &panel)
{
    if (model->currentPanel() && model->currentPanel()->name() == panel)
        return true;
    return model->jumpToPanel(QStringLiteral("Demo.cpf\\Audio Controls\\") + panel);
}

double percentile(QList<qint64> samples, int percent)
{
    if (samples.isEmpty())
        return std::nan("");
    std::sort(samples.begin(), samples.end());
    const qsizetype index = std::min(samples.size() - 1, samples.size() * percent / 100);
    return double(samples.at(index));
}

namespace {

void printValue(const QString &label, double value, const char *unit, const QString &note)
{
    const QByteArray text =
        std::isfinite(value) ? QByteArray::number(value, 'f', 2) + ' ' + unit : QByteArray("n/a");
    std::printf("%-46s  %12s%s\n", qPrintable(label), text.constData(),
                note.isEmpty() ? "" : qPrintable(QStringLiteral("  (%1)").arg(note)));
}

} // namespace

void printFigure(const QString &label, double value, const char *unit, const QString &note)
{
    printValue(label, value, unit, note);
}

void printBaseline(const QString &label, double value, const char *unit, const QString &note)
{
    printValue(QStringLiteral("baseline ") + label, value, unit, note);
}

void printRatio(const QString &label, double figure, double baseline, const QString &goal, bool met)
{
    const bool measured = std::isfinite(figure) && std::isfinite(baseline) && baseline != 0;
    const QByteArray ratio = measured ? QByteArray::number(figure / baseline, 'f', 2) : "n/a";
    QString verdict;
    if (!goal.isEmpty()) {
        const QString outcome = !std::isfinite(figure) ? QStringLiteral("not measured")
                                : met                  ? QStringLiteral("met")
                                                       : QStringLiteral("NOT met");
        verdict = QStringLiteral("  (goal %1: %2)").arg(goal, outcome);
    }
    std::printf("%-46s  %12s%s\n", qPrintable(QStringLiteral("ratio ") + label), ratio.constData(),
                qPrintable(verdict));
    std::fflush(stdout);
}

} // namespace AppBench
