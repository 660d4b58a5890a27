#include "devicesimulator.h"
#include "lineclient.h"
#include "simlimits.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(SimFaults)

namespace {

const QByteArray Ack(1, 0x06);
const QByteArray Nak(1, 0x15);
const QString DeviceName = QStringLiteral("Device");

std::unique_ptr<DeviceSimulator> startSimulator(const SimFaults &faults = SimFaults(),
                                                const QString &platform = QStringLiteral("NVA"),
                                                quint32 seed = 7)
{
    auto simulator = std::make_unique<DeviceSimulator>();
    SimDeviceConfig config;
    config.name = DeviceName;
    config.port = 0;
    config.platform = platform;
    simulator->setSeed(seed);
    simulator->addDevice(config);
    simulator->setFaults(faults);
    if (!simulator->listen())
        return nullptr;
    return simulator;
}

// The bracketed readings of a level reply, or an empty list when the reply is malformed.
QList<double> readings(const QByteArray &reply, const QByteArray &query)
{
    const QString text = QString::fromLatin1(reply);
    if (!reply.startsWith(query + " [") || !reply.endsWith(']'))
        return {};
    QList<double> values;
    const QString inner = text.mid(query.size() + 2).chopped(1);
    for (const QString &piece : inner.split(QLatin1Char(','))) {
        bool ok = false;
        values.append(piece.toDouble(&ok));
        if (!ok)
            return {};
    }
    return values;
}

} // namespace

class TestDeviceSimulator : public QObject
{
    Q_OBJECT

private slots:
    void setIsAcknowledgedAndKeptAcrossConnections_data();
    void setIsAcknowledgedAndKeptAcrossConnections();
    void queryAnswersWithItsReplyKey_data();
    void queryAnswersWithItsReplyKey();
    void unknownCommandIsNaked_data();
    void unknownCommandIsNaked();
    void combosFollowSetTextsFromAnyConnection_data();
    void combosFollowSetTextsFromAnyConnection();
    void subscriptionPushesChangesFromAnyConnection_data();
    void subscriptionPushesChangesFromAnyConnection();
    void unsubscribedConnectionHearsNothing();
    void faultAnswers_data();
    void faultAnswers();
    void delayHoldsRepliesBack();
    void splitWritesChunks_data();
    void splitWritesChunks();
    void joinPutsPendingRepliesInOneWrite();
    void closeAfterEndsConnection_data();
    void closeAfterEndsConnection();
    void refuseRejectsUntilLifted();
    void meterReadingsMove_data();
    void meterReadingsMove();
    void meterReadingsFollowTheSeed();
    void commandsAreRecordedAndSignalled();
    void manyLinesInOneWriteAreAnsweredAndFewKept_data();
    void manyLinesInOneWriteAreAnsweredAndFewKept();
    void clientPastALimitIsDroppedOthersServed_data();
    void clientPastALimitIsDroppedOthersServed();
    void logWritesCommandsAndReplies();
    void demoProjectGivesDevicesAndDefaults();
    void telephonePlaysCalls_data();
    void telephonePlaysCalls();
    void projectDialersAreTelephones();
};

void TestDeviceSimulator::setIsAcknowledgedAndKeptAcrossConnections_data()
{
    QTest::addColumn<QByteArray>("set");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("separator");

    QTest::newRow("block, one index") << QByteArray("SA \"Bar Volume\">2=-10.5")
                                      << QByteArray("GA\"Bar Volume\">2") << "\"Bar Volume\">2"
                                      << "-10.5" << QByteArray("=");
    QTest::newRow("channel") << QByteArray("SA\"Mic 1\">3=O") << QByteArray("GA\"Mic 1\">3")
                             << "\"Mic 1\">3"
                             << "O" << QByteArray("=");
    QTest::newRow("block, two indices")
        << QByteArray("SA \"Mixer\">1>4=-3.0") << QByteArray("GA\"Mixer\">1>4") << "\"Mixer\">1>4"
        << "-3.0" << QByteArray("=");
    QTest::newRow("through a link")
        << QByteArray("SA \"Router\">7>2=1") << QByteArray("GA \"Router\">7>2") << "\"Router\">7>2"
        << "1" << QByteArray("=");
    QTest::newRow("matrix") << QByteArray("MA \"Matrix\">5=1") << QByteArray("GA\"Matrix\">0>5")
                            << "\"Matrix\">0>5"
                            << "1" << QByteArray("=");
    QTest::newRow("group level") << QByteArray("SG a,63") << QByteArray("GG a") << "GG a"
                                 << "63" << QByteArray(",");
    QTest::newRow("group mute") << QByteArray("SN 1f,1") << QByteArray("GN 1f") << "GN 1f"
                                << "1" << QByteArray(",");
}

