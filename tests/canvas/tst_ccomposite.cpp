#include "canvas/ccanvas.h"
#include "canvas/ccomposite.h"
#include "comm/pprotocol.h"
#include "comm/ttransform.h"
#include "controls/wdelegate.h"
#include "controls/widgettestenv.h"
#include "controls/wwidget.h"
#include "controls/wwidgetfactory.h"
#include "hardware/hnode.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

// A control whose poll answer the test chooses.
class ProbeControl : public CControl
{
public:
    explicit ProbeControl(const QString &name)
        : CControl(QStringLiteral("Control"), name, QStringLiteral("Probe"))
    {}

    bool poll() override
    {
        ++polls;
        return answer;
    }

    int polls = 0;
    bool answer = true;
};

// Counts the reads a control asks for.
class CountingProtocol : public PProtocol
{
public:
    bool read(TTransform *transform) override
    {
        lastRead = transform;
        ++reads;
        return true;
    }

    int reads = 0;
    TTransform *lastRead = nullptr;
};

std::unique_ptr<CComposite> makeComposite(const QString &kind, const QString &name)
{
    return std::make_unique<CComposite>(kind, name);
}

// A control drawn by one widget part with the given rectangle.
std::unique_ptr<CControl> makeDrawnControl(const QString &name, const QString &part,
                                           const QRectF &rect)
{
    auto control =
        std::make_unique<CControl>(QStringLiteral("Control"), name, QStringLiteral("Frame"));
    control->processWidget(part, QStringLiteral("x"), QString::number(rect.x()));
    control->processWidget(part, QStringLiteral("y"), QString::number(rect.y()));
    control->processWidget(part, QStringLiteral("width"), QString::number(rect.width()));
    control->processWidget(part, QStringLiteral("height"), QString::number(rect.height()));
    control->widgetEnded(part);
    return control;
}

// Root "Scenes" > scenes "A" (panels "A1", "A2") and "B" (panel "B1").
std::unique_ptr<CComposite> makeTree()
{
    auto root = makeComposite(QStringLiteral("Root"), QStringLiteral("demo.cpf"));
    auto a = makeComposite(QStringLiteral("Scene"), QStringLiteral("A"));
    a->addChild(makeComposite(QStringLiteral("Panel"), QStringLiteral("A1")));
    a->addChild(makeComposite(QStringLiteral("Panel"), QStringLiteral("A2")));
    auto b = makeComposite(QStringLiteral("Scene"), QStringLiteral("B"));
    b->addChild(makeComposite(QStringLiteral("Panel"), QStringLiteral("B1")));
    root->addChild(std::move(a));
    root->addChild(std::move(b));
    return root;
}

QString currentPanelName(const CComposite &root)
{
    const CControl *panel = root.findCurrent(QStringLiteral("Panels"));
    return panel ? panel->name() : QString();
}

bool tallScreen()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return qreal(screen.height()) / screen.width() >= 2.0;
}

} // namespace

class TestCComposite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void childKinds_data();
    void childKinds();
    void children();
    void findCurrentOnEmptyRootIsNull();
    void findCurrent();
    void selectByName_data();
    void selectByName();
    void jumpTo_data();
    void jumpTo();
    void jumpToUnnamedRecord();
    void pollingChainStopsAndResumes();
    void pollingDisabled();
    void emptyPanelPolls();
    void controlPoll_data();
    void controlPoll();
    void finishCreatesTransforms();
    void boundingRect();
    void boundingRectOfBounds();
    void rescale_data();
    void rescale();
    void centre();
    void centreCustomPanel_data();
    void centreCustomPanel();
    void setActive();
    void panelType_data();
    void panelType();

private:
    std::unique_ptr<WidgetTestEnv> m_env;
};

void TestCComposite::initTestCase()
{
    m_env = std::make_unique<WidgetTestEnv>();
}

void TestCComposite::cleanupTestCase()
{
    m_env.reset();
}

void TestCComposite::childKinds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("childKind");

    QTest::newRow("root") << "Root"
                          << "Scenes";
    QTest::newRow("scene") << "Scene"
                           << "Panels";
    QTest::newRow("panel") << "Panel"
                           << "Controls";
}

