#include "canvas/cattributes.h"
#include "comm/routinginfo.h"
#include "comm/smsubscriptionmanager.h"
#include "comm/ttext.h"
#include "fakeinterface.h"
#include "hardware/hnode.h"

#include <QtTest>

#include <memory>

using Decisions = QStringList;

class TestSMSubscriptionManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTransform> makeTransform()
    {
        return std::make_unique<TText>(m_attributes, &m_node);
    }

    CAttributes m_attributes;
    HNode m_node;

private Q_SLOTS:
    void decisions_data();
    void decisions();
    void firstRequestRegistersProbe();
    void attachProbes_data();
    void attachProbes();
    void replyKeys_data();
    void replyKeys();
    void matchInTableOrder();
    void matchLowerCaseMeter();
    void clearForgetsAll_data();
    void clearForgetsAll();
    void withdrawal();
    void destroyedTransformLeavesTable();
};

void TestSMSubscriptionManager::decisions_data()
{
    // Each request is "key|structure|transform number".
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<Decisions>("expected");

    const QString bar = QStringLiteral("GA\"Bar Volume\">2");
    QTest::newRow("polling: two transforms, one parameter")
        << false << QStringList{bar + "|0|1", bar + "|0|2"} << Decisions{"POLL", ""};
    QTest::newRow("polling: the same transform twice")
        << false << QStringList{bar + "|0|1", bar + "|0|1"} << Decisions{"POLL", "POLL"};
    QTest::newRow("polling: second transform, then first again")
        << false << QStringList{bar + "|0|1", bar + "|0|2", bar + "|0|2", bar + "|0|1"}
        << Decisions{"POLL", "", "", "POLL"};
    QTest::newRow("polling: final CR is not part of the key")
        << false << QStringList{bar + "\r|0|1", bar + "|0|2"} << Decisions{"POLL", ""};
    QTest::newRow("polling: other structure is another registration")
        << false << QStringList{bar + "|0|1", bar + "|1|1"} << Decisions{"POLL", ""};
    QTest::newRow("subscribing: new parameter")
        << true << QStringList{bar + "|0|1"} << Decisions{"SUB"};
    QTest::newRow("subscribing: already subscribed is not subscribed again")
        << true << QStringList{bar + "|0|1", "SUB \"" + bar + "\"|0|1", bar + "|0|1"}
        << Decisions{"SUB", "SUB", ""};
    QTest::newRow("subscribing: without the subscription registered, again")
        << true << QStringList{bar + "|0|1", bar + "|0|1"} << Decisions{"SUB", "SUB"};
    QTest::newRow("subscribing: another transform on a subscribed parameter")
        << true << QStringList{bar + "|0|1", "SUB \"" + bar + "\"|0|1", bar + "|0|2"}
        << Decisions{"SUB", "SUB", "SUB"};
    QTest::newRow("subscribing: state under \"S\"")
        << true << QStringList{"S|4|1", "SUB \"GS\"|4|1", "S|4|1"} << Decisions{"SUB", "SUB", ""};
}

void TestSMSubscriptionManager::decisions()
{
    QFETCH(bool, enabled);
    QFETCH(QStringList, requests);
    QFETCH(Decisions, expected);

    auto first = makeTransform();
    auto second = makeTransform();
    SMSubscriptionManager manager;
    manager.setEnabled(enabled);
    Decisions got;
    for (const QString &request : std::as_const(requests)) {
        const QStringList fields = request.split(QLatin1Char('|'));
        TTransform *transform = fields.at(2) == QLatin1String("1") ? first.get() : second.get();
        got << manager.decide(fields.at(0), fields.at(1).toInt(), transform, QString());
    }
    QCOMPARE(got, expected);
}

