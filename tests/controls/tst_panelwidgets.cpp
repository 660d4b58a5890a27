#include "app/mainwindow.h"
#include "canvas/cattributes.h"
#include "canvas/ccomposite.h"
#include "comm/pvxbprotocol.h"
#include "comm/ttransformfactory.h"
#include "controls/wactivecombo.h"
#include "controls/wcomboselection.h"
#include "controls/wdelegate.h"
#include "controls/wpanellink.h"
#include "controls/wregion.h"
#include "controls/wroomselection.h"
#include "controls/wwidgetfactory.h"
#include "formats/xmlwriter.h"
#include "hardware/hnode.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"

#include <QAccessible>
#include <QQuickWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "util/scratchhome.h"

#include <functional>
#include <memory>

namespace {

// Room-combining state that the test sets; a room and its group in one.
class RoomNode : public HNode
{
public:
    // As a room's group does, answers with commands for the device.
    void clickRoom() override { emit sendMessage("SRC 1,2,3,S\r;SRC 1,3,4,J\r", 3); }
    QStringList combinedRoomNames() const override { return names; }
    QStringList comboColors() const override { return colors; }
    QString comboColor(int index) const override { return colors.value(index); }
    QStringList names, colors;
};

// A document of the type, owned by `document`, and its widget linked to `node`.
template<class Widget>
Widget *createWidget(const QString &type, std::unique_ptr<QObject> &document, HNode *node)
{
    WWidget *widget = WDelegate::instance()->factory()->createWidget(type);
    document.reset(widget->quickItem());
    widget->setType(type);
    widget->setNode(node);
    return qobject_cast<Widget *>(widget);
}

} // namespace

// The demonstration project in a full client: each control's documents are placed in the
// control's rectangle and shown only while their panel is the current one.
class TestPanelWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void placedAndShownWithTheirPanel();
    void reloadLeavesNoDocuments();
    void jump_data();
    void jump();
    void roomSelector_data();
    void roomSelector();
    void combination_data();
    void combination();
    void roomWidgetsSaved_data();
    void roomWidgetsSaved();
    void accessibleTree_data();
    void accessibleTree();
    void keysFollowThePanelShown();

private:
    CComposite *scene() const { return m_window->model()->currentScene(); }
    QQuickItem *controlArea() const;
    WWidget *findWidget(const QString &type) const;

    ScratchHome m_home;
    std::unique_ptr<MainWindow> m_window;
};

void TestPanelWidgets::initTestCase()
{
    QVERIFY(m_home.isValid());
}

void TestPanelWidgets::init()
{
    m_window = std::make_unique<MainWindow>();
}

void TestPanelWidgets::cleanup()
{
    m_window.reset();
}

QQuickItem *TestPanelWidgets::controlArea() const
{
    return qobject_cast<QQuickItem *>(m_window->model()->qmlInterface()->qmlView());
}

WWidget *TestPanelWidgets::findWidget(const QString &type) const
{
    for (int p = 0; p < scene()->childCount(); ++p) {
        const auto *panel = static_cast<CComposite *>(scene()->child(p));
        for (int c = 0; c < panel->childCount(); ++c) {
            for (WWidget *widget : panel->child(c)->widgets()) {
                if (widget->type() == type)
                    return widget;
            }
        }
    }
    return nullptr;
}

void TestPanelWidgets::placedAndShownWithTheirPanel()
{
    MModel *model = m_window->model();
    QVERIFY(controlArea());
    for (int shown = 0; shown < 2; ++shown) {
        QVERIFY(model->showPanel(shown));
        int widgets = 0;
        for (int p = 0; p < scene()->childCount(); ++p) {
            const auto *panel = static_cast<CComposite *>(scene()->child(p));
            for (int c = 0; c < panel->childCount(); ++c) {
                const CControl *control = panel->child(c);
                const QRectF rect = control->controlRect();
                for (WWidget *widget : control->widgets()) {
                    ++widgets;
                    auto *item = qobject_cast<QQuickItem *>(widget->quickItem());
                    QVERIFY(item);
                    QCOMPARE(item->parentItem(), controlArea());
                    QCOMPARE(item->isVisible(), p == shown);
                    QCOMPARE(item->x(), rect.x() + rect.width() * widget->xfract());
                    QCOMPARE(item->height(), rect.height() * widget->heightfract());
                }
            }
        }
        // Every widget element of the demonstration panels has a document.
        QCOMPARE(widgets, 71);
    }
    // A fader's parts keep their places inside the control as the panel file gives them.
    const WWidget *slider = findWidget(QStringLiteral("slider"));
    QVERIFY(slider && slider->peer());
    QCOMPARE(slider->peer()->type(), QStringLiteral("textedit"));
}

void TestPanelWidgets::reloadLeavesNoDocuments()
{
    const qsizetype before = controlArea()->childItems().size();
    m_window->model()->openProject(m_window->model()->currentFile());
    QCOMPARE(controlArea()->childItems().size(), before);
}