void TestDeviceSimulator::setIsAcknowledgedAndKeptAcrossConnections()
{
    QFETCH(QByteArray, set);
    QFETCH(QByteArray, query);
    QFETCH(QString, address);
    QFETCH(QString, value);
    QFETCH(QByteArray, separator);

    auto simulator = startSimulator();
    QVERIFY(simulator);
    {
        LineClient writer;
        QVERIFY(writer.connectTo(simulator->port()));
        QCOMPARE(writer.ask(set), Ack);
    }
    QCOMPARE(simulator->value(address), value);
    LineClient reader;
    QVERIFY(reader.connectTo(simulator->port()));
    QCOMPARE(reader.ask(query), query + separator + value.toLatin1());
}

void TestDeviceSimulator::queryAnswersWithItsReplyKey_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("replyKey");

    QTest::newRow("GA without blank")
        << "\"Bar Volume\">2"
        << "-4.5" << QByteArray("GA\"Bar Volume\">2") << QByteArray("GA\"Bar Volume\">2=");
    QTest::newRow("GA with blank")
        << "\"Router\">3>1"
        << "2" << QByteArray("GA \"Router\">3>1") << QByteArray("GA \"Router\">3>1=");
    QTest::newRow("GG") << "GG a"
                        << "78" << QByteArray("GG a") << QByteArray("GG a,");
    QTest::newRow("GN") << "GN 3"
                        << "1" << QByteArray("GN 3") << QByteArray("GN 3,");
    QTest::newRow("GS") << "S"
                        << "1a" << QByteArray("GS ") << QByteArray("S ");
    QTest::newRow("GRC") << "GRC 1"
                         << "[1,2]" << QByteArray("GRC 1") << QByteArray("GRC 1,");
}

void TestDeviceSimulator::queryAnswersWithItsReplyKey()
{
    QFETCH(QString, address);
    QFETCH(QString, value);
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, replyKey);

    auto simulator = startSimulator();
    QVERIFY(simulator);
    simulator->setValue(address, value);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    QCOMPARE(client.ask(query), replyKey + value.toLatin1());
}

void TestDeviceSimulator::unknownCommandIsNaked_data()
{
    QTest::addColumn<QByteArray>("command");

    QTest::newRow("unknown word") << QByteArray("XYZ 1");
    QTest::newRow("unclosed block") << QByteArray("GA\"Bar Volume>2");
    QTest::newRow("set without value") << QByteArray("SA \"Bar Volume\">2");
    QTest::newRow("GA without index") << QByteArray("GA\"Bar Volume\">");
    QTest::newRow("group not hexadecimal") << QByteArray("GG zz");
    QTest::newRow("group set without comma") << QByteArray("SG 1");
    QTest::newRow("level without meter") << QByteArray("GL");
    QTest::newRow("subscription to a set") << QByteArray("SUB \"SA \"B\">1=2\"");
    QTest::newRow("SRC room not a number") << QByteArray("SRC 1,1,x,J");
    QTest::newRow("SRC room joins itself") << QByteArray("SRC 1,2,2,J");
    QTest::newRow("SRC unclosed combo") << QByteArray("SRC 1,[1,3");
    QTest::newRow("SRC room in two combos") << QByteArray("SRC 1,[1,3][3,4]");
    QTest::newRow("SRC huge room") << QByteArray("SRC 1,[1,99999999999]");
    QTest::newRow("SRC one bad text of two") << QByteArray("SRC 1,[1,3];SRC 1,2");
    QTest::newRow("GRC absurd group") << QByteArray("GRC 4000000000");
}

void TestDeviceSimulator::unknownCommandIsNaked()
{
    QFETCH(QByteArray, command);

    auto simulator = startSimulator();
    QVERIFY(simulator);
    simulator->setValue(QStringLiteral("GRC 1"), QStringLiteral("[1,2]"));
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    QCOMPARE(client.ask(command), Nak);
    QCOMPARE(simulator->statistics().faults(DeviceName, QStringLiteral("unknown")), 1);
    QCOMPARE(client.ask("GRC 1"), QByteArray("GRC 1,[1,2]"));
}

