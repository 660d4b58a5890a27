#include "hardware/hblock.h"
#include "hardware/hchassis.h"
#include "hardware/hechocanel.h"
#include "hardware/hgroup.h"
#include "hardware/hrcgroup.h"
#include "hardware/hrcroom.h"
#include "hardware/hroot.h"

#include <QBuffer>
#include <QLoggingCategory>
#include <QPointer>
#include <QXmlAttributes>
#include <QXmlStreamWriter>
#include <QtTest>

#include <memory>

namespace {

HBlock *block(const QString &label, int nodeNumber = 0)
{
    auto *node = new HBlock;
    node->setLabel(label);
    node->setNodeNumber(nodeNumber);
    return node;
}

HChassis *chassis(const QString &label, int nodeNumber = 0)
{
    auto *node = new HChassis;
    node->setLabel(label);
    node->setNodeNumber(nodeNumber);
    return node;
}

QXmlAttributes designerProperty(const QString &name, const QString &value)
{
    QXmlAttributes attributes;
    attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), name);
    attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), value);
    return attributes;
}

QStringList labels(const QList<HNode *> &nodes)
{
    QStringList result;
    for (const HNode *node : nodes)
        result << node->label();
    return result;
}

// Protocol objects belong to another layer; the tree only carries their address.
PProtocol *fakeProtocol(QObject &stand_in)
{
    return reinterpret_cast<PProtocol *>(&stand_in);
}

} // namespace

class TestHNode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("veloxa.hardware.debug=true"));
    }

    void newNodeDefaults();
    void categoriesOfTheBaseClasses();
    void attribute_data();
    void attribute();
    void linkName();
    void chassisLabel();
    void rootAndAncestorWithMarks();
    void markOperations();
    void parseProperty();

    void searchesTakeTheFirstHitInOrder();
    void categorySearchesTestTheCompositeItself();
    void findCounterpart();

    void addNodeAppendsAndSetsParent();
    void addNodeOn2350InputsStillAdds();
    void addNodeRejectsChildrenOfKpa7Groups_data();
    void addNodeRejectsChildrenOfKpa7Groups();
    void addNodeOnALeafAttachesNothing();
    void addNodeMovesANodeBetweenParents();
    void addNodeRefusesCycles();
    void childByIndex();
    void removeChild();
    void deletingAChildDetachesIt();
    void compositeDeletesItsChildrenFirst();

    void setReferenced();
    void compositeIsReferencedThroughItsChildren();
    void pruneUnusedEmptiesACompositeOfOnePlaceholder();
    void pruneUnusedKeepsReferencedAndConfirmedNodes();
    void pruneUnusedLeavesAnEmptiedSubComposite();
    void removeWhereReferenced();
    void removeWhereReferencedKeepsTheRoot();
    void clearingTheMarks();
    void deleteUnlessKeep();

    void collectByCategory();
    void collectMatchingFollowsTheSameContract();
    void sortByOrderKeepsEqualKeysInOrder();

    void protocolReachesNodesThroughAddNode();
    void setProtocolRunsDownTheSubtree();
    void aChassisKeepsItsOwnProtocol();
    void completeSetupTakesTheParentsProtocol();
    void templatePath();
    void platformIsAskedUpTheParentChain();
    void writeXml();
    void plainAnswers();
};

void TestHNode::newNodeDefaults()
{
    HBlock node;
    QCOMPARE(node.marks(), HNode::NodeFlags(HNode::FlagPlaceholder));
    QCOMPARE(node.sortOrder(), -1);
    QCOMPARE(node.portIndex(), -1);
    QCOMPARE(node.pinIndex(), -1);
    QCOMPARE(node.roomNumber(), -1);
    QCOMPARE(node.rcGroupNumber(), -1);
    QCOMPARE(node.nodeNumber(), 0);
    QCOMPARE(node.orderNumber(), 0);
    QCOMPARE(node.parentNode(), nullptr);
    QCOMPARE(node.protocol(), nullptr);
    QVERIFY(!node.hasChannelCount());
    QVERIFY(!node.hasLevelRange());
    QCOMPARE(node.childCount(), 0);
}

void TestHNode::categoriesOfTheBaseClasses()
{
    HNode leaf;
    HComposite composite;
    HRoot root;
    QCOMPARE(leaf.category(), QString());
    QCOMPARE(composite.category(), QStringLiteral("Composite"));
    QCOMPARE(root.category(), QStringLiteral("Root"));
}

void TestHNode::attribute_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("category") << "category"
                              << "Blocks";
    QTest::newRow("id") << "id"
                        << "g7";
    QTest::newRow("label") << "label"
                           << "Bar Volume";
    QTest::newRow("title") << "title"
                           << "Gain";
    QTest::newRow("typenum") << "typenum"
                             << "0";
    QTest::newRow("TITLE in capitals") << "TITLE"
                                       << "";
    QTest::newRow("Label") << "Label"
                           << "";
    QTest::newRow("nodeID is no attribute") << "nodeID"
                                            << "";
    QTest::newRow("empty name") << ""
                                << "";
}

