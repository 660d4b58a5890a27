#include "app/metergaugelocalization.h"
#include "canvas/cattributes.h"
#include "comm/tnodecalls.h"
#include "comm/ttransformfactory.h"
#include "controls/democlient.h"
#include "controls/wmeter.h"
#include "controls/wmeterimage.h"
#include "widgettestenv.h"

#include <QQmlContext>
#include <QRegularExpression>
#include <QtTest>

// Bar meters and meter images: levels fed through a transform, and the whole client polling
// the simulator's readings.
class TestMeters : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void levelShown_data();
    void levelShown();
    void peakHold_data();
    void peakHold();
    void pollsFollowTheDevice_data();
    void pollsFollowTheDevice();
    void offlineGreys();

private:
    template<class Widget>
    Widget *create(const QString &type);
    // The channel fields that the designer project gives and the demonstration's placeholder
    // nodes lack; the meter-status reply needs them to pick the channel's reading.
    static void describeChannel(WWidget *meter, const QString &title, int port);

    std::unique_ptr<WidgetTestEnv> m_env;
    MeterGaugeLocalization m_localization;
    CAttributes m_attributes;
    std::unique_ptr<TTransform> m_transform;
    WMeter *m_meter = nullptr;
    WMeterImage *m_image = nullptr;
};

void TestMeters::init()
{
    m_env = std::make_unique<WidgetTestEnv>();
    m_env->engine.rootContext()->setContextProperty(QStringLiteral("MeterGaugeLocalValue"),
                                                    &m_localization);
    m_transform = TTransformFactory::create(QStringLiteral("strV"), m_attributes, nullptr);
    m_meter = create<WMeter>(QStringLiteral("meter"));
    m_image = create<WMeterImage>(QStringLiteral("meterimage"));
}

void TestMeters::cleanup()
{
    if (m_meter)
        delete m_meter->quickItem();
    if (m_image)
        delete m_image->quickItem();
    m_transform.reset();
    m_env.reset();
}

template<class Widget>
Widget *TestMeters::create(const QString &type)
{
    auto *widget = qobject_cast<Widget *>(WDelegate::instance()->factory()->createWidget(type));
    if (widget)
        widget->setTransform(m_transform.get());
    return widget;
}

void TestMeters::describeChannel(WWidget *meter, const QString &title, int port)
{
    meter->node()->setTitle(title);
    meter->node()->setPortIndex(port);
}

void TestMeters::levelShown_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<QList<double>>("stops");
    QTest::addColumn<QString>("image");
    QTest::addColumn<double>("value");

    const QString off = QLatin1String(WMeter::OffColor);
    const QString green = QLatin1String(WMeter::GreenColor);
    const QString yellow = QLatin1String(WMeter::YellowColor);
    const QString orange = QLatin1String(WMeter::OrangeColor);
    const QList<double> none{0, 0, 0};
    QTest::newRow("floor") << "-60" << QStringList{off, off, off} << none << WMeterImage::GreyImage
                           << -60.0;
    QTest::newRow("-30 dB green half")
        << "-30" << QStringList{green, off, off} << QList<double>{0.5, 0, 0}
        << WMeterImage::GreenImage << -30.0;
    QTest::newRow("break 1 still green")
        << "-20" << QStringList{green, off, off} << QList<double>{40 / 60.0, 0, 0}
        << WMeterImage::GreenImage << -20.0;
    QTest::newRow("-10 dB yellow")
        << "-10" << QStringList{green, yellow, off} << QList<double>{40 / 60.0, 10 / 60.0, 6 / 60.0}
        << WMeterImage::YellowImage << -10.0;
    QTest::newRow("-3 dB all three")
        << "-3" << QStringList{green, yellow, orange}
        << QList<double>{40 / 60.0, 14 / 60.0, 3 / 60.0} << WMeterImage::OrangeImage << -3.0;
    // A reply line from which no reading was chosen is not a full-scale level.
    QTest::newRow("whole line") << "GL 0 [-3.0,-4.0]" << QStringList{off, off, off} << none
                                << WMeterImage::GreyImage << -60.0;
    for (const char *impossible : {"inf", "1e400", "nan", "", "abc"})
        QTest::newRow(impossible[0] ? impossible : "empty")
            << impossible << QStringList{off, off, off} << none << WMeterImage::GreyImage << -60.0;
}