void TestDeviceSimulator::combosFollowSetTextsFromAnyConnection_data()
{
    using Lines = QList<QByteArray>;
    QTest::addColumn<Lines>("sets");
    QTest::addColumn<QByteArray>("state");
    QTest::newRow("none") << Lines{} << QByteArray("GRC 1,");
    QTest::newRow("join makes a pair") << Lines{"SRC 1,3,1,J"} << QByteArray("GRC 1,[3,1]");
    QTest::newRow("joins in order")
        << Lines{"SRC 1,1,2,J", "SRC 1,2,4,J"} << QByteArray("GRC 1,[1,2,4]");
    QTest::newRow("join moves a room")
        << Lines{"SRC 1,[1,2,3][4,5]", "SRC 1,4,3,J"} << QByteArray("GRC 1,[1,2][4,5,3]");
    QTest::newRow("split leaves the rest")
        << Lines{"SRC 1,[1,2,3]", "SRC 1,1,2,S"} << QByteArray("GRC 1,[1,3]");
    QTest::newRow("split dissolves a pair")
        << Lines{"SRC 1,[5,6][1,2]", "SRC 1,2,1,S"} << QByteArray("GRC 1,[5,6]");
    QTest::newRow("split from another combo")
        << Lines{"SRC 1,[1,2][3,4]", "SRC 1,1,3,S"} << QByteArray("GRC 1,[1,2][3,4]");
    QTest::newRow("split and join in one line")
        << Lines{"SRC 1,[1,2][3,4]", "SRC 1,1,2,S;SRC 1,3,2,J"} << QByteArray("GRC 1,[3,4,2]");
    QTest::newRow("whole state, order kept")
        << Lines{"SRC 1,[3,4,10][1,2]"} << QByteArray("GRC 1,[3,4,10][1,2]");
    QTest::newRow("whole state replaces")
        << Lines{"SRC 1,[1,2]", "SRC 1,[3,4][5]"} << QByteArray("GRC 1,[3,4]");
    QTest::newRow("other group") << Lines{"SRC 2,[1,2]", "SRC 2,1,3,J"} << QByteArray("GRC 1,");
}

void TestDeviceSimulator::combosFollowSetTextsFromAnyConnection()
{
    QFETCH(QList<QByteArray>, sets);
    QFETCH(QByteArray, state);
    auto simulator = startSimulator();
    QVERIFY(simulator);
    LineClient watcher;
    QVERIFY(watcher.connectTo(simulator->port()));
    watcher.send("SUB \"GRC 1\"");
    QVERIFY(watcher.waitForEntries(2));
    QCOMPARE(watcher.takeEntries().last(), QByteArray("GRC 1,"));
    LineClient writer;
    QVERIFY(writer.connectTo(simulator->port()));
    for (const QByteArray &set : std::as_const(sets))
        QCOMPARE(writer.ask(set), Ack);
    // The state query comes after every push; the sentinel marks its answer as the last.
    watcher.send({"GRC 1", "GS"});
    QTRY_VERIFY(!watcher.entries().isEmpty() && watcher.entries().last() == "S 0");
    const QList<QByteArray> heard = watcher.takeEntries();
    QCOMPARE(heard.at(heard.size() - 2), state);
    if (state != "GRC 1,")
        QCOMPARE(heard.at(heard.size() - 3), state);
}

void TestDeviceSimulator::subscriptionPushesChangesFromAnyConnection_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("set");
    QTest::addColumn<QByteArray>("push");

    QTest::newRow("GA") << QByteArray("GA\"Bar Volume\">2") << QByteArray("SA \"Bar Volume\">2=-3")
                        << QByteArray("GA\"Bar Volume\">2=-3");
    QTest::newRow("GG") << QByteArray("GG 1") << QByteArray("SG 1,64") << QByteArray("GG 1,64");
    QTest::newRow("GS") << QByteArray("GS") << QByteArray("SS 2 ") << QByteArray("S 2");
}

void TestDeviceSimulator::subscriptionPushesChangesFromAnyConnection()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, set);
    QFETCH(QByteArray, push);

    auto simulator = startSimulator();
    QVERIFY(simulator);
    LineClient subscriber;
    QVERIFY(subscriber.connectTo(simulator->port()));
    QCOMPARE(subscriber.ask("SUB"), QByteArray("SUB,yes"));
    const QByteArray subscription = "SUB \"" + query + '"';
    subscriber.send(subscription);
    QVERIFY(subscriber.waitForEntries(3));
    QCOMPARE(subscriber.entries().at(1), subscription + ",yes");
    subscriber.takeEntries();

    LineClient writer;
    QVERIFY(writer.connectTo(simulator->port()));
    QCOMPARE(writer.ask(set), Ack);
    QVERIFY(subscriber.waitForEntries(1));
    QCOMPARE(subscriber.takeEntries(), QList<QByteArray>{push});
    QCOMPARE(simulator->statistics().subscriptions(DeviceName), 1);
}

