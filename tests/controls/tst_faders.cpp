#include "democlient.h"

#include "controls/wlevelbuttons.h"
#include "controls/wslider.h"
#include "controls/wtextedit.h"
#include "hardware/hnode.h"

// Faders, their text boxes and level buttons on the demonstration project, against the
// simulated processor.
class TestFaders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void range_data();
    void range();
    void dragSendsLatest_data();
    void dragSendsLatest();
    void deviceValueShown_data();
    void deviceValueShown();
    void faderAndTextBox_data();
    void faderAndTextBox();
    void levelButtons_data();
    void levelButtons();
    void percentUnits();

private:
    // The set commands the processor receives up to a marker written after them: anything
    // sent in between, an echo included, shows up before the marker.
    QList<QByteArray> setCommandsBeforeMarker();

    DemoClient m_client;
    TTransform *m_marker = nullptr;
};

namespace {

const QString Volumes = QStringLiteral("Volume & Source Control");
const QByteArray MarkerCommand = "SA \"Patio Gain\">1=3.0";

std::unique_ptr<QSignalSpy> spyOn(QObject *item, const char *property)
{
    const QMetaObject *meta = item->metaObject();
    return std::make_unique<QSignalSpy>(
        item, meta->property(meta->indexOfProperty(property)).notifySignal());
}

} // namespace

void TestFaders::initTestCase()
{
    QVERIFY(m_client.start());
    CControl *patio = m_client.control(Volumes, QStringLiteral("Patio Volume"));
    QVERIFY(patio && patio->transform());
    m_marker = patio->transform();
}

QList<QByteArray> TestFaders::setCommandsBeforeMarker()
{
    m_marker->setValue(3.0f);
    m_marker->node()->protocol()->write(m_marker);
    QList<QByteArray> sets;
    const bool marked = QTest::qWaitFor(
        [&] {
            for (const QByteArray &command : m_client.takeCommands()) {
                if (command.startsWith("SA ") || command.startsWith("SG "))
                    sets.append(command.trimmed());
            }
            return sets.contains(MarkerCommand);
        },
        5000);
    if (!marked)
        return {"no marker"};
    sets.removeAll(MarkerCommand);
    return sets;
}

void TestFaders::range_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("nodeTitle"); // empty: the node as loaded
    QTest::addColumn<float>("recordStep");  // 0: the control's own record
    QTest::addColumn<float>("step");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("bipolar");
    QTest::addColumn<bool>("toneEq");

    QTest::newRow("-60..12 dB") << Volumes << "Dining Volume"
                                << "" << 0.0f << 0.5f << -120.0 << 24.0 << false << false;
    QTest::newRow("-12..12 dB tone EQ") << "System EQ"
                                        << "Bass"
                                        << "" << 0.0f << 0.5f << -24.0 << 24.0 << true << true;
    QTest::newRow("step 0.01 counts as 1")
        << "System EQ"
        << "Mid"
        << "Tone EQ" << 0.01f << 1.0f << -12.0 << 12.0 << true << true;
}

void TestFaders::range()
{
    QFETCH(QString, panel);
    QFETCH(QString, name);
    QFETCH(QString, nodeTitle);
    QFETCH(float, recordStep);
    CControl *control = m_client.control(panel, name);
    auto *fader = m_client.widget<WSlider>(panel, name, QStringLiteral("slider"));
    QVERIFY(control && fader && fader->node());
    QSignalSpy toneEqChanged(fader, &WSlider::isToneEqControlChanged);
    const bool wasToneEq = fader->isToneEqControl();
    if (!nodeTitle.isEmpty()) {
        fader->node()->setTitle(nodeTitle);
        fader->setNode(fader->node());
    }
    CAttributes record;
    if (recordStep > 0.0f) {
        record.setAttribute(QStringLiteral("Property"), QStringLiteral("minimum"), "-12");
        record.setAttribute(QStringLiteral("Property"), QStringLiteral("maximum"), "12");
        record.setAttribute(QStringLiteral("Property"), QStringLiteral("step"),
                            QString::number(recordStep));
        fader->configure(&record);
    }
    QTEST(fader->step(), "step");
    QTEST(fader->quickItem()->property("minimumValue").toDouble(), "minimum");
    QTEST(fader->quickItem()->property("maximumValue").toDouble(), "maximum");
    QTEST(fader->quickItem()->property("bipolar").toBool(), "bipolar");
    QTEST(fader->isToneEqControl(), "toneEq");
    QCOMPARE(toneEqChanged.count(), fader->isToneEqControl() != wasToneEq ? 1 : 0);
    fader->configure(&control->attributes());
}

