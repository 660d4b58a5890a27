#include "controls/democlient.h"

#include "controls/vmodemanager.h"
#include "controls/wbutton.h"
#include "controls/wdelegate.h"
#include "controls/wdroplist.h"
#include "controls/wdropsite.h"
#include "controls/wlabel.h"
#include "controls/wslider.h"
#include "controls/wtextlink.h"
#include "controls/wwidgetfactory.h"
#include "formats/xmlwriter.h"
#include "hardware/hblock.h"
#include "hardware/hparameterset.h"
#include "hardware/hparametersetlist.h"

#include <QMessageBox>
#include <QTcpServer>
#include <QXmlAttributes>

namespace {

const QString VolumePanel = QStringLiteral("Volume & Source Control");
const QString PresetPanel = QStringLiteral("System Presets");
const QString SourceAddress = QStringLiteral("\"Bar Source\">1");
// The preset list reads the shown preset from entry "index1ForQuery" (2) of the panel list.
const QString ShownPreset = QStringLiteral("\"Preset List\">2");
const QStringList Presets = {"Daytime Dining", "Happy Hour", "Trivia Night", "Live DJ",
                             "Closing Time"};

} // namespace

// Drop lists and labels of the demonstration project against the simulated processor.
class TestLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sourceList();
    void presetList();
    void popupClosedOutside();
    void routerSources_data();
    void routerSources();
    void labelText_data();
    void labelText();
    void foreignPicturesRefused_data();
    void foreignPicturesRefused();
    void dropNode_data();
    void dropNode();

private:
    // A template panel with an upright and a wide drop site, made current; built once.
    WDropSite *dropSite(bool wide);
    CComposite *m_templatePanel = nullptr;
    // The first set command that reaches the processor from now on; polling passes by.
    QByteArray nextSet();
    HParameterSetList *confirmPresetList(HNode *placeholder);

    DemoClient m_client;
};

void TestLists::initTestCase()
{
    QVERIFY(m_client.start());
    // The demonstration's one group, renumbered: a dropped group must send its own number.
    HNode *group = m_client.model()->hardwareRoot()->findByCategoryAndAttribute(
        QStringLiteral("Groups"), QStringLiteral("id"), QStringLiteral("1"));
    QVERIFY(group);
    group->setId(QStringLiteral("7"));
    // A block of a kind no template serves.
    auto crossover = std::make_unique<HBlock>();
    crossover->setTitle(QStringLiteral("Crossover"));
    crossover->setNodeNumber(77);
    QVERIFY(group->parentNode()->addNode(crossover.get()));
    crossover.release();
}

QByteArray TestLists::nextSet()
{
    QByteArray found;
    const bool seen = QTest::qWaitFor(
        [&] {
            for (const QByteArray &command : m_client.takeCommands()) {
                if (found.isEmpty() && command.startsWith("SA "))
                    found = command;
            }
            return !found.isEmpty();
        },
        5000);
    return seen ? found : QByteArray();
}

HParameterSetList *TestLists::confirmPresetList(HNode *placeholder)
{
    // The designer project names the presets; the test confirms the panel list as its import
    // does: the parameter sets, then the list that assigns them.
    HNode *chassis = placeholder->parentNode();
    for (int i = 0; i < Presets.size(); ++i) {
        auto set = std::make_unique<HParameterSet>();
        set->setId(QString::number(i + 1));
        set->setLabel(Presets.at(i));
        if (chassis->addNode(set.get()))
            set.release();
    }
    auto list = std::make_unique<HParameterSetList>();
    list->setLabel(placeholder->label());
    list->setTitle(QStringLiteral("PSet List"));
    if (!chassis->addNode(list.get()))
        return nullptr;
    list->completeSetup();
    for (int i = 0; i < Presets.size(); ++i)
        list->addTarget(QString::number(i + 1));
    return list.release();
}

void TestLists::sourceList()
{
    auto *list = m_client.widget<WDropList>(VolumePanel, "Bar Source", "droplist");
    QVERIFY(list);
    QCOMPARE(list->entryTexts(), QStringList({"Music", "TV", "DJ", "Microphone"}));

    m_client.simulator.setValue(SourceAddress, "2");
    QTRY_COMPARE(list->currentIndex(), 1);
    QCOMPARE(list->itemProperty("currentText").toString(), QStringLiteral("TV"));

    // Neither the device's value nor choosing the shown source goes out; the next choice does.
    m_client.takeCommands();
    list->listSelect(1);
    list->listSelect(2);
    QCOMPARE(nextSet(), QByteArray("SA \"Bar Source\">1=3"));
    QCOMPARE(list->itemProperty("currentText").toString(), QStringLiteral("DJ"));

    m_client.simulator.setValue(SourceAddress, "9");
    QTRY_COMPARE(list->currentIndex(), -1);
    QCOMPARE(list->itemProperty("currentText").toString(), QStringLiteral("DJ"));
}

