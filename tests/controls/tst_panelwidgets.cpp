#include "app/mainwindow.h"
#include "canvas/ccomposite.h"
#include "controls/wpanellink.h"
#include "controls/wregion.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "util/scratchhome.h"

#include <memory>

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

QTEST_MAIN(TestPanelWidgets)
#include "tst_panelwidgets.moc"
