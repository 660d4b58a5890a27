#include "panelmap.h"
#include "simlog.h"
#include "tools/lineclient.h"
#include "xscreen.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <functional>

namespace {

const QString VolumePanel = QStringLiteral("Volume & Source Control");
const QString PresetsPanel = QStringLiteral("System Presets");
const QString Mixer = QStringLiteral("Chassis|||30216");

// Generous: under AddressSanitizer the client takes seconds to start and to draw.
constexpr int StartMs = 60000;
constexpr int ReactMs = 15000;

// The slider holds back a moved value for 20 ms before it goes out; its single-shot timer is
// coarse (may fire 5 %, 1 ms, early) and the log stamps whole milliseconds (1 ms more).
constexpr int SendDelayMs = 20 - 1 - 1;

bool poll(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

// "listening <name> <address>:<port>" lines, name -> port.
QMap<QString, quint16> listeningPorts(const QByteArray &output)
{
    QMap<QString, quint16> ports;
    const QRegularExpression line(QStringLiteral("^listening (\\S+) [0-9.]+:(\\d+)$"),
                                  QRegularExpression::MultilineOption);
    auto matches = line.globalMatch(QString::fromUtf8(output));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        ports.insert(match.captured(1), match.captured(2).toUShort());
    }
    return ports;
}

// The value after "=" of a set command or a query's answer.
double valueOf(const QString &command)
{
    return command.section(QLatin1Char('='), -1).toDouble();
}

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

class TestRemoteWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void acceptLinkOpensTheVolumePanel();
    void muteButtonSendsItsSetCommand();
    void faderDragSendsThrottledSetCommands();
    void deviceValueIsDrawn();
    void dropListChoiceSendsItsValue();
    void statusBarArrowOpensTheNextPanel();
    void presetLinkRecallsItsPreset();

private:
    QRect rect(const QString &panel, const QString &control, const QString &part) const
    {
        return m_map.screenRect(panel, control, QStringLiteral("widget/") + part);
    }
    // "SA "<block>">index=": how the control's set commands begin.
    QString setCommand(const QString &panel, const QString &control) const
    {
        return QStringLiteral("SA \"%1\">%2=")
            .arg(m_map.field(panel, control, QStringLiteral("block")),
                 m_map.field(panel, control, QStringLiteral("attributes/index1")));
    }
    // Waits until rect differs from before in at least `pixels` pixels.
    bool waitForChange(const QImage &before, const QRect &area, int pixels, QImage *after);
    // Waits until two shots 200 ms apart agree on area.
    QImage waitForStill(const QRect &area);
    // Moves the pointer off every control, so that no hover look stays behind.
    void parkPointer();
    QString diagnostics() const;

    QTemporaryDir m_scratch;
    QProcess m_simulator;
    QProcess m_client;
    QMap<QString, quint16> m_ports;
    PanelMap m_map;
    std::unique_ptr<SimLog> m_log;
    LineClient m_device; // the test's own connection to the mixer
    // The fader's picture and value as the drag left them.
    QImage m_afterDrag;
    double m_dragValue = 0;
};

