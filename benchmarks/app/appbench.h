#pragma once

#include <QHash>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class MModel;
class QQuickView;

// What the application benchmarks share: children of the benchmark's own program, the bare
// window that is their baseline, the client pointed at simulated devices, and the output lines
// that scripts/benchmarks.sh gathers into its table.
namespace AppBench {

// Before the application object: offscreen has no GPU, so both the client and its baseline draw
// with the software scene graph unless the caller chose otherwise.
void prepareEnvironment();
// Before the application object: settings, cache and data of this process go below home, so
// that nothing of the user's is read or written.
void useHome(const QString &home);

// Runs the event loop for that long, as exec() would: no polling of its own.
void runEventLoopFor(int ms);

// CPU time of this process, every thread, in nanoseconds.
qint64 processCpuNs();
// Peak resident set size (VmHWM) in kB; 0 when the system does not say.
qint64 peakResidentKb();

// The baseline: a view that shows one Rectangle, plus whatever the extra QML lines add inside
// it; a helper object is seen by them as "helper".
std::unique_ptr<QQuickView> bareView(const QSize &size, const QString &extraQml = QString(),
                                     QObject *helper = nullptr);

// A child's report: one line on its standard output, whitespace-separated fields.
void report(const QStringList &fields);

struct ChildRun
{
    bool ok = false;
    qint64 elapsedNs = 0; // from the start of the process to its report
    QStringList fields;
    QString error;
};

// This environment with its own home: no project or setting of the user's is picked up.
QProcessEnvironment childEnvironment(const QString &home);

// Runs this program again with the arguments and waits for its report, then for its end.
ChildRun runSelf(const QStringList &arguments, const QProcessEnvironment &environment,
                 int timeoutMs);

// veloxa-devsim serving the demonstration archive on ports the system chooses, in a process of
// its own so that its work is not counted as the client's.
class SimulatorProcess
{
public:
    ~SimulatorProcess();
    // extra: more of veloxa-devsim's switches, its failure modes ("--delay", "500").
    bool start(const QStringList &extra = {});
    // Ends it and returns what it says last: its summary of the commands it received.
    QString stop();
    QString errorString() const { return m_error; }
    // Device name -> port.
    QHash<QString, quint16> ports() const { return m_ports; }

private:
    QProcess m_process;
    QHash<QString, quint16> m_ports;
    QString m_error;
};

// "name=port" arguments and back, to hand the ports to a child.
QStringList portArguments(const QHash<QString, quint16> &ports);
QHash<QString, quint16> parsePortArguments(const QStringList &arguments);

// Points each named chassis at 127.0.0.1 and its port, enables the connections and waits until
// every one is online.
bool connectDevices(MModel *model, const QHash<QString, quint16> &ports, int timeoutMs);
// Makes the demonstration panel of that name current.
bool showPanel(MModel *model, const QString &panel);

// Sorted samples.
double percentile(QList<qint64> samples, int percent);

// The plain format: a figure, its baseline, their ratio with the goal and whether it is met.
// Figures and baselines are "label  value unit  (note)"; a value that could not be measured
// (NaN) is printed as n/a, the note saying why.
void printFigure(const QString &label, double value, const char *unit, const QString &note = {});
void printBaseline(const QString &label, double value, const char *unit, const QString &note = {});
// An empty goal prints none; a goal that was not measured says so instead of met / NOT met.
void printRatio(const QString &label, double figure, double baseline, const QString &goal = {},
                bool met = false);

} // namespace AppBench
