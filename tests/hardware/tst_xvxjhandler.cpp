#include "hardware/haudioio.h"
#include "hardware/hblock.h"
#include "hardware/hchassis.h"
#include "hardware/hgroup.h"
#include "hardware/hparameterset.h"
#include "hardware/hparametersetlist.h"
#include "hardware/hrcgroup.h"
#include "hardware/hrcroom.h"
#include "hardware/hroot.h"
#include "hardware/xvxjhandler.h"
#include "model/mproject.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString prop(const QString &name, const QString &value, const QString &extra = QString())
{
    return QStringLiteral("<Property name=\"%1\" value=\"%2\" %3/>").arg(name, value, extra);
}

// Property elements from name=value pairs.
QString props(const QStringList &pairs)
{
    QString text;
    for (const QString &pair : pairs) {
        const qsizetype split = pair.indexOf(QLatin1Char('='));
        text += prop(pair.left(split), pair.mid(split + 1));
    }
    return text;
}

QString node(const QString &className, const QStringList &pairs,
             const QString &attributes = QString())
{
    return QStringLiteral("<Node className=\"Orvik.Atelier.Nodes.%1\" %2><Properties>")
               .arg(className, attributes) +
           props(pairs) + QStringLiteral("</Properties></Node>");
}

QString mainProcessor()
{
    return node(QStringLiteral("Devices.NVA"),
                {QStringLiteral("title=NVA-640"), QStringLiteral("label=Main Processor"),
                 QStringLiteral("nodeID=030216"), QStringLiteral("deviceType=NVA-640"),
                 QStringLiteral("isMainNVA=True")},
                QStringLiteral("typeNumber=\"0\""));
}

QString block(const QString &title, const QString &label, int nodeId,
              const QStringList &more = QStringList())
{
    return node(
        QStringLiteral("Gain"),
        QStringList{"title=" + title, "label=" + label, "nodeID=" + QString::number(nodeId)} + more,
        QStringLiteral("typeNumber=\"0\""));
}

QString definition(const QString &element, const QString &id, const QString &title,
                   const QString &label, const QStringList &more = QStringList())
{
    return QStringLiteral("<%1 id=\"%2\"><Properties>").arg(element, id) +
           props(QStringList{"title=" + title, "label=" + label} + more) +
           QStringLiteral("</Properties></%1>").arg(element);
}

QString assign(const QString &target, const QString &extra = QString())
{
    return QStringLiteral("<Assign targetID=\"%1\" %2/>").arg(target, extra);
}

HNode *byLabel(const HRoot &root, const QString &label)
{
    return root.findByAttribute(QStringLiteral("label"), label);
}

int countOf(HRoot &root, const QString &category)
{
    QList<HNode *> nodes;
    root.collectByCategory(category, nodes);
    return int(nodes.size());
}

} // namespace

class TestXVXJHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void versionDecidesWhetherTheFileIsRead_data();
    void versionDecidesWhetherTheFileIsRead();
    void unreadableOrMalformedFileFails();
    void nodesAreReadOnlyUnderNodesAndOutsideLogicViews();
    void blockKindsThatAreKept_data();
    void blockKindsThatAreKept();
    void roomRouterSourceList_data();
    void roomRouterSourceList();
    void blockRangesAndLabels();
    void groupTypeSettlesTheTemplate_data();
    void groupTypeSettlesTheTemplate();
    void selectorGroupEntries();
    void assignedDefinitionsSurvivePruningUnassignedOnesDoNot();
    void panelListNamesItsParameterSetsInOrder();
    void mergeModeMatchesExistingChassisAndNodes();
    void groupsOfTqAmplifiersLearnTheirAmplifiers();
    void projectInformationIsRead();
    void roomCombiningGroupsBuildTheirRooms();

private:
    // Writes a designer project around body and loads it into root.
    bool load(HRoot &root, const QString &body, bool mergeMode = false,
              const QString &version = QStringLiteral("4.3"), MProject *info = nullptr,
              const QString &prolog = {});

    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestXVXJHandler::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
}