void TestRemoteWindow::initTestCase()
{
    QString missing;
    if (!XScreen::toolsPresent(&missing) || qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP(qPrintable(QStringLiteral("needs an X display and %1").arg(missing)));
    QVERIFY(m_scratch.isValid());
    const QDir scratch(m_scratch.path());
    for (const char *folder : {"home", "config", "data", "cache", "runtime", "run"})
        QVERIFY(scratch.mkpath(QLatin1String(folder)));
    QFile::setPermissions(scratch.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // The simulator picks free ports itself; the client's copy of the project is then pointed
    // at them, so no port is chosen before it is bound.
    const QString logPath = scratch.filePath(QStringLiteral("devsim.log"));
    m_log = std::make_unique<SimLog>(logPath);
    m_simulator.setProgram(QStringLiteral(VELOXA_DEVSIM));
    m_simulator.setArguments({QStringLiteral(VELOXA_DEMO_ARCHIVE), QStringLiteral("--ephemeral"),
                              QStringLiteral("--stdin-quit"), QStringLiteral("--log"), logPath});
    m_simulator.setProcessChannelMode(QProcess::SeparateChannels);
    m_simulator.start();
    QVERIFY(m_simulator.waitForStarted(StartMs));
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += m_simulator.readAllStandardOutput(), listeningPorts(output).size() == 2),
        StartMs);
    m_ports = listeningPorts(output);

    const QString stage = scratch.filePath(QStringLiteral("stage"));
    QString toolOutput;
    QVERIFY2(runTool({QStringLiteral("extract"), QStringLiteral(VELOXA_DEMO_ARCHIVE), stage},
                     &toolOutput),
             qPrintable(toolOutput));
    const QString panelFile = stage + QStringLiteral("/Demo.cpf");
    QVERIFY(rewritePorts(panelFile, m_ports));
    QString error;
    QVERIFY2(m_map.load(panelFile, &error), qPrintable(error));
    const QString entries = scratch.filePath(QStringLiteral("entries"));
    QFile list(entries);
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("Demo.cpf\n"); // the panel file leads the archive
    list.close();
    // Without a designs folder setting the client opens download.cpn from its working folder.
    QVERIFY2(runTool({QStringLiteral("pack"), scratch.filePath(QStringLiteral("run/download.cpn")),
                      stage, entries},
                     &toolOutput),
             qPrintable(toolOutput));

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
    m_client.setProcessEnvironment(environment);
    m_client.setWorkingDirectory(scratch.filePath(QStringLiteral("run")));
    m_client.setStandardOutputFile(scratch.filePath(QStringLiteral("client.log")));
    m_client.setStandardErrorFile(scratch.filePath(QStringLiteral("client.log")),
                                  QIODevice::Append);
    m_client.start(QStringLiteral(VELOXA_REMOTE), {});
    QVERIFY(m_client.waitForStarted(StartMs));

    const QRect window = XScreen::findWindow(QStringLiteral("^Veloxa Remote"), StartMs);
    QVERIFY2(!window.isEmpty(), qPrintable(diagnostics()));
    m_map.setWindow(window);
    // Both devices subscribed to: the client has read its project and is connected.
    QVERIFY2(poll(
                 [this] {
                     QSet<QString> devices;
                     for (const SimLogLine &line :
                          m_log->receivedStartingWith(QStringLiteral("SUB")))
                         devices.insert(line.device);
                     return devices.size() == 2;
                 },
                 StartMs),
             qPrintable(diagnostics()));
    QVERIFY(m_device.connectTo(m_ports.value(Mixer)));
}

void TestRemoteWindow::cleanupTestCase()
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

bool TestRemoteWindow::waitForChange(const QImage &before, const QRect &area, int pixels,
                                     QImage *after)
{
    return poll(
        [&] {
            *after = XScreen::shoot();
            return XScreen::difference(before, *after, area) >= pixels;
        },
        ReactMs);
}

QImage TestRemoteWindow::waitForStill(const QRect &area)
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

void TestRemoteWindow::parkPointer()
{
    // The window's title row of the tool bar holds no control.
    const QRect canvas = m_map.canvas();
    XScreen::xdotool({QStringLiteral("mousemove"), QString::number(canvas.center().x()),
                      QString::number(canvas.top() + 4)});
}

QString TestRemoteWindow::diagnostics() const
{
    QFile log(QDir(m_scratch.path()).filePath(QStringLiteral("client.log")));
    log.open(QIODevice::ReadOnly);
    return QStringLiteral("client output:\n") + QString::fromUtf8(log.readAll().right(4000));
}

void TestRemoteWindow::acceptLinkOpensTheVolumePanel()
{
    const QRect area = m_map.controlArea();
    const QImage disclaimer = waitForStill(area);
    XScreen::click(
        rect(QStringLiteral("Disclaimer"), QStringLiteral("Accept"), QStringLiteral("panellink"))
            .center());
    // A new panel redraws most of the area.
    QImage volume;
    QVERIFY2(waitForChange(disclaimer, area, area.width() * area.height() / 4, &volume),
             qPrintable(diagnostics()));
    // The panel's controls are registered once their values are subscribed to.
    QVERIFY(m_log->waitFor(QStringLiteral("SUB \"GA\"Bar Source\""), 0, ReactMs));
}

void TestRemoteWindow::muteButtonSendsItsSetCommand()
{
    const QRect button = rect(VolumePanel, QStringLiteral("Dining Mute"), QStringLiteral("button"));
    const QString command = setCommand(VolumePanel, QStringLiteral("Dining Mute"));
    const int from = m_log->received().size();
    const QImage before = waitForStill(button);
    XScreen::click(button.center());
    QVERIFY2(m_log->waitFor(command, from, ReactMs), qPrintable(command));
    // The button shows its new state too ("Muted").
    QImage after;
    parkPointer();
    QVERIFY(waitForChange(before, button, 20, &after));
}