void TestSMSubscriptionManager::firstRequestRegistersProbe()
{
    FakeInterface device;
    SMSubscriptionManager manager;
    manager.attach(&device);
    QCOMPARE(manager.count(QStringLiteral("SUB")), 1);
    device.sent.clear();
    manager.clear(false);

    auto transform = makeTransform();
    QCOMPARE(manager.decide(QStringLiteral("GG a"), 5, transform.get(), QString()),
             QStringLiteral("POLL"));
    QCOMPARE(manager.count(QStringLiteral("SUB")), 1);
    QCOMPARE(manager.count(QStringLiteral("GG a")), 1);
    QCOMPARE(device.sentData(), QList<QByteArray>{"SUB\r"});
    QCOMPARE(device.sent.first().type, int(IInterface::Query));
    QCOMPARE(device.sent.first().expectedReply, QByteArray("SUB"));
    QCOMPARE(device.sent.first().timeoutMs, 200u);

    const QList<RoutingInfo *> probe = manager.match("SUB,yes");
    QCOMPARE(probe.size(), 1);
    QCOMPARE(probe.first()->structure(), SMSubscriptionManager::probeStructure);
    QVERIFY(!probe.first()->transform());
}

void TestSMSubscriptionManager::attachProbes_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("modeKnown");
    QTest::addColumn<int>("probesAtAttach");
    QTest::addColumn<int>("probesAfterConnecting");

    QTest::newRow("on line, mode unknown") << true << false << 1 << 2;
    QTest::newRow("off line, mode unknown") << false << false << 0 << 1;
    QTest::newRow("on line, mode known") << true << true << 0 << 0;
}

void TestSMSubscriptionManager::attachProbes()
{
    QFETCH(bool, online);
    QFETCH(bool, modeKnown);
    QFETCH(int, probesAtAttach);
    QFETCH(int, probesAfterConnecting);

    FakeInterface device(online);
    if (modeKnown)
        device.setSubscriptionMode(false);
    SMSubscriptionManager manager;
    manager.attach(&device);
    QCOMPARE(device.sent.size(), probesAtAttach);
    device.goOnline(false);
    device.goOnline(true);
    QCOMPARE(device.sent.size(), probesAfterConnecting);
    for (const FakeInterface::Sent &message : std::as_const(device.sent))
        QCOMPARE(message.data, QByteArray("SUB\r"));
}

void TestSMSubscriptionManager::replyKeys_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("key");

    QTest::newRow("address reply")
        << QByteArray("GA\"Bar Volume\">2=-10.5") << "GA\"Bar Volume\">2";
    QTest::newRow("value with '='") << QByteArray("GA\"x\">1=a=b") << "GA\"x\">1";
    QTest::newRow("group reply") << QByteArray("GG a,78") << "GG a";
    QTest::newRow("probe answer") << QByteArray("SUB,yes") << "SUB";
    QTest::newRow("subscription answer")
        << QByteArray("SUB \"GA\"Bar Volume\">2\",yes") << "SUB \"GA\"Bar Volume\">2\"";
    QTest::newRow("room combining") << QByteArray("GRC 3,1,2,4") << "GRC 3,";
    QTest::newRow("room combining, no combo") << QByteArray("GRC 3\r") << "GRC 3,";
    QTest::newRow("meter") << QByteArray("GL A [1,2,3,4]") << "GL A";
    QTest::newRow("state") << QByteArray("S 1A") << "S";
    QTest::newRow("final CR") << QByteArray("S 1A\r") << "S";
    QTest::newRow("leading NAK") << QByteArray("\x15GA\"x\">1=3") << "GA\"x\">1";
    QTest::newRow("leading ACK") << QByteArray("\x06GA\"x\">1=3") << "GA\"x\">1";
    QTest::newRow("three commas") << QByteArray("a,b,c") << "";
    QTest::newRow("one word") << QByteArray("READY") << "";
}

void TestSMSubscriptionManager::replyKeys()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, key);
    QCOMPARE(SMSubscriptionManager::replyKey(line), key);
}

