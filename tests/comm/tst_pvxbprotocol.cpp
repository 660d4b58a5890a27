#include "canvas/cattributes.h"
#include "comm/pprotocolfactory.h"
#include "comm/pvxbprotocol.h"
#include "comm/ttext.h"
#include "comm/ttransformfactory.h"
#include "fakeinterface.h"
#include "hardware/hnode.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using Messages = QList<QByteArray>;

// Stands in for the model: counts the polling pauses that writes ask for.
class FakeOwner : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void setPollingEnabled(bool on) { calls.append(on); }
    QList<bool> calls;
};

// A block or channel node with the optional operations the protocol asks for.
class DeviceNode : public HNode
{
    Q_OBJECT

public:
    Q_INVOKABLE int meterNumber() const { return 10; }
    Q_INVOKABLE int channelIndex(const QString &name) const { return channels.indexOf(name); }
    Q_INVOKABLE QString queryText() const { return QStringLiteral("GRC 3"); }
    Q_INVOKABLE QString replyText() const { return reply; }
    Q_INVOKABLE void setReplyText(const QString &text) { reply = text; }

    QStringList channels;
    QString reply;
};

// One control's parameter: its attributes, its transform and the node it addresses.
struct Parameter
{
    CAttributes attributes;
    std::unique_ptr<TTransform> transform;
};

class TestPVXBProtocol : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Parameter> makeParameter(const QString &transform, int structure, HNode *node,
                                             int index1 = 2, int index2 = 0)
    {
        auto parameter = std::make_unique<Parameter>();
        const QList<QPair<QString, QString>> values = {
            {QStringLiteral("transform"), transform},
            {QStringLiteral("struct"), QString::number(structure)},
            {QStringLiteral("index1"), QString::number(index1)},
            {QStringLiteral("index2"), QString::number(index2)},
            {QStringLiteral("channelLabel"), QStringLiteral("Mic-1")},
        };
        for (const auto &value : values)
            parameter->attributes.setAttribute(QStringLiteral("Property"), value.first,
                                               value.second);
        parameter->transform = TTransformFactory::create(parameter->attributes, node);
        return parameter;
    }

    // A protocol attached to a device that has answered the probe (or not, with subscribe
    // false); the probe itself is removed from the record.
    void connectProtocol(PVXBProtocol &protocol, FakeInterface &device, bool subscribe)
    {
        protocol.setInterface(&device);
        protocol.setOwner(&m_owner);
        QVERIFY(protocol.handleReply(subscribe ? "SUB,yes" : "SUB,no"));
        QCOMPARE(protocol.isSubscribed(), subscribe);
        device.sent.clear();
    }

    FakeOwner m_owner;

private Q_SLOTS:
    void init();
    void factory_data();
    void factory();
    void catalogue_data();
    void catalogue();
    void writeTypes_data();
    void writeTypes();
    void writePausesOwnerPolling();
    void nothingSentWithout_data();
    void nothingSentWithout();
    void addressReplies_data();
    void addressReplies();
    void otherReplies_data();
    void otherReplies();
    void meterChoice_data();
    void meterChoice();
    void twoTransformsOneParameter();
    void destroyedTransformNotReached_data();
    void destroyedTransformNotReached();
    void subscribing();
    void probeAnswers_data();
    void probeAnswers();
    void probeTimeout_data();
    void probeTimeout();
    void resubscribe();
    void goingOffline();
    void meterStatus();
};

void TestPVXBProtocol::init()
{
    m_owner.calls.clear();
}

void TestPVXBProtocol::factory_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("protocol");

    QTest::newRow("NVA") << "NVA"
                         << "VXB";
    QTest::newRow("NVA model") << "NVA-5200"
                               << "VXB";
    QTest::newRow("LZ") << "LZ"
                        << "VXB";
    QTest::newRow("TQ") << "TQ"
                        << "VXB";
    QTest::newRow("Veloxa") << "Veloxa"
                            << "VXB";
    QTest::newRow("lower case") << "nva"
                                << "";
    QTest::newRow("unknown") << "XY"
                             << "";
}