void TestCComposite::childKinds()
{
    QFETCH(QString, kind);
    const CComposite record(kind, QStringLiteral("x"));
    QTEST(record.childKind(), "childKind");
    QCOMPARE(record.kind(), kind);
}

void TestCComposite::children()
{
    CComposite panel(QStringLiteral("Panel"), QStringLiteral("P"));
    auto first = std::make_unique<CControl>(QStringLiteral("Control"), QStringLiteral("a"),
                                            QStringLiteral("Label"));
    const CControl *firstRecord = first.get();
    panel.addChild(std::move(first));
    panel.addChild(std::make_unique<CControl>(QStringLiteral("Control"), QStringLiteral("b"),
                                              QStringLiteral("Label")));

    QCOMPARE(panel.childCount(), 2);
    QCOMPARE(panel.child(0), firstRecord);
    QCOMPARE(panel.indexOf(firstRecord), 0);
    QCOMPARE(panel.child(1)->name(), QStringLiteral("b"));
    QCOMPARE(panel.child(1)->parentComposite(), &panel);
    QVERIFY(!panel.child(2));
    QVERIFY(!panel.child(-1));
    QCOMPARE(panel.indexOf(&panel), -1);

    panel.clear();
    QCOMPARE(panel.childCount(), 0);
    QVERIFY(!panel.child(0));
}

void TestCComposite::findCurrentOnEmptyRootIsNull()
{
    const CComposite root(QStringLiteral("Root"), QStringLiteral("Scenes"));
    QVERIFY(!root.findCurrent(QStringLiteral("Scenes")));
    QVERIFY(!root.findCurrent(QStringLiteral("Panels")));
}

void TestCComposite::findCurrent()
{
    auto root = makeTree();
    QCOMPARE(root->findCurrent(QStringLiteral("Scenes"))->name(), QStringLiteral("A"));
    QCOMPARE(currentPanelName(*root), QStringLiteral("A1"));

    root->setCurrentIndex(1);
    QCOMPARE(currentPanelName(*root), QStringLiteral("B1"));

    root->setCurrentIndex(2);
    QVERIFY(!root->findCurrent(QStringLiteral("Scenes")));
    QVERIFY(!root->findCurrent(QStringLiteral("Panels")));
}

void TestCComposite::selectByName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("scene");
    QTest::addColumn<QString>("panel");

    QTest::newRow("scene") << "Scenes"
                           << "B" << true << "B"
                           << "B1";
    QTest::newRow("panel of the first scene") << "Panels"
                                              << "A2" << true << "A"
                                              << "A2";
    QTest::newRow("unknown scene") << "Scenes"
                                   << "C" << false << "A"
                                   << "A1";
    QTest::newRow("panel name asked as scene") << "Scenes"
                                               << "A2" << false << "A"
                                               << "A1";
}

void TestCComposite::selectByName()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);

    auto root = makeTree();
    QTEST(root->selectByName(kind, name), "found");
    QTEST(root->findCurrent(QStringLiteral("Scenes"))->name(), "scene");
    QTEST(currentPanelName(*root), "panel");
}

void TestCComposite::jumpTo_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("panel");

    QTest::newRow("file, scene and panel") << "demo.cpf\\B\\B1" << true << "B1";
    QTest::newRow("second panel") << "demo.cpf\\A\\A2" << true << "A2";
    QTest::newRow("scene only") << "demo.cpf\\B" << true << "B1";
    QTest::newRow("root only") << "demo.cpf" << true << "A1";
    QTest::newRow("without the file name") << "B\\B1" << false << "A1";
    QTest::newRow("unknown panel") << "demo.cpf\\B\\B9" << false << "A1";
    QTest::newRow("panel of another scene") << "demo.cpf\\A\\B1" << false << "A1";
    QTest::newRow("parent segment on named records") << "..\\B\\B1" << false << "A1";
}

void TestCComposite::jumpTo()
{
    QFETCH(QString, link);
    auto root = makeTree();
    QTEST(root->jumpTo(link), "found");
    QTEST(currentPanelName(*root), "panel");
}