void TestHNode::attribute()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    HBlock node;
    node.setId(QStringLiteral("g7"));
    node.setLabel(QStringLiteral("Bar Volume"));
    node.setTitle(QStringLiteral("Gain"));
    node.setTypenum(QStringLiteral("0"));
    node.setNodeNumber(12);
    QCOMPARE(node.attribute(name), expected);
}

void TestHNode::linkName()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    QCOMPARE(main->linkName(), QStringLiteral("Main"));

    HChassis *numbered = chassis(QStringLiteral("Amp rack"), 30216);
    root.addNode(numbered);
    QCOMPARE(numbered->linkName(), QStringLiteral("Chassis|||30216"));
    HBlock *gain = block(QStringLiteral("Gain 1"), 12);
    numbered->addNode(gain);
    QCOMPARE(gain->linkName(), QStringLiteral("Chassis|||30216"));

    auto *group = new HRCGroup;
    numbered->addNode(group);
    auto *room = new HRCRoom;
    group->addNode(room);
    QCOMPARE(room->linkName(), QStringLiteral("Chassis|||30216"));

    HBlock orphan;
    QCOMPARE(orphan.linkName(), QStringLiteral("???"));
    auto *loose = new HComposite;
    root.addNode(loose);
    HBlock *underLoose = block(QStringLiteral("x"));
    loose->addNode(underLoose);
    QCOMPARE(underLoose->linkName(), QStringLiteral("???"));

    HChassis negative;
    negative.setLabel(QStringLiteral("Neg"));
    negative.setNodeNumber(-4);
    QCOMPARE(negative.linkName(), QStringLiteral("Neg"));
}

void TestHNode::chassisLabel()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"), 5);
    root.addNode(main);
    HBlock *gain = block(QStringLiteral("Gain"));
    main->addNode(gain);
    QCOMPARE(gain->chassisLabel(), QStringLiteral("Main"));
    QCOMPARE(main->chassisLabel(), QStringLiteral("Main"));
    QCOMPARE(root.chassisLabel(), QStringLiteral("???"));
}

void TestHNode::rootAndAncestorWithMarks()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    auto *group = new HRCGroup;
    main->addNode(group);
    auto *room = new HRCRoom;
    group->addNode(room);

    QCOMPARE(room->rootNode(), &root);
    QCOMPARE(root.rootNode(), &root);
    QCOMPARE(room->ancestorWithMarks(HNode::FlagChassis), main);
    QCOMPARE(main->ancestorWithMarks(HNode::FlagChassis), main);
    QCOMPARE(room->ancestorWithMarks(HNode::FlagPlaceholder), room);

    // Every bit of the mask must be set on one node.
    main->setMarks(HNode::FlagMain);
    QCOMPARE(room->ancestorWithMarks(HNode::FlagChassis | HNode::FlagMain), main);
    QCOMPARE(room->ancestorWithMarks(HNode::FlagChassis | HNode::FlagKeep), nullptr);
}

void TestHNode::markOperations()
{
    HBlock node;
    node.setMarks(HNode::FlagKeep | HNode::FlagConfirmed);
    QVERIFY(node.hasMarks(HNode::FlagKeep));
    QVERIFY(node.hasMarks(HNode::FlagKeep | HNode::FlagConfirmed | HNode::FlagPlaceholder));
    QVERIFY(!node.hasMarks(HNode::FlagKeep | HNode::FlagMain));
    node.clearMarks(HNode::FlagPlaceholder | HNode::FlagKeep);
    QCOMPARE(node.marks(), HNode::NodeFlags(HNode::FlagConfirmed));
    QVERIFY(node.hasMarks({})); // the empty mask is always held
}