void TestPVXBProtocol::factory()
{
    QFETCH(QString, platform);
    QFETCH(QString, protocol);

    const auto created = PProtocolFactory::create(platform);
    QCOMPARE(created ? created->name() : QString(), protocol);
}

void TestPVXBProtocol::catalogue_data()
{
    QTest::addColumn<int>("structure");
    QTest::addColumn<QString>("transform");
    QTest::addColumn<QString>("block");
    QTest::addColumn<int>("index1");
    QTest::addColumn<int>("index2");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("replyKey");
    QTest::addColumn<Messages>("setCommands");

    QTest::newRow("struct 0") << 0 << "text"
                              << "Bar Volume" << 2 << 0 << "-10.5"
                              << QByteArray("GA\"Bar Volume\">2\r")
                              << QByteArray("GA\"Bar Volume\">2=")
                              << Messages{"SA \"Bar Volume\">2=-10.5\r"};
    QTest::newRow("struct 1") << 1 << "strV"
                              << "Gain" << 3 << 9 << "1.5" << QByteArray("GA\"Gain\">3\r")
                              << QByteArray("GA\"Gain\">3=") << Messages{"SA \"Gain\">3=1.5\r"};
    QTest::newRow("struct 2") << 2 << "text"
                              << "Mixer" << 2 << 3 << "1" << QByteArray("GA\"Mixer\">2>3\r")
                              << QByteArray("GA\"Mixer\">2>3=") << Messages{"SA \"Mixer\">2>3=1\r"};
    QTest::newRow("struct 3, linked value 7")
        << 3 << "text"
        << "Router" << 2 << 3 << "1" << QByteArray("GA \"Router\">7>3\r")
        << QByteArray("GA \"Router\">7>3=") << Messages{"SA \"Router\">7>3=1\r"};
    QTest::newRow("struct 4") << 4 << "bin8"
                              << "Presets" << 0 << 0 << "26" << QByteArray("GS \r")
                              << QByteArray("S ") << Messages{"SS 1a \r"};
    QTest::newRow("struct 5, group 10") << 5 << "text"
                                        << "Zone" << 10 << 0 << "78" << QByteArray("GG a\r")
                                        << QByteArray("GG a") << Messages{"SG a,78\r"};
    QTest::newRow("struct 6, group 27") << 6 << "chrL"
                                        << "Zone" << 27 << 0 << "" << QByteArray("GN 1b\r")
                                        << QByteArray("GN 1b") << Messages{"SN 1b,\r"};
    QTest::newRow("struct 7") << 7 << "text"
                              << "Input" << 2 << 4 << "-3" << QByteArray("GA\"Mic-1\">4\r")
                              << QByteArray("GA\"Mic-1\">4=") << Messages{"SA\"Mic-1\">4=-3\r"};
    QTest::newRow("struct 8") << 8 << "text"
                              << "Matrix" << 2 << 5 << "1" << QByteArray("GA\"Matrix\">0>5\r")
                              << QByteArray("GA\"Matrix\">0>5=") << Messages{"MA \"Matrix\">2=1\r"};
    QTest::newRow("struct 8, no value")
        << 8 << "text"
        << "Matrix" << 2 << 5 << "" << QByteArray("GA\"Matrix\">0>5\r")
        << QByteArray("GA\"Matrix\">0>5=") << Messages{"MA \"Matrix\">2\r"};
    QTest::newRow("struct 9") << 9 << "passThrough"
                              << "Room" << 0 << 0 << "SRC 1,2\r;SRC 3,4" << QByteArray("GRC 3\r")
                              << QByteArray("GRC 3,") << Messages{"SRC 1,2\r", "SRC 3,4\r"};
    QTest::newRow("struct 10, meter 10")
        << 10 << "text"
        << "Input" << 0 << 0 << "1" << QByteArray("GL A\r") << QByteArray("GL A") << Messages{};
}