bool TestXVXJHandler::load(HRoot &root, const QString &body, bool mergeMode, const QString &version,
                           MProject *info, const QString &prolog)
{
    const QString path = m_dir.filePath(QStringLiteral("p%1.vxj").arg(++m_files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n%3"
                              "<Project version=\"%1\" name=\"Test\">%2</Project>\r\n")
                   .arg(version, body, prolog)
                   .toLatin1());
    file.close();
    return XVXJHandler::load(&root, path, mergeMode, info);
}

void TestXVXJHandler::versionDecidesWhetherTheFileIsRead_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("read");
    QTest::newRow("4.2") << "4.2" << true;
    QTest::newRow("5.0") << "5.0" << true;
    QTest::newRow("4.19") << "4.19" << false;
    QTest::newRow("not a number") << "abc" << false;
}

void TestXVXJHandler::versionDecidesWhetherTheFileIsRead()
{
    QFETCH(QString, version);
    QFETCH(bool, read);

    // The warning is a modal box: answer it the way a user would.
    QString warning;
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            warning = box->windowTitle() + '|' + box->text();
            box->accept();
        }
    });
    closer.start();

    HRoot root;
    QCOMPARE(load(root, "<Nodes>" + mainProcessor() + "</Nodes>", false, version), read);
    QCOMPARE(countOf(root, QStringLiteral("Chassis")), read ? 1 : 0);
    if (read) {
        QVERIFY(warning.isEmpty());
    } else {
        QVERIFY2(warning.startsWith(QStringLiteral("Open Veloxa Designer File Error|")),
                 qPrintable(warning));
        QVERIFY(warning.contains("(version: " + version + ")\n\n"));
    }
}

void TestXVXJHandler::unreadableOrMalformedFileFails()
{
    HRoot root;
    QString error;
    QVERIFY(!XVXJHandler::load(&root, m_dir.filePath("missing.vxj"), false, nullptr, &error));
    QCOMPARE(error, QStringLiteral("the designer project cannot be read"));
    const QString nodes = "<Nodes>" + mainProcessor() + "</Nodes>";
    QVERIFY(!load(root, "<Nodes>" + mainProcessor() + "<Node></Nodes>"));
    QVERIFY(!load(root, nodes + QString("<a>").repeated(20000) + QString("</a>").repeated(20000)));
    QVERIFY(!load(root, nodes + prop("title", QString(2 << 20, 'v'))));
    QVERIFY(!load(root, nodes + prop("title", QString("&e;").repeated(200000)), false, "4.3",
                  nullptr, "<!DOCTYPE Project [<!ENTITY e \"" + QString(4000, 'x') + "\">]>"));
    QCOMPARE(countOf(root, QStringLiteral("Chassis")), 0);
}