void TestHNode::parseProperty()
{
    HBlock node;
    node.parseProperty(designerProperty(QStringLiteral("title"), QStringLiteral("Gain")));
    node.parseProperty(designerProperty(QStringLiteral("label"), QStringLiteral("Lobby Gain")));
    node.parseProperty(
        designerProperty(QStringLiteral("scriptFile"), QStringLiteral("toggleff.js")));
    node.parseProperty(designerProperty(QStringLiteral("index"), QStringLiteral("7")));
    node.parseProperty(designerProperty(QStringLiteral("nodeID"), QStringLiteral("030216")));
    node.parseProperty(designerProperty(QStringLiteral("controlCount"), QStringLiteral("3")));
    node.parseProperty(designerProperty(QStringLiteral("actionCount"), QStringLiteral("x")));
    node.parseProperty(designerProperty(QStringLiteral("inputLabel1"), QStringLiteral("Mic 1")));
    node.parseProperty(designerProperty(QStringLiteral("inputLabel2"), QStringLiteral("Mic 2")));
    node.parseProperty(designerProperty(QStringLiteral("Title"), QStringLiteral("ignored")));
    node.parseProperty(designerProperty(QStringLiteral("unknown"), QStringLiteral("ignored")));

    QCOMPARE(node.title(), QStringLiteral("Gain"));
    QCOMPARE(node.label(), QStringLiteral("Lobby Gain"));
    QCOMPARE(node.scriptFile(), QStringLiteral("toggleff.js"));
    QCOMPARE(node.orderNumber(), 7);
    QCOMPARE(node.nodeNumber(), 30216);
    QCOMPARE(node.controlCount(), 3);
    QCOMPARE(node.actionCount(), 0); // not a number
    QCOMPARE(node.inputLabels(), (QStringList{"Mic 1", "Mic 2"}));
}

void TestHNode::searchesTakeTheFirstHitInOrder()
{
    HRoot root;
    HChassis *first = chassis(QStringLiteral("First"), 1);
    HChassis *second = chassis(QStringLiteral("Second"), 2);
    root.addNode(first);
    root.addNode(second);
    HBlock *a = block(QStringLiteral("Gain"), 10);
    HBlock *b = block(QStringLiteral("Gain"), 11);
    auto *g = new HGroup;
    g->setLabel(QStringLiteral("Gain"));
    g->setNodeNumber(11);
    g->setId(QStringLiteral("4"));
    first->addNode(a);
    second->addNode(g);
    second->addNode(b);

    QCOMPARE(root.findByCategory(QStringLiteral("Blocks")), a);
    QCOMPARE(root.findByCategory(QStringLiteral("Groups")), g);
    QCOMPARE(root.findByCategory(QStringLiteral("RCGroups")), nullptr);
    QCOMPARE(root.findById(11), g);
    QCOMPARE(root.findById(99), nullptr);
    QCOMPARE(root.findByCategoryAndId(QStringLiteral("Blocks"), 11), b);
    QCOMPARE(root.findByCategoryAndId(QStringLiteral("Blocks"), 12), nullptr);
    QCOMPARE(root.findByAttribute(QStringLiteral("label"), QStringLiteral("Gain")), a);
    QCOMPARE(second->findByAttribute(QStringLiteral("label"), QStringLiteral("Gain")), g);
    QCOMPARE(root.findByAttribute(QStringLiteral("label"), QStringLiteral("gain")), nullptr);
    QCOMPARE(root.findByCategoryAndAttribute(QStringLiteral("Groups"), QStringLiteral("id"),
                                             QStringLiteral("4")),
             g);
    QCOMPARE(root.findByCategoryAndAttribute(QStringLiteral("Blocks"), QStringLiteral("label"),
                                             QStringLiteral("Gain")),
             a);
    QCOMPARE(root.findByCategoryAndAttribute(QStringLiteral("Blocks"), QStringLiteral("id"),
                                             QStringLiteral("4")),
             nullptr);

    // A leaf answers for itself only.
    QCOMPARE(a->findById(10), a);
    QCOMPARE(a->findById(11), nullptr);
}

void TestHNode::categorySearchesTestTheCompositeItself()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"), 30216);
    root.addNode(main);
    auto *rc = new HRCGroup;
    rc->setId(QStringLiteral("1"));
    main->addNode(rc);
    HBlock *sameNumber = block(QStringLiteral("Main"), 30216);
    main->addNode(sameNumber);

    QCOMPARE(root.findByCategory(QStringLiteral("Chassis")), main);
    QCOMPARE(root.findByCategoryAndId(QStringLiteral("Chassis"), 30216), main);
    QCOMPARE(root.findByCategoryAndAttribute(QStringLiteral("Chassis"), QStringLiteral("label"),
                                             QStringLiteral("Main")),
             main);
    QCOMPARE(root.findByCategoryAndAttribute(QStringLiteral("RCGroups"), QStringLiteral("id"),
                                             QStringLiteral("1")),
             rc);
    // The searches without a category look below a composite, never at it.
    QCOMPARE(root.findById(30216), sameNumber);
    QCOMPARE(root.findByAttribute(QStringLiteral("label"), QStringLiteral("Main")), sameNumber);
    QCOMPARE(main->findByAttribute(QStringLiteral("label"), QStringLiteral("Main")), sameNumber);
}

