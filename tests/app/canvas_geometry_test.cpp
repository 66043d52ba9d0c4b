// Where the grid lies on the canvas: cell edges, the hit test, zoom, pan
// and the scroll bars' formula.

#include "canvas/canvas_geometry.h"

#include <QTest>

#include <cmath>

namespace {

// A 40 x 24 grid of 20-pixel cells in a 818 x 618 client area (800 x 600
// usable), centred: client centre (409, 309).
CanvasGeometry standardGeometry()
{
    CanvasGeometry g;
    g.setGrid(24, 40, 20, 20);
    g.setClientSize(QSize(818, 618));
    g.actualSize();
    return g;
}

float zoomAfter(int steps, float factor)
{
    float z = 1.0f;
    for (int i = 0; i < steps; ++i)
        z *= factor;
    return z;
}

} // namespace

class CanvasGeometryTest : public QObject
{
    Q_OBJECT
private slots:
    void gridSizeAndOrigin();
    void cellEdges_data();
    void cellEdges();
    void cellsTileWithoutGapsAtAnyZoom_data();
    void cellsTileWithoutGapsAtAnyZoom();
    void hitTest_data();
    void hitTest();
    void hitTestNeedsACellSize();
    void visibleCellsAndLines();
    void zoomStopsAboveOneThousandAndBelowOneThousandth();
    void zoomLimitsAreExclusive();
    void zoomWithoutCtrlBringsThePointUnderTheCursorToTheCentre();
    void zoomWithCtrlKeepsTheGridCentre();
    void panStepsAreThirdsTriplesAndWholeSizes_data();
    void panStepsAreThirdsTriplesAndWholeSizes();
    void panStopsWhenTheLeadingEdgeReachesTheCentre();
    void scrollFormula();
    void actualSizeResetsZoomAndCentre();
};

void CanvasGeometryTest::gridSizeAndOrigin()
{
    CanvasGeometry g = standardGeometry();
    QCOMPARE(g.usableSize(), QSize(800, 600));
    QCOMPARE(g.centre(), QPoint(409, 309));
    QCOMPARE(g.gridWidth(), 800);
    QCOMPARE(g.gridHeight(), 480);
    QCOMPARE(g.left(), 9);
    QCOMPARE(g.top(), 69);

    // An odd width: trunc(W / 2) is taken off the centre.
    g.setGrid(5, 5, 25, 25);
    g.setCentre(QPoint(0, 0));
    QCOMPARE(g.gridWidth(), 125);
    QCOMPARE(g.left(), -62);
    QCOMPARE(g.right(), 63);
}

void CanvasGeometryTest::cellEdges_data()
{
    QTest::addColumn<int>("zoomInSteps");
    QTest::addColumn<int>("zoomOutSteps");
    QTest::addColumn<int>("celWidth");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("edgeFromLeft");
    // trunc(ZoomFactor x column x CelWidth), the zoom being a float product
    QTest::newRow("zoom 1") << 0 << 0 << 20 << 3 << 60;
    QTest::newRow("zoom 1.6, 20") << 1 << 0 << 20 << 3 << 96;
    QTest::newRow("zoom 0.625, 7, col 1") << 0 << 1 << 7 << 1 << 4;   // 4.375
    QTest::newRow("zoom 0.625, 7, col 2") << 0 << 1 << 7 << 2 << 8;   // 8.75
    QTest::newRow("zoom 0.625, 7, col 3") << 0 << 1 << 7 << 3 << 13;  // 13.125
    QTest::newRow("zoom 2.56, 7, col 1") << 2 << 0 << 7 << 1 << 17;   // 17.92
    QTest::newRow("zoom 2.56, 7, col 5") << 2 << 0 << 7 << 5 << 89;   // 89.6
    QTest::newRow("zoom 0.390625, 3, col 5") << 0 << 2 << 3 << 5 << 5; // 5.859
}

