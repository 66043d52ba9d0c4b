// The wiring display's cell ellipses at any zoom: stamped ellipses look as
// the painter draws them, the stamp is kept while the zoom stays, and at the
// largest zoom a repaint stays quick and small.
#include "canvas/canvas_geometry.h"
#include "document/document.h"
#include "wiring/wiring_display.h"
#include "wiring/wiring_operations.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

GridGeometry grid(int rows, int cols, int cel)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    g.celWidth = int16_t(cel);
    g.celHeight = int16_t(cel);
    return g;
}

struct WiredGrid
{
    explicit WiredGrid(int side = 4, int cel = 20) : doc(grid(side, side, cel))
    {
        doc.wiring().setKind(CircuitryKind::Led);
        // Port 1 over the top half, port 2 over the rest: two colours.
        defineRectangle(doc.wiring(), 0, {0, 0}, {side - 1, side / 2 - 1}, WiringModifier::None);
        defineRectangle(doc.wiring(), 1, {0, side / 2}, {side - 1, side - 1}, WiringModifier::None);
        g.setGrid(side, side, cel, cel);
        g.setClientSize(QSize(318, 218)); // 300 x 200 usable
        g.actualSize();
        display.wiring = &doc.wiring();
        display.ellipses = &cache;
    }

    QImage paint(bool clipped = false)
    {
        QImage image(g.usableSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter p(&image);
        // A clip region (the whole image) turns the stamp off: the painter
        // draws every ellipse itself.
        if (clipped)
            p.setClipRect(image.rect());
        paintWiring(p, g, display);
        return image;
    }

    Document doc;
    CanvasGeometry g;
    EllipseStampCache cache;
    WiringDisplay display;
};

QRgb argbOf(ColorValue c) { return qRgb(int(redOf(c)), int(greenOf(c)), int(blueOf(c))); }

} // namespace

class WiringDisplayTest : public QObject
{
    Q_OBJECT
private slots:
    void stampedEllipsesMatchThePainter_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::newRow("actual size") << 1.0f;
        QTest::newRow("zoomed in") << 2.56f;
        QTest::newRow("zoomed out") << 0.625f;
    }

    void stampedEllipsesMatchThePainter()
    {
        QFETCH(float, zoom);
        WiredGrid w;
        w.g.setZoom(zoom);
        const QImage stamped = w.paint();
        const QImage painted = w.paint(true);
        QCOMPARE(w.cache.builds(), 1);
        QCOMPARE(stamped, painted);
        // And the ellipses are there: a cell centre in each port's colour.
        const QPoint top = w.g.cellCentre(1, 0);
        const QPoint bottom = w.g.cellCentre(2, 3);
        QCOMPARE(stamped.pixel(top + QPoint(1, 1)), argbOf(w.doc.wiring().cellColour(1, 0)));
        QCOMPARE(stamped.pixel(bottom + QPoint(1, 1)), argbOf(w.doc.wiring().cellColour(2, 3)));
        QVERIFY(w.doc.wiring().cellColour(1, 0) != w.doc.wiring().cellColour(2, 3));
    }

    void theStampIsKeptWhileTheZoomStays()
    {
        WiredGrid w;
        const QImage first = w.paint();
        const QImage second = w.paint();
        QCOMPARE(w.cache.builds(), 1);
        QCOMPARE(first, second);
        w.g.setZoom(1.6f);
        w.paint();
        QCOMPARE(w.cache.builds(), 2);
        w.paint();
        QCOMPARE(w.cache.builds(), 2);
        // Another cell size at the same zoom is another ellipse.
        w.g.setGrid(4, 4, 30, 30);
        w.paint();
        QCOMPARE(w.cache.builds(), 3);
    }

    void theLargestZoomPaintsOnlyWhatIsSeen()
    {
        // 20-pixel cells at zoom 1000: an ellipse of 6,667 x 6,667 pixels,
        // far larger than the 300 x 200 view centred on cell (1, 1).
        WiredGrid w;
        w.g.setZoom(1000.0f);
        const QPoint c = w.g.cellCentre(1, 1);
        w.g.setCentre(w.g.centre() - (c - QPoint(150, 100)));
        QElapsedTimer timer;
        timer.start();
        const QImage image = w.paint();
        const qint64 ms = timer.elapsed();
        QVERIFY2(ms < 200, qPrintable(QStringLiteral("repaint took %1 ms").arg(ms)));
        QCOMPARE(w.cache.builds(), 0); // no stamp larger than the view
        // The view lies inside the cell's ellipse: every corner is its fill.
        const QRgb fill = argbOf(w.doc.wiring().cellColour(1, 1));
        for (const QPoint p : {QPoint(0, 0), QPoint(299, 0), QPoint(0, 199), QPoint(299, 199), QPoint(200, 150)})
            QCOMPARE(image.pixel(p), fill);
    }
};

QTEST_MAIN(WiringDisplayTest)
#include "wiring_display_test.moc"