void TestHNode::findCounterpart()
{
    HRoot panelTree;
    HChassis *panelChassis = chassis(QStringLiteral("Main"), 5);
    panelTree.addNode(panelChassis);
    HBlock *byNumber = block(QStringLiteral("Old name"), 12);
    HBlock *byLabel = block(QStringLiteral("Lobby"));
    auto *groupSameLabel = new HGroup;
    groupSameLabel->setLabel(QStringLiteral("Bar"));
    panelChassis->addNode(byNumber);
    panelChassis->addNode(byLabel);
    panelChassis->addNode(groupSameLabel);

    HBlock readNumbered;
    readNumbered.setLabel(QStringLiteral("New name"));
    readNumbered.setNodeNumber(12);
    QCOMPARE(readNumbered.findCounterpart(&panelTree), byNumber);

    HBlock readUnnumbered;
    readUnnumbered.setLabel(QStringLiteral("Lobby"));
    QCOMPARE(readUnnumbered.findCounterpart(&panelTree), byLabel);
    QCOMPARE(readUnnumbered.findCounterpart(panelChassis), byLabel);

    // A number that no node carries falls back to the label.
    HBlock readOtherNumber;
    readOtherNumber.setLabel(QStringLiteral("Lobby"));
    readOtherNumber.setNodeNumber(99);
    QCOMPARE(readOtherNumber.findCounterpart(&panelTree), byLabel);

    // The category must match too.
    HBlock readBar;
    readBar.setLabel(QStringLiteral("Bar"));
    QCOMPARE(readBar.findCounterpart(&panelTree), nullptr);

    HBlock nameless;
    QCOMPARE(nameless.findCounterpart(&panelTree), nullptr);
    QCOMPARE(readUnnumbered.findCounterpart(nullptr), nullptr);
}

void TestHNode::addNodeAppendsAndSetsParent()
{
    HChassis main;
    HBlock *a = block(QStringLiteral("a"));
    HBlock *b = block(QStringLiteral("b"));
    QVERIFY(main.addNode(a));
    QVERIFY(main.addNode(b));
    QCOMPARE(main.childCount(), 2);
    QCOMPARE(main.child(0), a);
    QCOMPARE(main.child(1), b);
    QCOMPARE(a->parentNode(), &main);
    QCOMPARE(main.childNodes(), (QList<HNode *>{a, b}));
    QVERIFY(main.addNode(a)); // already there: nothing changes
    QCOMPARE(main.childCount(), 2);
    QVERIFY(!main.addNode(nullptr));
}

void TestHNode::addNodeOn2350InputsStillAdds()
{
    HComposite group;
    group.setLabel(QStringLiteral("2350 Inputs"));
    QTest::ignoreMessage(QtDebugMsg, "Found 2350 Inputs Group");
    QVERIFY(group.addNode(block(QStringLiteral("in 1"))));
    QCOMPARE(group.childCount(), 1);
}

void TestHNode::addNodeRejectsChildrenOfKpa7Groups_data()
{
    QTest::addColumn<QString>("model");
    QTest::newRow("TQY2315E") << "TQY2315E";
    QTest::newRow("TQY3515E") << "TQY3515E";
    QTest::newRow("TQY5915E") << "TQY5915E";
}

void TestHNode::addNodeRejectsChildrenOfKpa7Groups()
{
    QFETCH(QString, model);
    HComposite group;
    group.setTitle(QStringLiteral("Zone A"));
    group.setDeviceTypes({QStringLiteral("LZ9610T"), model});
    std::unique_ptr<HBlock> child(block(QStringLiteral("gain")));
    QTest::ignoreMessage(QtDebugMsg, "KPA-7 device found in group Zone A. Skipping add to tree.");
    QVERIFY(!group.addNode(child.get()));
    QCOMPARE(group.childCount(), 0);
    QCOMPARE(child->parentNode(), nullptr);

    // Other amplifier titles do not stop it.
    HComposite other;
    other.setDeviceTypes({QStringLiteral("TQY3515"), QStringLiteral("tqy3515e")});
    QVERIFY(other.addNode(child.release()));
}

void TestHNode::addNodeOnALeafAttachesNothing()
{
    HBlock leaf;
    HBlock child;
    child.setLabel(QStringLiteral("Gain 2"));
    QTest::ignoreMessage(QtDebugMsg, "Adding node: Gain 2");
    QVERIFY(!leaf.addNode(&child));
    QCOMPARE(leaf.childCount(), 0);
    QCOMPARE(child.parentNode(), nullptr);
}

void TestHNode::addNodeMovesANodeBetweenParents()
{
    HRoot root;
    HChassis *first = chassis(QStringLiteral("First"));
    HChassis *second = chassis(QStringLiteral("Second"));
    root.addNode(first);
    root.addNode(second);
    HBlock *gain = block(QStringLiteral("Gain"));
    first->addNode(gain);
    QVERIFY(second->addNode(gain));
    QCOMPARE(first->childCount(), 0);
    QCOMPARE(second->childCount(), 1);
    QCOMPARE(gain->parentNode(), second);
}