void TestXVXJHandler::nodesAreReadOnlyUnderNodesAndOutsideLogicViews()
{
    const QString logicWith = QStringLiteral(
        "<Node className=\"Orvik.Atelier.Nodes.Logic\"><Properties>%1%2%3</Properties>"
        "<LogicView><Nodes>%4</Nodes></LogicView></Node>");
    const QString hidden = block(QStringLiteral("Gain"), QStringLiteral("Inside Logic"), 90);
    HRoot root;
    const bool loaded = load(
        root,
        block(QStringLiteral("Gain"), QStringLiteral("Under Project"), 80) + "<Nodes>" +
            block(QStringLiteral("Gain"), QStringLiteral("Before Chassis"), 81) + mainProcessor() +
            node(QStringLiteral("Input"),
                 {QStringLiteral("title=Input 2"), QStringLiteral("label=Host Mic"),
                  QStringLiteral("nodeID=101")},
                 QStringLiteral("cardType=\"4ch Mic/Line Input\" portIndex=\"1\" pinIndex=\"x\"")) +
            logicWith.arg(prop("title", "Logic"), prop("label", "Toggle"),
                          prop("scriptFile", "flip.toggleff.js"), hidden) +
            logicWith.arg(prop("title", "Logic"), prop("label", "Other Logic"),
                          prop("scriptFile", "and.js"), hidden) +
            block(QStringLiteral("Gain"), QStringLiteral("After Logic"), 82) +
            node(QStringLiteral("DeviceNode"), {QStringLiteral("label=Loudspeaker")}) + "</Nodes>");
    QVERIFY(loaded);

    QCOMPARE(countOf(root, QStringLiteral("Chassis")), 1);
    auto *chassis = qobject_cast<HChassis *>(root.child(0));
    QVERIFY(chassis && chassis->hasMarks(HNode::FlagMain | HNode::FlagConfirmed));
    QVERIFY(!chassis->hasMarks(HNode::FlagPlaceholder));
    QCOMPARE(chassis->nodeNumber(), 30216);

    QVERIFY(!byLabel(root, QStringLiteral("Under Project")));
    QVERIFY(!byLabel(root, QStringLiteral("Before Chassis")));
    QVERIFY(!byLabel(root, QStringLiteral("Inside Logic")));
    QVERIFY(!byLabel(root, QStringLiteral("Other Logic")));
    QVERIFY(!byLabel(root, QStringLiteral("Loudspeaker")));
    QVERIFY(byLabel(root, QStringLiteral("Toggle")));
    QVERIFY(byLabel(root, QStringLiteral("After Logic")));

    auto *input = qobject_cast<HAudioIO *>(byLabel(root, QStringLiteral("Host Mic")));
    QVERIFY(input);
    QCOMPARE(input->parentNode(), chassis);
    QCOMPARE(input->cardType(), QStringLiteral("4ch Mic/Line Input"));
    QCOMPARE(input->portIndex(), 1);
    QCOMPARE(input->pinIndex(), -1); // not a number: left alone
    QCOMPARE(input->nodeNumber(), 101);
    QVERIFY(input->hasMarks(HNode::FlagConfirmed));
    QCOMPARE(chassis->findByCategoryAndId(QStringLiteral("Analog I/O"), 101), input);
}

void TestXVXJHandler::blockKindsThatAreKept_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("scriptFile");
    QTest::addColumn<bool>("kept");
    QTest::newRow("Gain") << "Gain"
                          << "" << true;
    QTest::newRow("Selector") << "Selector"
                              << "" << true;
    QTest::newRow("ToneEQ") << "ToneEQ"
                            << "" << true;
    QTest::newRow("Tone EQ") << "Tone EQ"
                             << "" << true;
    QTest::newRow("AMM") << "AMM-GainShare"
                         << "" << true;
    QTest::newRow("router") << "Standard Room Combiner"
                            << "" << true;
    QTest::newRow("virtual GPI") << "Virtual GPI 1"
                                 << "" << true;
    QTest::newRow("logic output") << "Logic Output"
                                  << "" << true;
    QTest::newRow("toggle logic") << "Logic"
                                  << "toggleff.js" << true;
    QTest::newRow("other logic") << "Logic"
                                 << "latch.js" << false;
    QTest::newRow("equaliser") << "PEQ-5band"
                               << "" << false;
    QTest::newRow("delay") << "Delay"
                           << "" << false;
    QTest::newRow("case matters") << "gain"
                                  << "" << false;
}

void TestXVXJHandler::blockKindsThatAreKept()
{
    QFETCH(QString, title);
    QFETCH(QString, scriptFile);
    QFETCH(bool, kept);
    HRoot root;
    QVERIFY(load(root, "<Nodes>" + mainProcessor() +
                           block(title, QStringLiteral("Block"), 20, {"scriptFile=" + scriptFile}) +
                           "</Nodes>"));
    HNode *found = byLabel(root, QStringLiteral("Block"));
    QCOMPARE(found != nullptr, kept);
    if (kept) {
        QCOMPARE(found->platform(), QStringLiteral("NVA"));
        QCOMPARE(found->templatePath(), ":/data/NVA/" + QString(title).remove(' ') + "_0.xml");
    }
}