void TestCComposite::jumpToUnnamedRecord()
{
    // A record without a name stands for ".." in a link.
    CComposite root(QStringLiteral("Root"), QString());
    auto scene = makeComposite(QStringLiteral("Scene"), QStringLiteral("S"));
    scene->addChild(makeComposite(QStringLiteral("Panel"), QStringLiteral("P1")));
    scene->addChild(makeComposite(QStringLiteral("Panel"), QStringLiteral("P2")));
    root.addChild(std::move(scene));

    QVERIFY(root.jumpTo(QStringLiteral("..\\S\\P2")));
    QCOMPARE(currentPanelName(root), QStringLiteral("P2"));
    QVERIFY(!root.jumpTo(QStringLiteral("x\\S\\P1")));
}

void TestCComposite::pollingChainStopsAndResumes()
{
    CComposite panel(QStringLiteral("Panel"), QStringLiteral("P"));
    QList<ProbeControl *> probes;
    for (const char *name : {"one", "two", "three"}) {
        auto probe = std::make_unique<ProbeControl>(QString::fromLatin1(name));
        probes.append(probe.get());
        panel.addChild(std::move(probe));
    }
    probes[1]->answer = false;

    // First tick: the first control at once, the second 5 ms later, where the chain stops.
    panel.poll();
    QCOMPARE(probes[0]->polls, 1);
    QTRY_COMPARE_WITH_TIMEOUT(probes[1]->polls, 1, 1000);
    QCOMPARE(panel.pollCursor(), 1);
    QCOMPARE(probes[2]->polls, 0);

    // Next tick: it starts again with the second control; this time the chain runs through.
    probes[1]->answer = true;
    panel.poll();
    QCOMPARE(probes[1]->polls, 2);
    QCOMPARE(probes[0]->polls, 1);
    QTRY_COMPARE_WITH_TIMEOUT(probes[2]->polls, 1, 1000);
    QTRY_COMPARE_WITH_TIMEOUT(panel.pollCursor(), 3, 1000);

    // The tick after a complete round starts at the first control again.
    panel.poll();
    QCOMPARE(probes[0]->polls, 2);
}

void TestCComposite::pollingDisabled()
{
    CComposite panel(QStringLiteral("Panel"), QStringLiteral("P"));
    auto probe = std::make_unique<ProbeControl>(QStringLiteral("one"));
    ProbeControl *first = probe.get();
    panel.addChild(std::move(probe));

    panel.setPollingEnabled(false);
    QVERIFY(panel.poll());
    QCOMPARE(first->polls, 0);

    panel.setPollingEnabled(true);
    QVERIFY(panel.poll());
    QCOMPARE(first->polls, 1);
}

void TestCComposite::emptyPanelPolls()
{
    CComposite panel(QStringLiteral("Panel"), QStringLiteral("P"));
    QVERIFY(panel.poll());
    QCOMPARE(panel.pollCursor(), 0);
}

void TestCComposite::controlPoll_data()
{
    QTest::addColumn<QString>("doNotPoll");
    QTest::addColumn<bool>("excluded");
    QTest::addColumn<bool>("withProtocol");
    QTest::addColumn<int>("divider");
    QTest::addColumn<int>("expectedReads"); // over four ticks

    QTest::newRow("every tick") << "0" << false << true << 1 << 4;
    QTest::newRow("every second tick") << "0" << false << true << 2 << 2;
    QTest::newRow("doNotPoll") << "1" << false << true << 1 << 0;
    QTest::newRow("excluded from reading") << "0" << true << true << 1 << 0;
    QTest::newRow("node without protocol") << "0" << false << false << 1 << 0;
}

void TestCComposite::controlPoll()
{
    QFETCH(QString, doNotPoll);
    QFETCH(bool, excluded);
    QFETCH(bool, withProtocol);
    QFETCH(int, divider);
    QFETCH(int, expectedReads);

    CountingProtocol protocol;
    HNode node;
    if (withProtocol)
        node.setProtocol(&protocol);
    CControl control(QStringLiteral("Control"), QStringLiteral("Gain"), QStringLiteral("Slider"));
    control.attributes().setAttribute(QStringLiteral("Property"), QStringLiteral("struct"),
                                      QStringLiteral("3"));
    control.attributes().setAttribute(QStringLiteral("Property"), QStringLiteral("doNotPoll"),
                                      doNotPoll);
    control.attributes().setAttribute(QStringLiteral("Property"), QStringLiteral("transform"),
                                      QStringLiteral("strV"));
    control.setNode(&node);
    control.finish();
    QVERIFY(control.transform());
    control.transform()->setExcludedFromRead(excluded);
    control.transform()->setPollDivider(divider);

    for (int tick = 0; tick < 4; ++tick)
        QVERIFY(control.poll());

    QCOMPARE(protocol.reads, expectedReads);
    if (expectedReads > 0)
        QCOMPARE(protocol.lastRead, control.transform());
}