void TestPVXBProtocol::catalogue()
{
    QFETCH(int, structure);
    QFETCH(QString, transform);
    QFETCH(QString, block);
    QFETCH(int, index1);
    QFETCH(int, index2);
    QFETCH(QString, value);
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, replyKey);
    QFETCH(Messages, setCommands);

    DeviceNode node;
    node.setLabel(block);
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto parameter = makeParameter(transform, structure, &node, index1, index2);
    auto partner = makeParameter(QStringLiteral("text"), 0, &node);
    partner->transform->setValueText(QStringLiteral("7"));
    parameter->transform->setLinked(partner->transform.get());
    parameter->transform->setValueText(value);

    QVERIFY(protocol.read(parameter->transform.get()));
    QCOMPARE(protocol.currentTransform(), parameter->transform.get());
    QCOMPARE(device.sentData(), Messages{query});
    QCOMPARE(device.sent.first().type, int(IInterface::Query));
    QCOMPARE(device.sent.first().expectedReply, replyKey);
    QCOMPARE(device.sent.first().timeoutMs, 200u);
    QCOMPARE(PVXBProtocol::replyKey(*parameter->transform).toLatin1(), replyKey);

    device.sent.clear();
    QCOMPARE(protocol.write(parameter->transform.get()), !setCommands.isEmpty());
    QCOMPARE(device.sentData(), setCommands);
    for (const FakeInterface::Sent &message : std::as_const(device.sent)) {
        QCOMPARE(message.expectedReply, QByteArray());
        QCOMPARE(message.timeoutMs, 200u);
    }
}

void TestPVXBProtocol::writeTypes_data()
{
    QTest::addColumn<int>("structure");
    QTest::addColumn<bool>("subscriptionMode");
    QTest::addColumn<int>("type");

    QTest::newRow("acknowledged") << 0 << false << int(IInterface::Acknowledged);
    QTest::newRow("subscription mode: no answer") << 0 << true << int(IInterface::NoAnswer);
    QTest::newRow("parameter set: no answer") << 4 << false << int(IInterface::NoAnswer);
}

void TestPVXBProtocol::writeTypes()
{
    QFETCH(int, structure);
    QFETCH(bool, subscriptionMode);
    QFETCH(int, type);

    DeviceNode node;
    node.setLabel(QStringLiteral("Gain"));
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, subscriptionMode);
    auto parameter = makeParameter(QStringLiteral("bin8"), structure, &node);
    QVERIFY(protocol.write(parameter->transform.get()));
    QCOMPARE(device.sent.size(), 1);
    QCOMPARE(device.sent.first().type, type);
}

void TestPVXBProtocol::writePausesOwnerPolling()
{
    DeviceNode node;
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto parameter = makeParameter(QStringLiteral("text"), 0, &node);

    QVERIFY(protocol.read(parameter->transform.get()));
    QVERIFY(m_owner.calls.isEmpty());
    QVERIFY(protocol.write(parameter->transform.get()));
    QCOMPARE(m_owner.calls, QList<bool>{false});
}

void TestPVXBProtocol::nothingSentWithout_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("transform") << "transform";
    QTest::newRow("node") << "node";
    QTest::newRow("interface") << "interface";
    QTest::newRow("on line") << "online";
    QTest::newRow("known structure") << "structure";
}

void TestPVXBProtocol::nothingSentWithout()
{
    QFETCH(QString, missing);

    DeviceNode node;
    FakeInterface device(missing != QLatin1String("online"));
    PVXBProtocol protocol;
    if (missing != QLatin1String("interface"))
        protocol.setInterface(&device);
    protocol.setOwner(&m_owner);
    device.sent.clear();
    const int structure = missing == QLatin1String("structure") ? 11 : 0;
    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("Property"), QStringLiteral("struct"),
                            QString::number(structure));
    HNode *target = missing == QLatin1String("node") ? nullptr : &node;
    TText transform(attributes, target);
    TTransform *given = missing == QLatin1String("transform") ? nullptr : &transform;

    QVERIFY(!protocol.read(given));
    QVERIFY(!protocol.write(given));
    QVERIFY(device.sent.isEmpty());
    QVERIFY(m_owner.calls.isEmpty());
}

