#include "comm/itcpclient.h"
#include "comm/pprotocol.h"
#include "hardware/hblock.h"
#include "hardware/hchassis.h"
#include "hardware/hnvalink.h"
#include "hardware/hroot.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QXmlAttributes>
#include <QXmlStreamWriter>
#include <QtTest>

namespace {

QXmlAttributes designerProperty(const QString &name, const QString &value)
{
    QXmlAttributes attributes;
    attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), name);
    attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), value);
    return attributes;
}

// The panel reader's way: store the attribute, then report it stored.
void setAttribute(HChassis &chassis, const QString &name, const QString &value)
{
    chassis.setConnectionAttribute(name, value);
    chassis.connectionAttributeEnded(name);
}

// A chassis under root whose block is used by a control.
HChassis *usedChassis(HRoot &root, const QString &label, int nodeNumber)
{
    auto *chassis = new HChassis;
    chassis->setLabel(label);
    chassis->setNodeNumber(nodeNumber);
    root.addNode(chassis);
    auto *gain = new HBlock;
    chassis->addNode(gain);
    gain->setReferenced(true);
    return chassis;
}

QString missingModelWarning(const QString &model)
{
    return QStringLiteral("Failed to find the chassis title in resource file :data/Chassis.dict. "
                          "This can happen when a new device has been added to VXB but not VXM. "
                          "Make sure the resurce file has the string \"%1\"")
        .arg(model);
}

QString written(HNode &node)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    node.writeXml(writer);
    return QString::fromUtf8(buffer.data());
}

} // namespace

class TestHChassis : public QObject
{
    Q_OBJECT

private slots:
    void platformFromDeviceType_data();
    void platformFromDeviceType();
    void cordaLinkNameIsNeverCleared();
    void designerProperties();
    void modelCheck_data();
    void modelCheck();
    void protocolReachesTheSubtree();
    void connectionWiring();
    void connectionIsMadeOnce();
    void connectionPort_data();
    void connectionPort();
    void enablingAnUnusedChassisOpensNothing();
    void enablingAUsedChassisOpensAndClosesTheConnection();
    void writeXmlOfAConnection();
    void writeXmlSkipsUnusedChassis();
    void writeXmlWritesAConnectionNameOnce();
    void findCounterpart_data();
    void findCounterpart();
    void linkUnderACordaLinkChassis_data();
    void linkUnderACordaLinkChassis();
    void networkStatus();
};

void TestHChassis::platformFromDeviceType_data()
{
    QTest::addColumn<QString>("deviceType");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("cordaLinkName");
    QTest::newRow("NVA") << "NVA-640"
                         << "NVA" << false;
    QTest::newRow("VXJ") << "VXJ-2359"
                         << "NVA" << false;
    QTest::newRow("QRT") << "QRT256"
                         << "NVA" << true;
    QTest::newRow("IN") << "IN-2"
                        << "NVA" << true;
    QTest::newRow("LZ") << "LZ5360T"
                        << "LZ" << false;
    QTest::newRow("TQ") << "TQ515E"
                        << "TQ" << false;
    QTest::newRow("TQY") << "TQY2315E"
                         << "TQ" << false;
    QTest::newRow("prefixes are case-sensitive") << "nva-640"
                                                 << "" << false;
    QTest::newRow("prefix inside the text") << "X-NVA-640"
                                            << "" << false;
    QTest::newRow("unknown family") << "Bramble"
                                    << "" << false;
}

void TestHChassis::platformFromDeviceType()
{
    QFETCH(QString, deviceType);
    QFETCH(QString, platform);
    QFETCH(bool, cordaLinkName);
    HChassis chassis;
    chassis.parseProperty(designerProperty(QStringLiteral("deviceType"), deviceType));
    QCOMPARE(chassis.platform(), platform);
    QCOMPARE(chassis.usesCordaLinkName(), cordaLinkName);
}

