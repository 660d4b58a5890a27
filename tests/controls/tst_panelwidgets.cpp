#include "app/mainwindow.h"
#include "canvas/ccomposite.h"
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

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "util/scratchhome.h"

#include <memory>

namespace {

// Room-combining state that the test sets; a room and its group in one.
class RoomNode : public HNode
{
public:
    void clickRoom() override { ++clicks; }
    QString roomColor() const override { return color; }
    QStringList combinedRoomNames() const override { return names; }
    QStringList comboColors() const override { return colors; }
    QString comboColor(int index) const override { return colors.value(index); }
    int selectedCombo() const override { return selected; }
    // As a group does, a slot it does not have is refused.
    void selectCombo(int index) override { selected = index < colors.size() ? index : selected; }

    int clicks = 0;
    QString color = QStringLiteral("black");
    QStringList names;
    QStringList colors;
    int selected = 0;
};

const QString Floor = QStringLiteral("5,5 115,5 115,70 100,70 100,132 5,132");

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
    void roomTap_data();
    void roomTap();
    void roomColour_data();
    void roomColour();
    void roomError();
    void comboSelector_data();
    void comboSelector();
    void activeCombo_data();
    void activeCombo();
    void roomWidgetsSaved_data();
    void roomWidgetsSaved();

private:
    // A document of the type, which `document` then owns, and its widget.
    template<class Widget>
    Widget *createWidget(const QString &type, std::unique_ptr<QObject> &document) const;

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

template<class Widget>
Widget *TestPanelWidgets::createWidget(const QString &type,
                                       std::unique_ptr<QObject> &document) const
{
    WWidget *widget = WDelegate::instance()->factory()->createWidget(type);
    document.reset(widget ? widget->quickItem() : nullptr);
    if (widget)
        widget->setType(type);
    return qobject_cast<Widget *>(widget);
}

void TestPanelWidgets::roomTap_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QString>("indicator");
    QTest::addColumn<int>("clicks");
    const QString green = "../../images/skins/Light/indicator_grn.png";
    QTest::newRow("inside") << QPointF(50, 50) << green << 1;
    QTest::newRow("in the notch of the L") << QPointF(110, 100) << green << 0;
    QTest::newRow("not connected")
        << QPointF(50, 50) << "../../images/skins/Light/indicator_red.png" << 0;
    QTest::newRow("skin folder named red")
        << QPointF(50, 50) << "../../images/skins/red/indicator_grn.png" << 1;
}

void TestPanelWidgets::roomTap()
{
    QFETCH(QPointF, press);
    QFETCH(QString, indicator);
    std::unique_ptr<QObject> document;
    auto *room = createWidget<WRoomSelection>("roomselector", document);
    QVERIFY(room);
    RoomNode node;
    room->setNode(&node);
    room->processProperty("polygon", Floor);
    m_window->model()->qmlInterface()->setProperty("connectInd", indicator);
    room->outputPressed(press.x(), press.y());
    QTEST(node.clicks, "clicks");
}

void TestPanelWidgets::roomColour_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("how"); // "signal", "query" or "unlinked"
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("fill");
    QTest::newRow("joined a combo") << "crimson"
                                    << "signal" << true << "crimson";
    QTest::newRow("in no combo") << "lightgray"
                                 << "signal" << false << "lightgray";
    QTest::newRow("combo reply") << "orange"
                                 << "query" << true << "orange";
    QTest::newRow("unlinked") << "crimson"
                              << "unlinked" << false << "black";
}

void TestPanelWidgets::roomColour()
{
    QFETCH(QString, colour);
    QFETCH(QString, how);
    QFETCH(QString, fill);
    std::unique_ptr<QObject> document;
    auto *room = createWidget<WRoomSelection>("roomselector", document);
    RoomNode node;
    room->setNode(&node);
    // The stored colour is the file's, not the room's state.
    room->processProperty("fieldcolor", "lime");
    QCOMPARE(room->fieldColor(), QColor("black"));
    node.color = colour;
    if (how == "unlinked")
        room->unlinkNode();
    if (how == "query")
        emit node.queryResponseReady();
    else
        emit node.updateRoomColor(colour, 1);
    QTEST(room->isSelected(), "selected");
    QTRY_COMPARE(room->fieldColor(), QColor(fill));
}

void TestPanelWidgets::roomError()
{
    std::unique_ptr<QObject> document;
    auto *room = createWidget<WRoomSelection>("roomselector", document);
    RoomNode node;
    room->setNode(&node);
    emit node.showErrorDialog("FAILURE::Cannot add 'Salon B' to the selected combination.", 2);
    const auto failureBox = [] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "roomCombineFailure")
                return qobject_cast<QMessageBox *>(top);
        }
        return static_cast<QMessageBox *>(nullptr);
    };
    QTRY_VERIFY(failureBox());
    QMessageBox *box = failureBox();
    QCOMPARE(box->text(), "Cannot add 'Salon B' to the selected combination.");
    QCOMPARE(box->windowTitle(), "Room Combine Failure");
    box->close();
}

