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
    void readsAndFollowsDevice_data();
    void readsAndFollowsDevice();
};

void TestDeviceLink::readsAndFollowsDevice_data()
{
    QTest::addColumn<bool>("subscriptions");
    QTest::newRow("device subscribes") << true;
    QTest::newRow("device is polled") << false;
}

void TestDeviceLink::readsAndFollowsDevice()
{
    QFETCH(bool, subscriptions);
    DeviceSimulator simulator;
    SimDeviceConfig config;
    config.name = Device;
    config.port = 0;
    simulator.addDevice(config);
    SimFaults faults;
    faults.noSubscribe = !subscriptions;
    simulator.setFaults(faults);
    QVERIFY2(simulator.listen(), qPrintable(simulator.errorString()));

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Link.cpf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(panelFile(simulator.port()).toUtf8());
    file.close();

    HRoot hardware;
    CComposite scenes(QStringLiteral("Scenes"), QString());
    QVERIFY(scenes.load(file.fileName(), &hardware, QString(), nullptr));
    auto *panel = qobject_cast<CComposite *>(scenes.findCurrent(QStringLiteral("Panels")));
    QVERIFY(panel);
    QCOMPARE(panel->childCount(), 2);
    TTransform *first = panel->child(0)->transform();
    TTransform *second = panel->child(1)->transform();
    QVERIFY(first && second);

    auto *chassis = qobject_cast<HChassis *>(hardware.findChassis(Device));
    QVERIFY(chassis && chassis->interface() && chassis->protocol());
    // The model owns the protocols in the program; here any owner lets subscriptions start.
    QObject owner;
    chassis->protocol()->setOwner(&owner);
    chassis->setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(chassis->interface()->isOnline(), 5000);
    // The probe's answer decides between subscribing and polling.
    QTRY_VERIFY(chassis->interface()->isSubscriptionModeSet());
    QCOMPARE(chassis->interface()->subscriptionMode(), subscriptions);

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
    chassis->setEnabled(false);
}

QTEST_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