void TestXVXJHandler::roomRouterSourceList_data()
{
    QTest::addColumn<QString>("bgmCount");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("two sources after four inputs") << "2" << QStringList{"None", "Music", "TV"};
    QTest::newRow("no sources") << "0" << QStringList{"None"};
}

void TestXVXJHandler::roomRouterSourceList()
{
    QFETCH(QString, bgmCount);
    QFETCH(QStringList, items);
    HRoot root;
    QVERIFY(
        load(root, "<Nodes>" + mainProcessor() +
                       block(QStringLiteral("Conference Room Router"), QStringLiteral("Room"), 30,
                             {QStringLiteral("inputCount=4"),
                              QStringLiteral("leftLabelList=Mic 1,Mic 2,Mic 3,Mic 4,Music,TV,"
                                             "Spare"),
                              "bgmCount=" + bgmCount}) +
                       "</Nodes>"));
    auto *router = qobject_cast<HBlock *>(byLabel(root, QStringLiteral("Room")));
    QVERIFY(router);
    QVERIFY(router->hasList());
    QCOMPARE(router->takeItemList(), items);
    QVERIFY(router->itemList().isEmpty());
}

void TestXVXJHandler::blockRangesAndLabels()
{
    const QString level = prop("level", "0", "max=\"12\" min=\"-60\"");
    const QString master = prop("masterVolume", "0", "max=\"10\" min=\"-40\"");
    const auto withProperties = [](const QString &title, const QString &label,
                                   const QString &properties) {
        return QStringLiteral("<Node className=\"Orvik.Atelier.Nodes.Gain\"><Properties>") +
               prop("title", title) + prop("label", label) + properties +
               QStringLiteral("</Properties></Node>");
    };
    HRoot root;
    QVERIFY(load(
        root,
        "<Nodes>" + mainProcessor() + withProperties("Gain", "Gain Block", level + master) +
            withProperties("Standard Room Combiner", "Combiner",
                           level + master + prop("roomNumber", "3") + prop("rcGroupNumber", "x")) +
            withProperties("AMM-Gated", "Mixer", prop("channelCount", "8")) +
            QStringLiteral("<Node className=\"Orvik.Atelier.Nodes.UsbTx\" cardType=\"USB\">"
                           "<Properties>") +
            prop("title", "USB Out") + prop("label", "Usb") +
            prop("level2", "0", "max=\"6\" min=\"-20\"") + prop("outName1", "Left") +
            prop("label1", "Right") + QStringLiteral("</Properties></Node>") + "</Nodes>"));

    HNode *gain = byLabel(root, QStringLiteral("Gain Block"));
    QVERIFY(gain && gain->hasLevelRange());
    QCOMPARE(gain->levelMax(), QStringLiteral("12"));
    QCOMPARE(gain->levelMin(), QStringLiteral("-60"));
    QVERIFY(gain->rangeMax().isEmpty()); // masterVolume is a room-router level only

    HNode *combiner = byLabel(root, QStringLiteral("Combiner"));
    QVERIFY(combiner && !combiner->hasLevelRange());
    QCOMPARE(combiner->rangeMax().value("level"), QStringLiteral("12"));
    QCOMPARE(combiner->rangeMin().value("masterVolume"), QStringLiteral("-40"));
    QCOMPARE(combiner->roomNumber(), 3);
    QCOMPARE(combiner->rcGroupNumber(), 0);

    HNode *mixer = byLabel(root, QStringLiteral("Mixer"));
    QVERIFY(mixer && mixer->hasChannelCount());
    QCOMPARE(mixer->channelCount(), 8);

    HNode *usb = byLabel(root, QStringLiteral("Usb"));
    QVERIFY(usb && usb->hasLevelRange());
    QCOMPARE(usb->levelMin(), QStringLiteral("-20"));
    QCOMPARE(usb->outputNames(), (QStringList{"Usb", "Left", "Right"}));
    QCOMPARE(usb->outputLabel(2), QStringLiteral("Right"));
    QCOMPARE(usb->outputLabel(3), QStringLiteral("noPortLabel"));
    QCOMPARE(usb->outputLabel(-1), QStringLiteral("noPortLabel"));
}

