// What the canvas draws: square and round cells, grid lines over them, the
// defined area's frame, the start picture while there are no frames, only
// wired points during playback of a wired project (every point of an
// unwired one), and what a tool draws.

#include "canvas/canvas_tool.h"
#include "canvas_fixture.h"

#include <QDir>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "settings/program_folder.h"

namespace {

constexpr ColorValue kBlack = 0;
constexpr ColorValue kGridGrey = makeColor(100, 100, 100);

using F = CanvasFixture;

// Draws the grid red instead of the frame colours and a 3 x 3 blue mark
// at the first cell's top-left corner on top.
class MarkingTool : public CanvasTool
{
public:
    bool drawsGridItself() const override { return true; }
    void paintGrid(QPainter &p, const CanvasGeometry &g) override
    {
        p.fillRect(g.cellsRect(0, 0, g.cols() - 1, g.rows() - 1), Qt::red);
    }
    void paintOverlay(QPainter &p, const CanvasGeometry &g) override
    {
        p.fillRect(QRect(g.cellRect(0, 0).topLeft(), QSize(3, 3)), Qt::blue);
    }
};

// Writes a single cross at the top-left of the grid.
class CrossOverlay : public CanvasOverlay
{
public:
    void paintOverlay(QPainter &p, const CanvasGeometry &g) override
    {
        const QPoint c = g.cellRect(0, 0).topLeft() + QPoint(5, 5);
        p.setPen(Qt::green);
        p.drawPoint(c);
    }
};

} // namespace

class CanvasRenderTest : public QObject
{
    Q_OBJECT
private slots:
    void squareCellsFillTheirRectangles();
    void gridLinesAreDrawnOverTheCells();
    void roundCellsAreOutlinedEllipsesInsideTheirCells();
    void everyPixelShowsTheCellUnderIt_data();
    void everyPixelShowsTheCellUnderIt();
    void areaFrameIsDrawnOnlyWhenTheAreaIsUsable();
    void playbackDrawsOnlyWiredPoints();
    void unwiredDocumentPlaysEveryPoint();
    void startPictureFillsTheCanvasWithoutFrames();
    void startPictureFollowsTheLanguage();
    void startPictureFromTheProgramFolderIsStretched();
    void toolDrawsTheGridItselfAndOverlaysComeLast();
    void printFitsTheCanvasIntoTheTarget();
};

void CanvasRenderTest::squareCellsFillTheirRectangles()
{
    F f;
    f.view.setShowGrid(false);
    const QImage img = f.view.renderImage();
    QCOMPARE(img.size(), QSize(200, 150));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const int l = F::kLeft + 20 * x, t = F::kTop + 20 * y;
            for (QPoint p : {QPoint(l, t), QPoint(l + 19, t), QPoint(l, t + 19), QPoint(l + 19, t + 19),
                             QPoint(l + 10, t + 10)})
                QCOMPARE(pixelColour(img, p.x(), p.y()), cellColour(x, y));
        }
    QCOMPARE(pixelColour(img, F::kLeft - 1, F::kTop + 5), kBlack);
    QCOMPARE(pixelColour(img, F::kLeft + 80, F::kTop + 5), kBlack);
    QCOMPARE(pixelColour(img, F::kLeft + 5, F::kTop + 60), kBlack);
}

void CanvasRenderTest::gridLinesAreDrawnOverTheCells()
{
    F f;
    QVERIFY(f.view.showGrid()); // on from the start
    QImage img = f.view.renderImage();
    // Vertical lines at every column edge, horizontal at every row edge,
    // the outer frame included.
    for (int i = 0; i <= 4; ++i)
        QCOMPARE(pixelColour(img, F::kLeft + 20 * i, F::kTop + 30), kGridGrey);
    for (int i = 0; i <= 3; ++i)
        QCOMPARE(pixelColour(img, F::kLeft + 50, F::kTop + 20 * i), kGridGrey);
    QCOMPARE(pixelColour(img, F::kLeft + 80, F::kTop + 60), kGridGrey); // the closing corner
    QCOMPARE(pixelColour(img, F::kLeft + 30, F::kTop + 30), cellColour(1, 1));
    QCOMPARE(pixelColour(img, F::kLeft + 81, F::kTop + 30), kBlack); // lines end at the grid

    f.view.setGridLineColor(makeColor(1, 2, 3));
    img = f.view.renderImage();
    QCOMPARE(pixelColour(img, F::kLeft + 20, F::kTop + 30), makeColor(1, 2, 3));

    f.view.setShowGrid(false);
    img = f.view.renderImage();
    QCOMPARE(pixelColour(img, F::kLeft + 20, F::kTop + 30), cellColour(1, 1));
}

