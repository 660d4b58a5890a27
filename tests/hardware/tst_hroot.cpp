#include "hardware/hblock.h"
#include "hardware/hchassis.h"
#include "hardware/hechocanel.h"
#include "hardware/hgroup.h"
#include "hardware/hroot.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QtTest>

namespace {

HChassis *addChassis(HRoot &root, const QString &label, int nodeNumber)
{
    auto *chassis = new HChassis;
    chassis->setLabel(label);
    chassis->setNodeNumber(nodeNumber);
    root.addNode(chassis);
    return chassis;
}

template<typename Node>
Node *addNode(HNode *owner, const QString &label, int nodeNumber = 0)
{
    auto *node = new Node;
    node->setLabel(label);
    node->setNodeNumber(nodeNumber);
    owner->addNode(node);
    return node;
}

PProtocol *fakeProtocol(QObject &standIn)
{
    return reinterpret_cast<PProtocol *>(&standIn);
}

} // namespace

class TestHRoot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("veloxa.hardware.debug=true"));
    }

    void findChassisByNumberEvenWhenTheLabelDiffers();
    void findChassisByLabel_data();
    void findChassisByLabel();
    void findChassisNumberThatIsNoNumberFindsNothingByNumber();
    void findChassisNumberedNameFallsBackToTheLabel();

    void resolveConnectionFindsTheExistingChassis();
    void resolveConnectionCreatesAChassis();

    void resolveLinkWithoutChassisLeavesTheControlUnlinked();
    void resolveLinkByCategoryAndNumber();
    void resolveLinkNodeIdZeroResolvesByLabel();
    void resolveLinkWithoutCategoryResolvesByLabel();
    void resolveLinkFallsBackToTheLabel();
    void resolveLinkCreatesAPlaceholderUnderTheRightChassis();
    void resolveLinkFindsItsPlaceholderAgain();
    void resolveLinkRelabelsSelectorGroups_data();
    void resolveLinkRelabelsSelectorGroups();
    void resolveLinkCompletesTheSetUp();
    void resolveLinkOnAChassisThatRefusesChildren();
    void unusedPlaceholderIsPruned();
};

void TestHRoot::findChassisByNumberEvenWhenTheLabelDiffers()
{
    HRoot root;
    HChassis *other = addChassis(root, QStringLiteral("Chassis|||30216"), 7);
    HChassis *main = addChassis(root, QStringLiteral("Main processor"), 30216);
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||30216")), main);
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||030216")), main);
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||7")), other);
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||8")), nullptr);
}

void TestHRoot::findChassisByLabel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // label of the chassis found, "" for none
    QTest::newRow("plain label") << "Main"
                                 << "Main";
    QTest::newRow("case-sensitive") << "main"
                                    << "";
    QTest::newRow("category not Chassis") << "chassis|||5"
                                          << "chassis|||5";
    QTest::newRow("three parts") << "Chassis|||5|||1"
                                 << "Chassis|||5|||1";
    QTest::newRow("unknown") << "Lobby"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestHRoot::findChassisByLabel()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    HRoot root;
    addChassis(root, QStringLiteral("Main"), 5);
    addChassis(root, QStringLiteral("chassis|||5"), 0);
    addChassis(root, QStringLiteral("Chassis|||5|||1"), 0);
    // A block with the same label is no chassis.
    addNode<HBlock>(root.child(0), QStringLiteral("Lobby"));

    HNode *found = root.findChassis(name);
    QCOMPARE(found ? found->label() : QString(), expected);
    if (found)
        QCOMPARE(found->category(), QStringLiteral("Chassis"));
}

void TestHRoot::findChassisNumberThatIsNoNumberFindsNothingByNumber()
{
    HRoot root;
    addChassis(root, QStringLiteral("Unnumbered"), 0);
    addChassis(root, QStringLiteral("Main"), 30216);
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||abc")), nullptr);
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||")), nullptr);
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||0")), nullptr);
}

void TestHRoot::findChassisNumberedNameFallsBackToTheLabel()
{
    // Without the designer project, the chassis of a numbered Connection carries the name only.
    HRoot root;
    HNode *chassis = root.resolveConnection(QStringLiteral("Chassis|||30216"));
    QCOMPARE(chassis->nodeNumber(), 0);
    QCOMPARE(chassis->linkName(), QStringLiteral("Chassis|||30216"));
    QCOMPARE(root.findChassis(QStringLiteral("Chassis|||30216")), chassis);
}