void TestRemoteWindow::faderDragSendsThrottledSetCommands()
{
    const QString fader = QStringLiteral("Dining Volume");
    const QString command = setCommand(VolumePanel, fader);
    const double minimum =
        m_map.field(VolumePanel, fader, QStringLiteral("attributes/minimum")).toDouble();
    const double maximum =
        m_map.field(VolumePanel, fader, QStringLiteral("attributes/maximum")).toDouble();
    const double step =
        m_map.field(VolumePanel, fader, QStringLiteral("attributes/step")).toDouble();
    QVERIFY(maximum > minimum && step > 0);

    // The knob sits where the device's value puts it: its centre runs over the groove less
    // the knob's own height (16 % of the groove, at most 55 % of its width).
    const QString query = QStringLiteral("GA%1").arg(command.mid(3).chopped(1));
    const double start = valueOf(QString::fromLatin1(m_device.ask(query.toLatin1())));
    const QRect groove = rect(VolumePanel, fader, QStringLiteral("slider"));
    const double knob = std::max(8.0, std::min(groove.height() * 0.16, groove.width() * 0.55));
    const double travel = groove.height() - knob;
    const auto yOf = [&](double value) {
        return groove.top() + knob / 2 + (maximum - value) / (maximum - minimum) * travel;
    };
    const int x = groove.center().x();
    const int y0 = int(std::lround(yOf(start)));
    // Down by half the travel in small moves, each much faster than the slider's delay: the
    // longer the drag, the less the first command's delivery counts in the rate check below.
    const int moves = 80;
    const double stride = travel / 2 / moves;
    QStringList drag = {QStringLiteral("mousemove"), QString::number(x), QString::number(y0),
                        QStringLiteral("mousedown"), QStringLiteral("1")};
    for (int i = 1; i <= moves; ++i) {
        drag << QStringLiteral("sleep") << QStringLiteral("0.006") << QStringLiteral("mousemove")
             << QString::number(x) << QString::number(int(std::lround(y0 + i * stride)));
    }
    const int yEnd = int(std::lround(y0 + moves * stride));
    drag << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mouseup")
         << QStringLiteral("1");
    const double expected = start - (yEnd - y0) / travel * (maximum - minimum);

    const int from = m_log->received().size();
    QVERIFY(!XScreen::xdotool(drag).isNull());
    // The last value leaves at most one delay after the release; it is near the release point.
    QVERIFY2(poll(
                 [&] {
                     const QList<SimLogLine> sent = m_log->receivedStartingWith(command, from);
                     return !sent.isEmpty() &&
                            std::abs(valueOf(sent.last().command) - expected) <= 2 * step + 1;
                 },
                 ReactMs),
             qPrintable(QStringLiteral("expected about %1").arg(expected)));
    parkPointer();
    m_afterDrag = waitForStill(rect(VolumePanel, fader, QStringLiteral("frame")));

    const QList<SimLogLine> sent = m_log->receivedStartingWith(command, from);
    QVERIFY2(sent.size() >= 3, "a long drag sends more than its first and last value");
    // Between two set commands the slider waited out its delay, so n commands span at least
    // (n - 1) delays. Only the first command's way to the simulator may have been slower
    // than the last's; a stalled event loop is allowed 40 ms of that.
    const qint64 span = sent.first().time.msecsTo(sent.last().time);
    qint64 closest = span;
    for (int i = 1; i < sent.size(); ++i)
        closest = std::min(closest, sent.at(i - 1).time.msecsTo(sent.at(i).time));
    qInfo("drag: %lld set commands over %lld ms, closest two %lld ms apart, last %s",
          qint64(sent.size()), span, closest, qPrintable(sent.last().command));
    QVERIFY2(span + 40 >= qint64(sent.size() - 1) * SendDelayMs,
             qPrintable(QStringLiteral("%1 commands in %2 ms").arg(sent.size()).arg(span)));
    QVERIFY(closest >= 0);

    m_dragValue = valueOf(sent.last().command);
    // What the device holds is what was sent last: no value was lost or resent afterwards.
    QCOMPARE(valueOf(QString::fromLatin1(m_device.ask(query.toLatin1()))), m_dragValue);
    QCOMPARE(m_log->receivedStartingWith(command, from).size(), sent.size());
}

