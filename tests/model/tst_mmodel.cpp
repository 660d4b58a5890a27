#include "app/mainwindow.h"
#include "app/vqmlframe.h"
#include "canvas/ccomposite.h"
#include "comm/icomposite.h"
#include "hardware/hparametersetlist.h"
#include "hardware/hroot.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
// An interface whose online flag the test sets, standing for a device connection.
class FakeInterface : public IInterface
{
public:
    using IInterface::IInterface;
    void goOnline(bool on) { setOnline(on); }
};

QSettings clientSettings()
{
    return QSettings(QStringLiteral("Orvik"), QStringLiteral("Veloxa Remote 3.0"));
}
} // namespace

class TestMModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void demonstrationProject();
    void demonstrationControlsReachDesignerNodes_data();
    void demonstrationControlsReachDesignerNodes();
    void startupProjectChoice_data();
    void startupProjectChoice();
    void failedOpenShowsPreviousProject_data();
    void failedOpenShowsPreviousProject();
    void stepPanelWraps_data();
    void stepPanelWraps();
    void navigateRejectsOtherCommands();
    void connectionIndicator_data();
    void connectionIndicator();
    void demoDevicesShowRed();
    void jumpToPanel_data();
    void jumpToPanel();
    void pollingFollowsConnections();

private:
    QString indicator() const;
    CComposite *scene() const;

    QTemporaryDir m_home;
    std::unique_ptr<MainWindow> m_window;
};

void TestMModel::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/.config")));
    QStandardPaths::setTestModeEnabled(true);
    clientSettings().setValue(QStringLiteral("Path/Archive"), m_home.path());
}

void TestMModel::init()
{
    clientSettings().remove(QStringLiteral("Path/Designs"));
    m_window = std::make_unique<MainWindow>();
}

void TestMModel::cleanup()
{
    m_window.reset();
}

QString TestMModel::indicator() const
{
    return m_window->model()->qmlInterface()->property("connectInd").toString();
}

CComposite *TestMModel::scene() const
{
    return m_window->model()->currentScene();
}

void TestMModel::demonstrationProject()
{
    MModel *model = m_window->model();
    QCOMPARE(model->currentFile(), QStringLiteral(":/data/Veloxa/Demo.cpz"));
    CComposite *root = model->sceneRoot();
    QCOMPARE(root->name(), QStringLiteral("Demo.cpf"));
    QCOMPARE(root->childCount(), 1);
    QCOMPARE(scene()->name(), QStringLiteral("Audio Controls"));

    const QStringList expected{QStringLiteral("Disclaimer"),
                               QStringLiteral("Volume & Source Control"),
                               QStringLiteral("System Presets"), QStringLiteral("Trivia Controls"),
                               QStringLiteral("System EQ")};
    QStringList panels;
    int controls = 0;
    for (int i = 0; i < scene()->childCount(); ++i) {
        auto *panel = qobject_cast<CComposite *>(scene()->child(i));
        QVERIFY(panel);
        panels << panel->name();
        controls += panel->childCount();
    }
    QCOMPARE(panels, expected);
    QCOMPARE(controls, 53);
    QCOMPARE(model->currentPanel(), scene()->child(0));

    const CCanvas &canvas = m_window->canvas();
    QCOMPARE(canvas.size(), 6.238f);
    QCOMPARE(canvas.aspect(), 1.6f);
    QCOMPARE(canvas.orientation(), 1);
    const QSize pixels = CCanvas::pixelSize(canvas.size(), canvas.aspect(), canvas.orientation(),
                                            m_window->view()->dotsPerInch());
    QCOMPARE(QSize(canvas.width(), canvas.height()), pixels);
    QVERIFY(canvas.height() > canvas.width());

    QCOMPARE(m_window->windowTitle(), QStringLiteral("MainWindow"));
    m_window->setApplication(qApp);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Veloxa Remote - "));
    const QSize windowSize(canvas.width() + 4, canvas.height() + 4);
    QCOMPARE(m_window->size(), windowSize);
    QCOMPARE(m_window->minimumSize(), windowSize);
    QCOMPARE(m_window->maximumSize(), windowSize);

    QObject *intrf = model->qmlInterface();
    QCOMPARE(intrf->property("pageCount").toInt(), 5);
    QCOMPARE(intrf->property("pageIndex").toInt(), 0);
    QCOMPARE(intrf->property("sceneTitle").toString(), QStringLiteral("Audio Controls"));
    QVERIFY(!intrf->property("headerTitle").toString().isEmpty());
    QCOMPARE(intrf->property("rightClickEnable").toBool(), false);
}

