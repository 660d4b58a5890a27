#include "controls/vgrid.h"
#include "controls/wpolygon.h"
#include "util/utesselator.h"

#include <QQuickItem>
#include <QTest>

#include <algorithm>

namespace {

using Triangle = QList<QPointF>;

bool lessThan(const QPointF &a, const QPointF &b)
{
    return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
}

// The triangles as point sets, in a fixed order, so that two triangulations compare equal
// whatever corner and triangle they start with.
QList<Triangle> normalised(const QList<float> &coordinates)
{
    QList<Triangle> triangles;
    for (qsizetype i = 0; i + 5 < coordinates.size(); i += 6) {
        Triangle triangle;
        for (qsizetype c = i; c < i + 6; c += 2)
            triangle.append(QPointF(coordinates[c], coordinates[c + 1]));
        std::sort(triangle.begin(), triangle.end(), lessThan);
        triangles.append(triangle);
    }
    std::sort(triangles.begin(), triangles.end(), [](const Triangle &a, const Triangle &b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lessThan);
    });
    return triangles;
}

double coveredArea(const QList<Triangle> &triangles)
{
    double sum = 0.0;
    for (const Triangle &triangle : triangles)
        sum += std::abs(UTesselator::area(triangle));
    return sum;
}

} // namespace

class TestWPolygon : public QObject
{
    Q_OBJECT

private slots:
    void triangulate_data();
    void triangulate();
    void vertices_data();
    void vertices();
    void nudge_data();
    void nudge();
};

void TestWPolygon::triangulate_data()
{
    QTest::addColumn<QList<QPointF>>("polygon");
    QTest::addColumn<int>("triangles"); // -1: triangulation fails

    QTest::newRow("triangle") << QList<QPointF>{{0, 0}, {10, 0}, {0, 10}} << 1;
    QTest::newRow("collinear") << QList<QPointF>{{0, 0}, {5, 5}, {10, 10}} << -1;
    QTest::newRow("two vertices") << QList<QPointF>{{0, 0}, {5, 5}} << -1;
    QTest::newRow("self-crossing") << QList<QPointF>{{0, 0}, {10, 10}, {10, 0}, {0, 10}} << -1;
    QTest::newRow("concave floor plan")
        << QList<QPointF>{{5, 5}, {115, 5}, {115, 70}, {100, 70}, {100, 132}, {5, 132}} << 4;
}

void TestWPolygon::triangulate()
{
    QFETCH(QList<QPointF>, polygon);
    QFETCH(int, triangles);
    QList<float> forward;
    QList<float> backward;
    QList<QPointF> reversed(polygon.rbegin(), polygon.rend());
    QCOMPARE(UTesselator::instance()->triangulate(polygon, forward), triangles >= 0);
    QCOMPARE(UTesselator::instance()->triangulate(reversed, backward), triangles >= 0);
    if (triangles < 0) {
        QVERIFY(forward.isEmpty());
        return;
    }
    QCOMPARE(forward.size(), triangles * 6);
    // Clockwise and anticlockwise give the same triangles, and together they cover the shape.
    QCOMPARE(normalised(forward), normalised(backward));
    QCOMPARE(coveredArea(normalised(forward)), std::abs(UTesselator::area(polygon)));
}

void TestWPolygon::vertices_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<bool>("inside");
    QTest::newRow("inside") << QPointF(50, 50) << true;
    QTest::newRow("in the notch of the L") << QPointF(110, 100) << false;
    QTest::newRow("beyond every edge") << QPointF(200, 10) << false;
}

void TestWPolygon::vertices()
{
    QFETCH(QPointF, press);
    WPolygon polygon;
    QQuickItem item;
    polygon.setQuickItem(&item);
    // Pairs that do not parse are skipped.
    QVERIFY(polygon.processProperty(QStringLiteral("polygon"),
                                    QStringLiteral("5,5 115,5 x,1 115,70 100,70 7 100,132 5,132")));
    QCOMPARE(polygon.vertices().size(), 6);
    QTEST(polygon.isPointInside(press), "inside");

    WPolygon copy;
    QVERIFY(copy.saveVertices(polygon.getVertexJson()));
    QCOMPARE(copy.vertices(), polygon.vertices());
}

void TestWPolygon::nudge_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("useGrid");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("left on grid") << int(Qt::Key_Left) << true << QPointF(-5, 0);
    QTest::newRow("up on grid") << int(Qt::Key_Up) << true << QPointF(0, -5);
    QTest::newRow("right on grid") << int(Qt::Key_Right) << true << QPointF(5, 0);
    QTest::newRow("down on grid") << int(Qt::Key_Down) << true << QPointF(0, 5);
    QTest::newRow("down off grid") << int(Qt::Key_Down) << false << QPointF(0, 1);
    QTest::newRow("other key") << int(Qt::Key_A) << true << QPointF(0, 0);
}

void TestWPolygon::nudge()
{
    QFETCH(int, key);
    QFETCH(bool, useGrid);
    const VGrid grid;
    QCOMPARE(grid.gridSize(), 5.0f);
    QTEST(grid.nudge(key, useGrid), "offset");
}

QTEST_MAIN(TestWPolygon)
#include "tst_wpolygon.moc"
