#include "clientrun.h"
#include "xscreen.h"

#include <QtTest>

namespace {

const QString Telephone = QStringLiteral("Telephone");
const QString Dialer = QStringLiteral("Telephone Dialer");
constexpr int ReactMs = ClientRun::ReactMs;

} // namespace

// The conference sample's telephone panel on the real window, its line played by the
// simulator: keys clicked on the keypad become calls, and the line's state is shown.
class TestTelephoneWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_run.stop(); }
    void dialHoldAndEnd();
    void incomingCallIsAnswered();

private:
    // The centre of a keypad cell: rows 0-3, columns 0-2 the keys, column 3 the call column.
    // The cells follow the keypad's proportions: a display of 24 % above, keys over two thirds
    // of the width, margins and gaps of 2 % and 2.5 % of the shorter side.
    QPoint cell(double row, int column) const;
    void clickKeys(const QString &digits) const;
    // Waits until the device has received a command starting with `command`.
    bool deviceGot(const QString &command, int from) const;
    // Waits until the client's log reports the dialer in `state` (a state's name), with
    // `detail` on the same line.
    bool dialerShows(const QString &state, const QString &detail = QString()) const;
    // The dialer's lines of the client's log, for a failure's message.
    QString dialerLog() const;

    ClientRun m_run;
};

void TestTelephoneWindow::initTestCase()
{
    QString missing;
    if (!XScreen::toolsPresent(&missing) || qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP(qPrintable(QStringLiteral("needs an X display and %1").arg(missing)));
    QString error;
    QVERIFY2(m_run.start(QStringLiteral(VELOXA_CONFERENCE_ARCHIVE),
                         QStringLiteral("Conference.cpf"), 2, &error),
             qPrintable(error));
    // From the welcome panel four panels on.
    QVERIFY(m_run.stepPanels(4, 20));
    QVERIFY2(dialerShows(QStringLiteral("State_HangUp")), qPrintable(m_run.diagnostics()));
}

QPoint TestTelephoneWindow::cell(double row, int column) const
{
    const QRect dialer = m_run.map().screenRect(Telephone, Dialer, QStringLiteral("widget/dialer"));
    const double margin = std::min(dialer.width(), dialer.height()) * 0.02;
    const double gap = std::min(dialer.width(), dialer.height()) * 0.025;
    const double padTop = margin + dialer.height() * 0.24 + gap;
    const double padWidth = (dialer.width() - 2 * margin - gap) * 0.66;
    const double keyWidth = (padWidth - 2 * gap) / 3;
    const double slot = (dialer.height() - padTop - margin - 3 * gap) / 4;
    const double sideLeft = margin + padWidth + gap;
    const double x = column < 3 ? margin + column * (keyWidth + gap) + keyWidth / 2
                                : (sideLeft + dialer.width() - margin) / 2;
    const double y = padTop + row * (slot + gap) + slot / 2;
    return dialer.topLeft() + QPoint(int(x), int(y));
}

void TestTelephoneWindow::clickKeys(const QString &digits) const
{
    for (QChar digit : digits) {
        const int value = digit.digitValue();
        XScreen::click(value == 0 ? cell(3, 1) : cell((value - 1) / 3, (value - 1) % 3));
    }
}

bool TestTelephoneWindow::deviceGot(const QString &command, int from) const
{
    return m_run.log().waitFor(command, from, ReactMs);
}

QString TestTelephoneWindow::dialerLog() const
{
    const QStringList lines = QString::fromUtf8(m_run.output()).split(QLatin1Char('\n'));
    return lines.filter(QStringLiteral("WDialer: ")).join(QLatin1Char('\n'));
}

bool TestTelephoneWindow::dialerShows(const QString &state, const QString &detail) const
{
    const QString prefix = QStringLiteral("WDialer: ") + state + QLatin1Char(' ');
    return ClientRun::poll(
        [&] {
            const QStringList lines = QString::fromUtf8(m_run.output()).split(QLatin1Char('\n'));
            return std::any_of(lines.cbegin(), lines.cend(), [&](const QString &line) {
                const qsizetype at = line.indexOf(prefix);
                return at >= 0 && line.indexOf(detail, at) >= 0;
            });
        },
        ReactMs);
}

void TestTelephoneWindow::dialHoldAndEnd()
{
    const int from = m_run.log().received().size();
    clickKeys(QStringLiteral("5551234"));
    XScreen::click(cell(0.5, 3)); // the call button spans two rows
    QVERIFY2(deviceGot(QStringLiteral("MA \"Telephone In\">2=\"5551234\""), from),
             qPrintable(m_run.diagnostics()));
    QVERIFY(dialerShows(QStringLiteral("State_RingBack"), QStringLiteral("status \"Dialing\"")));
    QVERIFY(dialerShows(QStringLiteral("State_Active"), QStringLiteral("\"555-1234\"")));
    // The duration counts on the status line.
    const QRect display =
        m_run.map().screenRect(Telephone, Dialer, QStringLiteral("widget/dialer"));
    const QRect status(display.topLeft(), QSize(display.width() / 2, display.height() / 10));
    QImage first;
    QImage second;
    QVERIFY(ClientRun::waitForChange(ClientRun::waitForStill(status), status, 4, &first));
    QVERIFY2(ClientRun::waitForChange(first, status, 4, &second), qPrintable(dialerLog()));

    XScreen::click(cell(2, 3));
    QVERIFY(deviceGot(QStringLiteral("MA \"Telephone In\">6"), from));
    QVERIFY(dialerShows(QStringLiteral("State_Hold")));
    XScreen::click(cell(0.5, 3));
    QVERIFY(deviceGot(QStringLiteral("MA \"Telephone In\">3"), from));
    QVERIFY(dialerShows(QStringLiteral("State_HangUp"), QStringLiteral("status \"Call Ended\"")));
}

void TestTelephoneWindow::incomingCallIsAnswered()
{
    const int from = m_run.log().received().size();
    m_run.tellSimulator("ring 5550100,JANE DOE");
    QVERIFY2(dialerShows(QStringLiteral("State_Incoming"),
                         QStringLiteral("number \"555-0100\" caller \"JANE DOE\"")),
             qPrintable(dialerLog()));
    XScreen::click(cell(0, 3));
    QVERIFY(deviceGot(QStringLiteral("MA \"Telephone In\">4"), from));
    QVERIFY(dialerShows(QStringLiteral("State_Active"), QStringLiteral("caller \"JANE DOE\"")));
}

QTEST_GUILESS_MAIN(TestTelephoneWindow)
#include "tst_telephonewindow.moc"