void TestPVXBProtocol::addressReplies_data()
{
    QTest::addColumn<int>("structure");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("delivered");
    QTest::addColumn<QString>("reply");

    const QByteArray bar = "GA\"Bar Volume\">2=";
    QTest::newRow("value") << 0 << "Bar Volume" << bar + "-10.5" << true << "-10.5";
    QTest::newRow("cut at ';'") << 1 << "Bar Volume" << bar + "-3;GA\"x\">1=2" << true << "-3";
    QTest::newRow("final CR") << 0 << "Bar Volume" << bar + "4\r" << true << "4";
    QTest::newRow("NAK never reaches the control") << 0 << "Bar Volume"
                                                   << "\x15" + bar + "4" << false << "";
    QTest::newRow("ACK gives SYNC_ERROR") << 0 << "Bar Volume"
                                          << "\x06" + bar + "4" << true << "SYNC_ERROR";
    QTest::newRow("another index")
        << 0 << "Bar Volume" << QByteArray("GA\"Bar Volume\">3=1") << false << "";
    QTest::newRow("struct 2") << 2 << "Mixer" << QByteArray("GA\"Mixer\">2>0=on") << true << "on";
    QTest::newRow("struct 7 by channel label")
        << 7 << "Input" << QByteArray("GA\"Mic-1\">0=-6") << true << "-6";
    QTest::newRow("struct 8") << 8 << "Matrix" << QByteArray("GA\"Matrix\">0>0=1") << true << "1";
}

void TestPVXBProtocol::addressReplies()
{
    QFETCH(int, structure);
    QFETCH(QString, block);
    QFETCH(QByteArray, line);
    QFETCH(bool, delivered);
    QFETCH(QString, reply);

    DeviceNode node;
    node.setLabel(block);
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto parameter = makeParameter(QStringLiteral("text"), structure, &node);
    QVERIFY(protocol.read(parameter->transform.get()));
    QSignalSpy ready(parameter->transform.get(), &TTransform::replyValueReady);

    QCOMPARE(protocol.handleReply(line), delivered);
    QCOMPARE(ready.count(), delivered ? 1 : 0);
    QCOMPARE(parameter->transform->replyText(), reply);
}

void TestPVXBProtocol::otherReplies_data()
{
    QTest::addColumn<int>("structure");
    QTest::addColumn<QString>("transform");
    QTest::addColumn<int>("index1");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("delivered");
    QTest::addColumn<QString>("reply");

    QTest::newRow("state, hexadecimal") << 4 << "bin8" << 0 << QByteArray("S 1A") << true << "26";
    QTest::newRow("state, cut at ';'")
        << 4 << "bin8" << 0 << QByteArray("S 1f;S 2") << true << "31";
    QTest::newRow("group level") << 5 << "text" << 10 << QByteArray("GG a,78") << true << "78";
    QTest::newRow("group mute, final CR")
        << 6 << "text" << 10 << QByteArray("GN a,1\r") << true << "1";
    QTest::newRow("another group") << 5 << "text" << 10 << QByteArray("GG b,78") << false << "";
    QTest::newRow("free text") << 9 << "passThrough" << 0 << QByteArray("GRC 3,1,2;x") << true
                               << "GRC 3,1,2";
    QTest::newRow("free text, NAK")
        << 9 << "passThrough" << 0 << QByteArray("\x15GRC 3,1") << false << "";
    QTest::newRow("free text, ACK")
        << 9 << "passThrough" << 0 << QByteArray("\x06GRC 3,1") << true << "SYNC_ERROR";
}