void TestHNode::addNodeRefusesCycles()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("own descendant"));
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    auto *group = new HRCGroup;
    main->addNode(group);
    QVERIFY(!group->addNode(main));
    QCOMPARE(main->parentNode(), &root);
    QCOMPARE(group->childCount(), 0);
}

void TestHNode::childByIndex()
{
    HChassis main;
    main.addNode(block(QStringLiteral("a")));
    QVERIFY(main.child(0));
    QCOMPARE(main.child(1), nullptr);
    QCOMPARE(main.child(-1), nullptr);
    HBlock leaf;
    QCOMPARE(leaf.child(0), nullptr);
}

void TestHNode::removeChild()
{
    HChassis main;
    std::unique_ptr<HBlock> gain(block(QStringLiteral("Gain")));
    main.addNode(gain.get());
    QVERIFY(main.removeChild(gain.get()));
    QCOMPARE(main.childCount(), 0);
    QCOMPARE(gain->parentNode(), nullptr); // the node is the caller's now
    QVERIFY(!main.removeChild(gain.get()));
    HBlock leaf;
    QVERIFY(!leaf.removeChild(gain.get()));
}

void TestHNode::deletingAChildDetachesIt()
{
    HChassis main;
    HBlock *a = block(QStringLiteral("a"));
    HBlock *b = block(QStringLiteral("b"));
    main.addNode(a);
    main.addNode(b);
    delete a;
    QCOMPARE(main.childNodes(), (QList<HNode *>{b}));
}

void TestHNode::compositeDeletesItsChildrenFirst()
{
    QStringList order;
    auto *root = new HRoot;
    HChassis *main = chassis(QStringLiteral("Main"));
    HBlock *gain = block(QStringLiteral("Gain"));
    root->addNode(main);
    main->addNode(gain);
    connect(root, &QObject::destroyed, this, [&] { order << "root"; });
    connect(main, &QObject::destroyed, this, [&] { order << "chassis"; });
    connect(gain, &QObject::destroyed, this, [&] { order << "block"; });
    QPointer<HNode> watchGain(gain);
    delete root;
    QVERIFY(watchGain.isNull());
    QCOMPARE(order, (QStringList{"block", "chassis", "root"}));
}

void TestHNode::setReferenced()
{
    HBlock orphan;
    orphan.setReferenced(true);
    QVERIFY(!orphan.isReferenced()); // only a node with a parent is marked

    HChassis main;
    HBlock *gain = block(QStringLiteral("Gain"));
    main.addNode(gain);
    gain->setReferenced(true);
    QVERIFY(gain->hasMarks(HNode::FlagReferenced));
    QVERIFY(main.hasMarks(HNode::FlagChildReferenced));
    gain->setReferenced(false);
    QVERIFY(!gain->isReferenced());
    QVERIFY(main.hasMarks(HNode::FlagChildReferenced)); // left for clearChildReferenced
}

void TestHNode::compositeIsReferencedThroughItsChildren()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    auto *group = new HRCGroup;
    main->addNode(group);
    auto *room = new HRCRoom;
    group->addNode(room);
    QVERIFY(!root.isReferenced());
    room->setReferenced(true);
    QVERIFY(group->isReferenced());
    QVERIFY(main->isReferenced());
    QVERIFY(root.isReferenced());
    room->setReferenced(false);
    main->setReferenced(true); // a control linked to the chassis itself
    QVERIFY(main->isReferenced());
    QVERIFY(!group->isReferenced());
}

void TestHNode::pruneUnusedEmptiesACompositeOfOnePlaceholder()
{
    HChassis main;
    QPointer<HNode> placeholder(block(QStringLiteral("Unused")));
    main.addNode(placeholder);
    QVERIFY(main.pruneUnused());
    QVERIFY(placeholder.isNull());
    QCOMPARE(main.childCount(), 0);
}

void TestHNode::pruneUnusedKeepsReferencedAndConfirmedNodes()
{
    HChassis main;
    QPointer<HNode> referenced(block(QStringLiteral("Used")));
    QPointer<HNode> confirmed(block(QStringLiteral("From designer")));
    QPointer<HNode> unused(block(QStringLiteral("Unused")));
    main.addNode(referenced);
    main.addNode(unused);
    main.addNode(confirmed);
    referenced->setReferenced(true);
    confirmed->clearMarks(HNode::FlagPlaceholder);
    confirmed->setMarks(HNode::FlagConfirmed);

    QVERIFY(!main.pruneUnused());
    QVERIFY(unused.isNull());
    QCOMPARE(main.childNodes(), (QList<HNode *>{referenced, confirmed}));

    // A leaf deletes itself and leaves its parent's list.
    referenced->setReferenced(false);
    QVERIFY(referenced->pruneUnused());
    QVERIFY(referenced.isNull());
    QCOMPARE(main.childNodes(), (QList<HNode *>{confirmed}));
    QVERIFY(!confirmed->pruneUnused());
}