void TestMeters::levelShown()
{
    QFETCH(QString, level);
    QFETCH(QStringList, colors);
    QFETCH(QList<double>, stops);
    QFETCH(QString, image);
    QFETCH(double, value);
    QVERIFY(m_meter && m_image);

    m_transform->setReplyText(level);
    for (int zone = 1; zone <= 3; ++zone) {
        const QByteArray color = "colorAtPoint" + QByteArray::number(zone);
        const QByteArray stop = "colorStopPoint" + QByteArray::number(zone);
        QCOMPARE(m_meter->itemProperty(color).value<QColor>(),
                 QColor::fromString(colors.at(zone - 1)));
        QVERIFY2(qAbs(m_meter->itemProperty(stop).toDouble() - stops.at(zone - 1)) < 1e-6, stop);
    }
    QCOMPARE(m_meter->itemProperty("value").toDouble(), value);
    QCOMPARE(m_image->itemProperty("path").toString(), image);
}

void TestMeters::peakHold_data()
{
    QTest::addColumn<QStringList>("levels");
    QTest::addColumn<double>("expected");

    const QStringList quiet(6, QStringLiteral("-30"));
    QTest::newRow("peak") << QStringList{"-10"} << -10.0;
    QTest::newRow("held three updates") << QStringList{"-10"} + quiet.mid(0, 3) << -10.0;
    QTest::newRow("then 0.08 dB") << QStringList{"-10"} + quiet.mid(0, 4) << -10.08;
    QTest::newRow("and on") << QStringList{"-10"} + quiet << -10.24;
    QTest::newRow("caught while falling")
        << QStringList{"-10"} + quiet + QStringList{"-10.3"} << -10.3;
    QTest::newRow("louder resets") << QStringList{"-10"} + quiet + QStringList{"-5"} << -5.0;
}

void TestMeters::peakHold()
{
    QFETCH(QStringList, levels);
    QFETCH(double, expected);
    QVERIFY(m_meter);

    for (const QString &level : levels)
        m_transform->setReplyText(level);
    QVERIFY(m_meter->itemProperty("isPeakEnabled").toBool());
    // The marker sits 0.1 dB under the peak on the default -60..0 scale.
    const double peak = m_meter->itemProperty("peakLevelPoint").toDouble() * 60.0 - 60.0 + 0.1;
    QVERIFY2(qAbs(peak - expected) < 1e-4, qPrintable(QString::number(peak)));
}

void TestMeters::pollsFollowTheDevice_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("interval");

    // Channel titles and ports as the demonstration's designer project gives them.
    QTest::newRow("bar meter, 3x/s")
        << "Trivia Controls"
        << "Host Mic Meter"
        << "meter" << DemoClient::Processor << "Input 1" << 0 << "3x/s" << 333;
    QTest::newRow("meter image, 1x/s")
        << "System EQ"
        << "Music Player Level"
        << "meterimage" << DemoClient::Processor << "Input 3" << 2 << "1x/s" << 1000;
    QTest::newRow("amplifier meter, rate outside the table")
        << "System EQ"
        << "Bar Output Meter"
        << "meter" << DemoClient::Expander << "Amp Output" << 0 << "10x/s" << 250;
}