void TestPVXBProtocol::otherReplies()
{
    QFETCH(int, structure);
    QFETCH(QString, transform);
    QFETCH(int, index1);
    QFETCH(QByteArray, line);
    QFETCH(bool, delivered);
    QFETCH(QString, reply);

    DeviceNode node;
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto parameter = makeParameter(transform, structure, &node, index1);
    QVERIFY(protocol.read(parameter->transform.get()));
    QSignalSpy ready(parameter->transform.get(), &TTransform::replyValueReady);

    QCOMPARE(protocol.handleReply(line), delivered);
    QCOMPARE(ready.count(), delivered ? 1 : 0);
    if (delivered)
        QCOMPARE(parameter->transform->replyText(), reply);
}

void TestPVXBProtocol::meterChoice_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("chassisTitle");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("pin");
    QTest::addColumn<QString>("channelName");
    QTest::addColumn<int>("channelIndex");
    QTest::addColumn<int>("indexOffset");
    QTest::addColumn<int>("readings"); // r0, r1, ...; -1: "[]" missing
    QTest::addColumn<bool>("delivered");
    QTest::addColumn<QString>("reading"); // "line": the whole line

    QTest::newRow("PSTN Out, 2") << "PSTN Out"
                                 << ""
                                 << "NVA" << 0 << 0 << "" << -1 << 0 << 2 << true << "r1";
    QTest::newRow("PSTN In, 2") << "PSTN In"
                                << ""
                                << "NVA" << 0 << 0 << "" << -1 << 0 << 2 << true << "r0";
    QTest::newRow("PSTN Out, 4: by port") << "PSTN Out"
                                          << ""
                                          << "NVA" << 5 << 0 << "" << -1 << 0 << 4 << true << "r1";
    QTest::newRow("USB Out, offset 1") << "USB Out"
                                       << ""
                                       << "NVA" << 0 << 0 << "" << -1 << 1 << 6 << true << "r4";
    QTest::newRow("USB In, offset 2") << "USB In"
                                      << ""
                                      << "NVA" << 0 << 0 << "" << -1 << 2 << 6 << true << "r2";
    QTest::newRow("VoIP In, pin 1") << "VoIP In"
                                    << ""
                                    << "NVA" << 0 << 1 << "" << -1 << 0 << 4 << true << "r1";
    QTest::newRow("VoIP Out, pin 0") << "VoIP Out"
                                     << ""
                                     << "NVA" << 0 << 0 << "" << -1 << 0 << 4 << true << "r2";
    QTest::newRow("VoIP Out, pin 1") << "VoIP Out"
                                     << ""
                                     << "NVA" << 0 << 1 << "" << -1 << 0 << 4 << true << "r3";
    QTest::newRow("VoIP In, pin 2") << "VoIP In"
                                    << ""
                                    << "NVA" << 0 << 2 << "" << -1 << 0 << 4 << true << "0";
    QTest::newRow("Analog In on LZ, by pin")
        << "Analog In"
        << ""
        << "LZ 4" << 0 << 2 << "" << -1 << 0 << 8 << true << "r2";
    QTest::newRow("Digital In on TQ, by pin")
        << "Digital In"
        << ""
        << "TQ-2" << 6 << 1 << "" << -1 << 0 << 4 << true << "r1";
    QTest::newRow("Analog In on NVA, 4: by port")
        << "Analog In"
        << ""
        << "NVA" << 6 << 1 << "" << -1 << 0 << 4 << true << "r2";
    QTest::newRow("4, port 15") << "Analog Out"
                                << ""
                                << "NVA" << 15 << 0 << "" << -1 << 0 << 4 << true << "r3";
    QTest::newRow("4, port 16: whole line")
        << "Analog Out"
        << ""
        << "NVA" << 16 << 0 << "" << -1 << 0 << 4 << true << "line";
    QTest::newRow("4, port -1: whole line")
        << "Analog Out"
        << ""
        << "NVA" << -1 << 0 << "" << -1 << 0 << 4 << true << "line";
    QTest::newRow("8, Amp Output by port")
        << "Amp Output"
        << "Amp Out"
        << "LZ 4" << 3 << 0 << "" << -1 << 0 << 8 << true << "r3";
    QTest::newRow("8, by channel name")
        << "NVALink In"
        << ""
        << "NVA" << 0 << 0 << "Link-Two" << -1 << 0 << 8 << true << "r1";
    QTest::newRow("8, unknown channel name: skipped")
        << "NVALink In"
        << ""
        << "NVA" << 0 << 0 << "Link-Nine" << -1 << 0 << 8 << false << "";
    QTest::newRow("8, channel name without '-': skipped")
        << "NVALink In"
        << ""
        << "NVA" << 0 << 0 << "Link" << -1 << 0 << 8 << false << "";
    QTest::newRow("Dante Out, 32") << "Dante Out"
                                   << ""
                                   << "NVA" << 0 << 0 << "" << 3 << 0 << 32 << true << "r19";
    QTest::newRow("Dante In, 32") << "Dante In"
                                  << ""
                                  << "NVA" << 0 << 0 << "" << 3 << 0 << 32 << true << "r3";
    QTest::newRow("Dante Out, 12") << "Dante Out"
                                   << ""
                                   << "NVA" << 0 << 0 << "" << 3 << 0 << 12 << true << "r3";
    QTest::newRow("12, not Dante: whole line")
        << "Analog Out"
        << ""
        << "NVA" << 0 << 0 << "" << 3 << 0 << 12 << true << "line";
    QTest::newRow("3: whole line") << "Analog Out"
                                   << ""
                                   << "NVA" << 0 << 0 << "" << -1 << 0 << 3 << true << "line";
    QTest::newRow("no readings list") << "Analog Out"
                                      << ""
                                      << "NVA" << 0 << 0 << "" << -1 << 0 << -1 << false << "";
}