void TestDeviceSimulator::unsubscribedConnectionHearsNothing()
{
    auto simulator = startSimulator();
    QVERIFY(simulator);
    LineClient subscriber;
    QVERIFY(subscriber.connectTo(simulator->port()));
    subscriber.send("SUB \"GG 2\"");
    QVERIFY(subscriber.waitForEntries(2));
    QCOMPARE(subscriber.ask("UNS \"GG 2\""), QByteArray("UNS \"GG 2\",yes"));
    subscriber.takeEntries();

    simulator->setValue(QStringLiteral("GG 2"), QStringLiteral("70"));
    // The state query is the sentinel: an unwanted push would arrive before its answer.
    QCOMPARE(subscriber.ask("GS"), QByteArray("S 0"));
    QCOMPARE(subscriber.entries().size(), 1);
}

void TestDeviceSimulator::faultAnswers_data()
{
    QTest::addColumn<SimFaults>("faults");
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<QList<QByteArray>>("expected");

    SimFaults noSubscribe;
    noSubscribe.noSubscribe = true;
    QTest::newRow("no-subscribe") << noSubscribe << QList<QByteArray>{"SUB", "SUB \"GS\""}
                                  << QList<QByteArray>{"SUB,no", "SUB \"GS\",no"};
    SimFaults silentProbe;
    silentProbe.silentProbe = true;
    QTest::newRow("silent-probe") << silentProbe << QList<QByteArray>{"SUB"} << QList<QByteArray>{};
    SimFaults nak;
    nak.nakRate = 1.0;
    QTest::newRow("nak-rate 1") << nak << QList<QByteArray>{"GA\"B\">1", "SA \"B\">1=2", "SUB"}
                                << QList<QByteArray>{Nak, Nak, Nak};
    SimFaults silent;
    silent.noAnswerRate = 1.0;
    QTest::newRow("no-answer-rate 1")
        << silent << QList<QByteArray>{"GA\"B\">1", "SG 1,2"} << QList<QByteArray>{};
    QTest::newRow("no fault") << SimFaults() << QList<QByteArray>{"SUB", "GA\"B\">1"}
                              << QList<QByteArray>{"SUB,yes", "GA\"B\">1=0"};
}

void TestDeviceSimulator::faultAnswers()
{
    QFETCH(SimFaults, faults);
    QFETCH(QList<QByteArray>, commands);
    QFETCH(QList<QByteArray>, expected);

    auto simulator = startSimulator(faults);
    QVERIFY(simulator);
    QSignalSpy received(simulator.get(), &DeviceSimulator::commandReceived);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    client.send(commands);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), commands.size(), 5000);

    // Lifting the faults and asking once more shows that nothing else was on its way.
    simulator->setFaults(SimFaults());
    client.send("GS");
    QVERIFY(client.waitForEntries(expected.size() + 1));
    QCOMPARE(client.takeEntries(), expected + QList<QByteArray>{"S 0"});
}

void TestDeviceSimulator::delayHoldsRepliesBack()
{
    SimFaults faults;
    faults.delayMs = 300;
    auto simulator = startSimulator(faults);
    QVERIFY(simulator);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(client.ask("GG 1"), QByteArray("GG 1,0"));
    QVERIFY2(clock.elapsed() >= faults.delayMs, qPrintable(QString::number(clock.elapsed())));
}

void TestDeviceSimulator::splitWritesChunks_data()
{
    QTest::addColumn<int>("chunk");
    QTest::newRow("1") << 1;
    QTest::newRow("3") << 3;
    QTest::newRow("7") << 7;
}

void TestDeviceSimulator::splitWritesChunks()
{
    QFETCH(int, chunk);

    SimFaults faults;
    faults.splitBytes = chunk;
    auto simulator = startSimulator(faults);
    QVERIFY(simulator);
    QSignalSpy written(simulator.get(), &DeviceSimulator::bytesWritten);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    const QByteArray query("GA\"Bar Volume\">2");
    const QByteArray reply = client.ask(query);
    QCOMPARE(reply, query + "=0");

    QByteArray joined;
    for (const QList<QVariant> &arguments : std::as_const(written)) {
        const QByteArray piece = arguments.at(1).toByteArray();
        QVERIFY(piece.size() <= chunk);
        joined += piece;
    }
    QCOMPARE(joined, reply + '\r');
    QCOMPARE(written.size(), (joined.size() + chunk - 1) / chunk);
}

void TestDeviceSimulator::joinPutsPendingRepliesInOneWrite()
{
    SimFaults faults;
    faults.join = true;
    auto simulator = startSimulator(faults);
    QVERIFY(simulator);
    QSignalSpy written(simulator.get(), &DeviceSimulator::bytesWritten);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    client.send({"SG 1,70", "GG 1", "GN 1"});
    QVERIFY(client.waitForEntries(3));
    QCOMPARE(client.entries(), (QList<QByteArray>{Ack, "GG 1,70", "GN 1,0"}));
    QCOMPARE(written.size(), 1);
    QCOMPARE(written.at(0).at(1).toByteArray(), Ack + ";GG 1,70;GN 1,0\r");
}