void TestMeters::pollsFollowTheDevice()
{
    QFETCH(QString, panel);
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QString, device);
    QFETCH(QString, title);
    QFETCH(int, port);
    QFETCH(QString, rate);
    QFETCH(int, interval);

    DemoClient client;
    QVERIFY(client.start());
    QList<double> readings;
    connect(&client.simulator, &DeviceSimulator::replyWritten, this,
            [&](const QString &from, const QByteArray &entry) {
                static const QRegularExpression list(QStringLiteral("^GL \\S+ \\[([^\\]]*)\\]"));
                const QRegularExpressionMatch match = list.match(QString::fromLatin1(entry));
                if (from != device || !match.hasMatch())
                    return;
                readings.append(match.captured(1).split(u',').value(port).toDouble());
            });
    WWidget *meter = client.widget<WWidget>(panel, name, type);
    QVERIFY(meter && meter->node());
    describeChannel(meter, title, port);

    QVERIFY(meter->processProperty(QStringLiteral("meterRate"), rate));
    const auto *bar = qobject_cast<WMeter *>(meter);
    QCOMPARE(bar ? bar->statusInterval() : qobject_cast<WMeterImage *>(meter)->statusInterval(),
             interval);
    client.takeCommands(device);
    const QByteArray poll =
        "GL " + QByteArray::number(TNodeCalls::meterNumber(meter->node()), 16).toUpper();
    QList<QByteArray> received;
    // Bounds below allow several polls on a loaded machine.
    QTRY_VERIFY_WITH_TIMEOUT((received += client.takeCommands(device)).contains(poll), 10000);

    // The item shows the channel's reading from one of the device's replies.
    const auto shown = [&] {
        const double value = meter->itemProperty("value").toDouble();
        return std::any_of(readings.cbegin(), readings.cend(),
                           [&](double reading) { return qAbs(reading - value) < 0.01; });
    };
    QTRY_VERIFY_WITH_TIMEOUT(shown(), 10000);

    // Off screen it asks nothing: its readings would only redraw what nobody sees. Nothing
    // marks an absence, so this waits out two periods after any poll still on its way.
    client.showPanel(QStringLiteral("Disclaimer"));
    QTest::qWait(150);
    client.takeCommands(device);
    QTest::qWait(2 * interval);
    QVERIFY(!client.takeCommands(device).contains(poll));
}

void TestMeters::offlineGreys()
{
    DemoClient client;
    QVERIFY(client.start());
    auto *meter = client.widget<WMeter>("Trivia Controls", "Host Mic Meter", "meter");
    auto *image = client.widget<WMeterImage>("System EQ", "Music Player Level", "meterimage");
    QVERIFY(meter && meter->node() && image && image->node());
    describeChannel(meter, QStringLiteral("Input 1"), 0);
    describeChannel(image, QStringLiteral("Input 3"), 2);
    const QColor off = QColor::fromString(QLatin1String(WMeter::OffColor));
    QTRY_VERIFY_WITH_TIMEOUT(meter->itemProperty("colorAtPoint1").value<QColor>() != off, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(
        image->itemProperty("path").toString() != QLatin1String(WMeterImage::GreyImage), 10000);
    QVERIFY(meter->itemProperty("isPeakEnabled").toBool());

    // The next command closes the connection and the device then refuses to take it back.
    SimFaults faults;
    faults.closeAfter = 1;
    faults.refuse = true;
    client.simulator.setFaults(faults);
    // Closing happens at the next 250 ms poll.
    QTRY_VERIFY_WITH_TIMEOUT(!meter->isOnline(), 10000);
    for (const char *zone : {"colorAtPoint1", "colorAtPoint2", "colorAtPoint3"})
        QCOMPARE(meter->itemProperty(zone).value<QColor>(), off);
    QCOMPARE(meter->itemProperty("isPeakEnabled").toBool(), false);
    QCOMPARE(meter->itemProperty("peakLevelPoint").toDouble(), 0.0);
    QCOMPARE(image->itemProperty("path").toString(), QLatin1String(WMeterImage::GreyImage));
}

QTEST_MAIN(TestMeters)
#include "tst_meters.moc"