void CanvasGeometryTest::cellEdges()
{
    QFETCH(int, zoomInSteps);
    QFETCH(int, zoomOutSteps);
    QFETCH(int, celWidth);
    QFETCH(int, column);
    QFETCH(int, edgeFromLeft);
    CanvasGeometry g;
    g.setGrid(10, 10, celWidth, celWidth);
    g.setZoom(zoomAfter(zoomInSteps, 1.6f) * zoomAfter(zoomOutSteps, 0.625f));
    g.setCentre(QPoint(500, 400));
    QCOMPARE(g.columnEdge(column) - g.left(), edgeFromLeft);
    QCOMPARE(g.rowEdge(column) - g.top(), edgeFromLeft);
    QCOMPARE(g.cellRect(column, column).topLeft(), QPoint(int(g.left()) + edgeFromLeft, int(g.top()) + edgeFromLeft));
}

void CanvasGeometryTest::cellsTileWithoutGapsAtAnyZoom_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("celWidth");
    QTest::addColumn<int>("celHeight");
    QTest::newRow("1") << 1.0f << 20 << 20;
    QTest::newRow("1.6") << 1.6f << 20 << 13;
    QTest::newRow("2.56") << zoomAfter(2, 1.6f) << 7 << 3;
    QTest::newRow("0.625") << 0.625f << 7 << 11;
    QTest::newRow("0.244") << zoomAfter(3, 0.625f) << 9 << 5;
    QTest::newRow("0.0146") << zoomAfter(9, 0.625f) << 20 << 20;
    QTest::newRow("687") << zoomAfter(14, 1.6f) << 3 << 1;
}

void CanvasGeometryTest::cellsTileWithoutGapsAtAnyZoom()
{
    QFETCH(float, zoom);
    QFETCH(int, celWidth);
    QFETCH(int, celHeight);
    CanvasGeometry g;
    g.setGrid(37, 53, celWidth, celHeight);
    g.setZoom(zoom);
    g.setCentre(QPoint(333, -71));
    QCOMPARE(g.columnEdge(0), g.left());
    QCOMPARE(g.columnEdge(53), g.left() + g.gridWidth());
    QCOMPARE(g.rowEdge(37), g.top() + g.gridHeight());
    QCOMPARE(g.gridWidth(), int64_t(std::trunc(double(zoom) * 53 * celWidth)));
    for (int x = 0; x < 53; ++x) {
        const QRect a = g.cellRect(x, 0);
        const QRect b = g.cellRect(x + 1, 0);
        QVERIFY2(a.left() + a.width() == b.left(), qPrintable(QStringLiteral("gap after column %1").arg(x)));
        QVERIFY(a.width() >= 0);
    }
    for (int y = 0; y < 37; ++y) {
        const QRect a = g.cellRect(0, y);
        const QRect b = g.cellRect(0, y + 1);
        QVERIFY2(a.top() + a.height() == b.top(), qPrintable(QStringLiteral("gap after row %1").arg(y)));
    }
    // The widths of all columns add up to the grid's width.
    int64_t sum = 0;
    for (int x = 0; x < 53; ++x)
        sum += g.cellRect(x, 0).width();
    QCOMPARE(sum, g.gridWidth());
}

void CanvasGeometryTest::hitTest_data()
{
    // Grid left 9, top 69, 20-pixel cells, 40 x 24.
    QTest::addColumn<QPoint>("mouse");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("inside");
    QTest::newRow("first cell") << QPoint(9, 69) << 0 << 0 << true;
    QTest::newRow("inside a cell") << QPoint(9 + 45, 69 + 25) << 2 << 1 << true;
    QTest::newRow("last cell") << QPoint(9 + 799, 69 + 479) << 39 << 23 << true;
    QTest::newRow("right of the grid") << QPoint(9 + 800, 69) << 40 << 0 << false;
    QTest::newRow("below the grid") << QPoint(9, 69 + 480) << 0 << 24 << false;
    // Less than a cell outside the left or top edge still reads as 0: the
    // division truncates towards zero.
    QTest::newRow("just left of the grid") << QPoint(9 - 5, 69 + 30) << 0 << 1 << true;
    QTest::newRow("19 left of the grid") << QPoint(9 - 19, 69) << 0 << 0 << true;
    QTest::newRow("just above the grid") << QPoint(9 + 30, 69 - 1) << 1 << 0 << true;
    QTest::newRow("a whole cell left") << QPoint(9 - 20, 69) << -1 << 0 << false;
    QTest::newRow("more than a cell above") << QPoint(9, 69 - 21) << 0 << -1 << false;
}

