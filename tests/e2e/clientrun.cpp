#include "clientrun.h"

#include "tools/lineclient.h"
#include "xscreen.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QThread>

namespace {

bool runTool(const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(VELOXA_CPZ), arguments);
    const bool done = process.waitForFinished(30000) && process.exitCode() == 0;
    *output = QString::fromUtf8(process.readAll());
    return done;
}

// Points each connection of the panel file at the simulator's port for it.
bool rewritePorts(const QString &panelFile, const QMap<QString, quint16> &ports)
{
    QFile file(panelFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    file.close();
    // The panel file is UTF-16 big-endian after its byte-order mark.
    QStringDecoder decode(QStringConverter::Utf16BE);
    QString text = decode(bytes);
    if (decode.hasError())
        return false;
    for (auto it = ports.cbegin(); it != ports.cend(); ++it) {
        const QString open = QStringLiteral("<Connection name=\"%1\">").arg(it.key());
        const qsizetype start = text.indexOf(open);
        const qsizetype end = text.indexOf(QLatin1String("</Connection>"), start);
        if (start < 0 || end < 0)
            return false;
        QString connection = text.mid(start, end - start);
        // The client dials the serial port number; the IP port is kept alike.
        connection.replace(QRegularExpression(QStringLiteral("<(ipport|serialport)>\\d*<")),
                           QStringLiteral("<\\1>%1<").arg(it.value()));
        if (!connection.contains(QStringLiteral("<serialport>%1<").arg(it.value())))
            return false;
        text.replace(start, end - start, connection);
    }
    QStringEncoder encode(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(encode(text)) > 0;
}

} // namespace

ClientRun::~ClientRun()
{
    stop();
}

bool ClientRun::start(const QString &archive, const QString &panelFile, int devices, QString *error,
                      Stage stage)
{
    if (!m_scratch.isValid()) {
        *error = QStringLiteral("no scratch folder");
        return false;
    }
    const QDir scratch(m_scratch.path());
    for (const char *folder : {"home", "config", "data/veloxa-remote", "cache", "runtime", "run"})
        scratch.mkpath(QLatin1String(folder));
    QFile::setPermissions(scratch.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!startSimulator(archive, devices, error) ||
        !stageProject(archive, panelFile, stage, error) || !startClient(error))
        return false;

    const QRect window = XScreen::findWindow(QStringLiteral("^Veloxa Remote"), StartMs);
    if (window.isEmpty()) {
        *error = diagnostics();
        return false;
    }
    m_map.setWindow(window);
    // Every device subscribed to: the client has read its project and is connected.
    const bool subscribed = poll(
        [this] {
            QSet<QString> devices;
            for (const SimLogLine &line : m_log->receivedStartingWith(QStringLiteral("SUB")))
                devices.insert(line.device);
            return devices.size() == m_ports.size();
        },
        StartMs);
    if (!subscribed)
        *error = diagnostics();
    return subscribed;
}

bool ClientRun::startSimulator(const QString &archive, int devices, QString *error)
{
    // The simulator picks free ports itself; the client's copy of the project is then pointed
    // at them, so no port is chosen before it is bound.
    const QString logPath = QDir(m_scratch.path()).filePath(QStringLiteral("devsim.log"));
    m_log = std::make_unique<SimLog>(logPath);
    m_simulator.setProgram(QStringLiteral(VELOXA_DEVSIM));
    m_simulator.setArguments({archive, QStringLiteral("--ephemeral"),
                              QStringLiteral("--stdin-quit"), QStringLiteral("--log"), logPath});
    m_simulator.setProcessChannelMode(QProcess::SeparateChannels);
    m_simulator.start();
    QByteArray output;
    const bool listening = m_simulator.waitForStarted(StartMs) &&
                           poll(
                               [&] {
                                   m_simulator.waitForReadyRead(100);
                                   output += m_simulator.readAllStandardOutput();
                                   return LineClient::listeningPorts(output).size() == devices;
                               },
                               StartMs);
    m_ports = LineClient::listeningPorts(output);
    if (!listening)
        *error = QStringLiteral("the simulator did not listen: ") + QString::fromUtf8(output);
    return listening;
}

bool ClientRun::stageProject(const QString &archive, const QString &panelFile, Stage stage,
                             QString *error)
{
    const QDir scratch(m_scratch.path());
    const QString stagePath = scratch.filePath(QStringLiteral("stage"));
    if (!runTool({QStringLiteral("extract"), archive, stagePath}, error))
        return false;
    const QString panelPath = stagePath + QLatin1Char('/') + panelFile;
    if (!rewritePorts(panelPath, m_ports)) {
        *error = QStringLiteral("cannot point %1 at the simulator").arg(panelPath);
        return false;
    }
    if (!m_map.load(panelPath, error))
        return false;
    QFile list(scratch.filePath(QStringLiteral("entries")));
    if (!list.open(QIODevice::WriteOnly))
        return false;
    list.write(panelFile.toUtf8() + '\n'); // the panel file leads the archive
    list.close();
    // Without a designs folder setting the client opens download.cpn from its data folder,
    // else from its working folder.
    const QString download = stage == Stage::DataFolder
                                 ? QStringLiteral("data/veloxa-remote/download.cpn")
                                 : QStringLiteral("run/download.cpn");
    return runTool({QStringLiteral("pack"), scratch.filePath(download), stagePath, list.fileName()},
                   error);
}

bool ClientRun::startClient(QString *error)
{
    const QDir scratch(m_scratch.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), scratch.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       scratch.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), scratch.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), scratch.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                       scratch.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    // libxkbcommon-x11 hands strndup a bounded, unterminated buffer while the xcb platform
    // starts; strict string checks take that for an overflow. Later options win.
    if (environment.contains(QStringLiteral("ASAN_OPTIONS"))) {
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) +
                               QStringLiteral(":strict_string_checks=0"));
    }
    for (auto it = m_environment.cbegin(); it != m_environment.cend(); ++it)
        environment.insert(it.key(), it.value());
    m_client.setProcessEnvironment(environment);
    m_client.setWorkingDirectory(scratch.filePath(QStringLiteral("run")));
    m_client.setStandardOutputFile(scratch.filePath(QStringLiteral("client.log")));
    m_client.setStandardErrorFile(scratch.filePath(QStringLiteral("client.log")),
                                  QIODevice::Append);
    // The tests read the client's debug lines, which are off by default.
    m_client.start(QStringLiteral(VELOXA_REMOTE), {QStringLiteral("--verbose")});
    if (!m_client.waitForStarted(StartMs)) {
        *error = QStringLiteral("the client did not start");
        return false;
    }
    return true;
}