void TestSMSubscriptionManager::matchInTableOrder()
{
    auto first = makeTransform();
    auto second = makeTransform();
    auto other = makeTransform();
    SMSubscriptionManager manager;
    const QString bar = QStringLiteral("GA\"Bar Volume\">2");
    manager.decide(bar, 0, first.get(), QString());
    manager.decide(QStringLiteral("GA\"Bar Volume\">3"), 0, other.get(), QString());
    manager.decide(bar, 0, second.get(), QString());

    const QList<RoutingInfo *> infos = manager.match("GA\"Bar Volume\">2=-3");
    QCOMPARE(infos.size(), 2);
    QCOMPARE(infos.at(0)->transform(), first.get());
    QCOMPARE(infos.at(1)->transform(), second.get());
    QVERIFY(manager.match("GA\"Bar Volume\">4=-3").isEmpty());
}

void TestSMSubscriptionManager::matchLowerCaseMeter()
{
    auto meter = makeTransform();
    SMSubscriptionManager manager;
    manager.decide(QStringLiteral("GL A"), 10, meter.get(), QString());

    const QList<RoutingInfo *> infos = manager.match("GL a 12");
    QCOMPARE(infos.size(), 1);
    QCOMPARE(infos.first()->transform(), meter.get());
    QCOMPARE(infos.first()->structure(), 10);
}

void TestSMSubscriptionManager::clearForgetsAll_data()
{
    QTest::addColumn<bool>("withdraw");
    QTest::newRow("off line") << false;
    QTest::newRow("renewal") << true;
}

void TestSMSubscriptionManager::clearForgetsAll()
{
    QFETCH(bool, withdraw);

    FakeInterface device;
    device.setSubscriptionMode(true);
    auto transform = makeTransform();
    SMSubscriptionManager manager;
    manager.attach(&device);
    manager.setEnabled(true);
    manager.decide(QStringLiteral("GG a"), 5, transform.get(), QString());
    manager.decide(QStringLiteral("SUB \"GG a\""), 5, transform.get(), QString());
    QCOMPARE(manager.count(), 3);

    manager.clear(withdraw);
    QCOMPARE(manager.count(), 0);
    QVERIFY(manager.match("GG a,78").isEmpty());
    QVERIFY(manager.isEnabled());   // the flag is the protocol's to clear
    QVERIFY(device.sent.isEmpty()); // registrations carry no withdrawal text
    QCOMPARE(manager.decide(QStringLiteral("GG a"), 5, transform.get(), QString()),
             QStringLiteral("SUB"));
}

void TestSMSubscriptionManager::withdrawal()
{
    FakeInterface device;
    device.setSubscriptionMode(true);
    auto transform = makeTransform();
    SMSubscriptionManager manager;
    manager.attach(&device);
    manager.decide(QStringLiteral("GG a"), 5, transform.get(), QStringLiteral("SUB \"GG a\""));

    manager.onSelectedZoneChanged();
    QCOMPARE(manager.count(), 0);
    QCOMPARE(device.sentData(), QList<QByteArray>{"UNS \"GG a\"\r"});
    QCOMPARE(device.sent.first().expectedReply, QByteArray("UNS \"GG a\",yes"));
}

void TestSMSubscriptionManager::destroyedTransformLeavesTable()
{
    auto kept = makeTransform();
    auto dropped = makeTransform();
    SMSubscriptionManager manager;
    const QString bar = QStringLiteral("GA\"Bar Volume\">2");
    manager.decide(bar, 0, dropped.get(), QString());
    manager.decide(QStringLiteral("GG a"), 5, dropped.get(), QString());
    manager.decide(bar, 0, kept.get(), QString());
    QCOMPARE(manager.count(), 4); // with the probe

    dropped.reset();
    QCOMPARE(manager.count(), 2);
    QCOMPARE(manager.count(QStringLiteral("GG a")), 0);
    const QList<RoutingInfo *> infos = manager.match("GA\"Bar Volume\">2=1");
    QCOMPARE(infos.size(), 1);
    QCOMPARE(infos.first()->transform(), kept.get());
    // The surviving registration is now the key's first, so it is polled.
    QCOMPARE(manager.decide(bar, 0, kept.get(), QString()), QStringLiteral("POLL"));
}

QTEST_GUILESS_MAIN(TestSMSubscriptionManager)
#include "tst_smsubscriptionmanager.moc"