void CanvasRenderTest::roundCellsAreOutlinedEllipsesInsideTheirCells()
{
    F f;
    f.view.setShowGrid(false);
    f.view.setCellShape(CellShape::Round);
    QImage img = f.view.renderImage();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const int l = F::kLeft + 20 * x, t = F::kTop + 20 * y;
            QCOMPARE(pixelColour(img, l + 10, t + 10), cellColour(x, y));
            QCOMPARE(pixelColour(img, l + 3, t + 10), cellColour(x, y));
            // The corners stay black, and the ellipse's outline is black on
            // all four sides.
            QCOMPARE(pixelColour(img, l + 1, t + 1), kBlack);
            QCOMPARE(pixelColour(img, l + 18, t + 18), kBlack);
            QCOMPARE(pixelColour(img, l, t + 10), kBlack);
            QCOMPARE(pixelColour(img, l + 19, t + 10), kBlack);
            QCOMPARE(pixelColour(img, l + 10, t), kBlack);
            QCOMPARE(pixelColour(img, l + 10, t + 19), kBlack);
        }

    // With grid lines the lines lie over the round cells.
    f.view.setShowGrid(true);
    img = f.view.renderImage();
    QCOMPARE(pixelColour(img, F::kLeft + 20, F::kTop + 10), kGridGrey);
    QCOMPARE(pixelColour(img, F::kLeft + 21, F::kTop + 1), kBlack);
    QCOMPARE(pixelColour(img, F::kLeft + 30, F::kTop + 10), cellColour(1, 0));
}

void CanvasRenderTest::everyPixelShowsTheCellUnderIt_data()
{
    // Grid 7 x 9 of 7-pixel cells; the centres are reachable through the
    // scroll bars at each zoom.
    QTest::addColumn<int>("zoomIn");
    QTest::addColumn<int>("zoomOut");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<bool>("round");
    for (bool round : {false, true}) {
        const char *shape = round ? "round" : "square";
        QTest::addRow("%s, actual size", shape) << 0 << 0 << QPoint(109, 84) << round;
        QTest::addRow("%s, zoom 1.6", shape) << 1 << 0 << QPoint(60, 117) << round;
        QTest::addRow("%s, zoom 2.56, cut off right and bottom", shape) << 2 << 0 << QPoint(180, 140) << round;
        QTest::addRow("%s, zoom 4.096, cut off left and top", shape) << 3 << 0 << QPoint(40, 30) << round;
        QTest::addRow("%s, zoom 0.625", shape) << 0 << 1 << QPoint(90, 100) << round;
        QTest::addRow("%s, zoom 0.39", shape) << 0 << 2 << QPoint(100, 100) << round;
        // Cells of 300 pixels: larger than the round cells' stamps.
        QTest::addRow("%s, zoom 43", shape) << 8 << 0 << QPoint(100, 80) << round;
    }
}

// Without grid lines, the fast drawing gives exactly what filling every
// cell's rectangle (or drawing its ellipse) with a painter gives, clipped
// to the canvas.
void CanvasRenderTest::everyPixelShowsTheCellUnderIt()
{
    QFETCH(int, zoomIn);
    QFETCH(int, zoomOut);
    QFETCH(QPoint, centre);
    QFETCH(bool, round);
    F f(true, smallGrid(7, 9, 7));
    f.view.setShowGrid(false);
    f.view.setCellShape(round ? CellShape::Round : CellShape::Square);
    for (int i = 0; i < zoomIn; ++i)
        QVERIFY(f.view.zoomIn(true, QPoint()));
    for (int i = 0; i < zoomOut; ++i)
        QVERIFY(f.view.zoomOut(true, QPoint()));
    const CanvasGeometry &g = f.view.canvasGeometry();
    f.view.horizontalBar()->setValue(int(g.gridWidth() / 2) - centre.x() + CanvasGeometry::kScrollOrigin);
    f.view.verticalBar()->setValue(int(g.gridHeight() / 2) - centre.y() + CanvasGeometry::kScrollOrigin);
    QCOMPARE(g.centre(), centre);

    QImage expected(200, 150, QImage::Format_RGB32);
    expected.fill(Qt::black);
    {
        QPainter p(&expected);
        p.setPen(Qt::black);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x) {
                const QRect r = g.cellRect(x, y);
                const QColor c = QColor::fromRgb(pixelOf(cellColour(x, y)));
                if (!round) {
                    p.fillRect(r, c);
                } else if (!r.isEmpty()) {
                    p.setBrush(c);
                    p.drawEllipse(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
                }
            }
    }
    const QImage img = f.view.renderImage();
    for (int py = 0; py < img.height(); ++py)
        for (int px = 0; px < img.width(); ++px)
            if (img.pixel(px, py) != expected.pixel(px, py))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(px).arg(py)));
}