void TestHChassis::cordaLinkNameIsNeverCleared()
{
    HChassis chassis;
    chassis.parseProperty(designerProperty(QStringLiteral("deviceType"), QStringLiteral("QRT256")));
    chassis.parseProperty(
        designerProperty(QStringLiteral("deviceType"), QStringLiteral("LZ9610T")));
    QCOMPARE(chassis.platform(), QStringLiteral("LZ"));
    QVERIFY(chassis.usesCordaLinkName());
}

void TestHChassis::designerProperties()
{
    HChassis chassis;
    const QList<QPair<QString, QString>> properties = {
        {"title", "NVA-640"},          {"label", "Main Processor"}, {"nodeID", "030216"},
        {"ipAddress", "10.0.0.5"},     {"ipPort", "10055"},         {"monitorPort", "10065"},
        {"serialPortNumber", "10057"}, {"isMainNVA", "True"}};
    for (const auto &property : properties)
        chassis.parseProperty(designerProperty(property.first, property.second));
    QCOMPARE(chassis.title(), QStringLiteral("NVA-640"));
    QCOMPARE(chassis.label(), QStringLiteral("Main Processor"));
    QCOMPARE(chassis.nodeNumber(), 30216);
    QCOMPARE(chassis.ipAddress(), QStringLiteral("10.0.0.5"));
    QCOMPARE(chassis.ipPort(), QStringLiteral("10055"));
    QCOMPARE(chassis.monitorPort(), QStringLiteral("10065"));
    QCOMPARE(chassis.serialPort(), QStringLiteral("10057"));
    QVERIFY(chassis.hasMarks(HNode::FlagMain));

    HChassis notMain;
    notMain.parseProperty(designerProperty(QStringLiteral("isMainNVA"), QStringLiteral("true")));
    QVERIFY(!notMain.hasMarks(HNode::FlagMain));
    // The panel file's spelling is not a designer property.
    notMain.parseProperty(designerProperty(QStringLiteral("ipaddress"), QStringLiteral("1.2.3.4")));
    QCOMPARE(notMain.ipAddress(), QString());
}

void TestHChassis::modelCheck_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("model"); // empty when the model is known
    QTest::newRow("NVA first line") << "NVA"
                                    << "NVA-20"
                                    << "";
    QTest::newRow("NVA with a blank") << "NVA"
                                      << "NVA-30 II"
                                      << "";
    QTest::newRow("NVA last line") << "NVA"
                                   << "VXJ-539"
                                   << "";
    QTest::newRow("demonstration processor") << "NVA"
                                             << "NVA-640"
                                             << "";
    QTest::newRow("bracketed suffix") << "NVA"
                                      << "NVA-410 (RTC)"
                                      << "";
    QTest::newRow("bracket at the start") << "NVA"
                                          << "(RTC)"
                                          << "(RTC)";
    QTest::newRow("no blank before the bracket") << "NVA"
                                                 << "NVA-410(RTC)"
                                                 << "NVA-41";
    QTest::newRow("whole lines only") << "NVA"
                                      << "NVA-41"
                                      << "NVA-41";
    QTest::newRow("case-sensitive") << "NVA"
                                    << "nva-410"
                                    << "nva-410";
    QTest::newRow("LZ unterminated last line") << "LZ"
                                               << "LZ4240T"
                                               << "";
    QTest::newRow("LZ") << "LZ"
                        << "LZ5360T"
                        << "";
    QTest::newRow("TQ") << "TQ"
                        << "TQY5915E"
                        << "";
    QTest::newRow("model of another platform") << "TQ"
                                               << "LZ9610T"
                                               << "LZ9610T";
    QTest::newRow("no dictionary for an empty platform") << ""
                                                         << "NVA-640"
                                                         << "NVA-640";
    QTest::newRow("unknown model") << "NVA"
                                   << "NVA-9999"
                                   << "NVA-9999";
}