void CanvasGeometryTest::hitTest()
{
    QFETCH(QPoint, mouse);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, inside);
    const CanvasGeometry g = standardGeometry();
    const std::optional<GridPoint> p = g.pointAt(mouse);
    QVERIFY(p.has_value());
    QCOMPARE(p->column, column);
    QCOMPARE(p->row, row);
    QCOMPARE(g.contains(*p), inside);
}

void CanvasGeometryTest::hitTestNeedsACellSize()
{
    CanvasGeometry g = standardGeometry();
    g.setGrid(24, 40, 0, 20);
    QVERIFY(!g.pointAt(QPoint(10, 10)).has_value());
    g.setGrid(24, 40, 20, -4);
    QVERIFY(!g.pointAt(QPoint(10, 10)).has_value());
    g.setGrid(24, 40, 20, 20);
    QVERIFY(g.pointAt(QPoint(10, 10)).has_value());
}

void CanvasGeometryTest::visibleCellsAndLines()
{
    CanvasGeometry g;
    g.setGrid(100, 100, 20, 20);
    g.setClientSize(QSize(618, 418)); // usable 600 x 400
    // Left edge at -50: column 2 spans -10..10 and is the first one seen;
    // the last one seen starts before 600: -50 + 20 x 32 = 590.
    g.setCentre(QPoint(-50 + 1000, -30 + 1000));
    QCOMPARE(g.left(), -50);
    QCOMPARE(g.top(), -30);
    const VisibleSpan cols = g.visibleColumns();
    QCOMPARE(cols.first, 2);
    QCOMPARE(cols.last, 32);
    const VisibleSpan rows = g.visibleRows();
    QCOMPARE(rows.first, 1); // row 1 spans -10..10
    QCOMPARE(rows.last, 21); // -30 + 20 x 21 = 390
    // Lines: the first at or after 0, the last before the edge.
    QCOMPARE(g.visibleColumnLines().first, 3); // -50 + 60 = 10
    QCOMPARE(g.visibleColumnLines().last, 32);
    QCOMPARE(g.visibleRowLines().first, 2);
    QCOMPARE(g.visibleRowLines().last, 21);

    // A grid entirely right of the area shows nothing.
    g.setCentre(QPoint(5000, 200));
    QVERIFY(g.visibleColumns().empty());
    QVERIFY(g.visibleColumnLines().empty());
}

void CanvasGeometryTest::zoomStopsAboveOneThousandAndBelowOneThousandth()
{
    CanvasGeometry g = standardGeometry();
    // 1.6^14 = 720.6 is still zoomed in, 1.6^15 = 1152.9 is the last step.
    int steps = 0;
    while (g.zoomIn(true, QPoint()) && steps < 100)
        ++steps;
    QCOMPARE(steps, 15);
    QVERIFY(g.zoom() > 1000.0f);
    QVERIFY(g.zoom() / 1.6f <= 1000.0f);
    const float top = g.zoom();
    QVERIFY(!g.zoomIn(false, QPoint(3, 3)));
    QCOMPARE(g.zoom(), top);

    g.actualSize();
    steps = 0;
    while (g.zoomOut(true, QPoint()) && steps < 100)
        ++steps;
    QCOMPARE(steps, 15); // 0.625^15 = 0.00087
    QVERIFY(g.zoom() < 0.001f);
    QVERIFY(!g.zoomOut(true, QPoint()));
    // An ignored step does not block the other direction.
    QVERIFY(g.zoomIn(true, QPoint()));
}

