#include "canvas/cattributes.h"
#include "hardware/hdante.h"

#include <QTest>
#include <QXmlAttributes>

class TestCAttributes : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void floats_data();
    void floats();
    void flags_data();
    void flags();
    void texts();
    void action_data();
    void action();
    void storedText();
    void cardPinFromTheNode();
};

void TestCAttributes::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("unsignedValue");
    QTest::addColumn<int>("signedValue");

    QTest::newRow("hexadecimal") << "0x1A" << quint32(26) << 0;
    QTest::newRow("above 16 bits") << "70000" << quint32(70000) << 70000;
    QTest::newRow("not a number") << "abc" << quint32(0) << 0;
    QTest::newRow("above 32 bits") << "4294967296" << quint32(0) << 0;
    QTest::newRow("hex not at the first character") << " 0x10" << quint32(0) << 0;
    QTest::newRow("largest unsigned") << "4294967295" << quint32(4294967295u) << 0;
    QTest::newRow("negative") << "-5" << quint32(0) << -5;
    QTest::newRow("empty") << "" << quint32(0) << 0;
}

void TestCAttributes::numbers()
{
    QFETCH(QString, text);
    QFETCH(quint32, unsignedValue);
    QFETCH(int, signedValue);

    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("struct"), text);
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("field"), text);
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("link"), text);
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("index1"), text);
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("index2"), text);
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("cardPin"), text);

    QCOMPARE(attributes.structure(), unsignedValue);
    QCOMPARE(attributes.field(), unsignedValue);
    QCOMPARE(attributes.link(), unsignedValue);
    QCOMPARE(attributes.index1(), signedValue);
    QCOMPARE(attributes.index2(), signedValue);
    QCOMPARE(attributes.cardPin(), signedValue);
}

void TestCAttributes::floats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("expected");

    QTest::newRow("decimal") << "-12.5" << -12.5f;
    QTest::newRow("integer") << "10" << 10.0f;
    QTest::newRow("not a number") << "abc" << 0.0f;
    QTest::newRow("empty") << "" << 0.0f;
}

void TestCAttributes::floats()
{
    QFETCH(QString, text);
    QFETCH(float, expected);

    CAttributes attributes;
    const QStringList names = {QStringLiteral("minimum"), QStringLiteral("maximum"),
                               QStringLiteral("step"), QStringLiteral("minLimit"),
                               QStringLiteral("maxLimit")};
    for (const QString &name : names)
        attributes.setAttribute(QStringLiteral("Property"), name, text);

    QCOMPARE(attributes.minimum(), expected);
    QCOMPARE(attributes.maximum(), expected);
    QCOMPARE(attributes.step(), expected);
    QCOMPARE(attributes.minLimit(), expected);
    QCOMPARE(attributes.maxLimit(), expected);
}

void TestCAttributes::flags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("one") << "1" << true;
    QTest::newRow("other non-zero") << "-3" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("word true is not an integer") << "true" << false;
}

void TestCAttributes::flags()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);

    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("doNotPoll"), text);
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("enableEdit"), text);

    QCOMPARE(attributes.doNotPoll(), expected);
    QCOMPARE(attributes.enableEdit(), expected);
}

void TestCAttributes::texts()
{
    CAttributes attributes;
    const QStringList names = {QStringLiteral("set"),      QStringLiteral("format"),
                               QStringLiteral("units"),    QStringLiteral("transform"),
                               QStringLiteral("callType"), QStringLiteral("channelLabel")};
    for (const QString &name : names)
        attributes.setAttribute(QStringLiteral("Property"), name, name + QStringLiteral(" text"));

    QCOMPARE(attributes.set(), QStringLiteral("set text"));
    QCOMPARE(attributes.format(), QStringLiteral("format text"));
    QCOMPARE(attributes.units(), QStringLiteral("units text"));
    QCOMPARE(attributes.transform(), QStringLiteral("transform text"));
    QCOMPARE(attributes.callType(), QStringLiteral("callType text"));
    QCOMPARE(attributes.channelLabel(), QStringLiteral("channelLabel text"));
}

void TestCAttributes::action_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("setFlag");
    QTest::addColumn<bool>("resetFlag");

    QTest::newRow("SET") << "SET" << true << false;
    QTest::newRow("RESET") << "RESET" << false << true;
    QTest::newRow("lower case") << "set" << false << false;
}

void TestCAttributes::action()
{
    QFETCH(QString, text);
    QFETCH(bool, setFlag);
    QFETCH(bool, resetFlag);

    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("action"), text);

    QCOMPARE(attributes.setFlag(), setFlag);
    QCOMPARE(attributes.resetFlag(), resetFlag);
}

void TestCAttributes::storedText()
{
    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("limits"), QStringLiteral("custom"),
                            QStringLiteral("7"));

    QCOMPARE(attributes.value(QStringLiteral("limits"), QStringLiteral("custom")),
             QStringLiteral("7"));
    QVERIFY(attributes.value(QStringLiteral("Property"), QStringLiteral("custom")).isEmpty());
}

// A negative pin is the one the Dante node gives the control's channel.
void TestCAttributes::cardPinFromTheNode()
{
    HDante dante(QStringLiteral("Dante 8In8Out"), HAudioIO::Input);
    const QStringList properties{"label1",   "Mic 1", "label2",   "Mic 2",
                                 "cardPin1", "17",    "cardPin2", "3"};
    for (qsizetype i = 0; i < properties.size(); i += 2) {
        QXmlAttributes property;
        property.append(QStringLiteral("name"), QString(), QStringLiteral("name"), properties[i]);
        property.append(QStringLiteral("value"), QString(), QStringLiteral("value"),
                        properties[i + 1]);
        dante.parseProperty(property);
    }
    const auto pin = [](const char *stored, const char *channel, const HNode *node) {
        CAttributes attributes;
        attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("cardPin"), stored);
        attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("channelLabel"),
                                channel);
        return attributes.cardPin(node);
    };
    const HNode other;
    QCOMPARE(pin("0", "Mic 2", &dante), 0);
    QCOMPARE(pin("-1", "Mic 2", &dante), 3);
    QCOMPARE(pin("-1", "Mic 9", &dante), -1);
    QCOMPARE(pin("-1", "Mic 2", &other), -1);
}

QTEST_GUILESS_MAIN(TestCAttributes)
#include "tst_cattributes.moc"
