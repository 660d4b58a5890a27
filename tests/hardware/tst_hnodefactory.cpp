#include "hardware/haudioio.h"
#include "hardware/hblock.h"
#include "hardware/hchassis.h"
#include "hardware/hdante.h"
#include "hardware/hechocanel.h"
#include "hardware/hgroup.h"
#include "hardware/hnodefactory.h"
#include "hardware/hnvalink.h"
#include "hardware/hparameterset.h"
#include "hardware/hparametersetlist.h"
#include "hardware/hrcgroup.h"
#include "hardware/hrcgroupcombo.h"
#include "hardware/hrcroom.h"
#include "hardware/hroot.h"

#include <QtTest>

#include <memory>

class TestHNodeFactory : public QObject
{
    Q_OBJECT

private slots:
    void create_data();
    void create();
    void cardTypeReachesTheChannel();

    void categories_data();
    void categories();
    void audioIOChannels();
    void chassisConnectionAttributes_data();
    void chassisConnectionAttributes();
    void chassisDefaults();
};

void TestHNodeFactory::create_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("nodeClass"); // "" when no node is made
    QTest::addColumn<int>("direction");     // 0 when the node is no I/O channel

    for (const char *name : {"NVA", "QuartzNva", "Bramble", "Lx2390", "Lx23Bkd", "Lx550d"})
        QTest::newRow(name) << name << "HChassis" << 0;
    for (const char *name : {"Input", "PstnRx", "VoipRx", "UsbRx"})
        QTest::newRow(name) << name << "HAudioIO" << 1;
    for (const char *name : {"Output", "PstnTx", "VoipTx", "UsbTx"})
        QTest::newRow(name) << name << "HAudioIO" << 2;
    QTest::newRow("NVALinkTx") << "NVALinkTx"
                               << "HNVALink" << 3;
    QTest::newRow("CordaLink") << "CordaLink"
                               << "HNVALink" << 3;
    QTest::newRow("DanteRx") << "DanteRx"
                             << "HDante" << 1;
    QTest::newRow("DanteTx") << "DanteTx"
                             << "HDante" << 2;
    for (const char *name : {"Tessel", "Serialin", "Serialout", "GPO", "GPI", "DeviceNode"})
        QTest::newRow(name) << name << "" << 0;
    QTest::newRow("empty") << ""
                           << "" << 0;
    QTest::newRow("Group") << "Group"
                           << "HGroup" << 0;
    QTest::newRow("RCGroup") << "RCGroup"
                             << "HRCGroup" << 0;
    QTest::newRow("RCRoom") << "RCRoom"
                            << "HRCRoom" << 0;
    QTest::newRow("ParameterSet") << "ParameterSet"
                                  << "HParameterSet" << 0;
    QTest::newRow("PanelList") << "PanelList"
                               << "HParameterSetList" << 0;
    // Everything else is a block, compared case-sensitively.
    for (const char *name : {"Gain", "SSelector", "ToneCEQ", "ParametricEQ", "nva", "input",
                             "group", "tessel", "RCGroupCombo", "Devices.NVA"})
        QTest::newRow(name) << name << "HBlock" << 0;
}

void TestHNodeFactory::create()
{
    QFETCH(QString, className);
    QFETCH(QString, nodeClass);
    QFETCH(int, direction);

    std::unique_ptr<HNode> node(HNodeFactory::create(className, QStringLiteral("4x4 Mic/Line")));
    if (nodeClass.isEmpty()) {
        QVERIFY(!node);
        return;
    }
    QVERIFY(node);
    QCOMPARE(QString::fromLatin1(node->metaObject()->className()), nodeClass);
    QCOMPARE(node->marks(), HNode::NodeFlags(nodeClass == QLatin1String("HChassis")
                                                 ? HNode::FlagChassis | HNode::FlagPlaceholder
                                                 : HNode::FlagPlaceholder));
    auto *channel = qobject_cast<HAudioIO *>(node.get());
    QCOMPARE(channel ? channel->direction() : 0, direction);
}

void TestHNodeFactory::cardTypeReachesTheChannel()
{
    std::unique_ptr<HNode> input(
        HNodeFactory::create(QStringLiteral("Input"), QStringLiteral("4ch Mic/Line Input")));
    QCOMPARE(qobject_cast<HAudioIO *>(input.get())->cardType(),
             QStringLiteral("4ch Mic/Line Input"));
    std::unique_ptr<HNode> dante(
        HNodeFactory::create(QStringLiteral("DanteTx"), QStringLiteral("Dante 64In64Out")));
    QCOMPARE(qobject_cast<HDante *>(dante.get())->cardType(), QStringLiteral("Dante 64In64Out"));
    std::unique_ptr<HNode> link(
        HNodeFactory::create(QStringLiteral("NVALinkTx"), QStringLiteral("NVALink Output")));
    QCOMPARE(qobject_cast<HNVALink *>(link.get())->cardType(), QString());
}