void TestFaders::dragSendsLatest_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address"); // where the device's value is set first
    QTest::addColumn<QString>("deviceValue");
    QTest::addColumn<float>("shown");
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<bool>("backToStart");
    QTest::addColumn<QString>("replyDuringDelay"); // a device value within the send delay
    QTest::addColumn<QList<QByteArray>>("commands");

    QTest::newRow("block to -10 dB") << "Dining Volume"
                                     << "\"Dining Gain\">1"
                                     << "-30" << -30.0f << QList<int>{-2, -8, -14, -20} << false
                                     << "" << QList<QByteArray>{"SA \"Dining Gain\">1=-10.0"};
    QTest::newRow("group to -10 dB")
        << "Bar Volume"
        << "GG 1"
        << "5a" << -15.0f << QList<int>{-3, -9, -20} << false << "" << QList<QByteArray>{"SG 1,64"};
    QTest::newRow("device value during the send delay")
        << "Dining Volume"
        << "\"Dining Gain\">1"
        << "-30" << -30.0f << QList<int>{-16} << false << "-40"
        << QList<QByteArray>{"SA \"Dining Gain\">1=-8.0"};
    QTest::newRow("back where it started")
        << "Dining Volume"
        << "\"Dining Gain\">1"
        << "-30" << -30.0f << QList<int>{-30, -40} << true << "" << QList<QByteArray>{};
}

void TestFaders::dragSendsLatest()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, deviceValue);
    QFETCH(QList<int>, steps);
    QFETCH(bool, backToStart);
    auto *fader = m_client.widget<WSlider>(Volumes, name, QStringLiteral("slider"));
    QVERIFY(fader);
    // The device's value has arrived before the drag begins.
    m_client.simulator.setValue(address, deviceValue);
    QFETCH(float, shown);
    QTRY_COMPARE(fader->currentValue(), shown);
    m_client.takeCommands();
    if (backToStart)
        steps.append(qRound(fader->currentValue() / fader->step()));

    // What the document does while the knob is dragged, well within one send delay.
    fader->setIsSendNeeded(true);
    for (int value : std::as_const(steps))
        fader->outputValue(value);
    QFETCH(QString, replyDuringDelay);
    if (!replyDuringDelay.isEmpty())
        fader->transform()->setReplyValue(replyDuringDelay);
    QTRY_VERIFY(!fader->hasPendingValue());
    QCOMPARE(fader->currentValue(), steps.last() * fader->step());
    QTEST(setCommandsBeforeMarker(), "commands");
}

void TestFaders::deviceValueShown_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("steps");
    QTest::addColumn<QString>("text");

    QTest::newRow("block within range") << "Dining Volume"
                                        << "\"Dining Gain\">1"
                                        << "-7" << -14.0 << "-7";
    // Device texts that are no level, handed over as the protocol does.
    for (const char *text : {"inf", "1e400", "nan", "", "abc"})
        QTest::newRow(text[0] ? text : "empty") << "Dining Volume"
                                                << "" << text << -14.0 << "-7";
    QTest::newRow("block above maximum") << "Dining Volume"
                                         << "\"Dining Gain\">1"
                                         << "20" << 24.0 << "12";
    QTest::newRow("acknowledgement only") << "Dining Volume"
                                          << ""
                                          << "SYNC_ERROR" << 24.0 << "12";
    QTest::newRow("group code") << "Bar Volume"
                                << "GG 1"
                                << "6c" << -12.0 << "-6";
    QTest::newRow("group, no code") << "Bar Volume"
                                    << ""
                                    << "nan" << -12.0 << "-6";
    QTest::newRow("group off, below minimum") << "Bar Volume"
                                              << "GG 1"
                                              << "FF" << -120.0 << "-60";
}

void TestFaders::deviceValueShown()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, value);
    QFETCH(double, steps);
    auto *fader = m_client.widget<WSlider>(Volumes, name, QStringLiteral("slider"));
    auto *box = m_client.widget<WTextEdit>(Volumes, name, QStringLiteral("textedit"));
    QVERIFY(fader && box);
    m_client.takeCommands();

    if (address.isEmpty()) // what the protocol makes of a reply joined to an ACK
        fader->transform()->setReplyValue(value);
    else
        m_client.simulator.setValue(address, value);
    QVERIFY(!address.isEmpty() || fader->quickItem()->property("value").toDouble() == steps);
    QTRY_COMPARE(fader->quickItem()->property("value").toDouble(), steps);
    QTEST(box->text(), "text");
    QCOMPARE(setCommandsBeforeMarker(), QList<QByteArray>());
}