void TestCComposite::finishCreatesTransforms()
{
    HNode node;
    auto root = makeTree();
    auto *panel = static_cast<CComposite *>(root->findCurrent(QStringLiteral("Panels")));
    const QStringList names = {QStringLiteral("bound"), QStringLiteral("unbound"),
                               QStringLiteral("no parameter")};
    for (const QString &name : names) {
        auto control =
            std::make_unique<CControl>(QStringLiteral("Control"), name, QStringLiteral("Slider"));
        if (name != QLatin1String("no parameter"))
            control->attributes().setAttribute(QStringLiteral("Property"),
                                               QStringLiteral("transform"), QStringLiteral("chrL"));
        if (name != QLatin1String("unbound"))
            control->setNode(&node);
        panel->addChild(std::move(control));
    }
    QCOMPARE(root->countBound(), 0);

    root->finish();

    QCOMPARE(root->countBound(), 1);
    QVERIFY(panel->child(0)->transform());
    QCOMPARE(panel->child(0)->transform()->node(), &node);
    QVERIFY(!panel->child(1)->transform());
    QVERIFY(!panel->child(2)->transform());
}

void TestCComposite::boundingRect()
{
    CComposite panel(QStringLiteral("Panel"), QStringLiteral("P"));
    const QRectF a(10, 20, 30, 40);
    const QRectF b(100, 5, 10, 10);
    panel.addChild(makeDrawnControl(QStringLiteral("a"), QStringLiteral("frame"), a));
    panel.addChild(makeDrawnControl(QStringLiteral("b"), QStringLiteral("label"), b));

    QCOMPARE(panel.child(0)->boundingRect(), a);
    QCOMPARE(panel.boundingRect(), a.united(b));
}

void TestCComposite::boundingRectOfBounds()
{
    CComposite panel(QStringLiteral("Panel"), QStringLiteral("P"));
    const QRectF bounds(0, 0, 320, 480);
    panel.addChild(
        makeDrawnControl(QStringLiteral("a"), QStringLiteral("frame"), QRectF(300, 400, 100, 100)));
    panel.addChild(makeDrawnControl(QStringLiteral("b"), QStringLiteral("bounds"), bounds));

    QCOMPARE(panel.boundingRect(), bounds);
    QVERIFY(panel.hasChildOfKind(QStringLiteral("bounds")));
}

void TestCComposite::rescale_data()
{
    QTest::addColumn<bool>("multiply");
    QTest::newRow("multiply") << true;
    QTest::newRow("divide") << false;
}

void TestCComposite::rescale()
{
    QFETCH(bool, multiply);

    CComposite root(QStringLiteral("Root"), QStringLiteral("Scenes"));
    auto scene = makeComposite(QStringLiteral("Scene"), QStringLiteral("S"));
    auto panel = makeComposite(QStringLiteral("Panel"), QStringLiteral("P"));
    const QRectF a(10, 20, 40, 80);
    const QRectF b(50, 100, 50, 100);
    panel->addChild(makeDrawnControl(QStringLiteral("a"), QStringLiteral("frame"), a));
    panel->addChild(makeDrawnControl(QStringLiteral("b"), QStringLiteral("frame"), b));
    const QRectF content = a.united(b);
    CComposite *panelRecord = panel.get();
    scene->addChild(std::move(panel));
    root.addChild(std::move(scene));

    const double dimension = 480;
    root.rescale(1.0, dimension, multiply);

    const double factor = dimension / (tallScreen() ? content.width() : content.height());
    const auto expected = [&](const QRectF &r) {
        const double x = multiply ? r.x() * factor : r.x() / factor;
        const double w = multiply ? r.width() * factor : r.width() / factor;
        return QRectF(x, r.y() * factor, w, r.height() * factor);
    };
    QCOMPARE(panelRecord->child(0)->boundingRect(), expected(a));
    QCOMPARE(panelRecord->child(1)->boundingRect(), expected(b));
}