void TestHRoot::resolveConnectionFindsTheExistingChassis()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 30216);
    QCOMPARE(root.resolveConnection(QStringLiteral("Chassis|||30216")), main);
    QCOMPARE(root.resolveConnection(QStringLiteral("Main")), main);
    QCOMPARE(root.childCount(), 1);
    QCOMPARE(main->label(), QStringLiteral("Main")); // a found chassis keeps its label
}

void TestHRoot::resolveConnectionCreatesAChassis()
{
    HRoot root;
    addChassis(root, QStringLiteral("Main"), 30216);
    HNode *created = root.resolveConnection(QStringLiteral("Amp rack"));
    QVERIFY(created);
    QVERIFY(qobject_cast<HChassis *>(created));
    QCOMPARE(created->label(), QStringLiteral("Amp rack"));
    QCOMPARE(created->parentNode(), &root);
    QCOMPARE(root.child(1), created);
    QVERIFY(created->hasMarks(HNode::FlagChassis | HNode::FlagPlaceholder));
    QCOMPARE(created->linkName(), QStringLiteral("Amp rack"));

    QCOMPARE(root.resolveConnection(QStringLiteral("Amp rack")), created);
    QCOMPARE(root.childCount(), 2);

    // The panel file's connection attributes go to the chassis.
    created->setConnectionAttribute(QStringLiteral("platform"), QStringLiteral("LZ"));
    created->connectionAttributeEnded(QStringLiteral("platform"));
    QCOMPARE(created->platform(), QStringLiteral("LZ"));
}

void TestHRoot::resolveLinkWithoutChassisLeavesTheControlUnlinked()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 30216);
    QCOMPARE(root.resolveLink(QStringLiteral("Other"), QStringLiteral("Gain"), 0, QString()),
             nullptr);
    QCOMPARE(root.resolveLink(QStringLiteral("Chassis|||1"), QStringLiteral("Gain"), 0, QString()),
             nullptr);
    QCOMPARE(root.childCount(), 1);
    QCOMPARE(main->childCount(), 0);
}

void TestHRoot::resolveLinkByCategoryAndNumber()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 30216);
    HBlock *sameLabel = addNode<HBlock>(main, QStringLiteral("Bar Volume"), 3);
    HGroup *group = addNode<HGroup>(main, QStringLiteral("Designer name"), 12);

    HNode *node = root.resolveLink(QStringLiteral("Chassis|||30216"), QStringLiteral("Bar Volume"),
                                   12, QStringLiteral("Groups"));
    QCOMPARE(node, group);
    QVERIFY(group->isReferenced());
    QVERIFY(!sameLabel->isReferenced());
    QCOMPARE(group->label(), QStringLiteral("Designer name"));
}

void TestHRoot::resolveLinkNodeIdZeroResolvesByLabel()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 30216);
    addNode<HGroup>(main, QStringLiteral("Unnamed"), 0);
    HGroup *bar = addNode<HGroup>(main, QStringLiteral("Bar Volume"), 9);

    HNode *node = root.resolveLink(QStringLiteral("Chassis|||30216"), QStringLiteral("Bar Volume"),
                                   0, QStringLiteral("Groups"));
    QCOMPARE(node, bar);
    QCOMPARE(main->childCount(), 2);
}

void TestHRoot::resolveLinkWithoutCategoryResolvesByLabel()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 1);
    addNode<HBlock>(main, QStringLiteral("Number five"), 5);
    HBlock *byLabel = addNode<HBlock>(main, QStringLiteral("Lobby"), 6);
    QCOMPARE(root.resolveLink(QStringLiteral("Chassis|||1"), QStringLiteral("Lobby"), 5, QString()),
             byLabel);
}

void TestHRoot::resolveLinkFallsBackToTheLabel()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 1);
    HBlock *byLabel = addNode<HBlock>(main, QStringLiteral("Lobby"), 6);
    QCOMPARE(root.resolveLink(QStringLiteral("Main"), QStringLiteral("Lobby"), 44,
                              QStringLiteral("Blocks")),
             byLabel);
    // The category of the lookup by number must match.
    QCOMPARE(root.resolveLink(QStringLiteral("Main"), QStringLiteral("Lobby"), 6,
                              QStringLiteral("Groups")),
             byLabel);
    QCOMPARE(main->childCount(), 1);
}

