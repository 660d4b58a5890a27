#include "../comm/fakeinterface.h"
#include "canvas/cattributes.h"
#include "comm/pvxbprotocol.h"
#include "comm/ttransformfactory.h"
#include "controls/wdialer.h"
#include "hardware/hnode.h"

#include <QtTest>

#include <memory>

using Commands = QList<QByteArray>;

// A dialer on the matrix parameter of a telephone block, its replies fed through the protocol
// as the device sends them and its commands taken from what the protocol sent.
struct Telephone
{
    explicit Telephone(const QString &callType)
    {
        const QList<QPair<QString, QString>> values = {
            {QStringLiteral("struct"), QStringLiteral("8")},
            {QStringLiteral("index2"), QStringLiteral("1")},
            {QStringLiteral("transform"), QStringLiteral("text")},
            {QStringLiteral("callType"), callType},
        };
        for (const auto &value : values)
            attributes.setAttribute(QStringLiteral("Property"), value.first, value.second);
        node.setLabel(QStringLiteral("Telephone In"));
        transform = TTransformFactory::create(attributes, &node);
        protocol.setInterface(&device);
        protocol.handleReply("SUB,no");
        dialer.setProtocol(&protocol);
        dialer.setTransform(transform.get());
    }

    // The device reports `text` for the second query index `index`, as a poll would get it.
    void report(int index, const QString &text)
    {
        transform->setQueryIndices(0, index, false);
        protocol.read(transform.get());
        protocol.handleReply(
            QStringLiteral("GA\"Telephone In\">0>%1=\"%2\"\r").arg(index).arg(text).toLatin1());
    }

    Commands commands() const
    {
        Commands sent;
        for (QByteArray data : device.sentData()) {
            if (data.startsWith("MA"))
                sent.append(data.chopped(1));
        }
        return sent;
    }

    CAttributes attributes;
    HNode node;
    std::unique_ptr<TTransform> transform;
    FakeInterface device;
    PVXBProtocol protocol;
    WDialer dialer;
};

class TestWDialer : public QObject
{
    Q_OBJECT

private slots:
    void keypadAndReports_data();
    void keypadAndReports();
    void callTimers();
};

void TestWDialer::keypadAndReports_data()
{
    QTest::addColumn<QString>("callType");
    // "S:TEXT" a state report, "C:TEXT" a caller report, "d:DIGITS" keys, "key:TEXT" one key as
    // the view may send it, "cmd:NAME" a command button's command, else a signal of the view.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("state");
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<int>("divider");

    const QString pstn = QStringLiteral("PSTN");
    const QByteArray dial = "MA \"Telephone In\">2=\"5551234\"";
    QTest::newRow("before any report") << pstn << QStringList() << "---"
                                       << "" << int(WDialer::State_Startup) << Commands() << 4;
    QTest::newRow("seven digits") << pstn << QStringList{"S:IDLE", "d:5551234"} << "555-1234"
                                  << "" << int(WDialer::State_HangUp) << Commands() << 4;
    QTest::newRow("ten digits") << pstn << QStringList{"S:HANGUP", "d:5551234567"}
                                << "(555) 123-4567"
                                << "" << int(WDialer::State_HangUp) << Commands() << 4;
    QTest::newRow("four digits") << pstn << QStringList{"S:IDLE", "d:5551"} << "555-1"
                                 << "" << int(WDialer::State_HangUp) << Commands() << 4;
    QTest::newRow("eight digits") << pstn << QStringList{"S:IDLE", "d:12345678"} << "(123) 456-78"
                                  << "" << int(WDialer::State_HangUp) << Commands() << 4;
    QTest::newRow("three digits, star and hash as typed")
        << pstn << QStringList{"S:IDLE", "d:*55#12", "d:3", "backspace"} << "*55#12"
        << "" << int(WDialer::State_HangUp) << Commands() << 4;
    QTest::newRow("dial, clear, recall, dial again")
        << pstn
        << QStringList{"S:IDLE", "d:5551234", "callOrEnd", "cmd:clear", "cmd:call", "callOrEnd"}
        << "555-1234"
        << "" << int(WDialer::State_HangUp) << Commands{dial, dial} << 4;
    QTest::newRow("redial with no last number sends nothing")
        << pstn << QStringList{"S:IDLE", "callOrEnd", "callOrEnd"} << ""
        << "" << int(WDialer::State_HangUp) << Commands() << 4;
    QTest::newRow("ringing back: keys ignored, call ends")
        << pstn << QStringList{"S:IDLE", "S:RINGBACK", "d:5", "hold", "callOrEnd"} << ""
        << "" << int(WDialer::State_RingBack) << Commands{"MA \"Telephone In\">3"} << 1;
    QTest::newRow("in a call: tones, hold, flash")
        << pstn << QStringList{"S:ACTIVE", "d:12", "key:\r", "key:+", "hold", "addCallOrFlash"}
        << "12"
        << "CONFERENCE" << int(WDialer::State_Active)
        << Commands{"MA \"Telephone In\">1=1", "MA \"Telephone In\">1=2", "MA \"Telephone In\">6",
                    "MA \"Telephone In\">1=!"}
        << 4;
    QTest::newRow("CONNECTED is another state; ERROR changes nothing")
        << pstn << QStringList{"S:CONNECTED", "S:ERROR"} << ""
        << "" << int(WDialer::State_OTHER) << Commands() << 4;
    QTest::newRow("incoming with name, answered")
        << pstn << QStringList{"S:INCOMING", "C:12071530&5551234&JANE DOE", "accept"} << "555-1234"
        << "JANE DOE" << int(WDialer::State_Incoming) << Commands{"MA \"Telephone In\">4"} << 1;
    QTest::newRow("incoming without name stays unknown")
        << pstn << QStringList{"S:INCOMING", "C:12071530&5551234&", "S:ACTIVE"} << "555-1234"
        << "UNKNOWN" << int(WDialer::State_Active) << Commands() << 1;
    QTest::newRow("known caller slows the polling; an & in the name")
        << pstn << QStringList{"S:INCOMING", "C:1207&5550100&SMITH & SONS", "S:ACTIVE"}
        << "555-0100"
        << "SMITH & SONS" << int(WDialer::State_Active) << Commands() << 4;
    QTest::newRow("caller pushed before the ringing is kept")
        << pstn << QStringList{"S:IDLE", "C:12071530&5550100&JANE DOE", "S:INCOMING"} << "555-0100"
        << "JANE DOE" << int(WDialer::State_Incoming) << Commands() << 1;
    QTest::newRow("second call: hold and answer")
        << pstn << QStringList{"S:ACTIVE_INCOMING", "holdAndAccept"} << ""
        << "UNKNOWN" << int(WDialer::State_ActiveIncoming)
        << Commands{"MA \"Telephone In\">6", "MA \"Telephone In\">4"} << 1;
    QTest::newRow("VoIP caller") << "VoIP"
                                 << QStringList{"S:INCOMING", "C:JANE DOE <sip:5551234@pbx>"}
                                 << "555-1234"
                                 << "JANE DOE" << int(WDialer::State_Incoming) << Commands() << 1;
}