void TestCComposite::centre()
{
    CComposite root(QStringLiteral("Root"), QStringLiteral("Scenes"));
    auto scene = makeComposite(QStringLiteral("Scene"), QStringLiteral("S"));
    auto panel = makeComposite(QStringLiteral("Panel"), QStringLiteral("P"));
    panel->addChild(
        makeDrawnControl(QStringLiteral("a"), QStringLiteral("frame"), QRectF(10, 0, 40, 10)));
    panel->addChild(
        makeDrawnControl(QStringLiteral("b"), QStringLiteral("frame"), QRectF(60, 0, 50, 10)));
    CComposite *panelRecord = panel.get();
    scene->addChild(std::move(panel));
    root.addChild(std::move(scene));
    const double width = 300;

    root.centre(QStringLiteral("Controls"), 0);
    QCOMPARE(panelRecord->boundingRect().x(), 10.0);

    root.centre(QStringLiteral("Controls"), width);

    // The content keeps its width and gets equal margins on both sides.
    const QRectF content = panelRecord->boundingRect();
    QCOMPARE(content.width(), 100.0);
    QCOMPARE(content.x(), width - content.right());
    QCOMPARE(panelRecord->child(1)->boundingRect().x() - panelRecord->child(0)->boundingRect().x(),
             50.0);
}

void TestCComposite::centreCustomPanel_data()
{
    QTest::addColumn<QString>("horizcenter");
    QTest::addColumn<bool>("moves");

    QTest::newRow("horizcenter on") << "1" << true;
    QTest::newRow("horizcenter off") << "0" << false;
}

void TestCComposite::centreCustomPanel()
{
    QFETCH(QString, horizcenter);
    QFETCH(bool, moves);

    CCanvas canvas;
    canvas.setAttribute(QStringLiteral("horizcenter"), horizcenter);
    CComposite root(QStringLiteral("Root"), QStringLiteral("Scenes"));
    root.setCanvas(&canvas);
    auto scene = makeComposite(QStringLiteral("Scene"), QStringLiteral("S"));
    auto panel = makeComposite(QStringLiteral("Panel"), QStringLiteral("P"));
    panel->setPanelType(QStringLiteral("custom"));
    const QRectF start(20, 0, 60, 10);
    panel->addChild(makeDrawnControl(QStringLiteral("a"), QStringLiteral("frame"), start));
    CComposite *panelRecord = panel.get();
    scene->addChild(std::move(panel));
    root.addChild(std::move(scene));

    root.centre(QStringLiteral("Controls"), 200);

    const QRectF content = panelRecord->boundingRect();
    QCOMPARE(content.x() == start.x(), !moves);
    if (moves)
        QCOMPARE(content.x(), 200 - content.right());
}

void TestCComposite::setActive()
{
    auto root = makeTree();
    auto *panel = static_cast<CComposite *>(root->findCurrent(QStringLiteral("Panels")));
    panel->addChild(
        makeDrawnControl(QStringLiteral("a"), QStringLiteral("frame"), QRectF(0, 0, 1, 1)));
    const WWidget *widget = panel->child(0)->widget();
    QVERIFY(widget);
    const auto shown = [widget] { return widget->itemProperty("visible").toBool(); };
    QVERIFY(!shown());

    root->setActive(true);
    QVERIFY(shown());
    panel->setActive(false);
    QVERIFY(!shown());
}

void TestCComposite::panelType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("expected");

    QTest::newRow("complete") << "complete" << int(CComposite::Complete);
    QTest::newRow("template") << "template" << int(CComposite::Template);
    QTest::newRow("custom") << "custom" << int(CComposite::Custom);
    QTest::newRow("unknown text keeps the default") << "Custom" << int(CComposite::Complete);
}

void TestCComposite::panelType()
{
    QFETCH(QString, type);
    CComposite panel(QStringLiteral("Panel"), QStringLiteral("P"));
    panel.setPanelType(type);
    QTEST(panel.panelType(), "expected");
}

QTEST_MAIN(TestCComposite)
#include "tst_ccomposite.moc"
