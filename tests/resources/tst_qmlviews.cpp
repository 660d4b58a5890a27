#include "app/mainwindow.h"
#include "app/vqmlframe.h"
#include "canvas/ccanvas.h"
#include "controls/vmodemanager.h"
#include "formats/uarchive.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickItem>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "util/scratchhome.h"

#include <memory>

// The view documents as the program shows them: the desktop canvas of the main window on the
// demonstration project, driven by clicks.
class TestQmlViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void rows_data();
    void rows();
    void foreignRowsRefused_data();
    void foreignRowsRefused();
    void setupMenu_data();
    void setupMenu();
    void systemEntry();
    void popupList_data();
    void popupList();
    void statusBarArrows();

private:
    QQuickItem *item(const char *name) const;
    void click(QQuickItem *target, QPointF local = QPointF(-1, -1));
    // Whether the list has made the entry under a point yet: on a loaded machine it makes its
    // entries a few frames after it opened.
    static bool hasEntryAt(QQuickItem *list, QPointF local);
    QObject *intrf() const { return m_window->model()->qmlInterface(); }

    ScratchHome m_home;
    std::unique_ptr<MainWindow> m_window;
};

void TestQmlViews::initTestCase()
{
    QVERIFY(m_home.isValid());
}

void TestQmlViews::init()
{
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window->view()));
}

void TestQmlViews::cleanup()
{
    m_window.reset();
}

QQuickItem *TestQmlViews::item(const char *name) const
{
    return m_window->view()->rootObject()->findChild<QQuickItem *>(QString::fromLatin1(name));
}

void TestQmlViews::click(QQuickItem *target, QPointF local)
{
    QVERIFY(target);
    if (local.x() < 0)
        local = QPointF(target->width() / 2, target->height() / 2);
    QTest::mouseClick(m_window->view(), Qt::LeftButton, {}, target->mapToScene(local).toPoint());
}

bool TestQmlViews::hasEntryAt(QQuickItem *list, QPointF local)
{
    auto *content = qvariant_cast<QQuickItem *>(list->property("contentItem"));
    return content && content->childAt(local.x(), local.y() + list->property("contentY").toReal());
}

void TestQmlViews::rows_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("bottom");
    QTest::addColumn<qreal>("topShare");
    QTest::addColumn<qreal>("bottomShare");
    const QString toolBar = QStringLiteral("qrc:/qml/objects/QmlToolBarObject.qml");
    const QString minToolBar = QStringLiteral("qrc:/qml/objects/QmlMinToolBarObject.qml");
    const QString statusBar = QStringLiteral("qrc:/qml/objects/QmlStatusBarObject.qml");
    const QString none = QStringLiteral("?");
    QTest::newRow("both rows") << toolBar << statusBar << 0.085 << 0.08;
    QTest::newRow("no bottom row") << toolBar << none << 0.085 << 0.0;
    QTest::newRow("no top row") << none << statusBar << 0.0 << 0.08;
    QTest::newRow("slim tool bar") << minToolBar << statusBar << 0.085 * 0.625 << 0.08;
    QTest::newRow("unknown document gives the usual row")
        << QStringLiteral("qrc:/qml/objects/Nowhere.qml") << none << 0.085 << 0.0;
}

void TestQmlViews::rows()
{
    QFETCH(QString, top);
    QFETCH(QString, bottom);
    QFETCH(qreal, topShare);
    QFETCH(qreal, bottomShare);
    QObject *canvas = m_window->view()->rootObject();
    intrf()->setProperty("topRow", top);
    intrf()->setProperty("bottomRow", bottom);
    Q_EMIT m_window->model()->resetCanvas();
    Q_EMIT m_window->model()->reloadCanvas();

    const qreal height = canvas->property("height").toReal();
    QQuickItem *area = item("QmlView");
    QVERIFY(area);
    QTRY_COMPARE(area->mapToScene(QPointF(0, 0)).y(), height * topShare);
    QCOMPARE(area->mapToScene(QPointF(0, area->height())).y(), height * (1 - bottomShare));
}

void TestQmlViews::foreignRowsRefused_data()
{
    QTest::addColumn<bool>("web"); // else a file in the archive folder
    QTest::newRow("web") << true;
    QTest::newRow("archive entry") << false;
}

