// The client's whole road to a device and back: a panel read from a file binds two controls to
// one parameter, the chassis connects to the simulator, polling reads the parameter and the
// device's values come back to the transforms.

#include "canvas/ccomposite.h"
#include "comm/iinterface.h"
#include "comm/pprotocol.h"
#include "comm/ttransform.h"
#include "devicesimulator.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
const QString Device = QStringLiteral("Chassis|||30216");
// The simulator keys values by address; the client reads them with the query.
const QString Address = QStringLiteral("\"Bar Left Gain\">1");
const QByteArray Query = "GA" + Address.toLatin1();

QString fader(const QString &name)
{
    return QStringLiteral("<Control name=\"%1\" type=\"Slider\"><block>Bar Left Gain</block>"
                          "<nodeID>21</nodeID><nodeCategory>Blocks</nodeCategory>"
                          "<connection>Chassis|||30216</connection>"
                          "<Property name=\"attributes\"><struct>1</struct><index1>1</index1>"
                          "<minimum>-100</minimum><maximum>12</maximum><transform>strV</transform>"
                          "</Property></Control>")
        .arg(name);
}

QString panelFile(quint16 port)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><VXB><Connections>"
                          "<Connection name=\"Chassis|||30216\"><Property name=\"attributes\">"
                          "<title>NVA-640</title><ipaddress>127.0.0.1</ipaddress>"
                          "<serialport>%1</serialport><platform>NVA</platform></Property>"
                          "</Connection></Connections><Scenes><Scene name=\"S\"><Panels>"
                          "<Panel name=\"P\" type=\"complete\"><Controls>%2%3</Controls></Panel>"
                          "</Panels></Scene></Scenes></VXB>")
        .arg(port)
        .arg(fader(QStringLiteral("Left A")), fader(QStringLiteral("Left B")));
}

int count(const QList<QByteArray> &commands, const QByteArray &text)
{
    return int(std::count(commands.cbegin(), commands.cend(), text));
}
} // namespace

class TestDeviceLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readsAndFollowsDevice_data();
    void readsAndFollowsDevice();
    void refusedWriteIsTriedThreeTimes();

private:
    // Simulator, panel file and trees; the chassis is connected and its mode decided.
    void connectTo(bool subscriptions);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DeviceSimulator> m_simulator;
    std::unique_ptr<HRoot> m_hardware;
    std::unique_ptr<CComposite> m_scenes;
    QObject m_owner; // the model owns the protocols in the program
    CComposite *m_panel = nullptr;
    HChassis *m_chassis = nullptr;
};

void TestDeviceLink::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_simulator = std::make_unique<DeviceSimulator>();
    m_hardware = std::make_unique<HRoot>();
    m_scenes = std::make_unique<CComposite>(QStringLiteral("Scenes"), QString());
}

void TestDeviceLink::cleanup()
{
    if (m_chassis)
        m_chassis->setEnabled(false);
    m_scenes.reset();
    m_hardware.reset();
    m_simulator.reset();
    m_chassis = nullptr;
    m_panel = nullptr;
}

void TestDeviceLink::connectTo(bool subscriptions)
{
    SimDeviceConfig config;
    config.name = Device;
    config.port = 0;
    m_simulator->addDevice(config);
    SimFaults faults;
    faults.noSubscribe = !subscriptions;
    m_simulator->setFaults(faults);
    QVERIFY2(m_simulator->listen(), qPrintable(m_simulator->errorString()));

    QFile file(m_dir->filePath(QStringLiteral("Link.cpf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(panelFile(m_simulator->port()).toUtf8());
    file.close();

    QVERIFY(m_scenes->load(file.fileName(), m_hardware.get(), QString(), nullptr));
    m_panel = qobject_cast<CComposite *>(m_scenes->findCurrent(QStringLiteral("Panels")));
    QVERIFY(m_panel);
    QCOMPARE(m_panel->childCount(), 2);
    QVERIFY(m_panel->child(0)->transform() && m_panel->child(1)->transform());

    m_chassis = qobject_cast<HChassis *>(m_hardware->findChassis(Device));
    QVERIFY(m_chassis && m_chassis->interface() && m_chassis->protocol());
    m_chassis->protocol()->setOwner(&m_owner);
    m_chassis->setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(m_chassis->interface()->isOnline(), 5000);
    // The probe's answer decides between subscribing and polling.
    QTRY_VERIFY(m_chassis->interface()->isSubscriptionModeSet());
    QCOMPARE(m_chassis->interface()->subscriptionMode(), subscriptions);
}

void TestDeviceLink::readsAndFollowsDevice_data()
{
    QTest::addColumn<bool>("subscriptions");
    QTest::newRow("device subscribes") << true;
    QTest::newRow("device is polled") << false;
}

void TestDeviceLink::readsAndFollowsDevice()
{
    QFETCH(bool, subscriptions);
    connectTo(subscriptions);
    if (QTest::currentTestFailed())
        return;
    DeviceSimulator &simulator = *m_simulator;
    CComposite *panel = m_panel;
    TTransform *first = panel->child(0)->transform();
    TTransform *second = panel->child(1)->transform();

    QSignalSpy firstReady(first, &TTransform::replyValueReady);
    QSignalSpy secondReady(second, &TTransform::replyValueReady);
    simulator.setValue(Address, QStringLiteral("-12.5"));
    // Nine ticks: a divider of four reads on the first, fifth and ninth.
    for (int tick = 0; tick < 9; ++tick) {
        panel->poll();
        QTRY_COMPARE(panel->pollCursor(), panel->childCount());
    }
    QTRY_VERIFY(firstReady.count() > 0 && secondReady.count() > 0);
    QCOMPARE(first->replyText(), QStringLiteral("-12.5"));
    QCOMPARE(second->replyText(), QStringLiteral("-12.5"));

    const QList<QByteArray> commands = simulator.receivedCommands();
    const QByteArray subscribe = "SUB \"" + Query + "\"";
    // Each registration subscribes once and is never asked again; polling reads the parameter
    // once per read tick for both controls.
    QCOMPARE(count(commands, subscribe), subscriptions ? 2 : 0);
    QCOMPARE(count(commands, Query), subscriptions ? 0 : 3);

    if (subscriptions) {
        // A subscribed parameter follows the device without being asked again.
        simulator.setValue(Address, QStringLiteral("3"));
        QTRY_COMPARE(first->replyText(), QStringLiteral("3"));
        QCOMPARE(second->replyText(), QStringLiteral("3"));
        QCOMPARE(count(simulator.receivedCommands(), Query), 0);
    }
}

void TestDeviceLink::refusedWriteIsTriedThreeTimes()
{
    connectTo(false);
    if (QTest::currentTestFailed())
        return;
    SimFaults faults = m_simulator->faults();
    faults.nakRate = 1.0;
    m_simulator->setFaults(faults);

    TTransform *fader = m_panel->child(0)->transform();
    fader->setValueText(QStringLiteral("-6"));
    QVERIFY(m_chassis->protocol()->write(fader));
    const auto sets = [this] {
        const QList<QByteArray> commands = m_simulator->receivedCommands();
        return std::count_if(commands.cbegin(), commands.cend(), [](const QByteArray &command) {
            return command.startsWith("SA \"Bar Left Gain\">1=");
        });
    };
    // 200 ms per attempt; the bound leaves room for a loaded machine.
    QTRY_COMPARE_WITH_TIMEOUT(m_chassis->interface()->failureCount(), 3, 5000);
    QCOMPARE(sets(), 3);
}

QTEST_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