void TestLists::presetList()
{
    CControl *control = m_client.control(PresetPanel, "Preset List");
    auto *list = m_client.widget<WDropList>(PresetPanel, "Preset List", "droplist");
    QVERIFY(control && list);
    HParameterSetList *sets = confirmPresetList(control->node());
    QVERIFY(sets);
    list->setNode(sets);
    QVERIFY(list->isParameterSetList());
    QCOMPARE(list->entryTexts(), Presets);

    m_client.simulator.setValue(ShownPreset, "3");
    QTRY_COMPARE(list->currentIndex(), 2);
    m_client.simulator.setValue(ShownPreset, "1");
    QTRY_COMPARE(list->currentIndex(), 0);
    QCOMPARE(list->itemProperty("currentText").toString(), Presets.first());

    // Choosing the shown preset recalls it once more.
    m_client.takeCommands();
    list->listSelect(0);
    QCOMPARE(nextSet(), QByteArray("SA \"Preset List\">1=1"));
}

void TestLists::popupClosedOutside()
{
    auto *list = m_client.widget<WDropList>(VolumePanel, "Bar Source", "droplist");
    QVERIFY(list);
    m_client.simulator.setValue(SourceAddress, "4");
    QTRY_COMPARE_WITH_TIMEOUT(list->currentIndex(), 3, 10000);

    QVERIFY(QMetaObject::invokeMethod(list->quickItem(), "openList"));
    QPointer<QObject> popup = VModeManager::instance()->modalObject();
    QVERIFY(popup);
    QCOMPARE(popup->property("model").toStringList(), list->entryTexts());
    QCOMPARE(popup->property("index").toInt(), 3);

    // What a click outside the list does.
    QVERIFY(QMetaObject::invokeMethod(popup, "finish", Q_ARG(QVariant, -1)));
    QTRY_VERIFY(!popup);
    QVERIFY(!VModeManager::instance()->modalObject());
    QCOMPARE(list->currentIndex(), 3);
    QCOMPARE(list->itemProperty("currentText").toString(), QStringLiteral("Microphone"));
}

void TestLists::routerSources_data()
{
    QTest::addColumn<QString>("bgmCount");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("two sources") << "2" << QStringList({"None", "Music", "TV"});
    QTest::newRow("none") << "0" << QStringList({"None"});
}

void TestLists::routerSources()
{
    QFETCH(QString, bgmCount);
    QFETCH(QStringList, entries);

    HBlock router;
    const QList<QPair<QString, QString>> properties = {
        {"leftLabelList", "Mic 1,Mic 2,Mic 3,Mic 4,Music,TV,Spare"},
        {"inputCount", "4"},
        {"bgmCount", bgmCount}};
    for (const auto &[name, value] : properties) {
        QXmlAttributes attributes;
        attributes.append("name", QString(), "name", name);
        attributes.append("value", QString(), "value", value);
        router.parseProperty(attributes);
    }
    WWidget *widget = WDelegate::instance()->factory()->createWidget(QStringLiteral("droplist"));
    auto *list = qobject_cast<WDropList *>(widget);
    QVERIFY(list);
    const std::unique_ptr<QObject> document(widget->quickItem());
    list->processProperty(QStringLiteral("sourceList"), QStringLiteral("true"));
    list->setNode(&router);
    QCOMPARE(list->entryTexts(), entries);
    QVERIFY(router.itemList().isEmpty());
}

void TestLists::labelText_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("nodeLabel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("saved");

    QTest::newRow("bold") << "Caption"
                          << ""
                          << "Bar"
                          << "bold"
                          << "<b>Bar</b>"
                          << "Bar";
    QTest::newRow("label") << "Caption"
                           << "Bar Source"
                           << "From *LABEL*"
                           << "italic"
                           << "<i>From Bar Source</i>"
                           << "From *LABEL*";
    QTest::newRow("room name") << "Room Name"
                               << "Taproom-Patio"
                               << "*LABEL*]"
                               << ""
                               << "[Patio]"
                               << "*LABEL*]";
    QTest::newRow("room name, three parts") << "Room Name"
                                            << "Tap-room-Patio"
                                            << "*LABEL*"
                                            << "underline"
                                            << "<u>Tap-room-Patio</u>"
                                            << "*LABEL*";
    QTest::newRow("other control") << "Caption"
                                   << "Taproom-Patio"
                                   << "*LABEL*"
                                   << ""
                                   << "Taproom-Patio"
                                   << "*LABEL*";
    QTest::newRow("no node") << "Caption"
                             << ""
                             << "*LABEL* Mix"
                             << ""
                             << " Mix"
                             << "*LABEL* Mix";
}

