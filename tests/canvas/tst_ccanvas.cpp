#include "canvas/ccanvas.h"
#include "model/mmodel.h"

#include <QSignalSpy>
#include <QTest>

class TestCCanvas : public QObject
{
    Q_OBJECT

private slots:
    void pixelSize_data();
    void pixelSize();
    void orientationSwaps();
    void noViewGivesNoPixels();
    void attributes_data();
    void attributes();
    void multiplyScaleFactorIsPresence();
    void deviceResetsSkinAndAccent();
    void skinCheck_data();
    void skinCheck();
    void missingSkinListKeepsSkin();
    void resetAttributes();
    void orientationEndReloads();
    void resetTellsTheViews();
};

void TestCCanvas::pixelSize_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<float>("aspect");
    QTest::addColumn<QSize>("expected");

    const CCanvas defaults;
    QTest::newRow("defaults") << defaults.size() << defaults.aspect() << QSize(282, 502);
    QTest::newRow("6.238 inch, 1.6") << 6.238f << 1.6f << QSize(317, 507);
    QTest::newRow("400 inch, 8: long side held") << 400.0f << 8.0f << QSize(4762, 16384);
    QTest::newRow("infinite aspect") << 6.0f << float(qInf()) << QSize(0, 0);
}

void TestCCanvas::pixelSize()
{
    QFETCH(float, size);
    QFETCH(float, aspect);
    QFETCH(QSize, expected);

    QCOMPARE(CCanvas::pixelSize(size, aspect, 1, 96.0), expected);
}

void TestCCanvas::orientationSwaps()
{
    const QSize portrait = CCanvas::pixelSize(6.238f, 1.6f, 1, 96.0);
    QCOMPARE(CCanvas::pixelSize(6.238f, 1.6f, 0, 96.0), portrait.transposed());
    QCOMPARE(CCanvas::pixelSize(6.238f, 1.6f, 2, 96.0), portrait.transposed());
}

void TestCCanvas::noViewGivesNoPixels()
{
    CCanvas canvas;
    canvas.calculateSize();
    QCOMPARE(canvas.width(), 0);
    QCOMPARE(canvas.height(), 0);
}

void TestCCanvas::attributes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<float>("size");
    QTest::addColumn<float>("aspect");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("horizcenter");
    QTest::addColumn<QString>("text");

    const CCanvas d;
    QTest::newRow("size") << "size"
                          << "6.238" << 6.238f << d.aspect() << d.orientation() << d.horizcenter()
                          << d.text();
    QTest::newRow("size not a number")
        << "size"
        << "big" << 0.0f << d.aspect() << d.orientation() << d.horizcenter() << d.text();
    QTest::newRow("aspect") << "aspect"
                            << "1.6" << d.size() << 1.6f << d.orientation() << d.horizcenter()
                            << d.text();
    QTest::newRow("landscape") << "orientation"
                               << "0" << d.size() << d.aspect() << 0 << d.horizcenter() << d.text();
    QTest::newRow("orientation not a number")
        << "orientation"
        << "up" << d.size() << d.aspect() << 0 << d.horizcenter() << d.text();
    QTest::newRow("orientation above 32 bits")
        << "orientation"
        << "4294967297" << d.size() << d.aspect() << 0 << d.horizcenter() << d.text();
    QTest::newRow("horizcenter off")
        << "horizcenter"
        << "0" << d.size() << d.aspect() << d.orientation() << false << d.text();
    QTest::newRow("horizcenter not a number")
        << "horizcenter"
        << "yes" << d.size() << d.aspect() << d.orientation() << false << d.text();
    QTest::newRow("text") << "text"
                          << "Hall A" << d.size() << d.aspect() << d.orientation()
                          << d.horizcenter() << "Hall A";
    QTest::newRow("unknown name") << "colour"
                                  << "red" << d.size() << d.aspect() << d.orientation()
                                  << d.horizcenter() << d.text();
}

void TestCCanvas::attributes()
{
    QFETCH(QString, name);
    QFETCH(QString, value);

    CCanvas canvas;
    canvas.setAttribute(name, value);

    QTEST(canvas.size(), "size");
    QTEST(canvas.aspect(), "aspect");
    QTEST(canvas.orientation(), "orientation");
    QTEST(canvas.horizcenter(), "horizcenter");
    QTEST(canvas.text(), "text");
}