void CanvasGeometryTest::zoomLimitsAreExclusive()
{
    CanvasGeometry g = standardGeometry();
    g.setZoom(1000.0f);
    QVERIFY(g.zoomIn(true, QPoint()));
    g.setZoom(1000.5f);
    QVERIFY(!g.zoomIn(true, QPoint()));
    g.setZoom(0.001f);
    QVERIFY(g.zoomOut(true, QPoint()));
    g.setZoom(0.0009f);
    QVERIFY(!g.zoomOut(true, QPoint()));
}

void CanvasGeometryTest::zoomWithoutCtrlBringsThePointUnderTheCursorToTheCentre()
{
    CanvasGeometry g = standardGeometry();
    const QPoint cursor(519, 265); // 110 right of and 44 above the grid centre
    const GridPoint under = *g.pointAt(cursor);
    QCOMPARE(under, (GridPoint{25, 9}));
    QVERIFY(g.zoomIn(false, cursor));
    // GridCentre = client centre - 1.6 x (cursor - old centre) / 1
    QCOMPARE(g.centre(), QPoint(409 - 176, 379)); // trunc(309 + 70.4)
    QCOMPARE(*g.pointAt(g.clientCentre()), under);

    QVERIFY(g.zoomOut(false, QPoint(100, 500)));
    // (100 - 233) / 1.6 = -83.125 and (500 - 379) / 1.6 = 75.625, at zoom
    // 1.0: centre trunc(409 + 83.125), trunc(309 - 75.625)
    QCOMPARE(g.centre(), QPoint(492, 233));
}

void CanvasGeometryTest::zoomWithCtrlKeepsTheGridCentre()
{
    CanvasGeometry g = standardGeometry();
    g.setCentre(QPoint(123, 456));
    QVERIFY(g.zoomIn(true, QPoint(700, 10)));
    QCOMPARE(g.centre(), QPoint(123, 456));
    QCOMPARE(g.zoom(), 1.6f);
    QCOMPARE(g.gridWidth(), 1280);
    QVERIFY(g.zoomOut(true, QPoint(0, 0)));
    QCOMPARE(g.centre(), QPoint(123, 456));
    QCOMPARE(g.zoom(), 1.6f * 0.625f);
}

void CanvasGeometryTest::panStepsAreThirdsTriplesAndWholeSizes_data()
{
    using D = CanvasGeometry::PanDirection;
    using S = CanvasGeometry::PanStep;
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("step");
    QTest::addColumn<QPoint>("moved");
    // Usable 610 x 400: a third is 203 / 133, three thirds 609 / 399.
    QTest::newRow("left") << int(D::Left) << int(S::Third) << QPoint(203, 0);
    QTest::newRow("shift left") << int(D::Left) << int(S::Triple) << QPoint(609, 0);
    QTest::newRow("ctrl left") << int(D::Left) << int(S::Whole) << QPoint(610, 0);
    QTest::newRow("right") << int(D::Right) << int(S::Third) << QPoint(-203, 0);
    QTest::newRow("ctrl right") << int(D::Right) << int(S::Whole) << QPoint(-610, 0);
    QTest::newRow("up") << int(D::Up) << int(S::Third) << QPoint(0, 133);
    QTest::newRow("shift up") << int(D::Up) << int(S::Triple) << QPoint(0, 399);
    QTest::newRow("down") << int(D::Down) << int(S::Third) << QPoint(0, -133);
    QTest::newRow("ctrl down") << int(D::Down) << int(S::Whole) << QPoint(0, -400);
}

void CanvasGeometryTest::panStepsAreThirdsTriplesAndWholeSizes()
{
    QFETCH(int, direction);
    QFETCH(int, step);
    QFETCH(QPoint, moved);
    CanvasGeometry g;
    g.setGrid(200, 200, 20, 20); // far larger than the client area
    g.setClientSize(QSize(628, 418));
    g.actualSize();
    const QPoint before = g.centre();
    const QPoint d = g.pan(CanvasGeometry::PanDirection(direction), CanvasGeometry::PanStep(step));
    QCOMPARE(d, moved);
    QCOMPARE(g.centre(), before + moved);
}