void TestHChassis::modelCheck()
{
    QFETCH(QString, platform);
    QFETCH(QString, title);
    QFETCH(QString, model);
    HRoot root;
    auto *chassis = new HChassis;
    root.addNode(chassis);
    chassis->setConnectionAttribute(QStringLiteral("platform"), platform);
    chassis->setTitle(title);
    if (model.isEmpty())
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^Failed to find")));
    else
        QTest::ignoreMessage(QtWarningMsg, qPrintable(missingModelWarning(model)));
    QVERIFY(chassis->completeSetup());
    QCOMPARE(root.child(0), chassis);
    QCOMPARE(chassis->title(), title);
}

void TestHChassis::protocolReachesTheSubtree()
{
    HRoot root;
    auto *chassis = new HChassis;
    chassis->setTitle(QStringLiteral("NVA-640"));
    QVERIFY(chassis->protocol());
    auto *gain = new HBlock;
    chassis->addNode(gain);
    QCOMPARE(gain->protocol(), chassis->protocol());
    // A chassis does not take a protocol from above.
    root.addNode(chassis);
    QVERIFY(chassis->completeSetup());
    QVERIFY(chassis->protocol());
    QCOMPARE(gain->protocol(), chassis->protocol());
}

void TestHChassis::connectionWiring()
{
    HChassis chassis;
    chassis.setConnectionAttribute(QStringLiteral("ipaddress"), QStringLiteral("127.0.0.1"));
    chassis.setConnectionAttribute(QStringLiteral("serialport"), QStringLiteral("10057"));
    chassis.setConnectionAttribute(QStringLiteral("ipport"), QStringLiteral("10058"));
    chassis.setConnectionAttribute(QStringLiteral("monitorport"), QStringLiteral("10059"));
    QCOMPARE(chassis.interface(), nullptr);
    setAttribute(chassis, QStringLiteral("platform"), QStringLiteral("LZ"));

    auto *client = qobject_cast<ITcpClient *>(chassis.interface());
    QVERIFY(client);
    QVERIFY(chassis.protocol());
    QCOMPARE(client->protocol(), chassis.protocol());
    QCOMPARE(client->address(), QStringLiteral("127.0.0.1"));
    QCOMPARE(client->port(), quint16(10057)); // serialport, not ipport or monitorport
    QCOMPARE(client->owner(), &chassis);
    QCOMPARE(chassis.protocol()->interface(), client);
    QCOMPARE(client->state(), int(IInterface::Idle));
    QVERIFY(!chassis.isOnline());
}

void TestHChassis::connectionIsMadeOnce()
{
    HChassis chassis;
    setAttribute(chassis, QStringLiteral("title"), QStringLiteral("NVA-640"));
    QCOMPARE(chassis.interface(), nullptr);
    setAttribute(chassis, QStringLiteral("platform"), QStringLiteral("NVA"));
    IInterface *first = chassis.interface();
    QVERIFY(first);
    setAttribute(chassis, QStringLiteral("platform"), QStringLiteral("NVA"));
    chassis.setEnabled(false);
    QCOMPARE(chassis.interface(), first);

    // Without a platform attribute, the first enable request makes it.
    HChassis enabled;
    enabled.setEnabled(false);
    QVERIFY(qobject_cast<ITcpClient *>(enabled.interface()));
    QCOMPARE(enabled.protocol()->interface(), enabled.interface());
}