void TestMModel::demonstrationControlsReachDesignerNodes_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("nodeClass");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typenum");

    const QString volumes = QStringLiteral("Volume & Source Control");
    const QString presets = QStringLiteral("System Presets");
    QTest::newRow("group by label") << volumes << "Bar Volume"
                                    << "HGroup"
                                    << "Group"
                                    << "0";
    QTest::newRow("block by number") << volumes << "Dining Volume"
                                     << "HBlock"
                                     << "Gain"
                                     << "0";
    QTest::newRow("selector block") << volumes << "Bar Source"
                                    << "HBlock"
                                    << "Selector"
                                    << "0";
    QTest::newRow("amplifier channel") << volumes << "Bar Speakers Level"
                                       << "HAudioIO"
                                       << "Amp Output"
                                       << "1";
    QTest::newRow("processor input") << "Trivia Controls"
                                     << "Host Mic Meter"
                                     << "HAudioIO"
                                     << "Input 1"
                                     << "1";
    QTest::newRow("tone control") << "System EQ"
                                  << "Bass"
                                  << "HBlock"
                                  << "ToneEQ"
                                  << "0";
    QTest::newRow("parameter set") << presets << "Daytime Dining"
                                   << "HParameterSet"
                                   << "ParamSet"
                                   << "0";
    QTest::newRow("panel list") << presets << "Preset List"
                                << "HParameterSetList"
                                << "PSetList"
                                << "0";
}

void TestMModel::demonstrationControlsReachDesignerNodes()
{
    QFETCH(QString, panel);
    QFETCH(QString, control);
    MModel *model = m_window->model();
    QVERIFY(model->designerFile().endsWith(QStringLiteral("/project/Demo.vxj")));

    CControl *record = nullptr;
    for (int i = 0; i < scene()->childCount() && !record; ++i) {
        auto *page = qobject_cast<CComposite *>(scene()->child(i));
        for (int j = 0; page && page->name() == panel && j < page->childCount(); ++j) {
            if (page->child(j)->name() == control)
                record = page->child(j);
        }
    }
    QVERIFY(record);
    HNode *node = record->node();
    QVERIFY(node);
    QTEST(QString::fromLatin1(node->metaObject()->className()), "nodeClass");
    QTEST(node->title(), "title");
    QTEST(node->typenum(), "typenum");
    // Read from the designer project, not made up by the panel's link.
    QVERIFY(node->hasMarks(HNode::FlagConfirmed | HNode::FlagReferenced));
    QVERIFY(!node->hasMarks(HNode::FlagPlaceholder));
    if (auto *list = qobject_cast<HParameterSetList *>(node)) {
        QCOMPARE(list->setNames(), (QStringList{"Daytime Dining", "Happy Hour", "Trivia Night",
                                                "Live DJ", "Closing Time"}));
    }
    // Blocks that no control drives are not kept.
    HRoot *tree = model->hardwareRoot();
    QVERIFY(!tree->findByAttribute(QStringLiteral("label"), QStringLiteral("Bar PEQ")));
    QVERIFY(!tree->findByAttribute(QStringLiteral("label"), QStringLiteral("Patio Delay")));
}

void TestMModel::startupProjectChoice_data()
{
    // "setting/" is the folder that "Path/Designs" names, "data/" the program's data folder,
    // "work/" the working folder.
    QTest::addColumn<bool>("setting");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << true << QStringList() << QString();
    QTest::newRow("both: cpn first") << true
                                     << QStringList{QStringLiteral("setting/download.cpf"),
                                                    QStringLiteral("setting/download.cpn")}
                                     << QStringLiteral("setting/download.cpn");
    QTest::newRow("setting alone counts")
        << true << QStringList{QStringLiteral("data/download.cpn")} << QString();
    QTest::newRow("data folder first")
        << false
        << QStringList{QStringLiteral("work/download.cpn"), QStringLiteral("data/download.cpf")}
        << QStringLiteral("data/download.cpf");
    QTest::newRow("working folder still read")
        << false << QStringList{QStringLiteral("work/download.cpn")}
        << QStringLiteral("work/download.cpn");
}