void TestPVXBProtocol::meterChoice()
{
    QFETCH(QString, title);
    QFETCH(QString, label);
    QFETCH(QString, chassisTitle);
    QFETCH(int, port);
    QFETCH(int, pin);
    QFETCH(QString, channelName);
    QFETCH(int, channelIndex);
    QFETCH(int, indexOffset);
    QFETCH(int, readings);
    QFETCH(bool, delivered);
    QFETCH(QString, reading);

    HNode chassis;
    chassis.setMarks(HNode::FlagChassis);
    chassis.setTitle(chassisTitle);
    DeviceNode node;
    node.setParentNode(&chassis);
    node.setTitle(title);
    node.setLabel(label);
    node.setPortIndex(port);
    node.setPinIndex(pin);
    node.channels = {QStringLiteral("One"), QStringLiteral("Two")};
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto meter = makeParameter(QStringLiteral("text"), 10, &node);
    meter->transform->setChannelName(channelName);
    meter->transform->setChannelIndex(channelIndex);
    meter->transform->setIndexOffset(indexOffset);
    QVERIFY(protocol.read(meter->transform.get()));
    QCOMPARE(device.sentData(), Messages{"GL A\r"});

    QStringList values;
    for (int i = 0; i < readings; ++i)
        values << QStringLiteral("r%1").arg(i);
    const QByteArray line = readings < 0
                                ? QByteArray("GL A")
                                : "GL A [" + values.join(QLatin1Char(',')).toLatin1() + "]";
    QSignalSpy ready(meter->transform.get(), &TTransform::replyValueReady);
    QCOMPARE(protocol.handleReply(line), delivered);
    QCOMPARE(ready.count(), delivered ? 1 : 0);
    if (delivered)
        QCOMPARE(meter->transform->replyText(),
                 reading == QLatin1String("line") ? QString::fromLatin1(line) : reading);
    node.setParentNode(nullptr);
}