void TestWDialer::keypadAndReports()
{
    QFETCH(QString, callType);
    QFETCH(QStringList, steps);

    Telephone line(callType);
    for (const QString &step : std::as_const(steps)) {
        const QString argument = step.mid(2);
        if (step.startsWith(QLatin1String("S:"))) {
            line.report(WDialer::QueryState, argument);
        } else if (step.startsWith(QLatin1String("C:"))) {
            line.report(WDialer::QueryCaller, argument);
            QCOMPARE(line.transform->queryIndex2(), int(WDialer::QueryState));
        } else if (step.startsWith(QLatin1String("d:"))) {
            for (QChar key : argument)
                emit line.dialer.digit(key);
        } else if (step.startsWith(QLatin1String("key:"))) {
            emit line.dialer.digit(step.mid(4));
        } else if (step.startsWith(QLatin1String("cmd:"))) {
            line.dialer.runCommand(step.mid(4));
        } else {
            QVERIFY(QMetaObject::invokeMethod(&line.dialer, step.toLatin1()));
        }
    }
    QTEST(line.dialer.displayText(), "display");
    QTEST(line.dialer.idString(), "id");
    QTEST(int(line.dialer.dialerState()), "state");
    QTEST(line.commands(), "commands");
    QTEST(line.transform->pollDivider(), "divider");
}

void TestWDialer::callTimers()
{
    Telephone line(QStringLiteral("PSTN"));
    line.report(WDialer::QueryState, QStringLiteral("IDLE"));
    emit line.dialer.digit(QStringLiteral("5"));
    line.report(WDialer::QueryState, QStringLiteral("ACTIVE"));
    QCOMPARE(line.dialer.statusText(), QStringLiteral("Active"));
    QTRY_COMPARE_WITH_TIMEOUT(line.dialer.statusText(), QStringLiteral("0:01"), 3000);
    line.report(WDialer::QueryState, QStringLiteral("HOLD"));
    QVERIFY(line.dialer.isHoldActive());
    line.report(WDialer::QueryState, QStringLiteral("HANGUP"));
    QCOMPARE(line.dialer.statusText(), QStringLiteral("Call Ended"));
    // While "Call Ended" shows, a press neither dials nor recalls.
    QTest::qWait(WDialer::CallEndedMs / 4);
    QCOMPARE(line.dialer.statusText(), QStringLiteral("Call Ended"));
    emit line.dialer.callOrEnd();
    QCOMPARE(line.commands(), Commands());
    QTRY_COMPARE_WITH_TIMEOUT(line.dialer.statusText(), QString(), 3000);
    QCOMPARE(line.dialer.displayText(), QString());
    // A call ringing in at once after another is not hidden behind "Call Ended".
    line.report(WDialer::QueryState, QStringLiteral("ACTIVE"));
    line.report(WDialer::QueryState, QStringLiteral("IDLE"));
    line.report(WDialer::QueryState, QStringLiteral("INCOMING"));
    QCOMPARE(line.dialer.statusText(), QStringLiteral("Incoming"));
    // A device gone quiet and off line ends the call on the display and shows why.
    line.device.goOnline(false);
    QTRY_VERIFY_WITH_TIMEOUT(line.dialer.isOffline(), WDialer::StatusUpdateMs + 2000);
    QCOMPARE(line.dialer.dialerState(), WDialer::State_HangUp);
    QCOMPARE(WDialer::formatDuration(3725), QStringLiteral("1:02:05"));
}

QTEST_MAIN(TestWDialer)
#include "tst_wdialer.moc"
