#include "clientrun.h"
#include "xscreen.h"

#include <QtTest>

namespace {

const QString ReceiveBox = QStringLiteral("^Receive Control Panel");
const QString Download = QStringLiteral("data/veloxa-remote/download.cpn");
const QString Backup = QStringLiteral("data/veloxa-remote/download.cpn.bak");
constexpr int ReactMs = ClientRun::ReactMs;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool boxShown()
{
    // xdotool's search fails when nothing matches.
    return !XScreen::xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                              QStringLiteral("--name"), ReceiveBox})
                .isNull();
}

} // namespace

// Receive mode on the real window: the setup menu's "Receive..." waits for the push tool,
// a project that arrives replaces the open one, anything else is refused and changes nothing.
class TestReceiveWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_run.stop(); }
    void pushedFileIsOpenedOrRefused_data();
    void pushedFileIsOpenedOrRefused();

private:
    QRect toolBar() const
    {
        const QRect canvas = m_run.map().canvas();
        return QRect(canvas.topLeft(), QPoint(canvas.right(), m_run.map().controlArea().top() - 1));
    }
    void chooseReceive();

    ClientRun m_run;
    QByteArray m_demo; // the download as staged
};

void TestReceiveWindow::initTestCase()
{
    QString missing;
    if (!XScreen::toolsPresent(&missing) || qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP(qPrintable(QStringLiteral("needs an X display and %1").arg(missing)));
    QString error;
    QVERIFY2(m_run.start(QStringLiteral(VELOXA_DEMO_ARCHIVE), QStringLiteral("Demo.cpf"), 2, &error,
                         ClientRun::Stage::DataFolder),
             qPrintable(error));
    m_demo = contents(m_run.scratchPath(Download));
    QVERIFY(!m_demo.isEmpty());
}

void TestReceiveWindow::chooseReceive()
{
    // The setup button ends the tool bar; its image is 0.4375 of the bar high and stands
    // 0.3 of the bar in from the right.
    const QRect bar = toolBar();
    const QRect canvas = m_run.map().canvas();
    const QImage before = ClientRun::waitForStill(canvas);
    XScreen::click(QPoint(bar.right() - int(bar.height() * (0.3 + 0.4375 / 2)), bar.center().y()));
    QImage menu;
    QVERIFY2(ClientRun::waitForChange(before, canvas, canvas.width() * canvas.height() / 4, &menu),
             qPrintable(m_run.diagnostics()));
    // The menu is centred: a title row and four entries, each 2.6 times its text size, which
    // is 0.0375 of the control area's height. "Receive..." is the last entry.
    const double row = m_run.map().controlArea().height() * 0.0375 * 2.6;
    XScreen::click(QPoint(canvas.center().x(), canvas.center().y() + int(2 * row)));
    QVERIFY2(!XScreen::findWindow(ReceiveBox, ReactMs).isEmpty(), qPrintable(m_run.diagnostics()));
}

void TestReceiveWindow::pushedFileIsOpenedOrRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("opened");
    // Rows run in order: the second push meets the project that the first one brought.
    QTest::newRow("project archive") << QStringLiteral(VELOXA_CONFERENCE_ARCHIVE) << true;
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(noise.data()),
                                          noise.size() / 4);
    QFile file(m_run.scratchPath(QStringLiteral("noise.cpz")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(noise) == noise.size());
    QTest::newRow("random bytes") << file.fileName() << false;
}

void TestReceiveWindow::pushedFileIsOpenedOrRefused()
{
    QFETCH(QString, file);
    QFETCH(bool, opened);
    const QByteArray previous = contents(m_run.scratchPath(Download));
    const QRect title = toolBar().adjusted(0, 0, -toolBar().width() / 2, 0);
    const QRect area = m_run.map().controlArea();
    m_run.parkPointer();
    const QImage shown = ClientRun::waitForStill(m_run.map().canvas());
    const qsizetype failures = m_run.output().count("Receive Mode Failure:");

    chooseReceive();
    if (QTest::currentTestFailed())
        return;
    QProcess push;
    push.setProcessChannelMode(QProcess::MergedChannels);
    push.start(QStringLiteral(VELOXA_PUSH), {QStringLiteral("127.0.0.1"), file});
    QVERIFY(push.waitForFinished(ReactMs));
    QVERIFY2(push.exitStatus() == QProcess::NormalExit && push.exitCode() == 0,
             push.readAll().constData());

    if (opened) {
        QVERIFY2(ClientRun::poll([] { return !boxShown(); }, ReactMs),
                 qPrintable(m_run.diagnostics()));
        // Another header title and the new project's first panel.
        QImage after;
        QVERIFY(ClientRun::waitForChange(shown, title, 50, &after));
        // Both first panels are a logo over a text box: a tenth of the area is telling.
        QVERIFY(ClientRun::waitForChange(shown, area, area.width() * area.height() / 10, &after));
        QCOMPARE(contents(m_run.scratchPath(Download)), contents(file));
    } else {
        QVERIFY2(
            ClientRun::poll(
                [&] { return m_run.output().count("Receive Mode Failure:") > failures; }, ReactMs),
            qPrintable(m_run.diagnostics()));
        // The box stays to say why; the open project stays too.
        QVERIFY(boxShown());
        QCOMPARE(contents(m_run.scratchPath(Download)), previous);
        XScreen::xdotool({QStringLiteral("search"), QStringLiteral("--name"), ReceiveBox,
                          QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                          QStringLiteral("key"), QStringLiteral("Escape")});
        QVERIFY(ClientRun::poll([] { return !boxShown(); }, ReactMs));
        QVERIFY2(!XScreen::findWindow(QStringLiteral("^Veloxa Remote"), ReactMs).isEmpty(),
                 "the client went away with the box");
        // The box sat over the window; what it covered is checked once it is gone.
        m_run.parkPointer();
        const QImage still = ClientRun::waitForStill(m_run.map().canvas());
        QCOMPARE(XScreen::difference(shown, still, title), 0);
        QCOMPARE(XScreen::difference(shown, still, area), 0);
    }
    // The project that the first push replaced is kept beside it.
    QCOMPARE(contents(m_run.scratchPath(Backup)), m_demo);
}

QTEST_GUILESS_MAIN(TestReceiveWindow)
#include "tst_receivewindow.moc"