void CanvasRenderTest::areaFrameIsDrawnOnlyWhenTheAreaIsUsable()
{
    F f;
    f.view.setShowGrid(false);
    auto isFrame = [](ColorValue c) { return c == kBlack || c == makeColor(255, 255, 255); };
    const int frameX = F::kLeft + 20; // left edge of column 1

    f.editing.area = BlockArea{true, 1, 0, 2, 1};
    QImage img = f.view.renderImage();
    for (int y : {F::kTop + 5, F::kTop + 15, F::kTop + 25, F::kTop + 35})
        QVERIFY(isFrame(pixelColour(img, frameX, y)));
    QCOMPARE(pixelColour(img, F::kLeft + 30, F::kTop + 10), cellColour(1, 0)); // inside untouched
    QCOMPARE(pixelColour(img, frameX, F::kTop + 50), cellColour(1, 2));        // below the area

    // Defined but not drawn yet (x0 = -1), not defined, or too large for the
    // grid: no frame.
    for (BlockArea a : {BlockArea{true, -1, 0, 2, 1}, BlockArea{false, 1, 0, 2, 1}, BlockArea{true, 1, 0, 4, 1}}) {
        f.editing.area = a;
        img = f.view.renderImage();
        QCOMPARE(pixelColour(img, frameX, F::kTop + 5), cellColour(1, 0));
    }
}

void CanvasRenderTest::playbackDrawsOnlyWiredPoints()
{
    F f;
    f.doc.wiring().append(WiringPixel{.port = 0, .pixel = 0, .column = 1, .row = 1});
    f.doc.wiring().append(WiringPixel{.port = 0, .pixel = 1, .column = 3, .row = 2});
    f.doc.wiringEdited();
    for (CellShape shape : {CellShape::Square, CellShape::Round}) {
        f.view.setCellShape(shape);
        f.view.setPlayShowsWiredOnly(true);
        QVERIFY(f.view.playShowsWiredOnly());
        QImage img = f.view.renderImage();
        QCOMPARE(pixelColour(img, F::cellMiddle(1, 1).x(), F::cellMiddle(1, 1).y()), cellColour(1, 1));
        QCOMPARE(pixelColour(img, F::cellMiddle(3, 2).x(), F::cellMiddle(3, 2).y()), cellColour(3, 2));
        for (QPoint c : {QPoint(0, 0), QPoint(2, 1), QPoint(3, 1)})
            QCOMPARE(pixelColour(img, F::cellMiddle(c.x(), c.y()).x(), F::cellMiddle(c.x(), c.y()).y()), kBlack);
        QCOMPARE(pixelColour(img, F::kLeft, F::kTop + 10), kGridGrey);

        f.view.setPlayShowsWiredOnly(false);
        img = f.view.renderImage();
        QCOMPARE(pixelColour(img, F::cellMiddle(0, 0).x(), F::cellMiddle(0, 0).y()), cellColour(0, 0));
    }
}

void CanvasRenderTest::unwiredDocumentPlaysEveryPoint()
{
    F f;
    f.view.setPlayShowsWiredOnly(true);
    QVERIFY(!f.view.hidesUnwiredPoints());
    const QImage img = f.view.renderImage();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            QCOMPARE(pixelColour(img, F::cellMiddle(x, y).x(), F::cellMiddle(x, y).y()), cellColour(x, y));
}