void TestPanelWidgets::jump_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("target");
    QTest::newRow("panel link") << "panellink"
                                << "Volume & Source Control";
    QTest::newRow("region") << "region"
                            << "Volume & Source Control";
}

void TestPanelWidgets::jump()
{
    QFETCH(QString, type);
    QFETCH(QString, target);
    MModel *model = m_window->model();
    QVERIFY(model->showPanel(scene()->childCount() - 1));
    WWidget *widget = findWidget(type);
    QVERIFY(widget);
    if (auto *link = qobject_cast<WPanelLink *>(widget))
        link->selectPanel();
    else
        qobject_cast<WRegion *>(widget)->outputPressed(50, 50);
    QTRY_COMPARE(model->currentPanel()->name(), target);
    // The first region has started the log file.
    QFile log(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/vxmlog.txt");
    const QRegularExpression line(
        "START LOG\nINFO \\| [\\d:.]+ \\| [\\da-f]+ \\| Test Log Write Success\n");
    QVERIFY(type != "region" || (log.open(QIODevice::ReadOnly) &&
                                 line.match(QString::fromUtf8(log.readAll())).hasMatch()));
}

void TestPanelWidgets::roomSelector_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QString>("indicator");
    QTest::addColumn<QStringList>("sent"); // the wire's commands, each ended by its own CR
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("selected");
    const QStringList both = {"SRC 1,2,3,S", "SRC 1,3,4,J"};
    QTest::newRow("inside") << QPointF(50, 50) << "indicator_grn.png" << both << "crimson" << true;
    QTest::newRow("in the notch of the L")
        << QPointF(110, 100) << "indicator_grn.png" << QStringList() << "lightgray" << false;
    QTest::newRow("not connected")
        << QPointF(50, 50) << "indicator_red.png" << QStringList() << "orange" << true;
}

void TestPanelWidgets::roomSelector()
{
    QFETCH(QPointF, press);
    QFETCH(QString, indicator);
    QFETCH(QString, colour);
    RoomNode node;
    std::unique_ptr<QObject> document;
    auto *room = createWidget<WRoomSelection>("roomselector", document, &node);
    CAttributes attributes;
    attributes.setAttribute("attributes", "struct", "9");
    const auto transform = TTransformFactory::create("passThrough", attributes, &node);
    PProtocol protocol; // writes nothing: the transform keeps what was sent
    room->setTransform(transform.get());
    room->setProtocol(&protocol);
    room->processProperty("polygon", "5,5 115,5 115,70 100,70 100,132 5,132");
    m_window->model()->qmlInterface()->setProperty("connectInd",
                                                   "../../images/skins/Light/" + indicator);
    room->outputPressed(press.x(), press.y());
    QTEST(PVXBProtocol::setCommands(*transform), "sent");
    emit node.updateRoomColor(colour, 1);
    QTEST(room->isSelected(), "selected");
    QTRY_COMPARE(room->fieldColor(), QColor(colour));
}

void TestPanelWidgets::combination_data()
{
    QTest::addColumn<QStringList>("colors");         // the group's slots
    QTest::addColumn<QList<QStringList>>("answers"); // the room's combined names at each reply
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two rooms") << QStringList{"crimson", "lime"}
                               << QList<QStringList>{{"Salon A", "Salon B"}} << 1
                               << "Combined w/ Salon A / Salon B";
    QTest::newRow("same names again")
        << QStringList{"orange"} << QList<QStringList>{{"Salon A"}, {"Salon A"}} << 1
        << "Combined w/ Salon A";
    QTest::newRow("split, group without slots")
        << QStringList() << QList<QStringList>{{"Salon A"}, {}} << 2 << "";
}

void TestPanelWidgets::combination()
{
    QFETCH(QStringList, colors);
    QFETCH(QList<QStringList>, answers);
    RoomNode node;
    std::unique_ptr<QObject> swatches;
    std::unique_ptr<QObject> text;
    auto *selector = createWidget<WComboSelection>("comboselector", swatches, &node);
    auto *combo = createWidget<WActiveCombo>("activeroomcombo", text, &node);
    const QStringList defaults = selector->comboColors();
    QCOMPARE(defaults.size(), 7);
    node.colors = colors;
    emit node.updateComboColorList();
    QCOMPARE(selector->comboColors(), colors.isEmpty() ? defaults : colors);
    QCOMPARE(selector->getComboColor(0), colors.value(0));

    combo->processProperty("separator", " / ");
    QSignalSpy namesChanged(combo, &WActiveCombo::otherRoomNamesChanged);
    for (const QStringList &names : std::as_const(answers)) {
        node.names = names;
        emit node.queryResponseReady();
    }
    QTEST(int(namesChanged.size()), "changes");
    QTEST(text->findChild<QObject *>("comboText")->property("text").toString(), "shown");
}

