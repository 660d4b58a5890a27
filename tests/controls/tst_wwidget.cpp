#include "canvas/cattributes.h"
#include "canvas/ccontrol.h"
#include "comm/ttransform.h"
#include "controls/wwidget.h"
#include "util/scratchhome.h"
#include "widgettestenv.h"

#include <QQmlContext>
#include <QRegularExpression>
#include <QTest>

namespace {

// A transform whose device value the test chooses.
class ReplyTransform : public TTransform
{
public:
    explicit ReplyTransform(const CAttributes &attributes)
        : TTransform(attributes, nullptr)
    {}
    int replyValue = 0;

protected:
    int replyAsInt() const override { return replyValue; }
};

// Shows an integer device value as "value", as the value controls do.
class ValueWidget : public WWidget
{
public:
    void updateFromDevice() override
    {
        showDeviceValue("value", transform()->reply(static_cast<int *>(nullptr)), current);
    }
    void linkValue(WWidget *) override { ++linked; }

    int current = 0;
    int linked = 0;
};

// Counts writes of dynamic item properties and whether the echo guard was up for each.
class WriteCounter : public QObject
{
public:
    explicit WriteCounter(const WWidget *widget)
        : m_widget(widget)
    {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::DynamicPropertyChange) {
            ++writes;
            guarded = guarded && m_widget->isUpdating();
        }
        return false;
    }
    int writes = 0;
    bool guarded = true;

private:
    const WWidget *m_widget;
};

} // namespace

class TestWWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void processProperty_data();
    void processProperty();
    void toolTip();
    void deviceValue_data();
    void deviceValue();
    void resize_data();
    void resize();
    void factoryKeys_data();
    void factoryKeys();
    void factoryWithoutContext();

private:
    ScratchHome m_home; // the first region writes the log file
    std::unique_ptr<WidgetTestEnv> m_env;
};

void TestWWidget::initTestCase()
{
    m_env = std::make_unique<WidgetTestEnv>();
}

void TestWWidget::cleanupTestCase()
{
    m_env.reset();
}

void TestWWidget::processProperty_data()
{
    QTest::addColumn<QStringList>("properties"); // "name=value", in file order
    QTest::addColumn<double>("xfract");
    QTest::addColumn<double>("widthfract");
    QTest::addColumn<uint>("id");
    QTest::addColumn<double>("z");

    QTest::newRow("xfract alone keeps the right edge")
        << QStringList{"xfract=0.25"} << 0.25 << 0.75 << 0u << 0.0;
    QTest::newRow("stored widthfract wins")
        << QStringList{"xfract=0.25", "widthfract=0.5"} << 0.25 << 0.5 << 0u << 0.0;
    QTest::newRow("id abc") << QStringList{"id=abc"} << 0.0 << 1.0 << 0u << 0.0;
    QTest::newRow("id beyond 32 bits") << QStringList{"id=4294967296"} << 0.0 << 1.0 << 0u << 0.0;
    QTest::newRow("id and z") << QStringList{"id=7", "z=3"} << 0.0 << 1.0 << 7u << 3.0;
    QTest::newRow("z 1.5") << QStringList{"z=4", "z=1.5"} << 0.0 << 1.0 << 0u << 0.0;
}

void TestWWidget::processProperty()
{
    QFETCH(QStringList, properties);
    WWidget widget;
    QQuickItem item;
    widget.setQuickItem(&item);
    for (const QString &property : std::as_const(properties)) {
        const QStringList pair = property.split(QLatin1Char('='));
        QVERIFY(widget.processProperty(pair.at(0), pair.at(1)));
    }
    QTEST(widget.xfract(), "xfract");
    QTEST(widget.widthfract(), "widthfract");
    QTEST(uint(widget.id()), "id");
    QTEST(double(item.z()), "z");
}

void TestWWidget::toolTip()
{
    CControl control(QStringLiteral("Control"), QStringLiteral("Bar Volume"),
                     QStringLiteral("Slider"));
    WWidget widget;
    widget.setOwner(&control);
    QVERIFY(!control.toolTip().isEmpty());
    QCOMPARE(widget.getToolTip(true), control.toolTip());
    QCOMPARE(widget.getToolTip(false), QString());
}

void TestWWidget::deviceValue_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("writes");
    QTest::newRow("equal to the shown value") << 5 << 0;
    QTest::newRow("a new value") << 7 << 1;
}

