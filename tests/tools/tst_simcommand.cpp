#include "simcommand.h"

#include <QtTest>

class TestSimCommand : public QObject
{
    Q_OBJECT

private slots:
    void parsesTheCatalogue_data();
    void parsesTheCatalogue();
    void queryAndSetAddressesMeet_data();
    void queryAndSetAddressesMeet();
};

void TestSimCommand::parsesTheCatalogue_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("kindName");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("value");

    QTest::newRow("GA") << QByteArray("GA\"Bar Volume\">2") << int(SimCommand::GetAddress) << "GA"
                        << "\"Bar Volume\">2" << QString();
    QTest::newRow("SA") << QByteArray("SA \"Bar Volume\">2=-10.5") << int(SimCommand::SetAddress)
                        << "SA"
                        << "\"Bar Volume\">2"
                        << "-10.5";
    QTest::newRow("SA empty value")
        << QByteArray("SA \"B\">1=") << int(SimCommand::SetAddress) << "SA"
        << "\"B\">1"
        << "";
    QTest::newRow("MA") << QByteArray("MA \"M\">3=1") << int(SimCommand::SetMatrix) << "MA"
                        << "\"M\">0>3"
                        << "1";
    QTest::newRow("MA without value")
        << QByteArray("MA \"M\">3") << int(SimCommand::SetMatrix) << "MA"
        << "\"M\">0>3" << QString();
    QTest::newRow("GS") << QByteArray("GS ") << int(SimCommand::GetState) << "GS"
                        << "S" << QString();
    QTest::newRow("SS") << QByteArray("SS 1A ") << int(SimCommand::SetState) << "SS"
                        << "S"
                        << "1a";
    QTest::newRow("GG") << QByteArray("GG A") << int(SimCommand::GetGroupLevel) << "GG"
                        << "GG a" << QString();
    QTest::newRow("SG") << QByteArray("SG a,8d") << int(SimCommand::SetGroupLevel) << "SG"
                        << "GG a"
                        << "8d";
    QTest::newRow("GN") << QByteArray("GN 10") << int(SimCommand::GetGroupMute) << "GN"
                        << "GN 10" << QString();
    QTest::newRow("SN") << QByteArray("SN 10,1") << int(SimCommand::SetGroupMute) << "SN"
                        << "GN 10"
                        << "1";
    QTest::newRow("GL") << QByteArray("GL A") << int(SimCommand::GetMeter) << "GL" << QString()
                        << QString();
    QTest::newRow("probe") << QByteArray("SUB") << int(SimCommand::Probe) << "SUB" << QString()
                           << QString();
    QTest::newRow("SUB") << QByteArray("SUB \"GA\"B\">2\"") << int(SimCommand::Subscribe) << "SUB"
                         << "\"B\">2" << QString();
    QTest::newRow("UNS") << QByteArray("UNS \"GG 1\"") << int(SimCommand::Unsubscribe) << "UNS"
                         << "GG 1" << QString();
    QTest::newRow("GRC") << QByteArray("GRC 2") << int(SimCommand::GetCombo) << "GRC"
                         << "GRC 2" << QString();
    QTest::newRow("SRC full") << QByteArray("SRC 2,[1,2][3,4]") << int(SimCommand::SetCombo)
                              << "SRC"
                              << "GRC 2"
                              << "[1,2][3,4]";
    QTest::newRow("SRC step") << QByteArray("SRC 2,1,3,J") << int(SimCommand::SetCombo) << "SRC"
                              << "GRC 2"
                              << "1,3,J";
    QTest::newRow("unknown") << QByteArray("HELLO") << int(SimCommand::Unknown) << "unknown"
                             << QString() << QString();
    QTest::newRow("GL lower word")
        << QByteArray("gl A") << int(SimCommand::Unknown) << "unknown" << QString() << QString();
}

void TestSimCommand::parsesTheCatalogue()
{
    QFETCH(QByteArray, line);
    QFETCH(int, kind);
    QFETCH(QString, kindName);
    QFETCH(QString, address);
    QFETCH(QString, value);

    const SimCommand command = SimCommand::parse(line);
    QCOMPARE(int(command.kind()), kind);
    QCOMPARE(command.kindName(), kindName);
    QCOMPARE(command.address(), address);
    QCOMPARE(command.value(), value);
    QCOMPARE(command.text(), line);
}

void TestSimCommand::queryAndSetAddressesMeet_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("set");

    QTest::newRow("blank or not") << QByteArray("GA\"X\">2") << QByteArray("SA \"X\">2=1");
    QTest::newRow("leading zero") << QByteArray("GA\"X\">02>1") << QByteArray("SA\"X\">2>1=1");
    QTest::newRow("hex case") << QByteArray("GG A") << QByteArray("SG a,1");
    QTest::newRow("matrix") << QByteArray("GA\"M\">0>4") << QByteArray("MA \"M\">4=1");
    QTest::newRow("state") << QByteArray("GS ") << QByteArray("SS 3 ");
    QTest::newRow("combo") << QByteArray("GRC 1") << QByteArray("SRC 1,[1,2]");
}

void TestSimCommand::queryAndSetAddressesMeet()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, set);

    const SimCommand read = SimCommand::parse(query);
    const SimCommand write = SimCommand::parse(set);
    QVERIFY(read.isQuery());
    QVERIFY(write.isSet());
    QVERIFY(!read.address().isEmpty());
    QCOMPARE(read.address(), write.address());
}

QTEST_GUILESS_MAIN(TestSimCommand)
#include "tst_simcommand.moc"