void TestPVXBProtocol::twoTransformsOneParameter()
{
    DeviceNode node;
    node.setLabel(QStringLiteral("Bar Volume"));
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto first = makeParameter(QStringLiteral("strV"), 0, &node);
    auto second = makeParameter(QStringLiteral("strV"), 0, &node);

    QVERIFY(protocol.read(first->transform.get()));
    QVERIFY(!protocol.read(second->transform.get()));
    QCOMPARE(device.sentData(), Messages{"GA\"Bar Volume\">2\r"});

    QSignalSpy firstReady(first->transform.get(), &TTransform::replyValueReady);
    QSignalSpy secondReady(second->transform.get(), &TTransform::replyValueReady);
    QVERIFY(protocol.handleReply("GA\"Bar Volume\">2=-20.5"));
    QCOMPARE(firstReady.count(), 1);
    QCOMPARE(secondReady.count(), 1);
    float value = 0;
    second->transform->reply(&value);
    QCOMPARE(value, -20.5f);
    QCOMPARE(first->transform->replyText(), QStringLiteral("-20.5"));
}

void TestPVXBProtocol::destroyedTransformNotReached_data()
{
    QTest::addColumn<bool>("duringReply");
    QTest::newRow("before the reply") << false;
    QTest::newRow("by the first transform's reply signal") << true;
}

void TestPVXBProtocol::destroyedTransformNotReached()
{
    QFETCH(bool, duringReply);

    DeviceNode node;
    node.setLabel(QStringLiteral("Bar Volume"));
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto first = makeParameter(QStringLiteral("text"), 0, &node);
    auto second = makeParameter(QStringLiteral("text"), 0, &node);
    auto third = makeParameter(QStringLiteral("text"), 0, &node);
    for (const auto *parameter : {first.get(), second.get(), third.get()})
        protocol.read(parameter->transform.get());
    QSignalSpy thirdReady(third->transform.get(), &TTransform::replyValueReady);
    if (duringReply)
        connect(first->transform.get(), &TTransform::replyValueReady, this,
                [&second] { second->transform.reset(); });
    else
        second->transform.reset();

    QVERIFY(protocol.handleReply("GA\"Bar Volume\">2=5"));
    QVERIFY(!second->transform);
    QCOMPARE(first->transform->replyText(), QStringLiteral("5"));
    QCOMPARE(thirdReady.count(), 1);
    QCOMPARE(protocol.subscriptions().count(QStringLiteral("GA\"Bar Volume\">2")), 2);
}

void TestPVXBProtocol::subscribing()
{
    DeviceNode node;
    node.setLabel(QStringLiteral("Bar Volume"));
    FakeInterface device;
    PVXBProtocol protocol;
    protocol.setInterface(&device);
    QVERIFY(device.sent.isEmpty()); // nothing attached before the owner is known
    protocol.setOwner(&m_owner);
    QCOMPARE(device.sentData(), Messages{"SUB\r"});
    QVERIFY(protocol.handleReply("SUB,yes"));
    QVERIFY(protocol.isSubscribed());
    QVERIFY(device.subscriptionMode());
    device.sent.clear();

    auto parameter = makeParameter(QStringLiteral("text"), 0, &node);
    QVERIFY(protocol.read(parameter->transform.get()));
    QCOMPARE(device.sentData(), Messages{"SUB \"GA\"Bar Volume\">2\"\r"});
    QCOMPARE(device.sent.first().type, int(IInterface::Query));
    QCOMPARE(device.sent.first().expectedReply, QByteArray("SUB \"GA\"Bar Volume\">2\",yes"));

    QVERIFY(!protocol.read(parameter->transform.get()));
    QCOMPARE(device.sent.size(), 1);
    QCOMPARE(device.hostChecks, 1);

    auto meter = makeParameter(QStringLiteral("text"), 10, &node);
    QVERIFY(protocol.read(meter->transform.get()));
    QVERIFY(protocol.read(meter->transform.get()));
    QCOMPARE(device.sentData().mid(1), (Messages{"GL A\r", "GL A\r"}));

    auto state = makeParameter(QStringLiteral("bin8"), 4, &node);
    QVERIFY(protocol.read(state->transform.get()));
    QCOMPARE(device.sentData().last(), QByteArray("SUB \"GS\"\r"));

    QSignalSpy ready(parameter->transform.get(), &TTransform::replyValueReady);
    QVERIFY(protocol.handleReply("GA\"Bar Volume\">2=-1"));
    QCOMPARE(ready.count(), 1);
}