void TestHNode::pruneUnusedLeavesAnEmptiedSubComposite()
{
    HRoot root;
    QPointer<HChassis> main(chassis(QStringLiteral("Main")));
    root.addNode(main);
    QPointer<HNode> unused(block(QStringLiteral("Unused")));
    main->addNode(unused);
    QVERIFY(!root.pruneUnused()); // the chassis is empty, but it is still there
    QVERIFY(unused.isNull());
    QVERIFY(!main.isNull());
    QCOMPARE(root.childCount(), 1);
    QVERIFY(main->pruneUnused());
}

void TestHNode::removeWhereReferenced()
{
    HRoot root;
    QPointer<HChassis> used(chassis(QStringLiteral("Used")));
    QPointer<HChassis> unusedChassis(chassis(QStringLiteral("Unused")));
    root.addNode(used);
    root.addNode(unusedChassis);
    QPointer<HNode> referenced(block(QStringLiteral("Referenced")));
    QPointer<HNode> unreferenced(block(QStringLiteral("Unreferenced")));
    QPointer<HNode> kept(block(QStringLiteral("Kept")));
    QPointer<HNode> inUnused(block(QStringLiteral("In unused")));
    used->addNode(referenced);
    used->addNode(unreferenced);
    used->addNode(kept);
    unusedChassis->addNode(inUnused);
    referenced->setReferenced(true);
    kept->setMarks(HNode::FlagKeep);

    QVERIFY(!root.removeWhereReferenced(false));
    QVERIFY(unreferenced.isNull());
    QVERIFY(inUnused.isNull());
    QVERIFY(unusedChassis.isNull());
    QVERIFY(!kept.isNull());
    QCOMPARE(root.childNodes(), (QList<HNode *>{used}));
    QCOMPARE(used->childNodes(), (QList<HNode *>{referenced, kept}));

    // The other way round. The children go first, so the chassis is judged by what is left:
    // once its referenced block is gone, it is no longer referenced itself.
    QVERIFY(!root.removeWhereReferenced(true));
    QVERIFY(referenced.isNull());
    QCOMPARE(root.childNodes(), (QList<HNode *>{used}));
    QCOMPARE(used->childNodes(), (QList<HNode *>{kept}));

    // A composite referenced on its own account goes with its subtree.
    used->setReferenced(true);
    QVERIFY(!root.removeWhereReferenced(true));
    QVERIFY(used.isNull());
    QVERIFY(kept.isNull()); // FlagKeep spares a node from its own step, not from its parent's
    QCOMPARE(root.childCount(), 0);
}

void TestHNode::removeWhereReferencedKeepsTheRoot()
{
    auto root = std::make_unique<HRoot>();
    root->addNode(chassis(QStringLiteral("Unused")));
    QVERIFY(!root->removeWhereReferenced(false));
    QCOMPARE(root->childCount(), 0);

    HBlock *lone = block(QStringLiteral("lone"));
    QVERIFY(lone->removeWhereReferenced(false)); // a leaf applies the rule to itself
}

void TestHNode::clearingTheMarks()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    auto *group = new HRCGroup;
    main->addNode(group);
    auto *room = new HRCRoom;
    group->addNode(room);
    HBlock *gain = block(QStringLiteral("Gain"));
    main->addNode(gain);
    for (HNode *node : QList<HNode *>{&root, main, group, room, gain})
        node->setMarks(HNode::FlagConfirmed);

    root.clearConfirmed(true);
    QVERIFY(root.hasMarks(HNode::FlagConfirmed));
    for (HNode *node : QList<HNode *>{main, group, room, gain})
        QVERIFY(!node->hasMarks(HNode::FlagConfirmed));
    root.clearConfirmed(false);
    QVERIFY(!root.hasMarks(HNode::FlagConfirmed));

    room->setReferenced(true);
    gain->setReferenced(true);
    QVERIFY(group->hasMarks(HNode::FlagChildReferenced));
    QVERIFY(main->hasMarks(HNode::FlagChildReferenced));
    root.clearChildReferenced();
    QVERIFY(!group->hasMarks(HNode::FlagChildReferenced));
    QVERIFY(!main->hasMarks(HNode::FlagChildReferenced));

    gain->clearReferenced();
    QVERIFY(!gain->isReferenced());
    QVERIFY(room->isReferenced());
}

void TestHNode::deleteUnlessKeep()
{
    HRoot root;
    QPointer<HChassis> main(chassis(QStringLiteral("Main")));
    root.addNode(main);
    QPointer<HNode> kept(block(QStringLiteral("Kept")));
    QPointer<HNode> dropped(block(QStringLiteral("Dropped")));
    main->addNode(kept);
    main->addNode(dropped);
    kept->setMarks(HNode::FlagKeep);

    QVERIFY(!root.deleteUnlessKeep());
    QVERIFY(dropped.isNull());
    QVERIFY(!kept.isNull());
    QVERIFY(!main.isNull());
    QCOMPARE(main->childNodes(), (QList<HNode *>{kept}));
    QVERIFY(!kept->deleteUnlessKeep());
}