void TestQmlViews::foreignRowsRefused()
{
    QFETCH(bool, web);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QSignalSpy requests(&server, &QTcpServer::newConnection);
    QFile row(QDir(UArchive::instance()->header().extractionRoot()).filePath("Row.qml"));
    QVERIFY(row.open(QIODevice::WriteOnly) &&
            row.write("import QtQuick\nItem { property real ratio: 0.5 }\n") && row.flush());
    const QUrl url =
        web ? QUrl(QStringLiteral("http://127.0.0.1:%1/Row.qml").arg(server.serverPort()))
            : QUrl::fromLocalFile(row.fileName());
    m_window->model()->canvas()->setAttribute(QStringLiteral("topRow"), url.toString());
    QTRY_COMPARE(item("topRow")->property("source"), QUrl("qrc:/qml/objects/QmlToolBarObject.qml"));
    // Nor does the view's engine take it when asked directly.
    QQmlComponent component(m_window->view()->engine(), url);
    QTRY_VERIFY(component.isError());
    QVERIFY(!requests.wait(500));
}

void TestQmlViews::setupMenu_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<bool>("opens");
    QTest::newRow("single entry") << QStringLiteral("About Veloxa Remote...") << false;
    QTest::newRow("desktop menu")
        << QStringLiteral(
               "About Veloxa Remote...,Project Information...,Network Status...,Receive...")
        << true;
}

void TestQmlViews::setupMenu()
{
    QFETCH(QString, entries);
    QFETCH(bool, opens);
    m_window->view()->setSetupMenu(entries);
    QQuickItem *menu = item("setupMenu");
    QVERIFY(menu);
    click(item("setupButton"));
    QCOMPARE(menu->isVisible(), opens);
    QCOMPARE(VModeManager::instance()->modalObject(), opens ? menu : nullptr);
    if (!opens)
        return;

    // A click outside the list closes the menu; native code closes it through "cancel".
    click(item("nullRegion"), QPointF(2, 2));
    QVERIFY(!menu->isVisible());
    QVERIFY(!VModeManager::instance()->modalObject());
    click(item("setupButton"));
    QVERIFY(menu->isVisible());
    VModeManager::instance()->cancel();
    QVERIFY(!menu->isVisible());
    QVERIFY(!VModeManager::instance()->modalObject());
}

void TestQmlViews::systemEntry()
{
    click(item("setupButton"));
    auto *entries = item("popupEntries");
    QVERIFY(entries);
    QTRY_VERIFY(item("setupMenu")->isVisible() && entries->height() > 0);
    // The second entry: the project information in a box titled with the entry's text.
    const QPointF second(entries->width() / 2, entries->height() / 4 * 1.5);
    QTRY_VERIFY(hasEntryAt(entries, second));
    click(entries, second);
    QTRY_VERIFY(!item("setupMenu")->isVisible());
    const QList<QQuickItem *> boxes =
        m_window->view()->rootObject()->findChildren<QQuickItem *>(QStringLiteral("dialogTitle"));
    QQuickItem *shown = nullptr;
    for (QQuickItem *title : boxes) {
        if (title->isVisible())
            shown = title;
    }
    QVERIFY(shown);
    QCOMPARE(shown->property("text").toString(), QStringLiteral("Project Information..."));
    auto *text = shown->parentItem()->findChild<QQuickItem *>(QStringLiteral("dialogText"));
    QCOMPARE(text->property("text").toString(),
             m_window->model()->qmlInterface()->getProjectInfoString());
    // Below the title, the nodes to drag, narrowed by the filter line.
    QQuickItem *rows = item("nodeEntries");
    QQuickItem *filter = item("nodeFilter");
    const QVariantList nodes = m_window->model()->qmlInterface()->getNodeList();
    QVERIFY(rows && filter && nodes.size() > 1);
    QTRY_COMPARE(rows->property("count").toInt(), nodes.size());
    const QString label = nodes.constLast().toMap().value(QStringLiteral("label")).toString();
    filter->setProperty("text", label.toUpper());
    QTRY_VERIFY(rows->property("count").toInt() >= 1);
    QVERIFY(rows->property("count").toInt() < nodes.size());
    filter->setProperty("text", QStringLiteral("no such node"));
    QTRY_COMPARE(rows->property("count").toInt(), 0);
    click(shown->parentItem()->findChild<QQuickItem *>(QStringLiteral("dialogButton")));
    QVERIFY(!shown->isVisible());

    // The third entry: the network status, which follows the devices while it is open.
    click(item("setupButton"));
    const QPointF third(entries->width() / 2, entries->height() / 4 * 2.5);
    QTRY_VERIFY(item("setupMenu")->isVisible() && hasEntryAt(entries, third));
    click(entries, third);
    QQuickItem *network = item("networkDialog");
    QTRY_VERIFY(network && network->isVisible());
    MQmlInterface *intrf = m_window->model()->qmlInterface();
    QCOMPARE(network->property("text").toString(), intrf->getNetworkStatusString());
    m_window->model()->setConnectionsEnabled(false);
    QVERIFY(intrf->getNetworkStatusString().contains(QStringLiteral("State: not connected")));
    QTRY_COMPARE(network->property("text").toString(), intrf->getNetworkStatusString());
}