void TestXVXJHandler::groupTypeSettlesTheTemplate_data()
{
    QTest::addColumn<QString>("groupType");
    QTest::addColumn<QString>("typenum");
    QTest::newRow("Level") << "Level"
                           << "0";
    QTest::newRow("Level + Mute") << "Level + Mute"
                                  << "1";
    QTest::newRow("Mute") << "Mute"
                          << "2";
    QTest::newRow("Selector") << "Selector"
                              << "3";
    QTest::newRow("None keeps its number") << "None"
                                           << "";
}

void TestXVXJHandler::groupTypeSettlesTheTemplate()
{
    QFETCH(QString, groupType);
    QFETCH(QString, typenum);
    HRoot root;
    // Groups go to the main processor even when another device was read last.
    QVERIFY(load(root, "<Nodes>" + mainProcessor() +
                           node(QStringLiteral("Devices.Bramble"),
                                {QStringLiteral("title=LZ4240T"), QStringLiteral("nodeID=030401"),
                                 QStringLiteral("deviceType=LZ4240T")}) +
                           "</Nodes><Groups>" +
                           definition(QStringLiteral("Group"), QStringLiteral("7"),
                                      QStringLiteral("Group"), QStringLiteral("Bar Volume"),
                                      {"groupType=" + groupType}) +
                           "</Groups>"));
    auto *group = qobject_cast<HGroup *>(byLabel(root, QStringLiteral("Bar Volume")));
    QVERIFY(group);
    QCOMPARE(group->id(), QStringLiteral("7"));
    QCOMPARE(group->groupType(), groupType);
    QCOMPARE(group->typenum(), typenum);
    QCOMPARE(group->parentNode()->label(), QStringLiteral("Main Processor"));
    if (!typenum.isEmpty())
        QCOMPARE(group->templatePath(), ":/data/Veloxa/Group_" + typenum + ".xml");
}

void TestXVXJHandler::selectorGroupEntries()
{
    const QString range = QStringLiteral("targetProp=\"selector\" targetMin=\"%1\" "
                                         "targetMax=\"%2\" targetStep=\"%3\"");
    HRoot root;
    QVERIFY(load(root, "<Nodes>" + mainProcessor() + "</Nodes><Groups>" +
                           definition("Group", "1", "Group", "Range", {"groupType=Selector"}) +
                           definition("Group", "2", "Group", "Names", {"groupType=Selector"}) +
                           definition("Group", "3", "Group", "Broken", {"groupType=Selector"}) +
                           definition("Group", "4", "Group", "Level", {"groupType=Level"}) +
                           "</Groups><Assignment>" + "<Group id=\"1\">" +
                           assign("20", range.arg(1).arg(4).arg(1)) +
                           assign("21", range.arg(1).arg(2).arg(1)) + "</Group><Group id=\"2\">" +
                           assign("22", "targetProp=\"name1\" targetValue=\"Music\"") +
                           assign("22", "targetProp=\"name2\" targetValue=\"TV\"") +
                           "</Group><Group id=\"3\">" + assign("23", range.arg(1).arg("").arg(1)) +
                           assign("23", range.arg(5).arg(1).arg(1)) +
                           assign("23", range.arg(1).arg(3).arg(0)) + "</Group><Group id=\"4\">" +
                           assign("24", range.arg(1).arg(4).arg(1)) + "</Group></Assignment>"));

    const auto items = [&root](const QString &label) {
        auto *group = qobject_cast<HGroup *>(byLabel(root, label));
        return group ? group->selectorItems() : QStringList{"missing"};
    };
    QCOMPARE(items("Range"), (QStringList{"<1>", "<2>", "<3>", "<4>"}));
    QCOMPARE(qobject_cast<HGroup *>(byLabel(root, "Range"))->selectorTarget(), 20);
    QCOMPARE(items("Names"), (QStringList{"Music", "TV"}));
    // A missing bound and a reversed range add nothing; a zero step still ends.
    QCOMPARE(items("Broken"), (QStringList{"<1>", "<2>", "<3>"}));
    QCOMPARE(items("Level"), QStringList());
}

