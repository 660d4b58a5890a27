// The client against a misbehaving simulated device: replies cut into chunks or joined, meters
// named in lower case, commands met by silence or NAK, connections closed under it, slow replies.

#include "canvas/cattributes.h"
#include "comm/icomposite.h"
#include "comm/itcpclient.h"
#include "comm/pprotocol.h"
#include "comm/ttransform.h"
#include "comm/ttransformfactory.h"
#include "devicesimulator.h"
#include "hardware/haudioio.h"
#include "hardware/hblock.h"
#include "hardware/hchassis.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QString LeftGain = QStringLiteral("\"Bar Left Gain\">1");
const QString RightGain = QStringLiteral("\"Bar Right Gain\">1");
// Generous bounds for a loaded machine: 200 ms per attempt, 1500 ms per reconnection.
constexpr int SettleMs = 5000;

int count(const QList<QByteArray> &commands, const QByteArray &text)
{
    return int(std::count(commands.cbegin(), commands.cend(), text));
}

// The reading at index of a level reply "GL n [a,b,c,d]".
QString reading(const QByteArray &reply, int index)
{
    const int open = reply.indexOf('[');
    return QString::fromLatin1(reply.mid(open + 1, reply.size() - open - 2))
        .split(',')
        .value(index);
}
} // namespace

// One control's parameter: the attributes outlive the transform made from them.
struct Parameter
{
    CAttributes attributes;
    std::unique_ptr<TTransform> transform;
};

class TestDeviceFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void repliesReachTheirTransforms_data();
    void repliesReachTheirTransforms();
    void faultsAreSurvived_data();
    void faultsAreSurvived();
    void uselessOrSlowDeviceIsContained_data();
    void uselessOrSlowDeviceIsContained();

private:
    // A chassis on the simulator with two gain blocks and a USB input whose meter is "GL A".
    void connectTo(const SimFaults &faults);
    Parameter *addParameter(HNode *node, int structure, int index1);

    std::unique_ptr<DeviceSimulator> m_simulator;
    std::unique_ptr<HChassis> m_chassis;
    std::vector<std::unique_ptr<Parameter>> m_parameters;
    ITcpClient *m_client = nullptr;
    std::unique_ptr<QSignalSpy> m_active;
    QObject m_owner;
};

void TestDeviceFaults::init()
{
    m_simulator = std::make_unique<DeviceSimulator>();
    m_chassis = std::make_unique<HChassis>();
}

void TestDeviceFaults::cleanup()
{
    m_parameters.clear();
    m_active.reset();
    m_chassis.reset();
    m_simulator.reset();
    m_client = nullptr;
}

Parameter *TestDeviceFaults::addParameter(HNode *node, int structure, int index1)
{
    auto parameter = std::make_unique<Parameter>();
    const QString group = QStringLiteral("Property");
    parameter->attributes.setAttribute(group, QStringLiteral("transform"), QStringLiteral("strV"));
    parameter->attributes.setAttribute(group, QStringLiteral("struct"), QString::number(structure));
    parameter->attributes.setAttribute(group, QStringLiteral("index1"), QString::number(index1));
    parameter->transform = TTransformFactory::create(parameter->attributes, node);
    m_parameters.push_back(std::move(parameter));
    return m_parameters.back().get();
}