void ClientRun::stop()
{
    if (m_client.state() != QProcess::NotRunning) {
        m_client.terminate();
        if (!m_client.waitForFinished(10000))
            m_client.kill();
        m_client.waitForFinished(5000);
    }
    if (m_simulator.state() != QProcess::NotRunning) {
        m_simulator.closeWriteChannel();
        if (!m_simulator.waitForFinished(10000))
            m_simulator.kill();
        m_simulator.waitForFinished(5000);
    }
}

QString ClientRun::scratchPath(const QString &relative) const
{
    return QDir(m_scratch.path()).filePath(relative);
}

QByteArray ClientRun::output() const
{
    QFile log(scratchPath(QStringLiteral("client.log")));
    log.open(QIODevice::ReadOnly);
    return log.readAll();
}

QString ClientRun::diagnostics() const
{
    return QStringLiteral("client output:\n") + QString::fromUtf8(output().right(4000));
}

bool ClientRun::poll(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool ClientRun::waitForChange(const QImage &before, const QRect &area, int pixels, QImage *after)
{
    return poll(
        [&] {
            *after = XScreen::shoot();
            return XScreen::difference(before, *after, area) >= pixels;
        },
        ReactMs);
}

bool ClientRun::stepPanels(int count, int share)
{
    const QRect area = m_map.controlArea();
    for (int panel = 0; panel < count; ++panel) {
        const QImage before = waitForStill(area);
        XScreen::click(m_map.nextArrow());
        QImage after;
        if (!waitForChange(before, area, area.width() * area.height() / share, &after))
            return false;
    }
    return true;
}

QImage ClientRun::waitForStill(const QRect &area)
{
    QImage previous = XScreen::shoot();
    QImage current;
    poll(
        [&] {
            QThread::msleep(200);
            current = XScreen::shoot();
            const bool still = XScreen::difference(previous, current, area) == 0;
            previous = current;
            return still;
        },
        ReactMs);
    return current;
}

void ClientRun::parkPointer() const
{
    // The window's title row of the tool bar holds no control.
    const QRect canvas = m_map.canvas();
    XScreen::xdotool({QStringLiteral("mousemove"), QString::number(canvas.center().x()),
                      QString::number(canvas.top() + 4)});
}