void CanvasGeometryTest::panStopsWhenTheLeadingEdgeReachesTheCentre()
{
    using D = CanvasGeometry::PanDirection;
    using S = CanvasGeometry::PanStep;
    CanvasGeometry g;
    g.setGrid(50, 50, 20, 20); // 1000 x 1000
    g.setClientSize(QSize(618, 418));
    g.actualSize(); // centre (309, 209), left -191
    QCOMPARE(g.pan(D::Left, S::Third), QPoint(200, 0)); // left 9
    QCOMPARE(g.pan(D::Left, S::Third), QPoint(200, 0)); // left 209
    QCOMPARE(g.pan(D::Left, S::Third), QPoint(100, 0)); // stops with the left edge on 309
    QCOMPARE(g.left(), 309);
    QCOMPARE(g.pan(D::Left, S::Whole), QPoint(0, 0));
    QCOMPARE(g.left(), 309);

    // Right: the right edge stops on the centre.
    for (int i = 0; i < 10; ++i)
        g.pan(D::Right, S::Whole);
    QCOMPARE(g.right(), 309);
    QCOMPARE(g.pan(D::Right, S::Third), QPoint(0, 0));

    for (int i = 0; i < 10; ++i)
        g.pan(D::Up, S::Triple);
    QCOMPARE(g.top(), 209);
    for (int i = 0; i < 10; ++i)
        g.pan(D::Down, S::Triple);
    QCOMPARE(g.bottom(), 209);

    // A grid whose left edge already lies right of the centre is not
    // pulled back by the left arrow.
    g.setCentre(QPoint(2000, 209));
    QCOMPARE(g.pan(D::Left, S::Third), QPoint(0, 0));
    QCOMPARE(g.centre().x(), 2000);
}

void CanvasGeometryTest::scrollFormula()
{
    CanvasGeometry g = standardGeometry(); // W 800, H 480
    QCOMPARE(g.horizontalRange(), 800);
    QCOMPARE(g.verticalRange(), 480);
    // GridCentre.x = trunc(W) / 2 - position + 100: at 0 the top-left
    // corner lies at (100, 100).
    g.scrollHorizontal(0);
    g.scrollVertical(0);
    QCOMPARE(g.centre(), QPoint(500, 340));
    QCOMPARE(g.left(), 100);
    QCOMPARE(g.top(), 100);
    g.scrollHorizontal(350);
    g.scrollVertical(250);
    QCOMPARE(g.left(), 100 - 350);
    QCOMPARE(g.top(), 100 - 250);
    QCOMPARE(g.horizontalPosition(), 350);
    QCOMPARE(g.verticalPosition(), 250);

    // The positions follow the centre after a zoom; ranges are the zoomed
    // size.
    g.actualSize();
    QCOMPARE(g.horizontalPosition(), 400 - 409 + 100);
    QVERIFY(g.zoomIn(true, QPoint()));
    QCOMPARE(g.horizontalRange(), 1280);
    QCOMPARE(g.verticalRange(), 768);
    QCOMPARE(g.horizontalPosition(), 640 - 409 + 100);
    QCOMPARE(g.verticalPosition(), 384 - 309 + 100);
}

void CanvasGeometryTest::actualSizeResetsZoomAndCentre()
{
    CanvasGeometry g = standardGeometry();
    g.zoomIn(false, QPoint(10, 10));
    g.pan(CanvasGeometry::PanDirection::Left, CanvasGeometry::PanStep::Whole);
    g.actualSize();
    QCOMPARE(g.zoom(), 1.0f);
    QCOMPARE(g.centre(), QPoint(409, 309));
}

#include "app_test.h"
APP_TEST_APPLESS(CanvasGeometryTest)
#include "canvas_geometry_test.moc"
