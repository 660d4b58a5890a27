#include "formats/xmlhandler.h"

#include <QTest>

namespace {

// Opens the element stack to the test.
class StackProbe : public XmlHandler
{
public:
    using XmlHandler::depth;
    using XmlHandler::nameAt;
    using XmlHandler::oneLevelUp;
    using XmlHandler::pop;
    using XmlHandler::push;
    using XmlHandler::top;
    using XmlHandler::twoLevelsUp;
};

QString levelName(int level)
{
    return QStringLiteral("level%1").arg(level);
}

} // namespace

class TestXmlHandler : public QObject
{
    Q_OBJECT

private slots:
    void processText_data();
    void processText();
    void stackNames();
    void deeperThanKept();
    void popBelowEmpty();
};

void TestXmlHandler::processText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("spaces around two words kept") << "  two words  "
                                                  << "  two words  ";
    QTest::newRow("repeated inner spaces kept") << "a   b"
                                                << "a   b";
    QTest::newRow("one word loses its line break") << "word\n"
                                                   << "word";
    QTest::newRow("tabs and breaks trimmed at the ends") << "\tword\r\n"
                                                         << "word";
    QTest::newRow("line break inside collapses") << "one\ntwo"
                                                 << "one two";
    QTest::newRow("marker text becomes a space") << "a &sp;b"
                                                 << "a  b";
    QTest::newRow("marker without a space stays") << "a&sp;b"
                                                  << "a&sp;b";
    QTest::newRow("indentation") << "\n        "
                                 << "";
    QTest::newRow("spaces only") << "   "
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestXmlHandler::processText()
{
    QFETCH(QString, text);
    QTEST(XmlHandler::processText(text), "expected");
}

void TestXmlHandler::stackNames()
{
    StackProbe probe;
    QVERIFY(probe.top().isEmpty());
    probe.push(QStringLiteral("VXB"));
    probe.push(QStringLiteral("Canvas"));
    probe.push(QStringLiteral("Property"));

    QCOMPARE(probe.depth(), 3);
    QCOMPARE(probe.top(), QStringLiteral("Property"));
    QCOMPARE(probe.oneLevelUp(), QStringLiteral("Canvas"));
    QCOMPARE(probe.twoLevelsUp(), QStringLiteral("VXB"));
    QVERIFY(probe.nameAt(3).isEmpty());
    QVERIFY(probe.nameAt(-1).isEmpty());

    probe.pop();
    QCOMPARE(probe.top(), QStringLiteral("Canvas"));
}

void TestXmlHandler::deeperThanKept()
{
    StackProbe probe;
    const int levels = XmlHandler::StackSize + 3;
    for (int level = 1; level <= levels; ++level)
        probe.push(levelName(level));
    QCOMPARE(probe.depth(), levels);

    // Only the first StackSize levels were kept; nothing above them may be read.
    for (int up = 0; up < levels; ++up) {
        const int level = levels - up;
        const QString expected = level <= XmlHandler::StackSize ? levelName(level) : QString();
        QCOMPARE(probe.nameAt(up), expected);
    }

    for (int level = levels; level > XmlHandler::StackSize; --level)
        probe.pop();
    QCOMPARE(probe.top(), levelName(XmlHandler::StackSize));
}

void TestXmlHandler::popBelowEmpty()
{
    StackProbe probe;
    probe.pop();
    QCOMPARE(probe.depth(), 0);
    probe.push(QStringLiteral("VXB"));
    QCOMPARE(probe.top(), QStringLiteral("VXB"));
}

QTEST_GUILESS_MAIN(TestXmlHandler)
#include "tst_xmlhandler.moc"
