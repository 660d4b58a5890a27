#include "app/mainwindow.h"
#include "canvas/ccomposite.h"
#include "model/mmodel.h"
#include "model/mproject.h"
#include "model/mqmlinterface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "util/scratchhome.h"

#include <functional>
#include <memory>

class TestMQmlInterface : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fullScreenState();
    void postCommand_data();
    void postCommand();
    void exitCommand();
    void addressList_data();
    void addressList();

private:
    // Runs the application's own loop, which quitting needs, until it quits or the guard ends
    // it with code 1.
    static int execWith(const std::function<void()> &action, int guardMs);

    ScratchHome m_home;
    std::unique_ptr<MainWindow> m_window;
};

void TestMQmlInterface::initTestCase()
{
    QVERIFY(m_home.isValid());
    m_window = std::make_unique<MainWindow>();
}

void TestMQmlInterface::fullScreenState()
{
    MQmlInterface *intrf = m_window->model()->qmlInterface();
    QVERIFY(intrf->loadFullScreenState());
    intrf->saveFullScreenState(false);
    QVERIFY(!intrf->loadFullScreenState());
    intrf->saveFullScreenState(true);
    QVERIFY(intrf->loadFullScreenState());
}

void TestMQmlInterface::postCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<bool>("receives");
    QTest::newRow("left arrow wraps") << "event"
                                      << "leftarrow" << true << 4 << false;
    QTest::newRow("right arrow") << "event"
                                 << "rightarrow" << true << 1 << false;
    QTest::newRow("other event") << "event"
                                 << "up" << false << 0 << false;
    QTest::newRow("Receive...") << "system"
                                << "Receive..." << true << 0 << true;
    QTest::newRow("bare Receive") << "system"
                                  << "Receive" << true << 0 << true;
    QTest::newRow("label not first") << "system"
                                     << "Start Receive" << false << 0 << false;
    QTest::newRow("unknown command") << "menu"
                                     << "Receive..." << false << 0 << false;
}

void TestMQmlInterface::postCommand()
{
    QFETCH(QString, command);
    QFETCH(QString, data);
    QFETCH(bool, result);
    QFETCH(int, pageIndex);
    QFETCH(bool, receives);
    MModel *model = m_window->model();
    QVERIFY(model->showPanel(0));
    // The receive flow ends by refreshing the indicator; nothing else emits it synchronously.
    QSignalSpy receiveEnded(model, &MModel::changedStatusIndicator);
    // The user cancels the receive box at once.
    model->setReceivePort(0);
    MQmlInterface *intrf = model->qmlInterface();
    QTimer::singleShot(0, intrf, [intrf] { Q_EMIT intrf->receiveDialogCanceled(); });

    QCOMPARE(model->qmlInterface()->postCommand(command, data), result);
    QCOMPARE(receiveEnded.count(), receives ? 1 : 0);
    QCOMPARE(model->currentScene()->currentIndex(), pageIndex);
    QCOMPARE(model->qmlInterface()->property("pageIndex").toInt(), pageIndex);
}

int TestMQmlInterface::execWith(const std::function<void()> &action, int guardMs)
{
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(guardMs);
    QTimer::singleShot(0, qApp, action);
    return QCoreApplication::exec();
}

void TestMQmlInterface::exitCommand()
{
    MQmlInterface *intrf = m_window->model()->qmlInterface();
    QSignalSpy asked(intrf, &MQmlInterface::showExitPasscodeDialog);
    MProject::setExitCode(QString());
    QElapsedTimer sincePosted;
    const int code = execWith(
        [&] {
            sincePosted.start();
            QVERIFY(intrf->postCommand("system", "Exit"));
        },
        5000);
    QCOMPARE(code, 0);
    QVERIFY(sincePosted.elapsed() >= 10);
    QCOMPARE(asked.count(), 0);
}

void TestMQmlInterface::addressList_data()
{
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QString>("list");
    QTest::newRow("loopback and IPv6 skipped")
        << QStringList{"127.0.0.1", "::1", "fe80::1", "192.168.1.20", "10.0.0.7"}
        << "192.168.1.20\n10.0.0.7";
    QTest::newRow("only skipped ones")
        << QStringList{"127.0.0.1", "::1"} << "No network connection detected.";
    QTest::newRow("no interfaces") << QStringList{} << "No network interfaces found.";
}

void TestMQmlInterface::addressList()
{
    QFETCH(QStringList, addresses);
    QFETCH(QString, list);
    QList<QHostAddress> hosts;
    for (const QString &address : std::as_const(addresses))
        hosts.append(QHostAddress(address));
    QCOMPARE(MQmlInterface::mobileIpAddressText(hosts),
             QStringLiteral("Mobile IP Address:\n\n") + list);
}

QTEST_MAIN(TestMQmlInterface)
#include "tst_mqmlinterface.moc"