void TestHNodeFactory::categories_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("category");
    QTest::newRow("NVA") << "NVA"
                         << "Chassis";
    QTest::newRow("Input") << "Input"
                           << "Analog I/O";
    QTest::newRow("Output") << "Output"
                            << "Analog I/O";
    QTest::newRow("NVALinkTx") << "NVALinkTx"
                               << "Digital I/O";
    QTest::newRow("DanteRx") << "DanteRx"
                             << "Dante I/O";
    QTest::newRow("Gain") << "Gain"
                          << "Blocks";
    QTest::newRow("Group") << "Group"
                           << "Groups";
    QTest::newRow("ParameterSet") << "ParameterSet"
                                  << "ParameterSets";
    QTest::newRow("PanelList") << "PanelList"
                               << "ParameterSetLists";
    QTest::newRow("RCGroup") << "RCGroup"
                             << "RCGroups";
    QTest::newRow("RCRoom") << "RCRoom"
                            << "RCRooms";
}

void TestHNodeFactory::categories()
{
    QFETCH(QString, className);
    QFETCH(QString, category);
    std::unique_ptr<HNode> node(HNodeFactory::create(className, QString()));
    QCOMPARE(node->category(), category);
    QCOMPARE(node->attribute(QStringLiteral("category")), category);
}

void TestHNodeFactory::audioIOChannels()
{
    QCOMPARE(HEchoCanel().category(), QStringLiteral("Echo Cancellation"));
    QCOMPARE(HRCGroupCombo().category(), QString());
    QVERIFY(qobject_cast<HComposite *>(std::make_unique<HRCGroup>().get()));

    QCOMPARE(HAudioIO(QStringLiteral("VOIP"), 1).cardType(), QStringLiteral("VOIP"));
    QCOMPARE(HAudioIO(QStringLiteral("VOIP 2ch SIP"), 2).cardType(), QStringLiteral("VOIP"));
    QCOMPARE(HAudioIO(QStringLiteral("VoIP 2ch"), 2).cardType(), QStringLiteral("VoIP 2ch"));

    HAudioIO channel(QStringLiteral("8ch AES3 In"), HAudioIO::Input);
    channel.setIoCategory(QStringLiteral("Digital I/O"));
    QCOMPARE(channel.category(), QStringLiteral("Digital I/O"));
    QCOMPARE(channel.attribute(QStringLiteral("category")), QStringLiteral("Digital I/O"));

    HRoot root;
    auto *main = new HChassis;
    root.addNode(main);
    auto *link = new HNVALink;
    main->addNode(link);
    QCOMPARE(root.findByCategory(QStringLiteral("Digital I/O")), link);
}

void TestHNodeFactory::chassisConnectionAttributes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("field");
    QTest::newRow("title") << "title"
                           << "title";
    QTest::newRow("ipaddress") << "ipaddress"
                               << "ipaddress";
    QTest::newRow("ipport") << "ipport"
                            << "ipport";
    QTest::newRow("monitorport") << "monitorport"
                                 << "monitorport";
    QTest::newRow("serialport") << "serialport"
                                << "serialport";
    QTest::newRow("platform") << "platform"
                              << "platform";
    QTest::newRow("IPAddress is ignored") << "IPAddress"
                                          << "";
    QTest::newRow("label is ignored") << "label"
                                      << "";
}

void TestHNodeFactory::chassisConnectionAttributes()
{
    QFETCH(QString, name);
    QFETCH(QString, field);
    HChassis chassis;
    chassis.setLabel(QStringLiteral("Main"));
    const QString value = QStringLiteral("value of ") + name;
    chassis.setConnectionAttribute(name, value);
    chassis.connectionAttributeEnded(name);

    const QMap<QString, QString> fields{
        {"title", chassis.title()},           {"ipaddress", chassis.ipAddress()},
        {"ipport", chassis.ipPort()},         {"monitorport", chassis.monitorPort()},
        {"serialport", chassis.serialPort()}, {"platform", chassis.platform()}};
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (it.key() == field)
            QCOMPARE(it.value(), value);
        else
            QVERIFY2(it.value() != value, qPrintable(it.key()));
    }
    QCOMPARE(chassis.label(), QStringLiteral("Main"));
}

void TestHNodeFactory::chassisDefaults()
{
    HChassis chassis;
    QCOMPARE(chassis.category(), QStringLiteral("Chassis"));
    QVERIFY(chassis.hasMarks(HNode::FlagChassis | HNode::FlagPlaceholder));
    QCOMPARE(chassis.serialPort(), QStringLiteral("10055"));
    QCOMPARE(chassis.platform(), QStringLiteral("NVA"));
    QCOMPARE(chassis.ipAddress(), QString());
    QCOMPARE(chassis.ipPort(), QString());
    QCOMPARE(chassis.monitorPort(), QString());
    chassis.setEnabled(true);
    chassis.setEnabled(false);
    QVERIFY(!chassis.isOnline());
}

QTEST_GUILESS_MAIN(TestHNodeFactory)
#include "tst_hnodefactory.moc"