void TestWWidget::deviceValue()
{
    QFETCH(int, reply);
    QFETCH(int, writes);
    CAttributes attributes;
    ReplyTransform transform(attributes);
    QQuickItem item;
    ValueWidget widget;
    ValueWidget peer;
    widget.setQuickItem(&item);
    widget.setTransform(&transform);
    widget.setPeer(&peer);
    widget.current = 5;
    WriteCounter counter(&widget);
    item.installEventFilter(&counter);

    transform.replyValue = reply;
    emit transform.replyValueReady();

    QCOMPARE(counter.writes, writes);
    QVERIFY(counter.guarded);
    QVERIFY(!widget.isUpdating());
    QCOMPARE(peer.linked, writes);
    QCOMPARE(widget.current, reply);
}

void TestWWidget::resize_data()
{
    QTest::addColumn<QRectF>("newRect");
    QTest::addColumn<QRectF>("expected");
    const QRectF old(10, 20, 100, 50);
    // The widget sits at (0.5, 0.2) of its control, 0.5 x 0.6 of its size; the item starts
    // somewhere else so that every rewrite shows.
    QTest::newRow("only a new height") << QRectF(10, 20, 100, 80) << QRectF(1, 36, 3, 48);
    QTest::newRow("only a new width") << QRectF(10, 20, 200, 50) << QRectF(110, 2, 100, 4);
    QTest::newRow("unchanged") << old << QRectF(1, 2, 3, 4);
}

void TestWWidget::resize()
{
    QFETCH(QRectF, newRect);
    WWidget widget;
    QQuickItem item;
    widget.setQuickItem(&item);
    widget.processProperty(QStringLiteral("xfract"), QStringLiteral("0.5"));
    widget.processProperty(QStringLiteral("yfract"), QStringLiteral("0.2"));
    widget.processProperty(QStringLiteral("widthfract"), QStringLiteral("0.5"));
    widget.processProperty(QStringLiteral("heightfract"), QStringLiteral("0.6"));
    item.setPosition(QPointF(1, 2));
    item.setSize(QSizeF(3, 4));

    widget.resize(QRectF(10, 20, 100, 50), newRect);
    QTEST(widget.rect(), "expected");
}

void TestWWidget::factoryKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("className"); // empty: no widget
    QTest::addColumn<QString>("document");

    const QStringList table = {
        "bounds:WFrame:QmlBounds",
        "button:WButton:QmlButton",
        "cmdbutton:WCmdButton:QmlCmdButton",
        "dialer:WDialer:QmlDialer",
        "droplist:WDropList:QmlDroplist",
        "image:WImage:QmlImage",
        "frame:WFrame:QmlFrame",
        "label:WLabel:QmlLabel",
        "region:WRegion:QmlRegion",
        "panellink:WPanelLink:QmlPanelLink",
        "slider:WSlider:QmlFader",
        "textedit:WTextEdit:QmlTextEdit",
        "textlink:WTextLink:QmlTextLink",
        "activeroomcombo:WActiveCombo:QmlActiveRoomCombo",
        "roomselector:WRoomSelection:QmlRoomSelector",
        "comboselector:WComboSelection:QmlComboSelector",
        "levelbutton:WLevelButtons:QmlLevelButtons",
        "meter:WMeter:QmlMeter",
        "meterimage:WMeterImage:QmlMeterImage",
        "Slider::",
        "dropsite:WDropSite:QmlDropsite",
        "bogus::",
    };
    for (const QString &row : table) {
        const QStringList fields = row.split(QLatin1Char(':'));
        const QString document = fields.at(2).isEmpty()
                                     ? QString()
                                     : QStringLiteral("qrc:/qmlcontrol/") + fields.at(2) + ".qml";
        QTest::newRow(qPrintable(fields.at(0))) << fields.at(0) << fields.at(1) << document;
    }
}

void TestWWidget::factoryKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, className);
    WWidget *widget = WDelegate::instance()->factory()->createWidget(key);
    if (className.isEmpty()) {
        QVERIFY(!widget);
        return;
    }
    QVERIFY(widget);
    std::unique_ptr<QObject> document(widget->quickItem());
    auto *item = qobject_cast<QQuickItem *>(document.get());
    QVERIFY(item);
    QCOMPARE(item->findChild<WWidget *>(QStringLiteral("widget")), widget);
    QCOMPARE(widget->metaObject()->className(), className);
    QTEST(qmlContext(item)->baseUrl().toString(), "document");
    QCOMPARE(item->parentItem(), &m_env->parent);
    QVERIFY(!item->isVisible());
}

void TestWWidget::factoryWithoutContext()
{
    QQuickItem parent;
    WWidgetFactory factory(&parent, nullptr, nullptr);
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral(
                             "^Context and parent not ready for creation of quick item at path: "
                             "qrc:/qmlcontrol/QmlFrame.qml$")));
    QVERIFY(!factory.createWidget(QStringLiteral("frame")));
}

QTEST_MAIN(TestWWidget)
#include "tst_wwidget.moc"
