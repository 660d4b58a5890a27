#include "controls/wbutton.h"
#include "controls/wtextlink.h"
#include "democlient.h"

// Buttons and preset links of the demonstration project against the simulated processor.
class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void imageName_data();
    void imageName();
    void muteFollowsDeviceWithoutEcho();
    void alternatingIgnoresDeviceBetweenPresses();
    void pressAndRelease_data();
    void pressAndRelease();
    void pulseReturnsWithoutSending();
    void presetLinkRecallsAndHighlights();

private:
    // The next `count` set commands the processor receives, without their CR.
    QList<QByteArray> sets(int count);

    DemoClient m_client;
};

namespace {
const QString Volume = QStringLiteral("Volume & Source Control");
const QString Presets = QStringLiteral("System Presets");
const QByteArray DiningMute = "SA \"Dining Gain\">2=";
} // namespace

void TestButtons::initTestCase()
{
    QVERIFY(m_client.start());
}

QList<QByteArray> TestButtons::sets(int count)
{
    QList<QByteArray> found;
    // A short list fails the caller's comparison, which then shows what did arrive.
    static_cast<void>(QTest::qWaitFor(
        [&] {
            for (const QByteArray &command : m_client.takeCommands()) {
                if (command.startsWith("SA") || command.startsWith("SS"))
                    found.append(command.trimmed());
            }
            return found.size() >= count;
        },
        3000));
    return found;
}

void TestButtons::imageName_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    QTest::newRow("mute_on with accent") << "../images/skins/Accent/Blue/mute_on.png"
                                         << "../images/skins/Accent/Red/mute_on.png";
    QTest::newRow("mute_off with skin") << "../images/skins/Light/mute_off.png"
                                        << "../images/skins/Dark/mute_off.png";
    QTest::newRow("green_led_off before led_off") << "green_led_off"
                                                  << "../images/ledOffGreen.png";
    QTest::newRow("led_off") << "x/led_off.png"
                             << "../images/ledOffRed.png";
    QTest::newRow("reset_all before set_all") << "reset_all"
                                              << "../images/skins/Dark/resetAll.png";
    QTest::newRow("connection_indicator_on with skin")
        << "../images/skins/Light/connection_indicator_on.png"
        << "../images/skins/Dark/indicator_grn.png";
    QTest::newRow("connection_indicator_partial") << "connection_indicator_partial"
                                                  << "../images/skins/Dark/indicator_ylw.png";
    QTest::newRow("no skin image") << "../images/Bar.png" << QString();
}

void TestButtons::imageName()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QCOMPARE(WButton::skinImagePath(stored, QStringLiteral("Dark"), QStringLiteral("Red")),
             expected);
}

void TestButtons::muteFollowsDeviceWithoutEcho()
{
    auto *mute = m_client.widget<WButton>(Volume, QStringLiteral("Dining Mute"), "button");
    QVERIFY(mute);
    // The demonstration panel's accent and skin, as program resources the document can show.
    QCOMPARE(mute->itemProperty("onImage").toString(),
             QStringLiteral("qrc:/images/skins/Accent/Blue/mute_on.png"));
    QVERIFY(QFile::exists(QStringLiteral(":/images/skins/Light/mute_off.png")));

    m_client.simulator.setValue(QStringLiteral("\"Dining Gain\">2"), QStringLiteral("M"));
    QTRY_VERIFY(mute->itemProperty("checked").toBool());
    // Had the device's value gone back, it would reach the device before the press's command.
    mute->outputPressed();
    QCOMPARE(sets(1), QList<QByteArray>{DiningMute + "U"});
    QCOMPARE(mute->itemProperty("checked").toBool(), false);
}

void TestButtons::alternatingIgnoresDeviceBetweenPresses()
{
    auto *mute = m_client.widget<WButton>(Volume, QStringLiteral("Dining Mute"), "button");
    QVERIFY(mute);
    TTransform *transform = mute->transform();
    mute->outputPressed();
    QCOMPARE(sets(1), QList<QByteArray>{DiningMute + "M"});
    // The device's report of the press, then a change made elsewhere, both within the second.
    QTRY_COMPARE(transform->reply(static_cast<quint8 *>(nullptr)), quint8(1));
    m_client.simulator.setValue(QStringLiteral("\"Dining Gain\">2"), QStringLiteral("U"));
    QTRY_COMPARE(transform->reply(static_cast<quint8 *>(nullptr)), quint8(0));
    QCOMPARE(mute->itemProperty("checked").toBool(), true);

    mute->outputPressed();
    QCOMPARE(sets(1), QList<QByteArray>{DiningMute + "U"});
    QCOMPARE(mute->itemProperty("checked").toBool(), false);
}