void TestDeviceSimulator::closeAfterEndsConnection_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("1") << 1;
    QTest::newRow("3") << 3;
}

void TestDeviceSimulator::closeAfterEndsConnection()
{
    QFETCH(int, limit);

    SimFaults faults;
    faults.closeAfter = limit;
    auto simulator = startSimulator(faults);
    QVERIFY(simulator);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    QSignalSpy disconnected(&client.socket(), &QTcpSocket::disconnected);
    for (int i = 0; i < limit - 1; ++i)
        QCOMPARE(client.ask("GG 1"), QByteArray("GG 1,0"));
    QCOMPARE(disconnected.size(), 0);
    // The last command allowed is still answered, then the connection ends.
    client.send({"GN 1", "GN 2"});
    QVERIFY(disconnected.wait(5000));
    QCOMPARE(client.entries().size(), limit);
    QCOMPARE(client.entries().last(), QByteArray("GN 1,0"));
    QCOMPARE(simulator->statistics().faults(DeviceName, QStringLiteral("closed")), 1);

    LineClient next;
    QVERIFY(next.connectTo(simulator->port()));
    QCOMPARE(next.ask("GG 1"), QByteArray("GG 1,0"));
}

void TestDeviceSimulator::refuseRejectsUntilLifted()
{
    SimFaults faults;
    faults.refuse = true;
    auto simulator = startSimulator(faults);
    QVERIFY(simulator);
    QVERIFY(simulator->port() != 0);
    LineClient refused;
    QVERIFY(!refused.connectTo(simulator->port()));
    QCOMPARE(refused.socket().error(), QAbstractSocket::ConnectionRefusedError);

    simulator->setFaults(SimFaults());
    LineClient accepted;
    QVERIFY(accepted.connectTo(simulator->port()));
    QCOMPARE(accepted.ask("GS"), QByteArray("S 0"));
}

void TestDeviceSimulator::meterReadingsMove_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<int>("width");

    QTest::newRow("processor") << "NVA" << QByteArray("GL A") << 4;
    QTest::newRow("amplifier") << "LZ" << QByteArray("GL 1F") << 8;
}

void TestDeviceSimulator::meterReadingsMove()
{
    QFETCH(QString, platform);
    QFETCH(QByteArray, query);
    QFETCH(int, width);

    auto simulator = startSimulator(SimFaults(), platform);
    QVERIFY(simulator);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    QList<QList<double>> series;
    for (int i = 0; i < 40; ++i) {
        const QByteArray reply = client.ask(query);
        const QList<double> values = readings(reply, query);
        QVERIFY2(values.size() == width, reply.constData());
        for (double value : values)
            QVERIFY(value >= -60.0 && value <= 0.0);
        series.append(values);
    }
    int changes = 0;
    for (int i = 1; i < series.size(); ++i)
        changes += series[i] != series[i - 1] ? 1 : 0;
    QVERIFY2(changes > series.size() / 2, qPrintable(QString::number(changes)));
}

void TestDeviceSimulator::meterReadingsFollowTheSeed()
{
    const auto run = [](quint32 seed) {
        auto simulator = startSimulator(SimFaults(), QStringLiteral("NVA"), seed);
        LineClient client;
        QList<QByteArray> replies;
        if (!simulator || !client.connectTo(simulator->port()))
            return replies;
        for (int i = 0; i < 10; ++i)
            replies.append(client.ask("GL 2"));
        return replies;
    };
    const QList<QByteArray> first = run(11);
    QCOMPARE(first.size(), 10);
    QCOMPARE(run(11), first);
    QVERIFY(run(12) != first);
}

void TestDeviceSimulator::commandsAreRecordedAndSignalled()
{
    auto simulator = startSimulator();
    QVERIFY(simulator);
    QSignalSpy received(simulator.get(), &DeviceSimulator::commandReceived);
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    const QList<QByteArray> commands{"SUB", "GG 1", "SG 1,70", "BAD"};
    client.send(commands);
    QVERIFY(client.waitForEntries(commands.size()));
    QCOMPARE(simulator->receivedCommands(), commands);
    QCOMPARE(simulator->receivedCommands(DeviceName), commands);
    QCOMPARE(received.size(), commands.size());
    QCOMPARE(received.at(2).at(0).toString(), DeviceName);
    QCOMPARE(received.at(2).at(1).toByteArray(), commands.at(2));
    QCOMPARE(simulator->statistics().commands(DeviceName, QStringLiteral("SG")), 1);
    QCOMPARE(simulator->statistics().commands(DeviceName, QStringLiteral("unknown")), 1);
    QVERIFY(simulator->summary().contains(QStringLiteral("commands 4")));
}