void TestLists::labelText()
{
    QFETCH(QString, control);
    QFETCH(QString, nodeLabel);
    QFETCH(QString, text);
    QFETCH(QString, face);
    QFETCH(QString, shown);
    QFETCH(QString, saved);

    HBlock node;
    node.setLabel(nodeLabel);
    CControl owner(QStringLiteral("Control"), control, QStringLiteral("Label"));
    if (!nodeLabel.isEmpty())
        owner.setNode(&node);
    WWidget *widget = WDelegate::instance()->factory()->createWidget(QStringLiteral("label"));
    QVERIFY(qobject_cast<WLabel *>(widget));
    const std::unique_ptr<QObject> document(widget->quickItem());
    widget->setType(QStringLiteral("label"));
    widget->setOwner(&owner);
    widget->processProperty(QStringLiteral("text"), text);
    widget->processProperty(QStringLiteral("face"), face);
    QCOMPARE(widget->text(), shown);
    QCOMPARE(widget->itemProperty("textFormat").toString(), QStringLiteral("RichText"));

    QString xml;
    {
        XmlWriter writer(&xml);
        QVERIFY(widget->save(writer));
    }
    QVERIFY2(xml.contains("<text>" + saved.toHtmlEscaped() + "</text>"), qPrintable(xml));
}

void TestLists::foreignPicturesRefused_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("stored"); // %1: a web server's port, %2: the user's folder
    for (const QString url :
         {"http://127.0.0.1:%1/x.png", "http&#58;//127.0.0.1:%1/x.png", "file://%2/x.png"}) {
        QTest::newRow(qPrintable("label " + url))
            << "label"
            << "<table background=\"" + url + "\"><tr><td><b>Logo</b><img src=\"" + url +
                   "\"></td></tr></table>";
        QTest::newRow(qPrintable("button " + url)) << "button" << url;
        QTest::newRow(qPrintable("meter image " + url)) << "meterimage" << url;
    }
}

void TestLists::foreignPicturesRefused()
{
    QFETCH(QString, type);
    QFETCH(QString, stored);
    QTcpServer web;
    QVERIFY(web.listen(QHostAddress::LocalHost));
    QSignalSpy requests(&web, &QTcpServer::newConnection);
    const QString home = m_client.m_home.path();
    WWidget *widget = WDelegate::instance()->factory()->createWidget(type);
    const std::unique_ptr<QObject> document(widget->quickItem());
    const QString name = type == "label" ? "text" : type == "button" ? "onimage" : "path";
    stored.replace("%1", QString::number(web.serverPort())).replace("%2", home);
    widget->processProperty(name, stored);
    const QString shown =
        widget->itemProperty(name == "onimage" ? "onImage" : qPrintable(name)).toString();
    QVERIFY(!shown.contains(home) && !shown.startsWith("http") &&
            (type != "label" || shown.contains("Logo")));
    QVERIFY(!requests.wait(300));
}

QTEST_MAIN(TestLists)
WDropSite *TestLists::dropSite(bool wide)
{
    MModel *model = m_client.model();
    if (!m_templatePanel) {
        auto panel = std::make_unique<CComposite>(QStringLiteral("Panel"), QStringLiteral("Drop"));
        panel->setPanelType(QStringLiteral("template"));
        for (const QString &geometry :
             {QStringLiteral("10,20,120,300"), QStringLiteral("140,20,300,90")}) {
            auto site = std::make_unique<CControl>(QStringLiteral("Control"), geometry,
                                                   QStringLiteral("DropSite"));
            site->setModel(model);
            const QStringList values = geometry.split(QLatin1Char(','));
            const QStringList names = {"x", "y", "width", "height"};
            for (int i = 0; i < names.size(); ++i)
                site->processWidget(QStringLiteral("dropsite"), names.at(i), values.at(i));
            site->finish();
            panel->addChild(std::move(site));
        }
        m_templatePanel = panel.get();
        model->currentScene()->addChild(std::move(panel));
    }
    model->selectPanel(m_templatePanel);
    return qobject_cast<WDropSite *>(m_templatePanel->child(wide ? 1 : 0)->widget());
}

namespace {

void addDrop(const char *tag, const QString &text, const QString &data, bool wide,
             const QStringList &names, const QByteArray &expected,
             const QString &device = QLatin1String(DemoClient::Processor),
             const QString &panelType = QStringLiteral("template"))
{
    QTest::newRow(tag) << text << data << wide << names << expected << device << panelType;
}

// The first of the controls' widgets of the type W.
template<class W>
W *firstOf(const QList<CControl *> &controls)
{
    for (const CControl *control : controls) {
        for (WWidget *widget : control->widgets()) {
            if (auto *found = qobject_cast<W *>(widget))
                return found;
        }
    }
    return nullptr;
}

} // namespace