void TestMModel::startupProjectChoice()
{
    QFETCH(bool, setting);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir designs;
    QTemporaryDir work;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(QDir().mkpath(data));
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    const auto place = [&](QString file) {
        return file.replace(QStringLiteral("setting/"), designs.path() + QLatin1Char('/'))
            .replace(QStringLiteral("data/"), data + QLatin1Char('/'))
            .replace(QStringLiteral("work/"), work.path() + QLatin1Char('/'));
    };
    for (const QString &file : std::as_const(files))
        QVERIFY(QFile::copy(QStringLiteral(":/data/Veloxa/Demo.cpz"), place(file)));
    if (setting)
        clientSettings().setValue(QStringLiteral("Path/Designs"), designs.path());

    MainWindow window;
    const QString opened = QFileInfo(window.model()->currentFile()).absoluteFilePath();
    QDir::setCurrent(started);
    for (const QString &file : std::as_const(files))
        QFile::remove(place(file));
    QCOMPARE(opened,
             expected.isEmpty() ? QStringLiteral(":/data/Veloxa/Demo.cpz") : place(expected));
    // Whatever file was chosen, it is the demonstration content that opens.
    QCOMPARE(window.model()->sceneRoot()->childCount(), 1);
}

void TestMModel::failedOpenShowsPreviousProject_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("when"); // start, or with the demonstration or another project open
    QTest::addColumn<QString>("reason");

    QFile demo(QStringLiteral(":/data/Veloxa/Demo.cpz"));
    QVERIFY(demo.open(QIODevice::ReadOnly));
    const QByteArray head = "<?xml version=\"1.0\"?>";
    const QByteArray noSize = "<VXB><Canvas><Property name=\"attributes\"><size>nan</size>"
                              "<orientation>1</orientation></Property></Canvas></VXB>";
    QTest::newRow("noise") << QByteArray(4096, 'Z') << "start"
                           << "archive is damaged";
    QTest::newRow("cut archive") << demo.read(40) << "demo"
                                 << "archive is damaged";
    QTest::newRow("bad XML") << head + "<Canvas></VXB>"
                             << "other"
                             << "not well-formed XML";
    QTest::newRow("no size") << head + noSize << "demo"
                             << "no usable window size";
}

void TestMModel::failedOpenShowsPreviousProject()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, when);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString bad = folder.filePath(QStringLiteral("download.cpn"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QString shown = QStringLiteral(":/data/Veloxa/Demo.cpz");
    if (when == QLatin1String("start")) {
        clientSettings().setValue(QStringLiteral("Path/Designs"), folder.path());
        m_window = std::make_unique<MainWindow>();
    } else {
        if (when == QLatin1String("other")) {
            shown = folder.filePath(QStringLiteral("Venue.cpz"));
            QVERIFY(QFile::copy(QStringLiteral(":/data/Veloxa/Demo.cpz"), shown));
            QVERIFY(m_window->model()->openProject(shown));
        }
        QVERIFY(!m_window->model()->openProject(bad));
    }

    QMessageBox *box = nullptr;
    QTRY_VERIFY((box = m_window->findChild<QMessageBox *>(QStringLiteral("projectNotOpened"))));
    const QString text = box->text();
    QVERIFY2(text.contains(QDir::toNativeSeparators(bad)), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(text.contains(when == QLatin1String("other") ? "\"Venue.cpz\"" : "demonstration"));
    box->close();
    QCOMPARE(m_window->model()->currentFile(), shown);
    QCOMPARE(scene()->childCount(), 5);
    QCOMPARE(m_window->minimumSize(),
             QSize(m_window->canvas().width() + 4, m_window->canvas().height() + 4));
}

void TestMModel::stepPanelWraps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("expected");
    QTest::newRow("right from first") << 0 << QStringLiteral("rightarrow") << 1;
    QTest::newRow("right from last") << 4 << QStringLiteral("rightarrow") << 0;
    QTest::newRow("left from first") << 0 << QStringLiteral("leftarrow") << 4;
    QTest::newRow("left from middle") << 2 << QStringLiteral("leftarrow") << 1;
}

void TestMModel::stepPanelWraps()
{
    QFETCH(int, start);
    QFETCH(QString, command);
    QFETCH(int, expected);
    MModel *model = m_window->model();
    QVERIFY(model->showPanel(start));
    QVERIFY(model->qmlInterface()->postCommand(QStringLiteral("event"), command));
    QCOMPARE(scene()->currentIndex(), expected);
    QCOMPARE(model->currentPanel(), scene()->child(expected));
    QCOMPARE(model->qmlInterface()->property("pageIndex").toInt(), expected);
}

void TestMModel::navigateRejectsOtherCommands()
{
    MModel *model = m_window->model();
    QVERIFY(model->showPanel(3));
    QVERIFY(!model->qmlInterface()->postCommand(QStringLiteral("event"), QStringLiteral("up")));
    QVERIFY(!model->qmlInterface()->postCommand(QStringLiteral("bogus"), QStringLiteral("x")));
    QCOMPARE(scene()->currentIndex(), 3);
}

void TestMModel::connectionIndicator_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("online");
    QTest::addColumn<QString>("image");
    QTest::newRow("no devices") << 0 << 0 << QStringLiteral("indicator_red.png");
    QTest::newRow("none of 3") << 3 << 0 << QStringLiteral("indicator_red.png");
    QTest::newRow("one of 3") << 3 << 1 << QStringLiteral("indicator_ylw.png");
    QTest::newRow("two of 3") << 3 << 2 << QStringLiteral("indicator_ylw.png");
    QTest::newRow("all of 3") << 3 << 3 << QStringLiteral("indicator_grn.png");
}

