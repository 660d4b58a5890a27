#include "clientrun.h"
#include "tools/lineclient.h"
#include "xscreen.h"

#include <QtTest>

namespace {

const QString FloorPlan = QStringLiteral("Floor Plan");
const QString Processor = QStringLiteral("Chassis|||30300");
constexpr int ReactMs = ClientRun::ReactMs;
constexpr int QueryPeriodMs = 997;

enum class Fill { Gray, Coloured };

// A point of the room's fill clear of its letter and name.
QPoint fillPoint(const QRect &room)
{
    return room.topLeft() + QPoint(room.width() / 4, room.height() * 3 / 4);
}

Fill fillAt(const QImage &shot, const QPoint &point)
{
    const QColor colour = shot.pixelColor(point);
    const int spread = std::max({colour.red(), colour.green(), colour.blue()}) -
                       std::min({colour.red(), colour.green(), colour.blue()});
    return spread > 60 ? Fill::Coloured : Fill::Gray;
}

} // namespace

// The conference-centre sample on the real window: rooms tapped on the floor plan are combined
// at the device, and what the device reports is drawn.
class TestConferenceWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_run.stop(); }
    void tappedRoomsAreJoined();
    void routerRoomWithoutNeighbourIsRefused();
    void comboChangedElsewhereIsShown();

private:
    QRect room(const QString &name) const
    {
        return m_run.map().screenRect(FloorPlan, name, QStringLiteral("widget/roomselector"));
    }
    // Waits until every named room shows the fill.
    bool waitForFill(const QStringList &rooms, Fill fill) const;

    ClientRun m_run;
    LineClient m_device; // a wall panel of its own, on the same processor
};

void TestConferenceWindow::initTestCase()
{
    QString missing;
    if (!XScreen::toolsPresent(&missing) || qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP(qPrintable(QStringLiteral("needs an X display and %1").arg(missing)));
    QString error;
    QVERIFY2(m_run.start(QStringLiteral(VELOXA_CONFERENCE_ARCHIVE),
                         QStringLiteral("Conference.cpf"), 2, &error),
             qPrintable(error));
    QVERIFY(m_device.connectTo(m_run.port(Processor)));
    // The welcome panel leads; the floor plan is the next one.
    const QRect area = m_run.map().controlArea();
    const QImage welcome = ClientRun::waitForStill(area);
    XScreen::click(m_run.map().nextArrow());
    QImage plan;
    QVERIFY(ClientRun::waitForChange(welcome, area, area.width() * area.height() / 4, &plan));
    QVERIFY2(m_run.log().waitFor(QStringLiteral("SUB \"GRC 1\""), 0, ReactMs),
             qPrintable(m_run.diagnostics()));
    QVERIFY(waitForFill({QStringLiteral("Ballroom A"), QStringLiteral("Boardroom 1")}, Fill::Gray));
}

bool TestConferenceWindow::waitForFill(const QStringList &rooms, Fill fill) const
{
    return ClientRun::poll(
        [&] {
            const QImage shot = XScreen::shoot();
            return std::all_of(rooms.cbegin(), rooms.cend(), [&](const QString &name) {
                return fillAt(shot, fillPoint(room(name))) == fill;
            });
        },
        ReactMs);
}

void TestConferenceWindow::tappedRoomsAreJoined()
{
    const int from = m_run.log().received().size();
    const QRect names = m_run.map().screenRect(FloorPlan, QStringLiteral("Ballroom A Combined"),
                                               QStringLiteral("widget/activeroomcombo"));
    const QImage before = ClientRun::waitForStill(names);
    // The first room of a combination waits for a second one: nothing is sent yet.
    XScreen::click(fillPoint(room(QStringLiteral("Ballroom A"))));
    QVERIFY(waitForFill({QStringLiteral("Ballroom A")}, Fill::Coloured));
    XScreen::click(fillPoint(room(QStringLiteral("Ballroom B"))));
    QVERIFY2(m_run.log().waitFor(QStringLiteral("SRC "), from, ReactMs),
             qPrintable(m_run.diagnostics()));
    const QList<SimLogLine> sent = m_run.log().receivedStartingWith(QStringLiteral("SRC "), from);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().command, QStringLiteral("SRC 1,[1,2]"));
    QVERIFY(
        waitForFill({QStringLiteral("Ballroom A"), QStringLiteral("Ballroom B")}, Fill::Coloured));
    // Room A's line now names room B.
    QImage after;
    QVERIFY(ClientRun::waitForChange(before, names, 20, &after));
}

void TestConferenceWindow::routerRoomWithoutNeighbourIsRefused()
{
    const int from = m_run.log().received().size();
    XScreen::click(fillPoint(room(QStringLiteral("Boardroom 1"))));
    QVERIFY(waitForFill({QStringLiteral("Boardroom 1")}, Fill::Coloured));
    // Room 3 borders only room 2, which is in no combination.
    XScreen::click(fillPoint(room(QStringLiteral("Boardroom 3"))));
    const QRect box = XScreen::findWindow(QStringLiteral("^Room Combine Failure$"), ReactMs);
    QVERIFY2(!box.isEmpty(), qPrintable(m_run.diagnostics()));
    QVERIFY(m_run.log().receivedStartingWith(QStringLiteral("SRC 2"), from).isEmpty());
    QCOMPARE(fillAt(XScreen::shoot(), fillPoint(room(QStringLiteral("Boardroom 3")))), Fill::Gray);
    XScreen::xdotool({QStringLiteral("search"), QStringLiteral("--name"),
                      QStringLiteral("^Room Combine Failure$"), QStringLiteral("windowfocus"),
                      QStringLiteral("--sync"), QStringLiteral("key"), QStringLiteral("Return")});
}

void TestConferenceWindow::comboChangedElsewhereIsShown()
{
    const QString reply = QStringLiteral("GRC 1,[3,4]");
    const int from = m_run.log().sent().size();
    QCOMPARE(m_device.ask("SRC 1,[3,4]"), QByteArray(1, 0x06));
    const QDateTime changed = QDateTime::currentDateTime();
    QVERIFY(
        waitForFill({QStringLiteral("Ballroom C"), QStringLiteral("Ballroom D")}, Fill::Coloured));
    QVERIFY(waitForFill({QStringLiteral("Ballroom A"), QStringLiteral("Ballroom B")}, Fill::Gray));
    // The client learnt of it from the device within two of its query periods.
    QList<SimLogLine> told;
    for (const SimLogLine &line : m_run.log().sent().mid(from)) {
        if (line.command == reply)
            told.append(line);
    }
    QVERIFY(!told.isEmpty());
    QVERIFY2(changed.msecsTo(told.first().time) <= 2 * QueryPeriodMs,
             qPrintable(told.first().time.toString(Qt::ISODateWithMs)));
}

QTEST_GUILESS_MAIN(TestConferenceWindow)
#include "tst_conferencewindow.moc"