void TestPanelWidgets::roomWidgetsSaved_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("read"); // "name=value;...", in file order; saved the same
    QTest::newRow("room") << "roomselector"
                          << "bordercolor=#ff102030;borderwidth=2;polygon=0,0 10,0 0,10;"
                             "selectedOpacity=0.8;unselectedOpacity=0.3;path=Demo.cpf\\Floor;"
                             "fieldcolor=#ff00ff00";
    QTest::newRow("combo") << "comboselector"
                           << "sideMargins=6";
    QTest::newRow("active combo") << "activeroomcombo"
                                  << "color=#ff405060;scale=1.5;bordercolor=#ff102030;"
                                     "borderwidth=3;separator=+;sideMargins=4;autosize=true";
}

void TestPanelWidgets::roomWidgetsSaved()
{
    QFETCH(QString, type);
    QFETCH(QString, read);
    std::unique_ptr<QObject> document;
    WWidget *widget = createWidget<WWidget>(type, document, nullptr);
    for (const QString &property : read.split(';'))
        QVERIFY(widget->processProperty(property.section('=', 0, 0), property.section('=', 1)));
    QString xml;
    XmlWriter writer(&xml);
    QVERIFY(widget->save(writer));
    for (const QString &property : read.split(';')) {
        const QString name = property.section('=', 0, 0);
        const QString element = "<" + name + ">" + property.section('=', 1) + "</" + name + ">";
        QVERIFY2(xml.contains(element), qPrintable(element + " not in " + xml));
    }
}

void TestPanelWidgets::accessibleTree_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    // A fader's parts are named by its caption.
    QTest::newRow("fader") << "Bar Volume"
                           << "slider" << int(QAccessible::Slider) << "Bar";
    QTest::newRow("value box") << "Bar Volume"
                               << "textedit" << int(QAccessible::EditableText) << "Bar";
    QTest::newRow("meter") << "Bar Speakers Level"
                           << "meterimage" << int(QAccessible::Indicator) << "Speakers";
    QTest::newRow("mute") << "Dining Mute"
                          << "button" << int(QAccessible::Button) << "Mute";
    QTest::newRow("list") << "Bar Source"
                          << "droplist" << int(QAccessible::ComboBox) << "Bar Source";
    QTest::newRow("panel link") << "Next Panel"
                                << "panellink" << int(QAccessible::Button) << "Presets \u00BB";
}

// The volume panel as a screen reader sees it through the view's accessibility tree.
void TestPanelWidgets::accessibleTree()
{
    QFETCH(QString, control);
    QFETCH(QString, type);
    QAccessible::setActive(true);
    QVERIFY(m_window->model()->showPanel(1));
    const CComposite *panel = m_window->model()->currentPanel();
    QCOMPARE(panel->name(), "Volume & Source Control");
    // Each document's first node: the document itself or an item inside it.
    QHash<QObject *, QAccessibleInterface *> nodes;
    const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        for (int i = 0; i < node->childCount(); ++i) {
            auto *item = qobject_cast<QQuickItem *>(node->child(i)->object());
            while (item && item->parentItem() != controlArea())
                item = item->parentItem();
            if (!nodes.contains(item))
                nodes.insert(item, node->child(i));
            walk(node->child(i));
        }
    };
    walk(QAccessible::queryAccessibleInterface(controlArea()->window()));
    int checked = 0;
    for (int c = 0; c < panel->childCount(); ++c) {
        for (const WWidget *widget : panel->child(c)->widgets()) {
            QAccessibleInterface *node = nodes.value(widget->quickItem());
            const QString where = panel->child(c)->name() + " " + widget->type();
            // Frames and outlines are decoration; every other document is there and named.
            const bool decoration = widget->type() == "frame" || widget->type() == "bounds";
            QVERIFY2(bool(node) != decoration, qPrintable(where));
            QVERIFY2(decoration || !node->text(QAccessible::Name).isEmpty(), qPrintable(where));
            if (panel->child(c)->name() != control || widget->type() != type)
                continue;
            ++checked;
            QTEST(int(node->role()), "role");
            QTEST(node->text(QAccessible::Name), "name");
            QAccessibleValueInterface *value = node->valueInterface();
            QCOMPARE(bool(value), node->role() == QAccessible::Slider);
            QVERIFY(!value || value->maximumValue().toDouble() > value->minimumValue().toDouble());
        }
    }
    QCOMPARE(checked, 1);
}

// A control hidden with its panel gives up the focus: keys never move what nobody sees, and
// Tab starts again at the first control shown.
void TestPanelWidgets::keysFollowThePanelShown()
{
    QVERIFY(m_window->model()->showPanel(1));
    m_window->show();
    QQuickWindow *window = controlArea()->window();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QObject *fader = findWidget(QStringLiteral("slider"))->quickItem();
    QTest::keyClick(window, Qt::Key_Tab);
    QCOMPARE(window->activeFocusItem(), fader);
    const QVariant value = fader->property("value");
    QVERIFY(m_window->model()->showPanel(2));
    QTest::keyClick(window, Qt::Key_Up);
    QCOMPARE(fader->property("value"), value);
    QTest::keyClick(window, Qt::Key_Tab);
    QCOMPARE(window->activeFocusItem(), findWidget(QStringLiteral("textlink"))->quickItem());
}

QTEST_MAIN(TestPanelWidgets)
#include "tst_panelwidgets.moc"