void TestDeviceSimulator::manyLinesInOneWriteAreAnsweredAndFewKept_data()
{
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("count");
    QTest::newRow("CR") << QByteArray("\r") << 1 << SimLimits::RecordedCommands + 100;
    // Meets the byte budget of the record before its count.
    QTest::newRow("CR LF, long") << QByteArray("\r\n") << 2000
                                 << int(SimLimits::RecordedBytes / 2000 + 100);
}

void TestDeviceSimulator::manyLinesInOneWriteAreAnsweredAndFewKept()
{
    QFETCH(QByteArray, separator);
    QFETCH(int, nameLength);
    QFETCH(int, count);
    auto simulator = startSimulator();
    QVERIFY(simulator);
    QList<QByteArray> commands, replies;
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        commands.append("GA\"" + QByteArray(nameLength, 'n') + "\">" + QByteArray::number(i));
        replies.append(commands.last() + "=0");
        bytes += commands.last() + separator;
    }
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    client.socket().write(bytes);
    QVERIFY(client.waitForEntries(count, 30000));
    QCOMPARE(client.entries(), replies);
    QCOMPARE(simulator->statistics().commands(DeviceName, QStringLiteral("GA")), count);
    const QList<QByteArray> kept = simulator->receivedCommands();
    QVERIFY(kept.size() <= SimLimits::RecordedCommands && kept.size() < count);
    QCOMPARE(kept, commands.mid(count - kept.size()));
}

void TestDeviceSimulator::clientPastALimitIsDroppedOthersServed_data()
{
    QTest::addColumn<QByteArray>("round");
    const QByteArray tooLong(SimLimits::LineBytes + 1, 'x');
    QTest::newRow("line without end") << tooLong;
    QTest::newRow("line ending past the cap") << tooLong + '\r';
    // Each round asks for less than the cap: only replies piling up unread exceed it.
    QTest::newRow("replies never read") << QByteArray("GA\"Big\">1\r").repeated(20);
}

void TestDeviceSimulator::clientPastALimitIsDroppedOthersServed()
{
    QFETCH(QByteArray, round);
    auto simulator = startSimulator();
    QVERIFY(simulator);
    simulator->setValue(QStringLiteral("\"Big\">1"), QString(60000, QLatin1Char('v')));
    LineClient other;
    QVERIFY(other.connectTo(simulator->port()));
    QTcpSocket greedy;
    greedy.setReadBufferSize(16); // and it never reads them
    greedy.connectToHost(QHostAddress(QHostAddress::LocalHost), simulator->port());
    QVERIFY(greedy.waitForConnected(5000));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("drops a client")));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("drops a client")));
    QSignalSpy received(simulator.get(), &DeviceSimulator::commandReceived);
    const auto dropped = [&] { return simulator->statistics().faults(DeviceName, "dropped"); };
    for (int i = 1; i <= 100 && dropped() == 0; ++i) {
        greedy.write(round);
        QTRY_VERIFY(dropped() > 0 ||
                    (!received.isEmpty() && received.size() >= i * round.count('\r')));
    }
    QCOMPARE(dropped(), 1);
    QCOMPARE(other.ask("GS"), QByteArray("S 0"));
}

void TestDeviceSimulator::logWritesCommandsAndReplies()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("traffic.log"));
    auto simulator = std::make_unique<DeviceSimulator>();
    SimDeviceConfig config;
    config.name = DeviceName;
    config.port = 0;
    simulator->addDevice(config);
    QVERIFY(simulator->setLogFile(path));
    QVERIFY(simulator->listen());
    LineClient client;
    QVERIFY(client.connectTo(simulator->port()));
    QCOMPARE(client.ask("SG 2,70"), Ack);
    QCOMPARE(client.ask("GG 2"), QByteArray("GG 2,70"));

    QFile log(path);
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    const QStringList texts{"SG 2,70", "<ACK>", "GG 2", "GG 2,70"};
    const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\S+ "));
    for (int i = 0; i < lines.size(); ++i) {
        QVERIFY2(stamp.match(lines[i]).hasMatch(), qPrintable(lines[i]));
        QVERIFY2(lines[i].contains(DeviceName), qPrintable(lines[i]));
        QVERIFY2(lines[i].endsWith(texts[i]), qPrintable(lines[i]));
    }
}

