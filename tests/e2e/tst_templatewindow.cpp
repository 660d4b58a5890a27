#include "clientrun.h"
#include "xscreen.h"

#include <QtTest>

namespace {

const QString QuickControls = QStringLiteral("Quick Controls");
const QString Gain = QStringLiteral("Lobby Gain");
constexpr int ReactMs = ClientRun::ReactMs;

// The line under a box's title: a long level run of one grey between two white rows.
bool isRule(const QImage &shot, int y, int left, int right)
{
    const QRgb first = shot.pixel(left, y);
    if (qGray(first) > 240 || qGray(first) < 100)
        return false;
    for (int x = left; x <= right; x += 3) {
        if (shot.pixel(x, y) != first || qGray(shot.pixel(x, y - 1)) < 250 ||
            qGray(shot.pixel(x, y + 1)) < 250)
            return false;
    }
    return true;
}

} // namespace

// The conference sample's template panel on the real window, in German: a node dragged from the
// project information's list onto a drop site becomes controls that drive the device, whatever
// the language. The open box is kept as a picture of the German window.
class TestTemplateWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_run.stop(); }
    void droppedGainDrivesTheDevice();

private:
    QRect site(const QString &name) const
    {
        return m_run.map().screenRect(QuickControls, name, QStringLiteral("widget/dropsite"));
    }
    // The dialog's text size, as the control area sets it.
    double textSize() const { return m_run.map().controlArea().height() * 0.03125; }
    // Opens Setup -> "Project Information..." and returns the centre of the node list's first
    // row once the filter holds `filter`.
    QPoint openNodeList(const QString &filter);

    ClientRun m_run;
};

void TestTemplateWindow::initTestCase()
{
    QString missing;
    if (!XScreen::toolsPresent(&missing) || qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP(qPrintable(QStringLiteral("needs an X display and %1").arg(missing)));
    m_run.setEnvironment({{QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8")},
                          {QStringLiteral("LANGUAGE"), QStringLiteral("de")}});
    QString error;
    QVERIFY2(m_run.start(QStringLiteral(VELOXA_CONFERENCE_ARCHIVE),
                         QStringLiteral("Conference.cpf"), 2, &error),
             qPrintable(error));
    // From the welcome panel six panels on.
    QVERIFY(m_run.stepPanels(6, 50));
}

QPoint TestTemplateWindow::openNodeList(const QString &filter)
{
    const QRect canvas = m_run.map().canvas();
    const QRect bar(canvas.topLeft(), QPoint(canvas.right(), m_run.map().controlArea().top() - 1));
    const QImage before = ClientRun::waitForStill(canvas);
    XScreen::click(QPoint(bar.right() - int(bar.height() * (0.3 + 0.4375 / 2)), bar.center().y()));
    QImage menu;
    if (!ClientRun::waitForChange(before, canvas, canvas.width() * canvas.height() / 4, &menu))
        return QPoint();
    // "Project Information..." is the second of four entries below the menu's title: the
    // middle of the centred menu.
    XScreen::click(canvas.center());
    // The box is 0.85 of the canvas wide and centred; its content starts a margin in.
    const double size = textSize();
    const double margin = size * 1.25;
    const int left = canvas.center().x() - int(canvas.width() * 0.85 / 2 - margin) + 2;
    const int right = canvas.center().x() + int(canvas.width() * 0.85 / 2 - margin) - 2;
    // Menu and box are both white, centred panes: they differ in a small share only.
    QImage shot;
    if (!ClientRun::waitForChange(menu, canvas, canvas.width() * canvas.height() / 100, &shot))
        return QPoint();
    // The box centres itself, so the rule is looked for again once the filter has shrunk it.
    const auto ruleIn = [&](const QImage &shot) {
        int rule = canvas.top() + 1;
        while (rule < canvas.bottom() && !isRule(shot, rule, left, right))
            ++rule;
        return rule < canvas.bottom() ? rule : -1;
    };
    const QImage box = ClientRun::waitForStill(canvas);
    QDir().mkpath(QStringLiteral(VELOXA_SCREENS));
    box.copy(m_run.map().window())
        .save(QStringLiteral(VELOXA_SCREENS "/de-project-information.png"));
    int rule = ruleIn(box);
    if (rule < 0)
        return QPoint();
    // Below the rule: a gap, the filter line, a smaller gap and the rows.
    const double row = size * 2.2;
    XScreen::click(QPoint(canvas.center().x(), int(rule + margin * 0.6 + row / 2)));
    XScreen::xdotool(
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), filter});
    rule = ruleIn(ClientRun::waitForStill(canvas));
    if (rule < 0)
        return QPoint();
    return QPoint(left + int(row), int(rule + margin * 0.6 + row * 1.5 + size * 0.4));
}

void TestTemplateWindow::droppedGainDrivesTheDevice()
{
    const QRect target = site(QStringLiteral("Left Site"));
    const QImage empty = ClientRun::waitForStill(target);
    const QPoint rowAt = openNodeList(Gain);
    QVERIFY2(!rowAt.isNull(), "no project information box");

    // Press on the row, move over the site in steps, let go.
    QStringList drag = {QStringLiteral("mousemove"), QString::number(rowAt.x()),
                        QString::number(rowAt.y()), QStringLiteral("mousedown"),
                        QStringLiteral("1")};
    constexpr int Steps = 12;
    for (int step = 1; step <= Steps; ++step) {
        const QPoint at = rowAt + (target.center() - rowAt) * step / Steps;
        drag << QStringLiteral("mousemove") << QString::number(at.x()) << QString::number(at.y())
             << QStringLiteral("sleep") << QStringLiteral("0.05");
    }
    drag << QStringLiteral("mouseup") << QStringLiteral("1");
    QVERIFY(!XScreen::xdotool(drag).isNull());
    // The box stays open after the drop; Escape closes it.
    XScreen::xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    m_run.parkPointer();

    QVERIFY2(
        ClientRun::poll([&] { return m_run.output().contains("dropped: Lobby Gain as"); }, ReactMs),
        qPrintable(m_run.diagnostics()));
    QImage filled;
    QVERIFY(
        ClientRun::waitForChange(empty, target, target.width() * target.height() / 20, &filled));

    // The mute button ends the gain's controls: the lowest drawn row of the site's middle
    // column is its lower edge.
    const QRgb blank = filled.pixel(target.left() + 2, target.bottom() - 2);
    int edge = target.bottom();
    while (edge > target.center().y() && filled.pixel(target.center().x(), edge) == blank)
        --edge;
    QVERIFY(edge > target.center().y());
    const int from = m_run.log().received().size();
    XScreen::click(QPoint(target.center().x(), edge - int(textSize() / 2)));
    QVERIFY2(m_run.log().waitFor(QStringLiteral("SA \"%1\">2=").arg(Gain), from, ReactMs),
             qPrintable(m_run.diagnostics()));

    // The clear button in the site's top-right corner takes the controls away again.
    const int side = std::max(14, int(std::min(target.width(), target.height()) * 0.12));
    XScreen::click(target.topRight() + QPoint(-side * 7 / 10, side * 7 / 10));
    QVERIFY(ClientRun::poll(
        [&] { return XScreen::difference(empty, XScreen::shoot(), target) == 0; }, ReactMs));
}

QTEST_GUILESS_MAIN(TestTemplateWindow)
#include "tst_templatewindow.moc"