void TestMModel::connectionIndicator()
{
    QFETCH(int, total);
    QFETCH(int, online);
    QFETCH(QString, image);
    MModel *model = m_window->model();
    IComposite *interfaces = model->interfaces();
    interfaces->clear(false);
    std::vector<std::unique_ptr<FakeInterface>> devices;
    for (int i = 0; i < total; ++i) {
        devices.push_back(std::make_unique<FakeInterface>());
        interfaces->add(devices.back().get());
        connect(devices.back().get(), &IInterface::interfaceStateChanged, model,
                &MModel::interfaceStatusChanged);
    }
    QSignalSpy changed(model, &MModel::changedStatusIndicator);
    for (int i = 0; i < online; ++i)
        devices[size_t(i)]->goOnline(true);
    model->interfaceStatusChanged(online > 0);

    const QString expected = QStringLiteral("../../images/skins/Light/") + image;
    QCOMPARE(indicator(), expected);
    QCOMPARE(MModel::connectionIndicator(), expected);
    QCOMPARE(changed.count(), online + 1);
    interfaces->clear(false);
}

void TestMModel::demoDevicesShowRed()
{
    // The demonstration names two devices; none answers here.
    QCOMPARE(m_window->model()->interfaces()->count(), 2);
    QCOMPARE(m_window->model()->interfaces()->onlineCount(), 0);
    QCOMPARE(indicator(), QStringLiteral("../../images/skins/Light/indicator_red.png"));
}

void TestMModel::jumpToPanel_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("expected");
    QTest::newRow("file, scene, panel")
        << QStringLiteral("Demo.cpf\\Audio Controls\\System EQ") << 4;
    QTest::newRow("ampersand panel")
        << QStringLiteral("Demo.cpf\\Audio Controls\\Volume & Source Control") << 1;
    // Without the file name in front the link names nothing: the panel stays, a box warns.
    QTest::newRow("no file name") << QStringLiteral("Audio Controls\\System EQ") << 2;
    QTest::newRow("unknown panel") << QStringLiteral("Demo.cpf\\Audio Controls\\Lobby") << 2;
}

void TestMModel::jumpToPanel()
{
    QFETCH(QString, link);
    QFETCH(int, expected);
    MModel *model = m_window->model();
    QVERIFY(model->showPanel(2));
    const bool found = expected != 2;
    QString warning;
    if (!found) {
        QTimer::singleShot(0, this, [&warning] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            warning = box->text();
            box->accept();
        });
    }
    QSignalSpy focus(model, &MModel::resetQMLFocus);
    QSignalSpy reload(model, &MModel::reloadCanvas);
    QCOMPARE(model->jumpToPanel(link), found);
    QCOMPARE(scene()->currentIndex(), expected);
    QCOMPARE(model->currentPanel(), scene()->child(expected));
    QCOMPARE(model->qmlInterface()->property("pageIndex").toInt(), expected);
    QCOMPARE(focus.count(), found ? 1 : 0);
    QVERIFY(reload.count() >= 1);
    QCOMPARE(warning.endsWith(link), !found);
}

void TestMModel::pollingFollowsConnections()
{
    MModel *model = m_window->model();
    QVERIFY(model->isPollTimerActive());
    QVERIFY(model->isPollingActive());
    model->setPollingEnabled(false);
    QVERIFY(!model->isPollingActive());
    QVERIFY(!model->currentPanel()->pollingEnabled());
    QVERIFY(model->isPollTimerActive());
    model->doPolling();
    QVERIFY(model->isPollingActive());
    QVERIFY(model->currentPanel()->pollingEnabled());
    model->setConnectionsEnabled(false);
    QVERIFY(!model->isPollTimerActive());
    QVERIFY(!model->isPollingActive());

    // Quitting stops the devices but leaves the model to the window that owns it.
    model->setConnectionsEnabled(true);
    const QPointer<MModel> alive(model);
    model->aboutToQuit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(alive);
    QVERIFY(!model->isPollTimerActive());
}

QTEST_MAIN(TestMModel)
#include "tst_mmodel.moc"