void TestPanelWidgets::comboSelector_data()
{
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<int>("click");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("selected");
    const QStringList defaults = {"crimson", "orange", "yellow", "lime",
                                  "skyblue", "orchid", "sienna"};
    const QStringList four = {"crimson", "orange", "yellow", "lime"};
    QTest::newRow("node's slots") << four << 2 << four << 2;
    QTest::newRow("slot the group lacks") << four << 5 << four << 0;
    QTest::newRow("node without slots") << QStringList() << 1 << defaults << 0;
}

void TestPanelWidgets::comboSelector()
{
    QFETCH(QStringList, colors);
    QFETCH(int, click);
    std::unique_ptr<QObject> document;
    auto *selector = createWidget<WComboSelection>("comboselector", document);
    QVERIFY(selector);
    QCOMPARE(selector->count(), 7);
    RoomNode group;
    selector->setNode(&group);
    group.colors = colors;
    QSignalSpy colorsChanged(selector, &WComboSelection::comboColorsChanged);
    emit group.updateComboColorList();
    QTEST(selector->comboColors(), "shown");
    QCOMPARE(colorsChanged.size(), colors.isEmpty() ? 0 : 1);
    QCOMPARE(selector->getComboColor(1), colors.value(1));
    QSignalSpy indexChanged(selector, &WComboSelection::selectedIndexChanged);
    selector->selectorClicked(click);
    QTEST(selector->selectedIndex(), "selected");
    QCOMPARE(indexChanged.size(), 1);
}

void TestPanelWidgets::activeCombo_data()
{
    QTest::addColumn<QList<QStringList>>("answers"); // the node's names at each reply
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two rooms") << QList<QStringList>{{"Salon A", "Salon B"}} << 1
                               << "Combined w/ Salon A / Salon B";
    QTest::newRow("same names again")
        << QList<QStringList>{{"Salon A"}, {"Salon A"}} << 1 << "Combined w/ Salon A";
    QTest::newRow("split again") << QList<QStringList>{{"Salon A"}, {}} << 2 << "";
    QTest::newRow("never combined") << QList<QStringList>{{}} << 0 << "";
}

void TestPanelWidgets::activeCombo()
{
    QFETCH(QList<QStringList>, answers);
    std::unique_ptr<QObject> document;
    auto *combo = createWidget<WActiveCombo>("activeroomcombo", document);
    QVERIFY(combo);
    combo->processProperty("separator", " / ");
    RoomNode room;
    combo->setNode(&room);
    QSignalSpy changed(combo, &WActiveCombo::otherRoomNamesChanged);
    for (const QStringList &names : std::as_const(answers)) {
        room.names = names;
        emit room.queryResponseReady();
    }
    QTEST(int(changed.size()), "changes");
    auto *text = document->findChild<QObject *>("comboText");
    QVERIFY(text);
    QTEST(text->property("text").toString(), "shown");
}

void TestPanelWidgets::roomWidgetsSaved_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("read"); // "name=value", in file order
    QTest::addColumn<QStringList>("saved");
    const QStringList room = {"bordercolor=#ff102030", "borderwidth=2",
                              "polygon=0,0 10,0 0,10", "selectedOpacity=0.8",
                              "unselectedOpacity=0.3", "path=Demo.cpf\\Floor",
                              "fieldcolor=#ff00ff00"};
    QTest::newRow("room") << "roomselector" << room << room;
    QTest::newRow("combo") << "comboselector" << QStringList{"sideMargins=6"}
                           << QStringList{"sideMargins=6"};
    QTest::newRow("combo, margins not a number")
        << "comboselector" << QStringList{"sideMargins=6", "sideMargins=wide"}
        << QStringList{"sideMargins=0"};
    const QStringList active = {"color=#ff405060", "scale=1.5",   "bordercolor=#ff102030",
                                "borderwidth=3",   "separator=+", "sideMargins=4",
                                "autosize=true"};
    QTest::newRow("active combo") << "activeroomcombo" << active << active;
}

void TestPanelWidgets::roomWidgetsSaved()
{
    QFETCH(QString, type);
    QFETCH(QStringList, read);
    QFETCH(QStringList, saved);
    std::unique_ptr<QObject> document;
    WWidget *widget = createWidget<WWidget>(type, document);
    QVERIFY(widget);
    for (const QString &property : std::as_const(read)) {
        const qsizetype at = property.indexOf('=');
        QVERIFY(widget->processProperty(property.left(at), property.mid(at + 1)));
    }
    QString xml;
    {
        XmlWriter writer(&xml);
        QVERIFY(widget->save(writer));
    }
    for (const QString &property : std::as_const(saved)) {
        const qsizetype at = property.indexOf('=');
        const QString element =
            "<" + property.left(at) + ">" + property.mid(at + 1) + "</" + property.left(at) + ">";
        QVERIFY2(xml.contains(element), qPrintable(element + " not in " + xml));
    }
}

QTEST_MAIN(TestPanelWidgets)
#include "tst_panelwidgets.moc"