void TestHNode::collectByCategory()
{
    HRoot root;
    HChassis *first = chassis(QStringLiteral("First"));
    HChassis *second = chassis(QStringLiteral("Second"));
    root.addNode(first);
    root.addNode(second);
    first->addNode(block(QStringLiteral("a")));
    first->addNode(new HGroup);
    auto *rc = new HRCGroup;
    second->addNode(rc);
    rc->addNode(block(QStringLiteral("b")));
    second->addNode(block(QStringLiteral("c")));

    QList<HNode *> list{&root}; // emptied first
    QVERIFY(root.collectByCategory(QStringLiteral("Blocks"), list));
    QCOMPARE(labels(list), (QStringList{"a", "b", "c"}));
    QVERIFY(root.collectByCategory(QStringLiteral("Chassis"), list));
    QCOMPARE(labels(list), (QStringList{"First", "Second"}));
    QVERIFY(!root.collectByCategory(QStringLiteral("ParameterSets"), list));
    QVERIFY(list.isEmpty());

    // A leaf appends to what the list holds.
    QList<HNode *> kept{first};
    HBlock d;
    QVERIFY(d.collectByCategory(QStringLiteral("Blocks"), kept));
    QCOMPARE(kept.size(), 2);
    QVERIFY(d.collectByCategory(QStringLiteral("Groups"), kept));
    QCOMPARE(kept.size(), 2);
}

void TestHNode::collectMatchingFollowsTheSameContract()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    main->addNode(block(QStringLiteral("a")));
    auto *rc = new HRCGroup;
    main->addNode(rc);
    rc->addNode(block(QStringLiteral("b")));

    QList<HNode *> list{&root};
    QVERIFY(root.collectMatching(QStringLiteral("Blocks"), list));
    QCOMPARE(labels(list), (QStringList{"a", "b"}));
    QVERIFY(!root.collectMatching(QStringLiteral("Groups"), list));
    QVERIFY(list.isEmpty());
}

void TestHNode::sortByOrderKeepsEqualKeysInOrder()
{
    HComposite owner;
    const QList<int> keys{2, 1, 2, 0, 1, -1};
    QList<HNode *> list;
    for (int i = 0; i < keys.size(); ++i) {
        HBlock *node = block(QString::number(i));
        node->setSortOrder(keys.at(i));
        owner.addNode(node);
        list << node;
    }
    owner.sortByOrder(list);
    QCOMPARE(labels(list), (QStringList{"5", "3", "1", "4", "0", "2"}));

    QList<HNode *> untouched = owner.childNodes();
    HBlock leaf;
    leaf.sortByOrder(untouched);
    QCOMPARE(untouched, owner.childNodes());
}

void TestHNode::protocolReachesNodesThroughAddNode()
{
    QObject standIn;
    PProtocol *protocol = fakeProtocol(standIn);
    HChassis main;
    main.setProtocol(protocol);
    HBlock *gain = block(QStringLiteral("Gain"));
    main.addNode(gain);
    QCOMPARE(gain->protocol(), protocol);

    auto *rc = new HRCGroup;
    main.addNode(rc);
    auto *room = new HRCRoom;
    rc->addNode(room);
    QCOMPARE(rc->protocol(), protocol);
    QCOMPARE(room->protocol(), protocol);
}

void TestHNode::setProtocolRunsDownTheSubtree()
{
    QObject first;
    QObject second;
    HChassis main;
    main.setProtocol(fakeProtocol(first));
    auto *rc = new HRCGroup;
    main.addNode(rc);
    auto *room = new HRCRoom;
    rc->addNode(room);
    HBlock *gain = block(QStringLiteral("Gain"));
    main.addNode(gain);

    main.setProtocol(fakeProtocol(second));
    for (HNode *node : QList<HNode *>{&main, rc, room, gain})
        QCOMPARE(node->protocol(), fakeProtocol(second));
    main.setProtocol(nullptr);
    QCOMPARE(room->protocol(), nullptr);
}

void TestHNode::aChassisKeepsItsOwnProtocol()
{
    QObject own;
    QObject other;
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    main->setProtocol(fakeProtocol(own));
    root.addNode(main); // the root holds no protocol
    QCOMPARE(main->protocol(), fakeProtocol(own));

    root.setProtocol(fakeProtocol(other));
    QCOMPARE(root.protocol(), fakeProtocol(other));
    QCOMPARE(main->protocol(), fakeProtocol(own));

    QVERIFY(main->completeSetup());
    QCOMPARE(main->protocol(), fakeProtocol(own));
}

