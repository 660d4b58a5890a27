#include "clientrun.h"
#include "tools/lineclient.h"
#include "xscreen.h"

#include <QtTest>

namespace {

const QString VolumePanel = QStringLiteral("Volume & Source Control");
const QString PresetsPanel = QStringLiteral("System Presets");
const QString Mixer = QStringLiteral("Chassis|||30216");
constexpr int ReactMs = ClientRun::ReactMs;

// The slider holds back a moved value for 20 ms before it goes out; its single-shot timer is
// coarse (may fire 5 %, 1 ms, early) and the log stamps whole milliseconds (1 ms more).
constexpr int SendDelayMs = 20 - 1 - 1;

// The value after "=" of a set command or a query's answer.
double valueOf(const QString &command)
{
    return command.section(QLatin1Char('='), -1).toDouble();
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
    void keyboardMovesFaderAndPanels();
    void dropListChoiceSendsItsValue();
    void statusBarArrowOpensTheNextPanel();
    void presetLinkRecallsItsPreset();

private:
    QRect rect(const QString &panel, const QString &control, const QString &part) const
    {
        return m_run.map().screenRect(panel, control, QStringLiteral("widget/") + part);
    }
    // "SA "<block>">index=": how the control's set commands begin.
    QString setCommand(const QString &panel, const QString &control)
    {
        return QStringLiteral("SA \"%1\">%2=")
            .arg(m_run.map().field(panel, control, QStringLiteral("block")),
                 m_run.map().field(panel, control, QStringLiteral("attributes/index1")));
    }

    ClientRun m_run;
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
    QString error;
    QVERIFY2(
        m_run.start(QStringLiteral(VELOXA_DEMO_ARCHIVE), QStringLiteral("Demo.cpf"), 2, &error),
        qPrintable(error));
    QVERIFY(m_device.connectTo(m_run.port(Mixer)));
}

void TestRemoteWindow::cleanupTestCase()
{
    m_run.stop();
}

void TestRemoteWindow::acceptLinkOpensTheVolumePanel()
{
    const QRect area = m_run.map().controlArea();
    const QImage disclaimer = ClientRun::waitForStill(area);
    XScreen::click(
        rect(QStringLiteral("Disclaimer"), QStringLiteral("Accept"), QStringLiteral("panellink"))
            .center());
    // A new panel redraws most of the area.
    QImage volume;
    QVERIFY2(ClientRun::waitForChange(disclaimer, area, area.width() * area.height() / 4, &volume),
             qPrintable(m_run.diagnostics()));
    // The panel's controls are registered once their values are subscribed to.
    QVERIFY(m_run.log().waitFor(QStringLiteral("SUB \"GA\"Bar Source\""), 0, ReactMs));
}

void TestRemoteWindow::muteButtonSendsItsSetCommand()
{
    const QRect button = rect(VolumePanel, QStringLiteral("Dining Mute"), QStringLiteral("button"));
    const QString command = setCommand(VolumePanel, QStringLiteral("Dining Mute"));
    const int from = m_run.log().received().size();
    const QImage before = ClientRun::waitForStill(button);
    XScreen::click(button.center());
    QVERIFY2(m_run.log().waitFor(command, from, ReactMs), qPrintable(command));
    // The button shows its new state too ("Muted").
    QImage after;
    m_run.parkPointer();
    QVERIFY(ClientRun::waitForChange(before, button, 20, &after));
}

void TestRemoteWindow::faderDragSendsThrottledSetCommands()
{
    const QString fader = QStringLiteral("Dining Volume");
    const QString command = setCommand(VolumePanel, fader);
    const double minimum =
        m_run.map().field(VolumePanel, fader, QStringLiteral("attributes/minimum")).toDouble();
    const double maximum =
        m_run.map().field(VolumePanel, fader, QStringLiteral("attributes/maximum")).toDouble();
    const double step =
        m_run.map().field(VolumePanel, fader, QStringLiteral("attributes/step")).toDouble();
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

    const int from = m_run.log().received().size();
    QVERIFY(!XScreen::xdotool(drag).isNull());
    // The last value leaves at most one delay after the release; it is near the release point.
    QVERIFY2(ClientRun::poll(
                 [&] {
                     const QList<SimLogLine> sent = m_run.log().receivedStartingWith(command, from);
                     return !sent.isEmpty() &&
                            std::abs(valueOf(sent.last().command) - expected) <= 2 * step + 1;
                 },
                 ReactMs),
             qPrintable(QStringLiteral("expected about %1").arg(expected)));
    m_run.parkPointer();
    m_afterDrag = ClientRun::waitForStill(rect(VolumePanel, fader, QStringLiteral("frame")));

    const QList<SimLogLine> sent = m_run.log().receivedStartingWith(command, from);
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
    QCOMPARE(m_run.log().receivedStartingWith(command, from).size(), sent.size());
}

void TestRemoteWindow::deviceValueIsDrawn()
{
    if (m_afterDrag.isNull())
        QSKIP("needs the drag's picture");
    const QString fader = QStringLiteral("Dining Volume");
    const QRect frame = rect(VolumePanel, fader, QStringLiteral("frame"));
    const QString command = setCommand(VolumePanel, fader);
    const QByteArray set = command.toLatin1();
    const int from = m_run.log().received().size();
    // Another value set at the device moves the knob and changes the number.
    const double other = m_dragValue > -30 ? -50 : -10;
    QCOMPARE(m_device.ask(set + QByteArray::number(other)), QByteArray(1, 0x06));
    QImage moved;
    QVERIFY2(ClientRun::waitForChange(m_afterDrag, frame, 50, &moved),
             qPrintable(m_run.diagnostics()));
    // Set back to the drag's last command, the fader looks exactly as the drag left it: the
    // knob and number shown after the drag were that command's value.
    QCOMPARE(m_device.ask(set + QByteArray::number(m_dragValue)), QByteArray(1, 0x06));
    QImage back;
    QVERIFY2(
        ClientRun::poll(
            [&] {
                back = XScreen::shoot();
                return XScreen::difference(m_afterDrag, back, frame) == 0;
            },
            ReactMs),
        qPrintable(
            QStringLiteral("%1 pixels differ").arg(XScreen::difference(m_afterDrag, back, frame))));
    // Only this test's two set commands reached the device: the client sent neither back.
    QCOMPARE(m_run.log().receivedStartingWith(command, from).size(), 2);
}

void TestRemoteWindow::keyboardMovesFaderAndPanels()
{
    const QString fader = QStringLiteral("Dining Volume");
    const QString command = setCommand(VolumePanel, fader);
    const auto field = [&](const char *name) {
        return m_run.map().field(VolumePanel, fader, QLatin1String(name)).toDouble();
    };
    const double step = field("attributes/step");
    const double minimum = field("attributes/minimum");
    const double maximum = field("attributes/maximum");
    // The view has the X input focus from the start; moving it by hand would lose a key.
    const auto press = [](const QString &key) {
        return !XScreen::xdotool({QStringLiteral("key"), key}).isNull();
    };
    // No control has focus until Tab: the bar's fader and value box come first, then this fader.
    const QRect slider = rect(VolumePanel, fader, QStringLiteral("slider"));
    const QRect ring = slider.adjusted(-4, -4, 4, 4);
    m_run.parkPointer();
    const QImage before = ClientRun::waitForStill(ring);
    for (int i = 0; i < 3; ++i)
        QVERIFY(press(QStringLiteral("Tab")));
    QImage focused;
    QVERIFY2(ClientRun::waitForChange(before, ring, slider.width() + slider.height(), &focused),
             "no focus ring around the fader");
    // A page is a tenth of the range; a key that leaves the value sends nothing, as a drag.
    const double page = std::round((maximum - minimum) / step / 10) * step;
    QList<QPair<QString, double>> keys = {{QStringLiteral("End"), minimum},
                                          {QStringLiteral("Up"), minimum + step},
                                          {QStringLiteral("Prior"), minimum + step + page},
                                          {QStringLiteral("Home"), maximum}};
    const QString query = QStringLiteral("GA%1").arg(command.mid(3).chopped(1));
    if (valueOf(QString::fromLatin1(m_device.ask(query.toLatin1()))) == minimum)
        keys.move(3, 0);
    const int from = m_run.log().received().size();
    for (const auto &[key, expected] : keys) {
        const int sent = m_run.log().received().size();
        QVERIFY(press(key));
        QVERIFY2(ClientRun::poll(
                     [&] {
                         const auto lines = m_run.log().receivedStartingWith(command, sent);
                         return !lines.isEmpty() && valueOf(lines.last().command) == expected;
                     },
                     ReactMs),
                 qPrintable(QStringLiteral("%1: expected %2").arg(key).arg(expected)));
    }
    QCOMPARE(m_run.log().receivedStartingWith(command, from).size(), keys.size());

    // Ctrl+Page Down and Up step through the panels whichever control has focus.
    const QRect area = m_run.map().controlArea();
    const QRect patio = rect(VolumePanel, QStringLiteral("Patio Volume"), QStringLiteral("frame"));
    const QImage volume = ClientRun::waitForStill(patio);
    QVERIFY(press(QStringLiteral("ctrl+Next")));
    QVERIFY(ClientRun::waitForChange(volume, area, area.width() * area.height() / 4, &focused));
    QVERIFY(press(QStringLiteral("ctrl+Prior")));
    QVERIFY(ClientRun::poll(
        [&] { return XScreen::difference(volume, XScreen::shoot(), patio) == 0; }, ReactMs));
}

void TestRemoteWindow::dropListChoiceSendsItsValue()
{
    const QString list = QStringLiteral("Bar Source");
    const QRect box = rect(VolumePanel, list, QStringLiteral("droplist"));
    const QStringList names = m_run.map()
                                  .field(VolumePanel, list, QStringLiteral("widget/droplist/msg"))
                                  .split(QLatin1Char(','));
    const QStringList values =
        m_run.map()
            .field(VolumePanel, list, QStringLiteral("widget/droplist/index"))
            .split(QLatin1Char(','));
    QCOMPARE(names.size(), values.size());
    QVERIFY(names.size() >= 3);
    const QString command = setCommand(VolumePanel, list);

    const QRect canvas = m_run.map().canvas();
    m_run.parkPointer();
    const QImage before = ClientRun::waitForStill(box);
    XScreen::click(box.center());
    // The pop-up dims the panel behind it, the list box too.
    QImage open;
    QVERIFY(ClientRun::waitForChange(before, box, box.width() * box.height() / 4, &open));
    ClientRun::waitForStill(QRect(canvas.left(), canvas.center().y() - 40, canvas.width(), 80));
    // The pop-up's rows are of one height and centred on the canvas: with an even count the
    // row just below the centre is number count / 2, with an odd count the middle one.
    const int row = names.size() / 2;
    const int from = m_run.log().received().size();
    XScreen::click(QPoint(canvas.center().x(), canvas.center().y() + (names.size() % 2 ? 0 : 6)));
    QVERIFY2(m_run.log().waitFor(command, from, ReactMs), qPrintable(names.at(row)));
    const QList<SimLogLine> sent = m_run.log().receivedStartingWith(command, from);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().command, command + values.at(row));
}