void TestHChassis::connectionPort_data()
{
    QTest::addColumn<QString>("serialport");
    QTest::addColumn<int>("port");
    QTest::newRow("default") << "10055" << 10055;
    QTest::newRow("largest") << "65535" << 65535;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("does not fit") << "70000" << 0;
    QTest::newRow("negative") << "-1" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestHChassis::connectionPort()
{
    QFETCH(QString, serialport);
    QFETCH(int, port);
    HChassis chassis;
    chassis.setConnectionAttribute(QStringLiteral("serialport"), serialport);
    QCOMPARE(chassis.serialPort(), serialport); // carried as given
    QCOMPARE(int(chassis.connectionPort()), port);
    setAttribute(chassis, QStringLiteral("platform"), QStringLiteral("NVA"));
    auto *client = qobject_cast<ITcpClient *>(chassis.interface());
    QVERIFY(client);
    QCOMPARE(int(client->port()), port);
}

void TestHChassis::enablingAnUnusedChassisOpensNothing()
{
    HChassis chassis;
    chassis.addNode(new HBlock); // present, but no control uses it
    QSignalSpy changes(&chassis, &HChassis::onlineStateChanged);
    chassis.setEnabled(true);
    QVERIFY(chassis.interface());
    QCOMPARE(changes.count(), 0);
    QCOMPARE(chassis.interface()->state(), int(IInterface::Idle));
}

void TestHChassis::enablingAUsedChassisOpensAndClosesTheConnection()
{
    QTcpServer device;
    QVERIFY(device.listen(QHostAddress::LocalHost));
    HRoot root;
    HChassis *chassis = usedChassis(root, QStringLiteral("Main"), 0);
    chassis->setConnectionAttribute(QStringLiteral("ipaddress"), QStringLiteral("127.0.0.1"));
    chassis->setConnectionAttribute(QStringLiteral("serialport"),
                                    QString::number(device.serverPort()));
    QSignalSpy changes(chassis, &HChassis::onlineStateChanged);

    chassis->setEnabled(true);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toBool(), true);
    // Bound: a loopback connection is made well within 5 s.
    QTRY_VERIFY_WITH_TIMEOUT(device.hasPendingConnections(), 5000);
    QTcpSocket *peer = device.nextPendingConnection();
    QVERIFY(peer);
    QTRY_VERIFY_WITH_TIMEOUT(chassis->isOnline(), 5000);

    chassis->setEnabled(false);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(1).at(0).toBool(), false);
    QVERIFY(!chassis->isOnline());
    QTRY_COMPARE_WITH_TIMEOUT(peer->state(), QAbstractSocket::UnconnectedState, 5000);
}

void TestHChassis::writeXmlOfAConnection()
{
    HRoot root;
    HChassis *chassis = usedChassis(root, QStringLiteral("Main"), 30216);
    const QList<QPair<QString, QString>> attributes = {
        {"title", "NVA-640"},     {"ipaddress", "127.0.0.1"}, {"ipport", "10055"},
        {"monitorport", "10065"}, {"serialport", "10057"},    {"platform", "NVA"}};
    for (const auto &attribute : attributes)
        chassis->setConnectionAttribute(attribute.first, attribute.second);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    QVERIFY(chassis->writeXml(writer));
    QString expected = QStringLiteral("<Connection name=\"Chassis|||30216\">"
                                      "<Property name=\"attributes\">");
    for (const auto &attribute : attributes)
        expected += QStringLiteral("<%1>%2</%1>").arg(attribute.first, attribute.second);
    expected += QStringLiteral("</Property></Connection>");
    QCOMPARE(QString::fromUtf8(buffer.data()), expected);
}

void TestHChassis::writeXmlSkipsUnusedChassis()
{
    HRoot root;
    auto *unused = new HChassis;
    unused->setLabel(QStringLiteral("Spare"));
    root.addNode(unused);
    unused->addNode(new HBlock);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    QVERIFY(!unused->writeXml(writer));
    QVERIFY(root.writeXml(writer));
    QVERIFY(buffer.data().isEmpty());
}

void TestHChassis::writeXmlWritesAConnectionNameOnce()
{
    HRoot root;
    HChassis *first = usedChassis(root, QStringLiteral("First"), 30216);
    HChassis *second = usedChassis(root, QStringLiteral("Second"), 30216);
    HChassis *other = usedChassis(root, QStringLiteral("Amp"), 0);
    first->setTitle(QStringLiteral("first"));
    second->setTitle(QStringLiteral("second"));

    const QString text = written(root);
    QCOMPARE(text.count(QStringLiteral("<Connection ")), 2);
    QVERIFY(text.contains(QStringLiteral("name=\"Chassis|||30216\"")));
    QVERIFY(text.contains(QStringLiteral("<title>first</title>")));
    QVERIFY(!text.contains(QStringLiteral("<title>second</title>")));
    QVERIFY(text.contains(QStringLiteral("name=\"Amp\"")));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    QVERIFY(!second->writeXml(writer));
    QVERIFY(other->writeXml(writer));
}