void TestButtons::pressAndRelease_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("steps"); // p press, r release
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<bool>("checkedAfter");

    QTest::newRow("sequence: back on release")
        << Volume << "Patio Mute"
        << "sequence" << QByteArray("pr")
        << QList<QByteArray>{"SA \"Patio Gain\">2=M", "SA \"Patio Gain\">2=U"} << false;
    QTest::newRow("sendOthenF: 1 then 0")
        << "Trivia Controls"
        << "Host Mic Mute"
        << "sendOthenF" << QByteArray("pr")
        << QList<QByteArray>{"SA \"Host Mic Gain\">2=M", "SA \"Host Mic Gain\">2=U"} << false;
    QTest::newRow("toggle: the T entry, nothing on release")
        << "System EQ"
        << "EQ Bypass"
        << "toggle" << QByteArray("prp")
        << QList<QByteArray>{"SA \"Bar Tone\">4=T", "SA \"Bar Tone\">4=T"} << false;
}

void TestButtons::pressAndRelease()
{
    QFETCH(QString, panel);
    QFETCH(QString, name);
    QFETCH(QString, action);
    QFETCH(QByteArray, steps);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(bool, checkedAfter);

    auto *button = m_client.widget<WButton>(panel, name, "button");
    QVERIFY(button);
    QVERIFY(button->processProperty(QStringLiteral("action"), action));
    for (const char step : steps) {
        if (step == 'p')
            button->outputPressed();
        else
            button->outputReleased();
    }
    QCOMPARE(sets(int(expected.size())), expected);
    QCOMPARE(button->itemProperty("checked").toBool(), checkedAfter);
}

void TestButtons::pulseReturnsWithoutSending()
{
    auto *button = m_client.widget<WButton>(Volume, QStringLiteral("Patio Mute"), "button");
    QVERIFY(button);
    QVERIFY(button->processProperty(QStringLiteral("action"), QStringLiteral("pulse")));
    const bool before = button->itemProperty("checked").toBool();
    // "U,M,T" has no pulse entry, "U,M" no toggle entry: such a press has nothing to send, so
    // the shown state stays with the device's.
    button->outputPressed();
    QCOMPARE(button->itemProperty("checked").toBool(), before);
    CAttributes twoStates;
    twoStates.setAttribute(QString(), QStringLiteral("set"), QStringLiteral("U,M"));
    button->configure(&twoStates);
    QVERIFY(button->processProperty(QStringLiteral("action"), QStringLiteral("toggle")));
    button->outputPressed();
    QCOMPARE(button->itemProperty("checked").toBool(), before);

    QVERIFY(button->processProperty(QStringLiteral("action"), QStringLiteral("pulse")));
    CAttributes pulseList;
    pulseList.setAttribute(QString(), QStringLiteral("set"), QStringLiteral("U,P,T"));
    button->configure(&pulseList);
    button->outputPressed();
    QCOMPARE(sets(1), QList<QByteArray>{"SA \"Patio Gain\">2=M"});
    QCOMPARE(button->itemProperty("checked").toBool(), !before);
    QTRY_COMPARE(button->itemProperty("checked").toBool(), before);
    // The next press's command is the next one the device sees.
    button->outputPressed();
    QCOMPARE(sets(1), QList<QByteArray>{"SA \"Patio Gain\">2=M"});
}

void TestButtons::presetLinkRecallsAndHighlights()
{
    auto link = [this](const char *name) {
        return m_client.widget<WTextLink>(Presets, QString::fromLatin1(name), "textlink");
    };
    WTextLink *happyHour = link("Happy Hour");
    WTextLink *trivia = link("Trivia Night");
    QVERIFY(happyHour && trivia);

    happyHour->outputClicked();
    QCOMPARE(sets(1), QList<QByteArray>{"SS 2"});
    QTRY_COMPARE(happyHour->itemProperty("current").toInt(), 2);
    QCOMPARE(happyHour->itemProperty("index").toInt(), 2);

    m_client.simulator.setValue(QStringLiteral("S"), QStringLiteral("3"));
    QTRY_COMPARE(trivia->itemProperty("current").toInt(), trivia->itemProperty("index").toInt());
    QCOMPARE(happyHour->itemProperty("current").toInt(), 3);
    // The device's choice was not sent back: the next recall is the next command.
    link("Closing Time")->outputClicked();
    QCOMPARE(sets(1), QList<QByteArray>{"SS 5"});
}

QTEST_MAIN(TestButtons)
#include "tst_buttons.moc"