void TestXVXJHandler::assignedDefinitionsSurvivePruningUnassignedOnesDoNot()
{
    HRoot root;
    QVERIFY(load(root, "<Nodes>" + mainProcessor() + "</Nodes><Groups>" +
                           definition("Group", "1", "Group", "Assigned", {"groupType=Level"}) +
                           definition("Group", "2", "Group", "Unassigned", {"groupType=Level"}) +
                           "</Groups><Assignment><Group id=\"1\">" +
                           assign("21", "targetProp=\"level\"") + "</Group><Group id=\"9\">" +
                           assign("21") + "</Group></Assignment>"));
    QVERIFY(byLabel(root, QStringLiteral("Unassigned")));
    root.pruneUnused();
    QVERIFY(byLabel(root, QStringLiteral("Assigned")));
    QVERIFY(!byLabel(root, QStringLiteral("Unassigned")));
    QCOMPARE(countOf(root, QStringLiteral("Chassis")), 1);
}

void TestXVXJHandler::panelListNamesItsParameterSetsInOrder()
{
    HRoot root;
    QVERIFY(
        load(root, "<Nodes>" + mainProcessor() + "</Nodes><ParameterSets>" +
                       definition("ParameterSet", "1", "Param. Set", "Daytime", {"Bar Level=-14"}) +
                       definition("ParameterSet", "2", "Param. Set", "Happy Hour") +
                       definition("ParameterSet", "3", "Param. Set", "Closing") +
                       "</ParameterSets><ParameterSetLists>" +
                       definition("PanelList", "1", "PSet List", "Preset List") +
                       "</ParameterSetLists><Assignment>"
                       "<ParameterSet id=\"1\">" +
                       assign("21", "targetValue=\"-14\"") + "</ParameterSet><PanelList id=\"1\">" +
                       assign("3") + assign("1") + assign("x") + "</PanelList></Assignment>"));
    auto *list = qobject_cast<HParameterSetList *>(byLabel(root, QStringLiteral("Preset List")));
    QVERIFY(list);
    QCOMPARE(list->title(), QStringLiteral("PSetList"));
    QCOMPARE(list->setNames(), (QStringList{"Closing", "Daytime"}));
    QCOMPARE(list->setIds(), (QList<qint32>{3, 1, 0}));

    auto *set = qobject_cast<HParameterSet *>(byLabel(root, QStringLiteral("Daytime")));
    QVERIFY(set);
    QCOMPARE(set->title(), QStringLiteral("ParamSet"));
    QCOMPARE(set->templatePath(), QStringLiteral(":/data/Veloxa/ParamSet_0.xml"));
    QCOMPARE(set->templatePath(QStringLiteral("Bar Level")),
             QStringLiteral(":/data/Veloxa/ParamList_0.xml"));
    QCOMPARE(set->templatePath(QStringLiteral("Daytime")),
             QStringLiteral(":/data/Veloxa/ParamSet_0.xml"));
    QCOMPARE(set->templatePath(QStringLiteral("Dining Level")),
             QStringLiteral(":/data/Veloxa/ParamSet_0.xml"));
    root.pruneUnused();
    QVERIFY(byLabel(root, QStringLiteral("Daytime")));
    QVERIFY(!byLabel(root, QStringLiteral("Happy Hour"))); // never assigned
}