void TestLists::dropNode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("wide");
    // Empty for a refused node; `expected` is then the reason shown.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("panelType");

    const QStringList gain = {"Bar Left Gain Level", "Bar Left Gain Mute"};
    addDrop("gain, upright: fader", "21", "21", false, gain, "SA \"Bar Left Gain\">1=-10");
    addDrop("gain, wide: level buttons", "21", "21", true, gain, "SA \"Bar Left Gain\">2=M");
    addDrop("selector", "20", "20", false, {"Bar Source Source"}, "SA \"Bar Source\">1=2");
    addDrop("group, by category and id", "0", "Groups|7", false, {"Bar Volume Level"}, "SG 7,");
    addDrop("parameter set", "0", "ParameterSets|2", true, {"Happy Hour Recall"}, "SS 2");
    addDrop("amplifier channel", "201", "201", false,
            {"Bar Speakers Level", "Bar Speakers Mute", "Bar Speakers Meter"},
            "SA \"Bar Speakers\">1=-10", DemoClient::Expander);
    addDrop("unknown number", "999999", "999999", false, {}, "no node 999999");
    addDrop("unknown group", "0", "Groups|42", false, {}, "no node Groups|42");
    addDrop("block without template", "77", "77", false, {}, "has no module template");
    addDrop("not a template panel", "21", "21", false, {}, "template panel only",
            DemoClient::Processor, "complete");
}

void TestLists::dropNode()
{
    QFETCH(QString, text);
    QFETCH(QString, data);
    QFETCH(bool, wide);
    QFETCH(QStringList, names);
    QFETCH(QByteArray, expected);
    QFETCH(QString, device);
    QFETCH(QString, panelType);
    WDropSite *site = dropSite(wide);
    QVERIFY(site);
    if (!site->isOccupied())
        QVERIFY(site->outputDrop(QStringLiteral("20"), QStringLiteral("20")));
    const QList<CControl *> held = site->droppedControls();
    const int others = m_templatePanel->childCount() - int(held.size());

    m_templatePanel->setPanelType(panelType);
    const bool dropped = site->outputDrop(text, data);
    m_templatePanel->setPanelType(QStringLiteral("template"));
    QCOMPARE(dropped, !names.isEmpty());
    if (!dropped) {
        auto *box = m_client.window->findChild<QMessageBox *>(QStringLiteral("dropRefused"));
        QVERIFY(box && box->isVisible());
        const QString shown = box->text();
        box->close();
        QTRY_VERIFY(!m_client.window->findChild<QMessageBox *>(QStringLiteral("dropRefused")));
        QVERIFY2(shown.contains(QString::fromLatin1(expected)), qPrintable(shown));
        // Nothing else changed; clearing removes what the site held.
        QCOMPARE(site->droppedControls(), held);
        QCOMPARE(m_templatePanel->childCount(), others + held.size());
        site->clear();
        QVERIFY(!site->isOccupied());
        QCOMPARE(m_templatePanel->childCount(), others);
        return;
    }

    // The controls replace what stood on the site, join the panel and fit inside the site.
    const QList<CControl *> built = site->droppedControls();
    QCOMPARE(m_templatePanel->childCount(), others + names.size());
    QStringList shown;
    for (const CControl *control : built) {
        shown.append(control->name());
        QCOMPARE(control->parentComposite(), m_templatePanel);
        QVERIFY2(site->rect().adjusted(-0.5, -0.5, 0.5, 0.5).contains(control->boundingRect()),
                 qPrintable(control->name()));
        QVERIFY(control->widget()->quickItem()->property("visible").toBool());
    }
    QCOMPARE(shown, names);

    // Operating one of them reaches the device.
    m_client.takeCommands(device);
    if (expected.contains(">2=")) {
        auto *mute = firstOf<WButton>(built);
        QVERIFY(mute);
        mute->outputPressed();
        mute->outputReleased();
    } else if (auto *fader = firstOf<WSlider>(built)) {
        fader->setIsSendNeeded(true);
        fader->outputValue(qRound(-10 / fader->step()));
    } else if (auto *list = firstOf<WDropList>(built)) {
        list->listSelect(1);
    } else if (auto *link = firstOf<WTextLink>(built)) {
        link->outputClicked();
    }
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QList<QByteArray> commands = m_client.takeCommands(device);
            return std::any_of(commands.cbegin(), commands.cend(),
                               [&](const QByteArray &sent) { return sent.startsWith(expected); });
        },
        5000));
}

#include "tst_lists.moc"