void TestPVXBProtocol::probeAnswers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("subscribed");

    QTest::newRow("yes") << QByteArray("SUB,yes") << true;
    QTest::newRow("yes, final CR") << QByteArray("SUB,yes\r") << true;
    QTest::newRow("no") << QByteArray("SUB,no") << false;
}

void TestPVXBProtocol::probeAnswers()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, subscribed);

    FakeInterface device;
    PVXBProtocol protocol;
    protocol.setInterface(&device);
    protocol.setOwner(&m_owner);
    QVERIFY(protocol.handleReply(answer));
    QCOMPARE(protocol.isSubscribed(), subscribed);
    QVERIFY(device.isSubscriptionModeSet());
    QCOMPARE(device.subscriptionMode(), subscribed);
    QCOMPARE(protocol.subscriptions().isEnabled(), subscribed);
}

void TestPVXBProtocol::probeTimeout_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("stillSubscribed");

    QTest::newRow("probe, on line") << "SUB" << true << false;
    QTest::newRow("probe, off line") << "SUB" << false << true;
    QTest::newRow("another message") << "GG a" << true << true;
}

void TestPVXBProtocol::probeTimeout()
{
    QFETCH(QString, expected);
    QFETCH(bool, online);
    QFETCH(bool, stillSubscribed);

    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, true);
    device.goOnline(online);
    protocol.onNoReply(expected);
    QCOMPARE(protocol.isSubscribed(), stillSubscribed);
    QCOMPARE(device.subscriptionMode(), stillSubscribed);
}

void TestPVXBProtocol::resubscribe()
{
    DeviceNode node;
    node.setLabel(QStringLiteral("Bar Volume"));
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, true);
    auto parameter = makeParameter(QStringLiteral("text"), 0, &node);
    QVERIFY(protocol.read(parameter->transform.get()));

    protocol.resubscribe();
    QVERIFY(!protocol.isSubscribed());
    QCOMPARE(protocol.subscriptions().count(), 0);
    device.sent.clear();
    QVERIFY(protocol.read(parameter->transform.get()));
    QCOMPARE(device.sentData(), Messages{"GA\"Bar Volume\">2\r"});
}

void TestPVXBProtocol::goingOffline()
{
    DeviceNode node;
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, true);
    auto parameter = makeParameter(QStringLiteral("text"), 0, &node);
    QVERIFY(protocol.read(parameter->transform.get()));
    QSignalSpy changed(&protocol, &PProtocol::onlineStateChanged);

    QVERIFY(!protocol.onOnlineStateChanged(true));
    QVERIFY(protocol.isSubscribed());
    QVERIFY(!protocol.onOnlineStateChanged(false));
    QVERIFY(!protocol.isSubscribed());
    QCOMPARE(protocol.subscriptions().count(), 0);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toBool(), false);
}

void TestPVXBProtocol::meterStatus()
{
    DeviceNode node;
    FakeInterface device;
    PVXBProtocol protocol;
    connectProtocol(protocol, device, false);
    auto meter = makeParameter(QStringLiteral("text"), 10, &node);

    QTest::ignoreMessage(QtWarningMsg, "TTransform is not provided for Meter Status");
    protocol.requestMeterStatus(nullptr);
    const CAttributes none;
    TTransform bare(none, &node);
    QTest::ignoreMessage(QtWarningMsg, "No attributes available.");
    protocol.requestMeterStatus(&bare);
    QVERIFY(device.sent.isEmpty());

    protocol.requestMeterStatus(meter->transform.get());
    QCOMPARE(device.sentData(), Messages{"GL A\r"});
    QCOMPARE(device.sent.first().expectedReply, QByteArray("GL A"));

    device.goOnline(false);
    protocol.requestMeterStatus(meter->transform.get());
    QCOMPARE(device.sent.size(), 1);
}

QTEST_GUILESS_MAIN(TestPVXBProtocol)
#include "tst_pvxbprotocol.moc"