void TestHRoot::resolveLinkCreatesAPlaceholderUnderTheRightChassis()
{
    QObject standIn;
    HRoot root;
    HChassis *first = addChassis(root, QStringLiteral("First"), 1);
    HChassis *second = addChassis(root, QStringLiteral("Second"), 2);
    second->setProtocol(fakeProtocol(standIn));
    addNode<HBlock>(first, QStringLiteral("Lobby Gain"));

    HNode *node = root.resolveLink(QStringLiteral("Chassis|||2"), QStringLiteral("Lobby Gain"), 4,
                                   QStringLiteral("Blocks"));
    QVERIFY(node);
    QVERIFY(qobject_cast<HBlock *>(node));
    QCOMPARE(node->parentNode(), second);
    QCOMPARE(second->childNodes(), (QList<HNode *>{node}));
    QCOMPARE(first->childCount(), 1);
    QCOMPARE(node->label(), QStringLiteral("Lobby Gain"));
    QCOMPARE(node->category(), QStringLiteral("Blocks"));
    QCOMPARE(node->nodeNumber(), 0);
    QVERIFY(node->hasMarks(HNode::FlagPlaceholder | HNode::FlagReferenced));
    QVERIFY(second->hasMarks(HNode::FlagChildReferenced));
    QVERIFY(!first->hasMarks(HNode::FlagChildReferenced));
    QCOMPARE(node->protocol(), fakeProtocol(standIn));
    QCOMPARE(node->linkName(), QStringLiteral("Chassis|||2"));
}

void TestHRoot::resolveLinkFindsItsPlaceholderAgain()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 0);
    HNode *first = root.resolveLink(QStringLiteral("Main"), QStringLiteral("Fader"), -1, QString());
    HNode *second =
        root.resolveLink(QStringLiteral("Main"), QStringLiteral("Fader"), -1, QString());
    QVERIFY(first);
    QCOMPARE(second, first);
    QCOMPARE(main->childCount(), 1);
}

void TestHRoot::resolveLinkRelabelsSelectorGroups_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typenum");
    QTest::addColumn<QString>("expectedLabel");
    QTest::newRow("selector group") << "Group"
                                    << "3"
                                    << "Source Select";
    QTest::newRow("level group") << "Group"
                                 << "0"
                                 << "Designer";
    QTest::newRow("selector block") << "Selector"
                                    << "3"
                                    << "Designer";
    QTest::newRow("lower-case title") << "group"
                                      << "3"
                                      << "Designer";
}

void TestHRoot::resolveLinkRelabelsSelectorGroups()
{
    QFETCH(QString, title);
    QFETCH(QString, typenum);
    QFETCH(QString, expectedLabel);
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 1);
    auto *node = addNode<HGroup>(main, QStringLiteral("Designer"), 20);
    node->setTitle(title);
    node->setTypenum(typenum);
    QCOMPARE(root.resolveLink(QStringLiteral("Chassis|||1"), QStringLiteral("Source Select"), 20,
                              QStringLiteral("Groups")),
             node);
    QCOMPARE(node->label(), expectedLabel);
}

void TestHRoot::resolveLinkCompletesTheSetUp()
{
    QObject standIn;
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 1);
    auto *echo = addNode<HEchoCanel>(main, QStringLiteral("AEC 1"));
    main->setProtocol(fakeProtocol(standIn));
    echo->setProtocol(nullptr); // completeSetup takes it from the chassis again
    QCOMPARE(root.resolveLink(QStringLiteral("Main"), QStringLiteral("AEC 1"), 0, QString()), echo);
    QCOMPARE(echo->title(), QStringLiteral("EchoCancel"));
    QCOMPARE(echo->typenum(), QStringLiteral("0"));
    QCOMPARE(echo->protocol(), fakeProtocol(standIn));
    QVERIFY(echo->isReferenced());
}

void TestHRoot::resolveLinkOnAChassisThatRefusesChildren()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 1);
    main->setTitle(QStringLiteral("Amps"));
    main->setDeviceTypes({QStringLiteral("TQY3515E")});
    QTest::ignoreMessage(QtDebugMsg, "KPA-7 device found in group Amps. Skipping add to tree.");
    QCOMPARE(root.resolveLink(QStringLiteral("Main"), QStringLiteral("Gain"), 0, QString()),
             nullptr);
    QCOMPARE(main->childCount(), 0);
}

void TestHRoot::unusedPlaceholderIsPruned()
{
    HRoot root;
    HChassis *main = addChassis(root, QStringLiteral("Main"), 1);
    HNode *used = root.resolveLink(QStringLiteral("Main"), QStringLiteral("Used"), 0, QString());
    QPointer<HNode> dropped =
        root.resolveLink(QStringLiteral("Main"), QStringLiteral("Dropped"), 0, QString());
    dropped->setReferenced(false);
    QVERIFY(!root.pruneUnused());
    QVERIFY(dropped.isNull());
    QCOMPARE(main->childNodes(), (QList<HNode *>{used}));
}

QTEST_GUILESS_MAIN(TestHRoot)
#include "tst_hroot.moc"
