#include "devicesimulator.h"
#include "simoptions.h"
#include "simquitwatcher.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTimer>

namespace {

bool setUp(DeviceSimulator &simulator, const SimOptions &options)
{
    simulator.setSeed(options.hasSeed() ? options.seed() : QRandomGenerator::global()->generate());
    simulator.setBindAnyAddress(options.bindAnyAddress());
    simulator.setEphemeralPorts(options.ephemeral());
    simulator.setFaults(options.faults());
    simulator.setCombineInterval(options.combineEveryMs());
    simulator.setAnswerDelay(options.answerAfterMs());
    simulator.setBusy(options.busy());
    simulator.setFarHangUpDelay(options.farHangUpAfterMs());
    if (!options.logFile().isEmpty() && !simulator.setLogFile(options.logFile()))
        return false;
    if (options.project().isEmpty()) {
        SimDeviceConfig config;
        config.name = options.device().isEmpty() ? QStringLiteral("Device") : options.device();
        simulator.addDevice(config);
    } else if (!simulator.loadProject(options.project())) {
        return false;
    }
    if (options.port() >= 0 &&
        !simulator.selectSingleDevice(quint16(options.port()), options.device()))
        return false;
    return simulator.listen();
}

// "ring NUMBER[,NAME]" rings the first telephone line; "hangup" ends its call from the far end.
bool runInputCommand(DeviceSimulator &simulator, const QString &line)
{
    if (line == QLatin1String("hangup"))
        return simulator.hangUpFarEnd();
    if (!line.startsWith(QLatin1String("ring ")))
        return false;
    const QString caller = line.mid(5).trimmed();
    return !caller.isEmpty() && simulator.startIncomingCall(caller.section(QLatin1Char(','), 0, 0),
                                                            caller.section(QLatin1Char(','), 1));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veloxa-devsim"));
    // The client's readers report every control without a widget; here that is only noise. The
    // simulator's own lines (call progress) stay. QT_LOGGING_RULES still overrides this.
    QLoggingCategory::setFilterRules(
        QStringLiteral("veloxa.*.debug=false\nveloxa.tools.devsim.debug=true"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    SimOptions options;
    if (!options.parse(QCoreApplication::arguments())) {
        err << "veloxa-devsim: " << options.errorString() << Qt::endl;
        return 2;
    }
    if (options.helpRequested()) {
        out << options.helpText() << Qt::flush;
        return 0;
    }

    DeviceSimulator simulator;
    SimQuitWatcher quitWatcher;
    quitWatcher.watchSignals();
    if (options.stdinQuit())
        quitWatcher.watchStandardInput();
    QObject::connect(&quitWatcher, &SimQuitWatcher::quitRequested, &app,
                     [](const QString &) { QCoreApplication::quit(); });
    QObject::connect(&quitWatcher, &SimQuitWatcher::lineEntered, &simulator,
                     [&simulator, &err](const QByteArray &line) {
                         if (!runInputCommand(simulator, QString::fromUtf8(line)))
                             err << "veloxa-devsim: not a command: " << line << Qt::endl;
                     });

    if (!setUp(simulator, options)) {
        err << "veloxa-devsim: " << simulator.errorString() << Qt::endl;
        return 1;
    }
    for (const QString &name : simulator.deviceNames()) {
        out << "listening " << name << ' ' << simulator.address(name).toString() << ':'
            << simulator.port(name) << Qt::endl;
    }
    if (!options.incomingNumber().isEmpty()) {
        QTimer::singleShot(options.incomingAfterMs(), &simulator, [&simulator, &options] {
            simulator.startIncomingCall(options.incomingNumber(), options.incomingName());
        });
    }
    const int code = app.exec();
    if (options.summary())
        out << simulator.summary() << Qt::endl;
    return code;
}