void CanvasRenderTest::startPictureFillsTheCanvasWithoutFrames()
{
    F f(false);
    QCOMPARE(f.doc.frameCount(), 0);
    const QImage img = f.view.renderImage();
    int lit = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            lit += pixelColour(img, x, y) != kBlack;
    // The picture covers the canvas: no black background showing through.
    QVERIFY2(lit > img.width() * img.height() * 9 / 10, qPrintable(QString::number(lit)));
    // The caption lies over the picture near the bottom.
    const QImage plain = StartPicture::drawBuiltIn(false, img.size());
    int differs = 0;
    for (int y = img.height() * 2 / 3; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            differs += img.pixel(x, y) != plain.pixel(x, y);
    QVERIFY(differs > 100);
    for (int y = 0; y < img.height() / 4; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != plain.pixel(x, y))
                QFAIL("the caption reaches into the top of the picture");

    // New shows the grid instead.
    f.doc.startNew(f.doc.geometry());
    QCOMPARE(pixelColour(f.view.renderImage(), F::kLeft, F::kTop), kGridGrey);
}

void CanvasRenderTest::startPictureFollowsTheLanguage()
{
    F f(false);
    const QImage english = f.view.renderImage();
    Language::setCode(Language::Chinese);
    f.view.refreshStatusTexts();
    const QImage chinese = f.view.renderImage();
    QVERIFY(english != chinese);
    QCOMPARE(chinese.copy(0, 0, 200, 50), StartPicture::drawBuiltIn(true, QSize(200, 150)).copy(0, 0, 200, 50));
    // Every language but Chinese shows the English picture.
    Language::setCode(Language::Traditional);
    const QImage traditional = f.view.renderImage();
    QCOMPARE(traditional.copy(0, 0, 200, 50), english.copy(0, 0, 200, 50));
    Language::setCode(Language::English);
}

void CanvasRenderTest::startPictureFromTheProgramFolderIsStretched()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage own(4, 3, QImage::Format_RGB32);
    own.fill(QColor(0x30, 0x60, 0x90));
    own.setPixel(3, 2, qRgb(250, 0, 0));
    QVERIFY(own.save(QDir(dir.path()).filePath(QStringLiteral("Back_English.png"))));
    // A file that is not a picture is passed over for the built-in one.
    QFile junk(QDir(dir.path()).filePath(QStringLiteral("Back_Chinese.png")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture at all");
    junk.close();
    setProgramFolderOverride(dir.path());

    F f(false);
    QImage img = f.view.renderImage();
    QCOMPARE(pixelColour(img, 2, 2), makeColor(0x30, 0x60, 0x90));
    QCOMPARE(pixelColour(img, 100, 20), makeColor(0x30, 0x60, 0x90));
    QCOMPARE(pixelColour(img, 198, 3), makeColor(0x30, 0x60, 0x90));

    Language::setCode(Language::Chinese);
    img = f.view.renderImage();
    QCOMPARE(img.copy(0, 0, 200, 50), StartPicture::drawBuiltIn(true, QSize(200, 150)).copy(0, 0, 200, 50));
    Language::setCode(Language::English);
    setProgramFolderOverride(QString());
}

void CanvasRenderTest::toolDrawsTheGridItselfAndOverlaysComeLast()
{
    F f;
    MarkingTool tool;
    CrossOverlay cross;
    f.view.setTool(&tool);
    f.view.addOverlay(&cross);
    f.editing.area = BlockArea{true, 3, 2, 3, 2};
    const QImage img = f.view.renderImage();
    QCOMPARE(pixelColour(img, F::cellMiddle(1, 1).x(), F::cellMiddle(1, 1).y()), makeColor(255, 0, 0));
    QCOMPARE(pixelColour(img, F::kLeft + 20, F::kTop + 30), kGridGrey);       // grid lines over it
    QCOMPARE(pixelColour(img, F::kLeft + 1, F::kTop + 1), makeColor(0, 0, 255)); // tool overlay on top
    QCOMPARE(pixelColour(img, F::kLeft + 5, F::kTop + 5), makeColor(0, 255, 0)); // overlay
    const QPoint areaEdge(F::kLeft + 60, F::kTop + 50);
    QVERIFY(pixelColour(img, areaEdge.x(), areaEdge.y()) == kBlack ||
            pixelColour(img, areaEdge.x(), areaEdge.y()) == makeColor(255, 255, 255));

    f.view.removeOverlay(&cross);
    f.view.setTool(nullptr);
    const QImage plain = f.view.renderImage();
    QCOMPARE(pixelColour(plain, F::kLeft + 5, F::kTop + 5), cellColour(0, 0));
    QCOMPARE(pixelColour(plain, F::cellMiddle(1, 1).x(), F::cellMiddle(1, 1).y()), cellColour(1, 1));
}

void CanvasRenderTest::printFitsTheCanvasIntoTheTarget()
{
    F f;
    f.view.setShowGrid(false);
    // 400 x 400 target: the 200 x 150 canvas doubles to 400 x 300, centred
    // vertically (50 pixels above).
    QImage page(400, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    f.view.renderForPrint(p, page.rect());
    p.end();
    QCOMPARE(pixelColour(page, 200, 20), makeColor(255, 255, 255));
    const QPoint m = F::cellMiddle(2, 1) * 2 + QPoint(0, 50);
    QCOMPARE(pixelColour(page, m.x(), m.y()), cellColour(2, 1));
    QCOMPARE(pixelColour(page, 5, 60), kBlack);
}

#include "app_test.h"
APP_TEST(CanvasRenderTest)
#include "canvas_render_test.moc"