void TestCCanvas::multiplyScaleFactorIsPresence()
{
    CCanvas canvas;
    QVERIFY(!canvas.multiplyScaleFactor());
    canvas.setAttribute(QStringLiteral("multiplyScaleFactor"), QStringLiteral("0"));
    QVERIFY(canvas.multiplyScaleFactor());
}

void TestCCanvas::deviceResetsSkinAndAccent()
{
    CCanvas canvas;
    canvas.setAttribute(QStringLiteral("skin"), QStringLiteral("Dark"));
    canvas.setAttribute(QStringLiteral("accent"), QStringLiteral("Green"));
    QCOMPARE(canvas.skin(), QStringLiteral("Dark"));
    QCOMPARE(canvas.accent(), QStringLiteral("Green"));

    canvas.setAttribute(QStringLiteral("device"), QStringLiteral("Tablet 10"));

    QCOMPARE(canvas.device(), QStringLiteral("Tablet 10"));
    QCOMPARE(canvas.skin(), QStringLiteral("Light"));
    QCOMPARE(canvas.accent(), QStringLiteral("Blue"));
}

void TestCCanvas::skinCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("listed") << "Dark"
                            << "Dark";
    QTest::newRow("not listed") << "Purple"
                                << "Light";
    QTest::newRow("names are case-sensitive") << "dark"
                                              << "Light";
}

void TestCCanvas::skinCheck()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);

    CCanvas canvas;
    canvas.setAttribute(QStringLiteral("skin"), QStringLiteral("Dark"));
    canvas.setAttribute(QStringLiteral("skin"), name);
    QCOMPARE(canvas.skin(), expected);
}

void TestCCanvas::missingSkinListKeepsSkin()
{
    CCanvas canvas;
    canvas.setAttribute(QStringLiteral("skin"), QStringLiteral("Dark"));
    Q_CLEANUP_RESOURCE(testskins);
    canvas.setAttribute(QStringLiteral("skin"), QStringLiteral("Purple"));
    Q_INIT_RESOURCE(testskins);
    QCOMPARE(canvas.skin(), QStringLiteral("Dark"));
}

void TestCCanvas::resetAttributes()
{
    const CCanvas defaults;
    CCanvas canvas;
    canvas.setAttribute(QStringLiteral("device"), QStringLiteral("Phone"));
    canvas.setAttribute(QStringLiteral("size"), QStringLiteral("10"));
    canvas.setAttribute(QStringLiteral("aspect"), QStringLiteral("1.25"));
    canvas.setAttribute(QStringLiteral("orientation"), QStringLiteral("0"));
    canvas.setAttribute(QStringLiteral("horizcenter"), QStringLiteral("0"));
    canvas.setAttribute(QStringLiteral("multiplyScaleFactor"), QString());

    canvas.resetAttributes();

    QCOMPARE(canvas.device(), defaults.device());
    QCOMPARE(canvas.size(), defaults.size());
    QCOMPARE(canvas.aspect(), defaults.aspect());
    QCOMPARE(canvas.orientation(), defaults.orientation());
    QCOMPARE(canvas.horizcenter(), defaults.horizcenter());
    QCOMPARE(canvas.multiplyScaleFactor(), defaults.multiplyScaleFactor());
}

void TestCCanvas::orientationEndReloads()
{
    MModel model;
    CCanvas canvas;
    canvas.setModel(&model);
    QSignalSpy reloads(&model, &MModel::reloadCanvas);

    canvas.attributeEnded(QStringLiteral("size"));
    QCOMPARE(reloads.count(), 0);

    canvas.attributeEnded(QStringLiteral("orientation"));
    QCOMPARE(reloads.count(), 1);
    // Recomputed: without a view there are no pixels.
    QCOMPARE(canvas.width(), 0);
}

void TestCCanvas::resetTellsTheViews()
{
    MModel model;
    CCanvas canvas;
    canvas.setModel(&model);
    canvas.setAttribute(QStringLiteral("size"), QStringLiteral("10"));
    QSignalSpy resets(&model, &MModel::resetCanvas);
    QSignalSpy reloads(&model, &MModel::reloadCanvas);

    canvas.reset();

    QCOMPARE(canvas.size(), CCanvas().size());
    QCOMPARE(resets.count(), 1);
    QCOMPARE(reloads.count(), 1);
    QCOMPARE(canvas.width(), 0);

    canvas.reload();
    QCOMPARE(reloads.count(), 2);
}

QTEST_MAIN(TestCCanvas)
#include "tst_ccanvas.moc"
