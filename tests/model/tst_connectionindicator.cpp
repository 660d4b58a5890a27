// The connection indicator of the demonstration project with its two devices played by the
// simulator: green when both answer, yellow with one, red with none.

#include "app/mainwindow.h"
#include "comm/icomposite.h"
#include "devicesimulator.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "util/scratchhome.h"

#include <memory>

namespace {
// The demonstration names fixed ports; the test serves its devices on ports chosen now.
quint16 closedPort()
{
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost, 0) ? server.serverPort() : 0;
}
} // namespace

class TestConnectionIndicator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void indicatorFollowsServedDevices_data();
    void indicatorFollowsServedDevices();

private:
    ScratchHome m_home;
};

void TestConnectionIndicator::initTestCase()
{
    QVERIFY(m_home.isValid());
}

void TestConnectionIndicator::indicatorFollowsServedDevices_data()
{
    QTest::addColumn<int>("served");
    QTest::addColumn<QString>("image");
    QTest::newRow("both devices") << 2 << QStringLiteral("indicator_grn.png");
    QTest::newRow("one device") << 1 << QStringLiteral("indicator_ylw.png");
    QTest::newRow("no device") << 0 << QStringLiteral("indicator_red.png");
}

void TestConnectionIndicator::indicatorFollowsServedDevices()
{
    QFETCH(int, served);
    QFETCH(QString, image);
    DeviceSimulator simulator;
    for (int i = 0; i < served; ++i) {
        SimDeviceConfig config;
        config.name = QStringLiteral("Device %1").arg(i);
        config.port = 0;
        simulator.addDevice(config);
    }
    QVERIFY2(served == 0 || simulator.listen(), qPrintable(simulator.errorString()));

    MainWindow window;
    MModel *model = window.model();
    QList<HNode *> nodes;
    QVERIFY(model->hardwareRoot()->collectByCategory(QStringLiteral("Chassis"), nodes));
    QCOMPARE(nodes.size(), 2);
    for (int i = 0; i < nodes.size(); ++i) {
        auto *chassis = qobject_cast<HChassis *>(nodes.at(i));
        QVERIFY(chassis);
        const quint16 port =
            i < served ? simulator.port(QStringLiteral("Device %1").arg(i)) : closedPort();
        QVERIFY(port != 0);
        chassis->setConnectionAttribute(QStringLiteral("ipaddress"), QStringLiteral("127.0.0.1"));
        chassis->setConnectionAttribute(QStringLiteral("serialport"), QString::number(port));
    }
    model->setConnectionsEnabled(true);

    const auto indicator = [model] {
        return model->qmlInterface()->property("connectInd").toString();
    };
    QTRY_VERIFY2_WITH_TIMEOUT(indicator().endsWith(QLatin1Char('/') + image),
                              qPrintable(indicator()), 5000);
    QVERIFY(indicator().startsWith(QLatin1String("../../images/skins/")));
    QCOMPARE(model->interfaces()->onlineCount(), served);
}

QTEST_MAIN(TestConnectionIndicator)
#include "tst_connectionindicator.moc"