void TestDeviceFaults::connectTo(const SimFaults &faults)
{
    SimDeviceConfig config;
    config.name = QStringLiteral("Main");
    config.port = 0;
    m_simulator->addDevice(config);
    m_simulator->setFaults(faults);
    QVERIFY2(m_simulator->listen(), qPrintable(m_simulator->errorString()));

    const QList<QPair<QString, QString>> connection = {
        {QStringLiteral("title"), QStringLiteral("LX-2390")},
        {QStringLiteral("ipaddress"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("serialport"), QString::number(m_simulator->port())},
        {QStringLiteral("platform"), QStringLiteral("NVA")},
    };
    for (const auto &[name, value] : connection) {
        m_chassis->setConnectionAttribute(name, value);
        m_chassis->connectionAttributeEnded(name);
    }
    for (const QString &label :
         {QStringLiteral("Bar Left Gain"), QStringLiteral("Bar Right Gain")}) {
        auto *block = new HBlock;
        block->setLabel(label);
        QVERIFY(m_chassis->addNode(block));
        block->setReferenced(true);
    }
    auto *usb = new HAudioIO(QStringLiteral("USB"), HAudioIO::Input);
    usb->setTitle(QStringLiteral("USB 1"));
    usb->setPortIndex(1);
    QVERIFY(m_chassis->addNode(usb));

    m_client = qobject_cast<ITcpClient *>(m_chassis->interface());
    QVERIFY(m_client);
    m_active = std::make_unique<QSignalSpy>(m_client, &ITcpClient::connectionActive);
    m_chassis->protocol()->setOwner(&m_owner);
    m_chassis->setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(m_client->isOnline(), SettleMs);
    QTRY_VERIFY(m_client->isSubscriptionModeSet());
}

void TestDeviceFaults::repliesReachTheirTransforms_data()
{
    QTest::addColumn<bool>("subscriptions");
    QTest::addColumn<int>("splitBytes");
    QTest::addColumn<bool>("join");
    QTest::addColumn<bool>("lowerCaseMeter");

    QTest::newRow("whole replies, polled") << false << 0 << false << false;
    QTest::newRow("three-byte chunks, polled") << false << 3 << false << false;
    QTest::newRow("single bytes, subscribed") << true << 1 << false << false;
    // A subscription's answer and the value it brings leave together.
    QTest::newRow("joined, subscribed") << true << 0 << true << false;
    QTest::newRow("joined in two-byte chunks") << true << 2 << true << false;
    // "GL a [...]" finds the meter registered as "GL A". Polled, the reply would fail the
    // dispatcher's expected beginning "GL A" before it reaches the table.
    QTest::newRow("meter in lower case, subscribed") << true << 0 << false << true;
}

void TestDeviceFaults::repliesReachTheirTransforms()
{
    QFETCH(bool, subscriptions);
    QFETCH(int, splitBytes);
    QFETCH(bool, join);
    QFETCH(bool, lowerCaseMeter);
    SimFaults faults;
    faults.noSubscribe = !subscriptions;
    faults.splitBytes = splitBytes;
    faults.join = join;
    faults.lowerCaseMeter = lowerCaseMeter;
    connectTo(faults);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(m_client->subscriptionMode(), subscriptions);

    m_simulator->setValue(LeftGain, QStringLiteral("-12.5"));
    m_simulator->setValue(RightGain, QStringLiteral("4"));
    QByteArray meterReply;
    QObject listening;
    connect(m_simulator.get(), &DeviceSimulator::replyWritten, &listening,
            [&meterReply](const QString &, const QByteArray &entry) {
                if (entry.toUpper().startsWith("GL A "))
                    meterReply = entry;
            });

    // Two controls on the left gain, one on the right, one meter.
    TTransform *first = addParameter(m_chassis->child(0), 1, 1)->transform.get();
    TTransform *second = addParameter(m_chassis->child(0), 1, 1)->transform.get();
    TTransform *right = addParameter(m_chassis->child(1), 1, 1)->transform.get();
    TTransform *meter = addParameter(m_chassis->child(2), 10, 0)->transform.get();
    std::vector<std::unique_ptr<QSignalSpy>> ready;
    for (TTransform *transform : {first, second, right, meter}) {
        ready.push_back(std::make_unique<QSignalSpy>(transform, &TTransform::replyValueReady));
        m_chassis->protocol()->read(transform);
    }
    for (const auto &spy : ready)
        QTRY_VERIFY_WITH_TIMEOUT(spy->count() > 0, SettleMs);

    QCOMPARE(first->replyText(), QStringLiteral("-12.5"));
    QCOMPARE(second->replyText(), QStringLiteral("-12.5"));
    QCOMPARE(right->replyText(), QStringLiteral("4"));
    QVERIFY(!meterReply.isEmpty());
    QCOMPARE(meterReply.startsWith("GL a "), lowerCaseMeter);
    // The meter's channel has port index 1: the second of four readings.
    QCOMPARE(meter->replyText(), reading(meterReply, 1));
    const QList<QByteArray> commands = m_simulator->receivedCommands();
    // The left gain is asked once for both of its controls.
    QCOMPARE(count(commands, "GA" + LeftGain.toLatin1()), subscriptions ? 0 : 1);
    QCOMPARE(count(commands, "GL A"), 1);
}

void TestDeviceFaults::faultsAreSurvived_data()
{
    QTest::addColumn<int>("silentSets");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("stateWhenClosed");

    // Three attempts each, then the set is given up and the connection carries on.
    QTest::newRow("one set met by silence") << 1 << false << -1;
    QTest::newRow("closed after a command") << 0 << true << int(IInterface::Reconnecting);
}

void TestDeviceFaults::faultsAreSurvived()
{
    QFETCH(int, silentSets);
    QFETCH(bool, closed);
    QFETCH(int, stateWhenClosed);
    SimFaults faults;
    faults.noSubscribe = true;
    connectTo(faults);
    if (QTest::currentTestFailed())
        return;
    TTransform *fader = addParameter(m_chassis->child(0), 1, 1)->transform.get();
    const auto sets = [this](const QString &value) {
        return count(m_simulator->receivedCommands(),
                     "SA " + LeftGain.toLatin1() + '=' + value.toLatin1());
    };

    faults.noAnswerRate = 1.0;
    m_simulator->setFaults(faults);
    for (int i = 0; i < silentSets; ++i) {
        fader->setValueText(QString::number(-i));
        QVERIFY(m_chassis->protocol()->write(fader));
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_client->failureCount(), 3 * silentSets,
                              silentSets * 600 + SettleMs);
    for (int i = 0; i < silentSets; ++i)
        QCOMPARE(sets(QString::number(-i)), 3);
    QCOMPARE(m_client->state(), int(IInterface::Online));

    QList<int> states;
    QObject listening;
    connect(m_client, &ITcpClient::quitMessageProcessing, &listening,
            [this, &states] { states.append(m_client->state()); });
    faults.noAnswerRate = 0.0;
    faults.closeAfter = closed ? 1 : 0;
    m_simulator->setFaults(faults);
    fader->setValueText(QStringLiteral("-20"));
    QVERIFY(m_chassis->protocol()->write(fader));
    if (!closed) {
        // The given-up set is not sent again; the next one is taken at once.
        QTRY_COMPARE_WITH_TIMEOUT(m_simulator->value(LeftGain), QStringLiteral("-20"), SettleMs);
        QCOMPARE(sets(QStringLiteral("0")), 3);
        QCOMPARE(m_client->failureCount(), 3);
        QCOMPARE(m_client->state(), int(IInterface::Online));
        return;
    }

    QTRY_VERIFY_WITH_TIMEOUT(!m_client->isOnline(), SettleMs);
    QElapsedTimer offline;
    offline.start();
    faults.closeAfter = 0;
    m_simulator->setFaults(faults);
    QCOMPARE(states.value(0), stateWhenClosed);
    QCOMPARE(m_client->failureCount(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_client->isOnline(), ITcpClient::RetryIntervalMs + SettleMs);
    QVERIFY2(offline.elapsed() >= ITcpClient::RetryIntervalMs - 200,
             qPrintable(QString::number(offline.elapsed())));
    // Only the first connection announces itself.
    QCOMPARE(m_active->count(), 1);
    fader->setValueText(QStringLiteral("-30"));
    QVERIFY(m_chassis->protocol()->write(fader));
    QTRY_COMPARE_WITH_TIMEOUT(m_simulator->value(LeftGain), QStringLiteral("-30"), SettleMs);
}

void TestDeviceFaults::uselessOrSlowDeviceIsContained_data()
{
    QTest::addColumn<double>("nakRate");
    QTest::addColumn<double>("noAnswerRate");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("moves");

    // Two faders and a meter asked every 250 ms, or one fader sent a new value every 20 ms.
    QTest::newRow("NAKs everything") << 1.0 << 0.0 << 0 << 0;
    QTest::newRow("accepts and never answers") << 0.0 << 1.0 << 0 << 0;
    QTest::newRow("slow, polled") << 0.0 << 0.0 << 500 << 0;
    QTest::newRow("slow, fader dragged") << 0.0 << 0.0 << 500 << 20;
}

// A useless device leaves Online at once and counts as down while its link is back but it still
// fails. Replies 500 ms late, past the time-out, leave one queued entry per query and two per set
// target, and a dragged fader's last value reaches the device, none after a newer one.
void TestDeviceFaults::uselessOrSlowDeviceIsContained()
{
    QFETCH(double, nakRate);
    QFETCH(double, noAnswerRate);
    QFETCH(int, delayMs);
    QFETCH(int, moves);
    SimFaults faults;
    faults.noSubscribe = true;
    connectTo(faults);
    if (QTest::currentTestFailed())
        return;
    TTransform *left = addParameter(m_chassis->child(0), 1, 1)->transform.get();
    TTransform *right = addParameter(m_chassis->child(1), 1, 1)->transform.get();
    TTransform *meter = addParameter(m_chassis->child(2), 10, 0)->transform.get();
    faults.nakRate = nakRate;
    faults.noAnswerRate = noAnswerRate;
    faults.delayMs = delayMs;
    m_simulator->setFaults(faults);
    int longest = 0;
    int ticks = 0;
    QTimer poll;
    poll.setInterval(moves > 0 ? 20 : 250);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (++ticks <= moves) {
            left->setValueText(QString::number(-ticks));
            m_chassis->protocol()->write(left);
        } else if (moves == 0) {
            m_chassis->protocol()->read(left);
            m_chassis->protocol()->read(right);
            m_chassis->protocol()->requestMeterStatus(meter);
        }
        longest = std::max(longest, m_client->queuedCount());
    });
    poll.start();
    if (delayMs == 0) {
        IComposite indicator;
        indicator.add(m_client);
        QTRY_VERIFY_WITH_TIMEOUT(!m_client->isOnline(), SettleMs);
        QTRY_VERIFY_WITH_TIMEOUT(m_client->isOnline(), ITcpClient::RetryIntervalMs + SettleMs);
        QCOMPARE(indicator.answeringCount(), 0);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= std::max(moves, 12), SettleMs);
    QVERIFY2(longest <= (moves > 0 ? 2 : 3), qPrintable(QString::number(longest)));
    if (moves > 0) {
        QTRY_COMPARE_WITH_TIMEOUT(m_simulator->value(LeftGain), QString::number(-moves), SettleMs);
        QList<int> values;
        for (const QByteArray &command : m_simulator->receivedCommands()) {
            if (command.startsWith("SA "))
                values.append(command.split('=').last().toInt());
        }
        QVERIFY(std::is_sorted(values.cbegin(), values.cend(), std::greater<int>()));
    }
}

QTEST_MAIN(TestDeviceFaults)
#include "tst_devicefaults.moc"