void TestXVXJHandler::mergeModeMatchesExistingChassisAndNodes()
{
    HRoot root;
    auto *existing = new HChassis;
    existing->setTitle(QStringLiteral("NVA-640 (Main)"));
    existing->setLabel(QStringLiteral("From The Panel"));
    existing->setNodeNumber(30216);
    root.addNode(existing);
    auto *placeholder = new HBlock;
    placeholder->setLabel(QStringLiteral("Dining Gain"));
    existing->addNode(placeholder);
    existing->setMarks(HNode::FlagConfirmed);
    QPointer<HChassis> kept(existing);

    QVERIFY(load(
        root,
        "<Nodes>" + mainProcessor() +
            block(QStringLiteral("Gain"), QStringLiteral("Dining Gain"), 23) +
            block(QStringLiteral("Gain"), QStringLiteral("Patio Gain"), 24) +
            node(QStringLiteral("Devices.NVA"),
                 {QStringLiteral("title=NVA-640"), QStringLiteral("label=Second"),
                  QStringLiteral("nodeID=030299"), QStringLiteral("deviceType=NVA-640")}) +
            block(QStringLiteral("Gain"), QStringLiteral("Other Gain"), 25) + "</Nodes><Groups>" +
            definition("Group", "1", "Group", "Bar Volume", {"groupType=Level"}) + "</Groups>",
        true));

    QVERIFY(kept);
    QCOMPARE(countOf(root, QStringLiteral("Chassis")), 2);
    QCOMPARE(root.child(0), existing);
    // The panel's own data stays; the match is confirmed.
    QCOMPARE(existing->label(), QStringLiteral("From The Panel"));
    QVERIFY(existing->hasMarks(HNode::FlagConfirmed));
    QCOMPARE(existing->childCount(), 3);
    QCOMPARE(existing->child(0), placeholder);
    QVERIFY(placeholder->hasMarks(HNode::FlagConfirmed));
    QCOMPARE(placeholder->title(), QString());
    QCOMPARE(byLabel(root, QStringLiteral("Patio Gain"))->parentNode(), existing);
    // The matched main processor still takes the groups.
    QCOMPARE(byLabel(root, QStringLiteral("Bar Volume"))->parentNode(), existing);

    auto *added = root.child(1);
    QCOMPARE(added->nodeNumber(), 30299);
    QCOMPARE(byLabel(root, QStringLiteral("Other Gain"))->parentNode(), added);
}

void TestXVXJHandler::groupsOfTqAmplifiersLearnTheirAmplifiers()
{
    const auto project = [](const QString &amplifierTitle) {
        const QString amplifier =
            node(QStringLiteral("Devices.Bramble"),
                 {"title=" + amplifierTitle, QStringLiteral("label=Amp"),
                  QStringLiteral("nodeID=030501"), QStringLiteral("deviceType=TQY2315E")});
        const QString ampGain =
            node(QStringLiteral("Gain"),
                 {QStringLiteral("title=Gain"), QStringLiteral("label=Amp Gain"),
                  QStringLiteral("nodeID=31")},
                 QStringLiteral("brambleNodeID=\"030501\""));
        return "<Nodes>" + mainProcessor() +
               block(QStringLiteral("Gain"), QStringLiteral("Processor Gain"), 30) + amplifier +
               ampGain + "</Nodes><Groups>" +
               definition("Group", "1", "Group", "Amp Volume", {"groupType=Level"}) +
               definition("Group", "2", "Group", "Processor Volume", {"groupType=Level"}) +
               "</Groups><Assignment><Group id=\"1\">" + assign("31") + assign("31") +
               assign("77") + "</Group><Group id=\"2\">" + assign("30") + "</Group></Assignment>";
    };

    HRoot tq;
    QVERIFY(load(tq, project(QStringLiteral("TQY2315E"))));
    QCOMPARE(byLabel(tq, QStringLiteral("Amp Volume"))->deviceTypes(), QStringList{"TQY2315E"});
    // A processor block sits in no amplifier.
    QCOMPARE(byLabel(tq, QStringLiteral("Processor Volume"))->deviceTypes(), QStringList());

    HRoot other;
    QVERIFY(load(other, project(QStringLiteral("TQ715E"))));
    QCOMPARE(byLabel(other, QStringLiteral("Amp Volume"))->deviceTypes(), QStringList());
}