void TestHNode::completeSetupTakesTheParentsProtocol()
{
    QObject first;
    QObject second;
    HChassis main;
    main.setProtocol(fakeProtocol(first));
    HBlock *gain = block(QStringLiteral("Gain"));
    gain->setTitle(QStringLiteral("Gain"));
    main.addNode(gain);
    gain->setProtocol(fakeProtocol(second));
    QVERIFY(gain->completeSetup());
    QCOMPARE(gain->protocol(), fakeProtocol(first));

    HBlock orphan;
    orphan.setTitle(QStringLiteral("Gain"));
    orphan.setProtocol(fakeProtocol(second));
    QVERIFY(orphan.completeSetup());
    QCOMPARE(orphan.protocol(), fakeProtocol(second)); // nothing above to take from

    auto *echo = new HEchoCanel;
    main.addNode(echo);
    QVERIFY(echo->completeSetup());
    QCOMPARE(echo->protocol(), fakeProtocol(first));
    QCOMPARE(echo->typenum(), QStringLiteral("0"));
    QCOMPARE(echo->title(), QStringLiteral("EchoCancel"));
}

void TestHNode::templatePath()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    main->setConnectionAttribute(QStringLiteral("platform"), QStringLiteral("NVA"));
    root.addNode(main);
    HBlock *gain = block(QStringLiteral("Gain 1"));
    gain->setTitle(QStringLiteral("Gain"));
    gain->setTypenum(QStringLiteral("0"));
    main->addNode(gain);
    QCOMPARE(gain->templatePath(), QStringLiteral(":/data/NVA/Gain_0.xml"));

    HBlock *eq = block(QStringLiteral("EQ"));
    eq->setTitle(QStringLiteral("Tone EQ "));
    eq->setTypenum(QStringLiteral("1"));
    main->addNode(eq);
    QCOMPARE(eq->templatePath(), QStringLiteral(":/data/NVA/ToneEQ_1.xml"));

    HChassis *amp = chassis(QStringLiteral("Amp"));
    amp->setConnectionAttribute(QStringLiteral("platform"), QStringLiteral("LZ"));
    root.addNode(amp);
    HBlock *analog = block(QStringLiteral("In"));
    analog->setTitle(QStringLiteral("Analog"));
    analog->setTypenum(QStringLiteral("1"));
    amp->addNode(analog);
    QCOMPARE(analog->templatePath(), QStringLiteral(":/data/LZ/Analog_1.xml"));

    HBlock orphan;
    orphan.setTitle(QStringLiteral("Gain"));
    orphan.setTypenum(QStringLiteral("0"));
    QCOMPARE(orphan.templatePath(), QStringLiteral(":/data//Gain_0.xml"));
}

void TestHNode::platformIsAskedUpTheParentChain()
{
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    auto *rc = new HRCGroup;
    main->addNode(rc);
    auto *room = new HRCRoom;
    rc->addNode(room);
    auto *block = new HBlock;
    main->addNode(block);
    QCOMPARE(block->platform(), QStringLiteral("NVA")); // the chassis's default
    main->setConnectionAttribute(QStringLiteral("platform"), QStringLiteral("TQ"));
    QCOMPARE(block->platform(), QStringLiteral("TQ"));
    // Room combining has templates of its own, whatever the device.
    QCOMPARE(room->platform(), QStringLiteral("Veloxa"));
    QCOMPARE(room->templatePath(), QStringLiteral(":/data/Veloxa/RCRoom_0.xml"));
    QCOMPARE(rc->templatePath(), QStringLiteral(":/data/Veloxa/RCGroup_0.xml"));
    QCOMPARE(root.platform(), QString());
    HBlock orphan;
    QCOMPARE(orphan.platform(), QString());
}

void TestHNode::writeXml()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    HRoot root;
    HChassis *main = chassis(QStringLiteral("Main"));
    root.addNode(main);
    main->addNode(block(QStringLiteral("Gain")));
    QVERIFY(root.writeXml(writer));
    HBlock leaf;
    QVERIFY(leaf.writeXml(writer));
    QVERIFY(buffer.data().isEmpty());
}

void TestHNode::plainAnswers()
{
    HChassis main;
    HChassis active;
    HBlock gain;
    QVERIFY(!gain.isOnline());
    QVERIFY(!main.isOnline());
    QCOMPARE(gain.selectAttachChassis(&main, &active), &active);
    QCOMPARE(gain.selectAttachChassis(&main, nullptr), nullptr);

    // Merging leaves the existing node as it was.
    HBlock read;
    read.setLabel(QStringLiteral("read"));
    gain.setLabel(QStringLiteral("existing"));
    gain.mergeFrom(&read);
    QCOMPARE(gain.label(), QStringLiteral("existing"));
}

QTEST_GUILESS_MAIN(TestHNode)
#include "tst_hnode.moc"