void TestFaders::faderAndTextBox_data()
{
    QTest::addColumn<QString>("typed"); // empty: the fader is dragged instead
    QTest::addColumn<int>("dragged");
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<int>("faderChanges");
    QTest::addColumn<int>("boxChanges");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("faderValue");

    QTest::newRow("typed -12") << "-12" << 0 << QList<QByteArray>{"SA \"Dining Gain\">1=-12"} << 1
                               << 1 << "-12" << -12.0f;
    QTest::newRow("dragged to -15 dB")
        << "" << -30 << QList<QByteArray>{"SA \"Dining Gain\">1=-15.0"} << 0 << 1 << "-15"
        << -15.0f;
    QTest::newRow("typed command separator refused")
        << "-3;SA \"Bar\">1=12" << 0 << QList<QByteArray>{} << 0 << 2 << "-15" << -15.0f;
}

void TestFaders::faderAndTextBox()
{
    QFETCH(QString, typed);
    QFETCH(int, dragged);
    auto *fader = m_client.widget<WSlider>(Volumes, QStringLiteral("Dining Volume"),
                                           QStringLiteral("slider"));
    auto *box = m_client.widget<WTextEdit>(Volumes, QStringLiteral("Dining Volume"),
                                           QStringLiteral("textedit"));
    QVERIFY(fader && box && fader->peer() == box && box->peer() == fader);
    m_client.takeCommands();
    const auto faderSpy = spyOn(fader->quickItem(), "value");
    const auto boxSpy = spyOn(box->quickItem(), "text");

    if (typed.isEmpty()) {
        fader->setIsSendNeeded(true);
        fader->outputValue(dragged);
        QTRY_VERIFY(!fader->hasPendingValue());
    } else {
        // What the document does when the user presses Enter.
        box->setText(typed);
        box->onTextChanged();
    }
    QTEST(setCommandsBeforeMarker(), "commands");
    QTEST(int(faderSpy->count()), "faderChanges");
    QTEST(int(boxSpy->count()), "boxChanges");
    QTEST(box->text(), "text");
    QTEST(fader->currentValue(), "faderValue");
    if (faderSpy->count() > 0)
        QCOMPARE(fader->quickItem()->property("value").toDouble(),
                 double(fader->currentValue() / fader->step()));
}

void TestFaders::levelButtons_data()
{
    // The document's value after each click, in steps of 1 dB.
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<QString>("readOut");

    QTest::newRow("two quick clicks up")
        << QList<int>{-29, -28}
        << QList<QByteArray>{"SA \"Host Mic Gain\">1=-29.0", "SA \"Host Mic Gain\">1=-28.0"}
        << "-28.0";
    QTest::newRow("one click up") << QList<int>{-27}
                                  << QList<QByteArray>{"SA \"Host Mic Gain\">1=-27.0"} << "-27.0";
    QTest::newRow("one click down")
        << QList<int>{-28} << QList<QByteArray>{"SA \"Host Mic Gain\">1=-28.0"} << "-28.0";
}

void TestFaders::levelButtons()
{
    QFETCH(QList<int>, clicks);
    auto *buttons = m_client.widget<WLevelButtons>(QStringLiteral("Trivia Controls"),
                                                   QStringLiteral("Host Mic Level"),
                                                   QStringLiteral("levelbutton"));
    QVERIFY(buttons);
    QTRY_VERIFY(buttons->currentValue() >= -30.0f); // the device's value has arrived
    m_client.takeCommands();

    // Each click goes out at once: no send delay between them.
    for (int value : std::as_const(clicks))
        buttons->outputValue(value);
    QTEST(buttons->quickItem()->property("valueText").toString(), "readOut");
    QTEST(setCommandsBeforeMarker(), "commands");
}

void TestFaders::percentUnits()
{
    const QString name = QStringLiteral("Bar Volume");
    CControl *control = m_client.control(Volumes, name);
    auto *fader = m_client.widget<WSlider>(Volumes, name, QStringLiteral("slider"));
    QVERIFY(control && fader && control->transform());
    CAttributes percent = control->attributes();
    percent.setAttribute(QStringLiteral("Property"), QStringLiteral("units"),
                         QStringLiteral("pct"));
    fader->configure(&percent);
    QVERIFY(control->transform()->displayText().endsWith(QLatin1Char('%')));
    fader->setUnitsText(QStringLiteral("dB"));
    QVERIFY(!control->transform()->displayText().endsWith(QLatin1Char('%')));
}

QTEST_MAIN(TestFaders)
#include "tst_faders.moc"