void TestHChassis::findCounterpart_data()
{
    QTest::addColumn<int>("nodeNumber");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("expected"); // index among the other tree's chassis, -1 for none
    // The other tree holds: 0 "NVA-640" #5, 1 "NVA-640 (Main)" #7, 2 "LZ4240T" #5,
    // 3 "NVA-640" #7.
    QTest::newRow("same number and title") << 5 << "NVA-640" << 0;
    QTest::newRow("the first of two matches") << 7 << "NVA-640" << 1;
    QTest::newRow("other title, same number") << 5 << "LZ4240T" << 2;
    QTest::newRow("number differs") << 9 << "NVA-640" << -1;
    QTest::newRow("title differs") << 5 << "NVA-64" << -1;
    QTest::newRow("only the read title carries (Main)") << 5 << "NVA-640 (Main)" << -1;
}

void TestHChassis::findCounterpart()
{
    QFETCH(int, nodeNumber);
    QFETCH(QString, title);
    QFETCH(int, expected);
    HRoot other;
    QList<HChassis *> chassis;
    const QList<QPair<QString, int>> rows = {
        {"NVA-640", 5}, {"NVA-640 (Main)", 7}, {"LZ4240T", 5}, {"NVA-640", 7}};
    for (const auto &row : rows) {
        auto *node = new HChassis;
        node->setTitle(row.first);
        node->setNodeNumber(row.second);
        other.addNode(node);
        chassis << node;
    }
    HChassis read;
    read.setNodeNumber(nodeNumber);
    read.setTitle(title);
    QCOMPARE(read.findCounterpart(&other), expected < 0 ? nullptr : chassis.at(expected));
    QCOMPARE(read.findCounterpart(nullptr), nullptr);
}

void TestHChassis::linkUnderACordaLinkChassis_data()
{
    QTest::addColumn<QString>("deviceType");
    QTest::addColumn<QString>("label");
    QTest::newRow("QRT") << "QRT256"
                         << "CordaLink";
    QTest::newRow("IN") << "IN-2"
                        << "CordaLink";
    QTest::newRow("NVA") << "NVA-640"
                         << "Link Tx";
}

void TestHChassis::linkUnderACordaLinkChassis()
{
    QFETCH(QString, deviceType);
    QFETCH(QString, label);
    HChassis chassis;
    chassis.parseProperty(designerProperty(QStringLiteral("deviceType"), deviceType));
    auto *link = new HNVALink;
    link->setLabel(QStringLiteral("Link Tx"));
    chassis.addNode(link);
    QCOMPARE(link->label(), label);
}

void TestHChassis::networkStatus()
{
    HChassis chassis;
    chassis.setLabel(QStringLiteral("Chassis|||30216"));
    chassis.setConnectionAttribute(QStringLiteral("ipaddress"), QStringLiteral("10.0.0.5"));
    chassis.setConnectionAttribute(QStringLiteral("serialport"), QStringLiteral("10057"));
    const QString address = QStringLiteral("\nIP Address: 10.0.0.5\nPort: 10057");
    // Without a title the label names the device.
    QCOMPARE(chassis.networkStatus(),
             chassis.label() + IInterface::stateText(IInterface::Idle) + address);

    setAttribute(chassis, QStringLiteral("title"), QStringLiteral("NVA-640"));
    setAttribute(chassis, QStringLiteral("platform"), QStringLiteral("NVA"));
    QVERIFY(chassis.interface());
    QCOMPARE(chassis.networkStatus(),
             QStringLiteral("NVA-640") + chassis.interface()->stateText() + address +
                 QStringLiteral("\nState: not connected\nLast reply: never\nFailed messages: 0"));
}

QTEST_GUILESS_MAIN(TestHChassis)
#include "tst_hchassis.moc"