void TestXVXJHandler::projectInformationIsRead()
{
    MProject info;
    HRoot root;
    QVERIFY(load(root,
                 QStringLiteral("<ProjectInfo><Facility><name>Harbour  Room</name></Facility>"
                                "<Engineer><name>Riley</name><tel>+1 555</tel></Engineer>"
                                "<BusinessManager><name>Wrong Spelling</name></BusinessManager>"
                                "</ProjectInfo><Nodes>") +
                     mainProcessor() + "</Nodes>",
                 false, QStringLiteral("4.3"), &info));
    QCOMPARE(info.facilityName(), QStringLiteral("Harbour  Room"));
    QCOMPARE(info.engineer().name, QStringLiteral("Riley"));
    QCOMPARE(info.engineer().tel, QStringLiteral("+1 555"));
    QCOMPARE(info.businessManager().name, QString());
    QCOMPARE(countOf(root, QStringLiteral("Chassis")), 1);
}

void TestXVXJHandler::roomCombiningGroupsBuildTheirRooms()
{
    const auto room = [](const QString &label, int nodeId, int number, const QString &name) {
        return block(QStringLiteral("Standard Room Combiner"), label, nodeId,
                     {"roomNumber=" + QString::number(number), QStringLiteral("rcGroupNumber=1"),
                      "roomName=" + name, QStringLiteral("roomCombine={1|2}{2|5}")});
    };
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("room 2 twice")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("names neighbour 5")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("group 3 .* no rooms")));
    HRoot root;
    QVERIFY(load(root, "<Nodes>" + mainProcessor() + room("Hall", 301, 1, "North") +
                           room("Hall", 302, 2, "South") + room("Annex", 303, 2, "Copy") +
                           "</Nodes><RCGroups>" + definition("RCGroup", "1", "RCGroup", "Halls") +
                           definition("RCGroup", "3", "RCGroup", "Empty") +
                           "</RCGroups><Assignment><RCGroup id=\"1\"/><RCGroup id=\"3\"/>"
                           "</Assignment>"));
    // Controls find a group by its group number.
    auto *group = qobject_cast<HRCGroup *>(root.findByCategoryAndId(QStringLiteral("RCGroups"), 1));
    QVERIFY(group);
    QCOMPARE(group->childCount(), 2);
    auto *north = qobject_cast<HRCRoom *>(group->child(0));
    auto *south = qobject_cast<HRCRoom *>(group->child(1));
    QVERIFY(north && south);
    QCOMPARE(south->label(), QStringLiteral("[Hall-South]"));
    QCOMPARE(south->nodeNumber(), 302);
    QCOMPARE(root.findByCategoryAndId(QStringLiteral("RCRooms"), 301), north);
    QCOMPARE(group->comboColors(), QStringList{QStringLiteral("crimson")});
    group->selectCombo(1); // the group has one slot
    QCOMPARE(group->selectedCombo(), 0);

    // Clicks reach the group and its answers only the clicked room.
    QSignalSpy northColour(north, &HNode::updateRoomColor);
    QSignalSpy northSends(north, &HNode::sendMessage);
    QSignalSpy southSends(south, &HNode::sendMessage);
    north->clickRoom();
    QVERIFY(northColour.wait());
    QCOMPARE(northColour.first().first().toString(), QStringLiteral("crimson"));
    south->clickRoom();
    QVERIFY(southSends.wait());
    QCOMPARE(southSends.first().first().toString(), QStringLiteral("SRC 1,[1,2]\r"));
    QCOMPARE(northSends.size(), 0);
    QCOMPARE(north->combinedRoomNames(), QStringList{QStringLiteral("South")});
    QSignalSpy southLooks(south, &HNode::queryResponseReady);
    group->setReplyText(QStringLiteral("GRC 1,"));
    QCOMPARE(southLooks.size(), 1);
    QCOMPARE(south->roomColor(), QStringLiteral("lightgray"));
}

QTEST_MAIN(TestXVXJHandler)
#include "tst_xvxjhandler.moc"