void TestQmlViews::popupList_data()
{
    QTest::addColumn<qreal>("where");     // share of the list height; below 0: outside the list
    QTest::addColumn<QList<int>>("keys"); // typed instead of a click
    QTest::addColumn<int>("expected");
    QTest::newRow("first entry") << 0.1 << QList<int>() << 0;
    QTest::newRow("last entry") << 0.9 << QList<int>() << 2;
    QTest::newRow("outside") << -1.0 << QList<int>() << -1;
    QTest::newRow("down, enter") << 0.0 << QList<int>{Qt::Key_Down, Qt::Key_Return} << 2;
    QTest::newRow("up past the top, space")
        << 0.0 << QList<int>{Qt::Key_Up, Qt::Key_Up, Qt::Key_Space} << 0;
    QTest::newRow("escape") << 0.0 << QList<int>{Qt::Key_Escape} << -1;
}

void TestQmlViews::popupList()
{
    QFETCH(qreal, where);
    QFETCH(QList<int>, keys);
    QFETCH(int, expected);
    QQmlComponent component(m_window->view()->engine(),
                            QUrl(QStringLiteral("qrc:/qml/objects/QmlPopupList.qml")));
    std::unique_ptr<QObject> created(component.create());
    auto *list = qobject_cast<QQuickItem *>(created.get());
    QVERIFY2(list, qPrintable(component.errorString()));
    list->setParentItem(m_window->view()->contentItem());
    list->setProperty("model",
                      QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    list->setProperty("index", 1);
    QSignalSpy clicks(list, SIGNAL(listClick(int)));

    auto *entries = list->findChild<QQuickItem *>(QStringLiteral("popupEntries"));
    QVERIFY(entries);
    // The list lays its entries out before the next frame; a user sees that frame first.
    QSignalSpy frame(m_window->view(), &QQuickWindow::frameSwapped);
    QVERIFY(frame.wait());
    const QPointF entry(entries->width() / 2, entries->height() * where);
    if (!keys.isEmpty()) {
        QMetaObject::invokeMethod(list, "open");
        QTRY_VERIFY(list->hasActiveFocus());
        for (const int key : std::as_const(keys))
            QTest::keyClick(m_window->view(), Qt::Key(key));
    } else if (where < 0) {
        click(list, QPointF(2, 2));
    } else {
        QTRY_VERIFY(hasEntryAt(entries, entry));
        click(entries, entry);
    }
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), expected);
    QVERIFY(!list->isVisible());
}

void TestQmlViews::statusBarArrows()
{
    QCOMPARE(intrf()->property("pageIndex").toInt(), 0);
    click(item("rightArrow"));
    QTRY_COMPARE(intrf()->property("pageIndex").toInt(), 1);
    // The status bar was rebuilt by the panel change: look the arrow up again.
    click(item("leftArrow"));
    click(item("leftArrow"));
    QTRY_COMPARE(intrf()->property("pageIndex").toInt(), 4);
    // The demonstration project has one scene: its menu stays closed.
    click(item("sceneTitle"));
    QVERIFY(!item("sceneMenu")->isVisible());
}

QTEST_MAIN(TestQmlViews)
#include "tst_qmlviews.moc"
