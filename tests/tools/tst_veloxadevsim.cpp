#include "lineclient.h"

#include <QProcess>
#include <QtTest>

#include <memory>

#include <sys/resource.h>

class TestVeloxaDevsim : public QObject
{
    Q_OBJECT

private slots:
    void servesTheDemoArchiveUntilInputCloses();
    void stopsOnSignal();
    void singleDeviceOnPort();
    void combineEveryJoinsAndSplits();
    void restsAtTheOpenFilesLimit();
    void rejectsBadOptions_data();
    void rejectsBadOptions();

private:
    static QStringList run(QProcess &process, const QStringList &arguments);
};

QStringList TestVeloxaDevsim::run(QProcess &process, const QStringList &arguments)
{
    process.setProgram(QStringLiteral(VELOXA_DEVSIM));
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start();
    return arguments;
}

void TestVeloxaDevsim::servesTheDemoArchiveUntilInputCloses()
{
    QProcess process;
    run(process, {QStringLiteral(VELOXA_DEMO_ARCHIVE), QStringLiteral("--ephemeral"),
                  QStringLiteral("--stdin-quit"), QStringLiteral("--summary"),
                  QStringLiteral("--seed"), QStringLiteral("5")});
    QVERIFY(process.waitForStarted(5000));
    QByteArray output;
    // Reading the archive and binding two ports: well within ten seconds.
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += process.readAllStandardOutput(), LineClient::listeningPorts(output).size() == 2),
        10000);
    const QMap<QString, quint16> ports = LineClient::listeningPorts(output);
    QVERIFY(ports.contains(QStringLiteral("Chassis|||30216")));
    QVERIFY(ports.contains(QStringLiteral("Chassis|||30401")));

    LineClient client;
    QVERIFY(client.connectTo(ports.value(QStringLiteral("Chassis|||30216"))));
    QCOMPARE(client.ask("GA\"Patio Gain\">1"), QByteArray("GA\"Patio Gain\">1=0"));
    QCOMPARE(client.ask("SA \"Patio Gain\">1=-6"), QByteArray(1, 0x06));

    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    output += process.readAllStandardOutput();
    QVERIFY2(output.contains("summary Chassis|||30216: commands 2 (GA 1, SA 1)"),
             output.constData());
    QVERIFY2(output.contains("summary Chassis|||30401: commands 0 ()"), output.constData());
}

void TestVeloxaDevsim::stopsOnSignal()
{
    QProcess process;
    run(process, {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--summary")});
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += process.readAllStandardOutput(), LineClient::listeningPorts(output).size() == 1),
        10000);
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void TestVeloxaDevsim::singleDeviceOnPort()
{
    QProcess process;
    run(process, {QStringLiteral(VELOXA_DEMO_ARCHIVE), QStringLiteral("--port"),
                  QStringLiteral("0"), QStringLiteral("--device"),
                  QStringLiteral("Chassis|||30401"), QStringLiteral("--stdin-quit")});
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += process.readAllStandardOutput(), !LineClient::listeningPorts(output).isEmpty()),
        10000);
    const QMap<QString, quint16> ports = LineClient::listeningPorts(output);
    QCOMPARE(ports.keys(), QStringList{QStringLiteral("Chassis|||30401")});
    LineClient client;
    QVERIFY(client.connectTo(ports.first()));
    QCOMPARE(client.ask("SUB"), QByteArray("SUB,yes"));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
}

void TestVeloxaDevsim::combineEveryJoinsAndSplits()
{
    QProcess process;
    run(process, {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--combine-every"),
                  QStringLiteral("0.2"), QStringLiteral("--stdin-quit")});
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += process.readAllStandardOutput(), !LineClient::listeningPorts(output).isEmpty()),
        10000);
    LineClient client;
    QVERIFY(client.connectTo(LineClient::listeningPorts(output).first()));
    client.send("SUB \"GRC 1\"");
    // Answer and present state, then at least one join and one split pushed.
    QVERIFY(client.waitForEntries(5));
    const QList<QByteArray> pushes = client.entries().mid(2);
    QVERIFY(pushes.contains("GRC 1,[1,2]") && pushes.contains("GRC 1,"));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(10000));
}

void TestVeloxaDevsim::restsAtTheOpenFilesLimit()
{
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit few{32, 32};
        setrlimit(RLIMIT_NOFILE, &few);
    });
    run(process, {QStringLiteral("--port"), QStringLiteral("0")});
    QByteArray output, errors;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += process.readAllStandardOutput(), LineClient::listeningPorts(output).size() == 1),
        10000);
    auto clients = std::make_unique<QObject>();
    for (int i = 0; i < 40; ++i)
        QVERIFY(
            (new LineClient(clients.get()))->connectTo(LineClient::listeningPorts(output).first()));
    QTRY_VERIFY((errors += process.readAllStandardError()).contains("out of file descriptors"));
    clients.reset(); // once they leave, accepting resumes
    LineClient late;
    QVERIFY(late.connectTo(LineClient::listeningPorts(output).first()));
    QCOMPARE(late.ask("GS"), QByteArray("S 0"));
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE((errors + process.readAllStandardError()).count("out of file descriptors"), 1);
}

void TestVeloxaDevsim::rejectsBadOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("rate above 1") << QStringList{"--nak-rate", "1.5"};
    QTest::newRow("negative delay") << QStringList{"--delay", "-3"};
    QTest::newRow("unknown option") << QStringList{"--frobnicate"};
    QTest::newRow("port not a number") << QStringList{"--port", "abc"};
    QTest::newRow("combining too often") << QStringList{"--combine-every", "0.01"};
    QTest::newRow("answered at once") << QStringList{"--answer-after", "0"};
    QTest::newRow("caller without number") << QStringList{"--incoming-call", ",JANE DOE"};
    QTest::newRow("caller name quoted") << QStringList{"--incoming-call", "5551234,\"JANE\""};
}

void TestVeloxaDevsim::rejectsBadOptions()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    run(process, arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardError().startsWith("veloxa-devsim: "));
    QVERIFY(!process.readAllStandardOutput().contains("listening"));
}

QTEST_GUILESS_MAIN(TestVeloxaDevsim)
#include "tst_veloxadevsim.moc"