void TestRemoteWindow::deviceValueIsDrawn()
{
    if (m_afterDrag.isNull())
        QSKIP("needs the drag's picture");
    const QString fader = QStringLiteral("Dining Volume");
    const QRect frame = rect(VolumePanel, fader, QStringLiteral("frame"));
    const QString command = setCommand(VolumePanel, fader);
    const QByteArray set = command.toLatin1();
    const int from = m_log->received().size();
    // Another value set at the device moves the knob and changes the number.
    const double other = m_dragValue > -30 ? -50 : -10;
    QCOMPARE(m_device.ask(set + QByteArray::number(other)), QByteArray(1, 0x06));
    QImage moved;
    QVERIFY2(waitForChange(m_afterDrag, frame, 50, &moved), qPrintable(diagnostics()));
    // Set back to the drag's last command, the fader looks exactly as the drag left it: the
    // knob and number shown after the drag were that command's value.
    QCOMPARE(m_device.ask(set + QByteArray::number(m_dragValue)), QByteArray(1, 0x06));
    QImage back;
    QVERIFY2(
        poll(
            [&] {
                back = XScreen::shoot();
                return XScreen::difference(m_afterDrag, back, frame) == 0;
            },
            ReactMs),
        qPrintable(
            QStringLiteral("%1 pixels differ").arg(XScreen::difference(m_afterDrag, back, frame))));
    // Only this test's two set commands reached the device: the client sent neither back.
    QCOMPARE(m_log->receivedStartingWith(command, from).size(), 2);
}

void TestRemoteWindow::dropListChoiceSendsItsValue()
{
    const QString list = QStringLiteral("Bar Source");
    const QRect box = rect(VolumePanel, list, QStringLiteral("droplist"));
    const QStringList names = m_map.field(VolumePanel, list, QStringLiteral("widget/droplist/msg"))
                                  .split(QLatin1Char(','));
    const QStringList values =
        m_map.field(VolumePanel, list, QStringLiteral("widget/droplist/index"))
            .split(QLatin1Char(','));
    QCOMPARE(names.size(), values.size());
    QVERIFY(names.size() >= 3);
    const QString command = setCommand(VolumePanel, list);

    const QRect canvas = m_map.canvas();
    parkPointer();
    const QImage before = waitForStill(box);
    XScreen::click(box.center());
    // The pop-up dims the panel behind it, the list box too.
    QImage open;
    QVERIFY(waitForChange(before, box, box.width() * box.height() / 4, &open));
    waitForStill(QRect(canvas.left(), canvas.center().y() - 40, canvas.width(), 80));
    // The pop-up's rows are of one height and centred on the canvas: with an even count the
    // row just below the centre is number count / 2, with an odd count the middle one.
    const int row = names.size() / 2;
    const int from = m_log->received().size();
    XScreen::click(QPoint(canvas.center().x(), canvas.center().y() + (names.size() % 2 ? 0 : 6)));
    QVERIFY2(m_log->waitFor(command, from, ReactMs), qPrintable(names.at(row)));
    const QList<SimLogLine> sent = m_log->receivedStartingWith(command, from);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().command, command + values.at(row));
}

void TestRemoteWindow::statusBarArrowOpensTheNextPanel()
{
    const QRect area = m_map.controlArea();
    parkPointer();
    // The panel's meters never stand still; its faders do.
    const QImage volume =
        waitForStill(rect(VolumePanel, QStringLiteral("Dining Volume"), QStringLiteral("frame")));
    XScreen::click(m_map.nextArrow());
    QImage presets;
    QVERIFY(waitForChange(volume, area, area.width() * area.height() / 4, &presets));
}

void TestRemoteWindow::presetLinkRecallsItsPreset()
{
    const QString link = QStringLiteral("Happy Hour");
    const QString preset =
        m_map.field(PresetsPanel, link, QStringLiteral("widget/textlink/paramidx"));
    QVERIFY(!preset.isEmpty());
    const QString command = QStringLiteral("SS ") + preset;
    const QRect target = rect(PresetsPanel, link, QStringLiteral("textlink"));
    waitForStill(target);
    const int from = m_log->received().size();
    XScreen::click(target.center());
    QVERIFY2(m_log->waitFor(command, from, ReactMs), qPrintable(command));
    const QList<SimLogLine> sent = m_log->receivedStartingWith(QStringLiteral("SS "), from);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().command, command);
}

QTEST_GUILESS_MAIN(TestRemoteWindow)
#include "tst_remotewindow.moc"