void TestRemoteWindow::statusBarArrowOpensTheNextPanel()
{
    const QRect area = m_run.map().controlArea();
    m_run.parkPointer();
    // The panel's meters never stand still; its faders do.
    const QImage volume = ClientRun::waitForStill(
        rect(VolumePanel, QStringLiteral("Dining Volume"), QStringLiteral("frame")));
    XScreen::click(m_run.map().nextArrow());
    QImage presets;
    QVERIFY(ClientRun::waitForChange(volume, area, area.width() * area.height() / 4, &presets));
}

void TestRemoteWindow::presetLinkRecallsItsPreset()
{
    const QString link = QStringLiteral("Happy Hour");
    const QString preset =
        m_run.map().field(PresetsPanel, link, QStringLiteral("widget/textlink/paramidx"));
    QVERIFY(!preset.isEmpty());
    const QString command = QStringLiteral("SS ") + preset;
    const QRect target = rect(PresetsPanel, link, QStringLiteral("textlink"));
    ClientRun::waitForStill(target);
    const int from = m_run.log().received().size();
    XScreen::click(target.center());
    QVERIFY2(m_run.log().waitFor(command, from, ReactMs), qPrintable(command));
    const QList<SimLogLine> sent = m_run.log().receivedStartingWith(QStringLiteral("SS "), from);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().command, command);
}

QTEST_GUILESS_MAIN(TestRemoteWindow)
#include "tst_remotewindow.moc"
