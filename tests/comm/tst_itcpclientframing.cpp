#include "comm/ireplyframer.h"

#include <QtTest>

using Segments = QList<QByteArray>;
using Entries = QList<QByteArray>;

namespace {

int warningCount = 0;
QtMessageHandler previousHandler = nullptr;

void countWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && QByteArray(context.category) == "veloxa.comm.tcp")
        ++warningCount;
    previousHandler(type, context, message);
}

Entries feedAll(IReplyFramer &framer, const Segments &segments)
{
    Entries entries;
    for (const QByteArray &segment : segments)
        entries += framer.feed(segment);
    return entries;
}

} // namespace

class TestITcpClientFraming : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(countWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void framesEntries_data();
    void framesEntries();
    void unfinishedLineIsCappedWithOneWarning();
    void oversizedEntryInOneReadIsDropped();
    void clearForgetsTheUnfinishedLine();
};

void TestITcpClientFraming::framesEntries_data()
{
    QTest::addColumn<Segments>("segments");
    QTest::addColumn<Entries>("entries");

    const QByteArray ack(1, 0x06);
    const QByteArray nak(1, 0x15);
    QTest::newRow("one line") << Segments{"GS \"Lvl\" 1 -10\r"} << Entries{"GS \"Lvl\" 1 -10"};
    QTest::newRow("joined by one semicolon") << Segments{"a;b\r"} << Entries{"a", "b"};
    QTest::newRow("joined by two semicolons") << Segments{"a;;b\r"} << Entries{"a", "", "b"};
    QTest::newRow("trailing semicolon") << Segments{"a;\r"} << Entries{"a"};
    QTest::newRow("lines stay in one entry") << Segments{"a\rb\r"} << Entries{"a\rb"};
    QTest::newRow("lone semicolon") << Segments{";"} << Entries{};
    QTest::newRow("lone CR") << Segments{"\r"} << Entries{};
    QTest::newRow("bare ACK") << Segments{ack} << Entries{ack};
    QTest::newRow("bare NAK") << Segments{nak} << Entries{nak};
    QTest::newRow("ACK before text") << Segments{ack + "VAL 1\r"} << Entries{ack + "VAL 1"};
    QTest::newRow("split across two reads") << Segments{"VAL x", "=1\r"} << Entries{"VAL x=1"};
    QTest::newRow("split after ACK") << Segments{ack + "VAL", " 2\r"} << Entries{ack + "VAL 2"};
    QTest::newRow("split at the semicolon") << Segments{"a;", "b\r"} << Entries{"a", "b"};
    QTest::newRow("second line unfinished") << Segments{"a\rb", "c\r"} << Entries{"a", "bc"};
    QTest::newRow("never finished") << Segments{"VAL x", "=1"} << Entries{};
}

void TestITcpClientFraming::framesEntries()
{
    QFETCH(Segments, segments);
    QFETCH(Entries, entries);

    IReplyFramer framer;
    QCOMPARE(feedAll(framer, segments), entries);
}

void TestITcpClientFraming::unfinishedLineIsCappedWithOneWarning()
{
    IReplyFramer framer;
    const QByteArray chunk(4096, 'x');
    warningCount = 0;
    Entries entries;
    for (int i = 0; i < 64; ++i) {
        entries += framer.feed(chunk);
        QVERIFY(framer.pendingSize() <= IReplyFramer::MaxEntrySize);
    }
    QCOMPARE(warningCount, 1);
    entries += framer.feed("tail of the long line\rok\r");
    QCOMPARE(entries, Entries{"ok"});
    QCOMPARE(framer.pendingSize(), 0);
}

void TestITcpClientFraming::oversizedEntryInOneReadIsDropped()
{
    IReplyFramer framer;
    warningCount = 0;
    const QByteArray big(IReplyFramer::MaxEntrySize + 1, 'y');
    QCOMPARE(framer.feed("a;" + big + ";b\r"), (Entries{"a", "b"}));
    QCOMPARE(warningCount, 1);
}

void TestITcpClientFraming::clearForgetsTheUnfinishedLine()
{
    IReplyFramer framer;
    QVERIFY(framer.feed("half").isEmpty());
    framer.clear();
    QCOMPARE(framer.feed("whole\r"), Entries{"whole"});
}

QTEST_GUILESS_MAIN(TestITcpClientFraming)
#include "tst_itcpclientframing.moc"
