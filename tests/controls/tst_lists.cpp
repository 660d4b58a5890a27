#include "controls/democlient.h"

#include "controls/vmodemanager.h"
#include "controls/wdelegate.h"
#include "controls/wdroplist.h"
#include "controls/wlabel.h"
#include "controls/wwidgetfactory.h"
#include "formats/xmlwriter.h"
#include "hardware/hblock.h"
#include "hardware/hparameterset.h"
#include "hardware/hparametersetlist.h"

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

private:
    // The first set command that reaches the processor from now on; polling passes by.
    QByteArray nextSet();
    HParameterSetList *confirmPresetList(HNode *placeholder);

    DemoClient m_client;
};

void TestLists::initTestCase()
{
    QVERIFY(m_client.start());
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
                           << "From Bar Source";
    QTest::newRow("room name") << "Room Name"
                               << "Taproom-Patio"
                               << "*LABEL*]"
                               << ""
                               << "[Patio]"
                               << "[Patio]";
    QTest::newRow("room name, three parts") << "Room Name"
                                            << "Tap-room-Patio"
                                            << "*LABEL*"
                                            << "underline"
                                            << "<u>Tap-room-Patio</u>"
                                            << "Tap-room-Patio";
    QTest::newRow("other control") << "Caption"
                                   << "Taproom-Patio"
                                   << "*LABEL*"
                                   << ""
                                   << "Taproom-Patio"
                                   << "Taproom-Patio";
    QTest::newRow("no node") << "Caption"
                             << ""
                             << "*LABEL* Mix"
                             << ""
                             << " Mix"
                             << " Mix";
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
#include "tst_lists.moc"