void TestDeviceSimulator::demoProjectGivesDevicesAndDefaults()
{
    DeviceSimulator simulator;
    QVERIFY2(simulator.loadProject(QStringLiteral(VELOXA_DEMO_ARCHIVE)),
             qPrintable(simulator.errorString()));
    const QString processor = QStringLiteral("Chassis|||30216");
    const QString amplifier = QStringLiteral("Chassis|||30401");
    QCOMPARE(simulator.deviceNames(), (QStringList{processor, amplifier}));
    simulator.setEphemeralPorts(true);
    QVERIFY2(simulator.listen(), qPrintable(simulator.errorString()));
    QVERIFY(simulator.port(processor) != 0);
    QVERIFY(simulator.port(amplifier) != simulator.port(processor));
    QCOMPARE(simulator.address(processor), QHostAddress(QHostAddress::LocalHost));

    // Never-set levels read 0 dB where their controls' ranges span it (see Demo.cpf.xml).
    LineClient client;
    QVERIFY(client.connectTo(simulator.port(processor)));
    QCOMPARE(client.ask("GA\"Dining Gain\">1"), QByteArray("GA\"Dining Gain\">1=0"));
    QCOMPARE(client.ask("GA\"Host Mic Gain\">1"), QByteArray("GA\"Host Mic Gain\">1=0"));
    QCOMPARE(client.ask("GG 1"), QByteArray("GG 1,78"));
}

void TestDeviceSimulator::telephonePlaysCalls_data()
{
    // A step is a dialer command (key, dial, end, answer, hold), a setting, an action of the far
    // end, or an upper-case state that the subscriber must hear next.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("voip");
    QTest::addColumn<QString>("caller");
    const QString dialled = QStringLiteral("\\d{8}&5551234&");
    const QStringList call{"dial 5551234", "DIALING", "RINGBACK", "ACTIVE"};

    QTest::newRow("dialled, answered") << call << false << dialled;
    QTest::newRow("busy") << QStringList{"busy", "dial 5551234", "DIALING", "BUSY", "HANGUP"}
                          << false << dialled;
    QTest::newRow("tones, hold, resume")
        << QStringList{"key 5", "DIALTONE"} + call +
               QStringList{"key 7", "key !", "hold",   "HOLD",   "hold",    "ACTIVE",
                           "hold",  "HOLD",  "answer", "ACTIVE", "tones 7!"}
        << false << dialled;
    QTest::newRow("ended while ringing") << QStringList{"answer-after 60000",
                                                        "dial 5551234",
                                                        "DIALING",
                                                        "RINGBACK",
                                                        "end",
                                                        "HANGUP",
                                                        "end"}
                                         << false << dialled;
    QTest::newRow("incoming, named, ended")
        << QStringList{"ring 5551234,JANE DOE", "INCOMING", "end", "HANGUP"} << false
        << dialled + "JANE DOE";
    QTest::newRow("incoming, unnamed, answered")
        << QStringList{"ring 5551234", "INCOMING", "answer", "ACTIVE"} << false << dialled;
    QTest::newRow("VoIP, named") << QStringList{"ring 5551234,JANE DOE", "INCOMING"} << true
                                 << "JANE DOE <sip:5551234@voip\\.invalid>";
    QTest::newRow("VoIP, unnamed")
        << QStringList{"ring 5551234", "INCOMING"} << true << "<sip:5551234@voip\\.invalid>";
    QTest::newRow("second call declined")
        << call + QStringList{"ring 5550000,BOB", "ACTIVE_INCOMING", "end", "ACTIVE"} << false
        << dialled;
    QTest::newRow("second call answered")
        << call + QStringList{"ring 5550000,BOB", "ACTIVE_INCOMING", "answer", "ACTIVE"} << false
        << "\\d{8}&5550000&BOB";
    QTest::newRow("far end hangs up in time")
        << QStringList{"far-hangup-after 50"} + call + QStringList{"HANGUP"} << false << dialled;
    QTest::newRow("far end hangs up at once")
        << call + QStringList{"far end hangs up", "HANGUP"} << false << dialled;
}

void TestDeviceSimulator::telephonePlaysCalls()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, voip);
    QFETCH(QString, caller);
    DeviceSimulator simulator;
    SimDeviceConfig config;
    config.name = DeviceName;
    config.port = 0;
    config.telephones = QStringList{QStringLiteral("Telephone In")};
    config.voipTelephones = voip ? config.telephones : QStringList();
    simulator.addDevice(config);
    SimTelephone::Timing timing;
    timing.answerMs = 50;
    timing.busyHangUpMs = 50;
    simulator.setTelephoneTiming(timing);
    QVERIFY(simulator.listen());
    LineClient subscriber, writer;
    QVERIFY(subscriber.connectTo(simulator.port()) && writer.connectTo(simulator.port()));
    const QByteArray state = "GA\"Telephone In\">0>1";
    subscriber.send("SUB \"" + state + '"');
    int heard = 2;
    QVERIFY(subscriber.waitForEntries(heard));
    QCOMPARE(subscriber.entries().last(), state + "=\"IDLE\"");

    const QMap<QString, QByteArray> codes{
        {"key", ">1="}, {"dial", ">2=\""}, {"end", ">3"}, {"answer", ">4"}, {"hold", ">6"}};
    for (const QString &step : std::as_const(steps)) {
        const QString word = step.section(QLatin1Char(' '), 0, 0);
        const QString rest = step.section(QLatin1Char(' '), 1);
        if (codes.contains(word)) {
            QByteArray line = "MA \"Telephone In\"" + codes[word] + rest.toLatin1();
            QCOMPARE(writer.ask(word == "dial" ? line + '"' : line), Ack);
        } else if (word == "ring") {
            QVERIFY(simulator.startIncomingCall(rest.section(',', 0, 0), rest.section(',', 1)));
        } else if (word == "busy") {
            simulator.setBusy(true);
        } else if (word == "answer-after") {
            simulator.setAnswerDelay(rest.toInt());
        } else if (word == "far-hangup-after") {
            simulator.setFarHangUpDelay(rest.toInt());
        } else if (step == "far end hangs up") {
            QVERIFY(simulator.hangUpFarEnd());
        } else if (word == "tones") {
            QCOMPARE(simulator.telephoneTones(), rest);
        } else {
            QVERIFY2(subscriber.waitForEntries(++heard), qPrintable(step));
            QCOMPARE(subscriber.entries().at(heard - 1), state + "=\"" + step.toLatin1() + '"');
        }
    }
    const QByteArray reply = writer.ask("GA\"Telephone In\">0>2");
    const QRegularExpression expected(
        '^' + QRegularExpression::escape("GA\"Telephone In\">0>2=\"") + caller + "\"$");
    QVERIFY2(expected.match(QString::fromLatin1(reply)).hasMatch(), reply.constData());
    // Nothing more was pushed before the sentinel's answer.
    QCOMPARE(subscriber.ask("GS"), QByteArray("S 0"));
    QCOMPARE(subscriber.entries().size(), heard + 1);
}

void TestDeviceSimulator::projectDialersAreTelephones()
{
    const auto dialer = [](const char *block, const char *callType) {
        return QStringLiteral("<Control name=\"%1\" type=\"TextLink\"><block>%1</block>"
                              "<nodeCategory>Blocks</nodeCategory><connection>Hall</connection>"
                              "<Property name=\"attributes\"><struct>8</struct><index1>0</index1>"
                              "<index2>1</index2><transform>text</transform><callType>%2</callType>"
                              "</Property></Control>")
            .arg(QLatin1String(block), QLatin1String(callType));
    };
    QTemporaryDir dir;
    QFile panel(dir.filePath(QStringLiteral("phones.cpf")));
    QVERIFY(panel.open(QIODevice::WriteOnly));
    panel.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><VXB><Connections>"
                               "<Connection name=\"Hall\"><Property name=\"attributes\">"
                               "<platform>NVA</platform></Property></Connection></Connections>"
                               "<Scenes><Scene name=\"S\"><Panels><Panel name=\"P\"><Controls>%1%2"
                               "</Controls></Panel></Panels></Scene></Scenes></VXB>")
                    .arg(dialer("Phone Line", "VoIP"), dialer("Desk", "PSTN"))
                    .toUtf8());
    panel.close();
    DeviceSimulator simulator;
    QVERIFY2(simulator.loadProject(panel.fileName()), qPrintable(simulator.errorString()));
    simulator.setEphemeralPorts(true);
    QVERIFY(simulator.listen());
    LineClient client;
    QVERIFY(client.connectTo(simulator.port()));
    QCOMPARE(client.ask("GA\"Desk\">0>1"), QByteArray("GA\"Desk\">0>1=\"IDLE\""));
    // The first dialer of the project rings, with the caller its call type gives.
    QVERIFY(simulator.startIncomingCall(QStringLiteral("5551234")));
    QCOMPARE(client.ask("GA\"Phone Line\">0>1"), QByteArray("GA\"Phone Line\">0>1=\"INCOMING\""));
    QCOMPARE(client.ask("GA\"Phone Line\">0>2"),
             QByteArray("GA\"Phone Line\">0>2=\"<sip:5551234@voip.invalid>\""));
}

QTEST_GUILESS_MAIN(TestDeviceSimulator)
#include "tst_devicesimulator.moc"
