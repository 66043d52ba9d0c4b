#include "canvas/canvas_view.h"

#include "canvas/canvas_tool.h"
#include "common/app_context.h"
#include "document/document.h"
#include "settings/grid_geometry.h"
#include "settings/language.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Built-in formats of the status panes 1 to 3 ("Status" section).
const char *const kStatusKeys[3] = {"StatusItem1", "StatusItem2", "StatusItem3"};
QString statusDefault(int i)
{
    switch (i) {
    case 0:
        return QStringLiteral("行:%d,列:%d");
    case 1:
        return QStringLiteral("红:%3d,绿:%3d,蓝:%3d");
    default:
        return QStringLiteral("总帧数:%d");
    }
}

} // namespace

CanvasView::CanvasView(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    // Every pixel is drawn from the off-screen image: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar *bar : {m_hBar, m_vBar}) {
        bar->setRange(1, 100);
        bar->setSingleStep(CanvasGeometry::kLineStep);
        bar->setCursor(Qt::ArrowCursor);
    }
    m_hBar->setPageStep(CanvasGeometry::kHorizontalPageStep);
    m_vBar->setPageStep(CanvasGeometry::kVerticalPageStep);
    connect(m_hBar, &QScrollBar::valueChanged, this, [this](int position) {
        if (m_syncingBars)
            return;
        const CanvasGeometry before = m_geom;
        m_geom.scrollHorizontal(position);
        gridMoved(before);
    });
    connect(m_vBar, &QScrollBar::valueChanged, this, [this](int position) {
        if (m_syncingBars)
            return;
        const CanvasGeometry before = m_geom;
        m_geom.scrollVertical(position);
        gridMoved(before);
    });

    followDocumentGeometry();
    Document &doc = m_ctx.doc;
    auto redraw = [this] { update(); };
    connect(&doc, &Document::frameContentChanged, this, redraw);
    connect(&doc, &Document::currentFrameChanged, this, [this] {
        // Playback, Stop and the play panel change the frame while the
        // panes name a point: its colour is read again from the frame now
        // shown, even when the grid moved under a mouse that stood still.
        if (m_statusPoint)
            showGridPointStatus(*m_statusPoint);
        update();
    });
    connect(&doc, &Document::wiringChanged, this, redraw);
    connect(&ctx.editing, &EditingState::areaChanged, this, redraw);
    connect(&doc, &Document::framesChanged, this, [this] {
        showFrameCount();
        showScrollBarsForDocument();
        update();
    });
    connect(&doc, &Document::geometryChanged, this, [this] {
        followDocumentGeometry();
        syncScrollBars();
        update();
    });
    connect(&doc, &Document::contentsReplaced, this, [this] {
        m_statusPoint.reset();
        actualSize();
        showFrameCount();
        showScrollBarsForDocument();
    });
    showScrollBarsForDocument();

    for (int i = 0; i < 3; ++i)
        m_statusFormats[size_t(i)] = lookedUpText("Status", kStatusKeys[i], statusDefault(i));
}

CanvasView::~CanvasView() = default;

void CanvasView::followDocumentGeometry()
{
    const GridGeometry &g = m_ctx.doc.geometry();
    m_geom.setGrid(g.rows, g.cols, g.celWidth, g.celHeight);
}

// --- the shell's controls -----------------------------------------------------

void CanvasView::actualSize()
{
    const CanvasGeometry before = m_geom;
    // A hidden widget gets its resize event only when shown; its size is
    // already valid.
    m_geom.setClientSize(size());
    m_geom.actualSize();
    m_sized = true;
    // At zoom 1 the ranges are 0..Cols x CelWidth and 0..Rows x CelHeight.
    syncScrollBars();
    if (m_tool)
        m_tool->gridMoved(before, m_geom);
    update();
}

void CanvasView::setPlayShowsWiredOnly(bool on)
{
    if (m_look.wiredOnly == on)
        return;
    m_look.wiredOnly = on;
    update();
}

void CanvasView::setShowUnwiredWhilePlaying(bool on)
{
    m_ctx.settings.showUnwiredWhilePlaying = on;
    update();
}

bool CanvasView::showUnwiredWhilePlaying() const { return m_ctx.settings.showUnwiredWhilePlaying; }

bool CanvasView::hidesUnwiredPoints() const
{
    // A project without wiring has nothing to tell wired from unwired
    // points by: it plays every point rather than a black grid.
    return m_look.wiredOnly && !showUnwiredWhilePlaying() && m_ctx.doc.wiring().count() > 0;
}

void CanvasView::centreGrid() { setGridCentreOffset(QPoint(0, 0)); }

void CanvasView::setGridCentreOffset(QPoint offset)
{
    const CanvasGeometry before = m_geom;
    m_geom.setCentreOffset(offset);
    gridMoved(before);
}

void CanvasView::showScrollBarsForDocument()
{
    // The start picture has nothing to scroll.
    const bool shown = m_ctx.doc.frameCount() > 0;
    m_hBar->setVisible(shown);
    m_vBar->setVisible(shown);
}

void CanvasView::setShowGrid(bool on)
{
    m_look.showGrid = on;
    update();
}

void CanvasView::setCellShape(CellShape shape)
{
    m_look.cellShape = shape;
    update();
}

void CanvasView::setGridLineColor(ColorValue colour)
{
    m_look.gridLineColor = colour;
    update();
}

void CanvasView::refreshStatusTexts()
{
    for (int i = 0; i < 3; ++i)
        m_statusFormats[size_t(i)] = lookedUpText("Status", kStatusKeys[i], statusDefault(i));
    showFrameCount();
    // A new language shows at once, not at the next mouse move.
    if (m_statusPoint)
        showGridPointStatus(*m_statusPoint);
    update();
}

QStringList CanvasView::widestStatusTexts(int pane) const
{
    // Digits share one width in the interface fonts, so the values with the
    // most digits give the widest texts.
    constexpr int kWidestFrameCount = 9999999;
    switch (pane) {
    case 1:
        return {formatText(m_statusFormats[0], statusDefault(0), {kMaxGridSide, kMaxGridSide})};
    case 2:
        return {formatText(m_statusFormats[1], statusDefault(1), {255, 255, 255})};
    case 3:
        return {formatText(m_statusFormats[2], statusDefault(2), {kWidestFrameCount})};
    default:
        return {};
    }
}

void CanvasView::showStatus(int pane, const QString &text) { emit statusTextChanged(pane, text); }

void CanvasView::showFrameCount()
{
    emit statusTextChanged(3, formatText(m_statusFormats[2], statusDefault(2), {m_ctx.doc.frameCount()}));
}

void CanvasView::showPointStatus(QPoint clientPos)
{
    const std::optional<GridPoint> gp = m_geom.pointAt(clientPos);
    if (gp && m_geom.contains(*gp))
        showGridPointStatus(*gp);
}

void CanvasView::showGridPointStatus(GridPoint gp)
{
    const Document &doc = m_ctx.doc;
    const Frame *frame = m_tool && m_tool->statusFrame() ? m_tool->statusFrame() : doc.currentFrame();
    if (!frame || frame->size() != size_t(doc.pointCount()) || gp.column >= doc.cols() || gp.row >= doc.rows())
        return;
    m_statusPoint = gp;
    emit statusTextChanged(1, formatText(m_statusFormats[0], statusDefault(0), {gp.row + 1, gp.column + 1}));
    const ColorValue c = frame->at(gp.column, gp.row, doc.cols());
    emit statusTextChanged(2, formatText(m_statusFormats[1], statusDefault(1),
                                         {int(redOf(c)), int(greenOf(c)), int(blueOf(c))}));
}

// --- zoom, pan, scroll ------------------------------------------------------------

bool CanvasView::zoomIn(bool keepCentre, QPoint cursor)
{
    const CanvasGeometry before = m_geom;
    const bool done = m_geom.zoomIn(keepCentre, cursor);
    zoomed(before, done, keepCentre);
    return done;
}

bool CanvasView::zoomOut(bool keepCentre, QPoint cursor)
{
    const CanvasGeometry before = m_geom;
    const bool done = m_geom.zoomOut(keepCentre, cursor);
    zoomed(before, done, keepCentre);
    return done;
}

bool CanvasView::zoomAt(bool in, QPoint anchor)
{
    const CanvasGeometry before = m_geom;
    const bool done = in ? m_geom.zoomInAt(anchor) : m_geom.zoomOutAt(anchor);
    // The mouse stays where it is: the grid moved under it.
    zoomed(before, done, true);
    return done;
}

void CanvasView::zoomed(const CanvasGeometry &before, bool moved, bool keepCentre)
{
    if (!moved)
        return;
    if (!keepCentre && isVisible())
        QCursor::setPos(mapToGlobal(m_geom.clientCentre()));
    gridMoved(before);
}

void CanvasView::pan(CanvasGeometry::PanDirection direction, CanvasGeometry::PanStep step)
{
    const CanvasGeometry before = m_geom;
    m_geom.pan(direction, step);
    gridMoved(before);
}

void CanvasView::gridMoved(const CanvasGeometry &before)
{
    syncScrollBars();
    if (m_tool)
        m_tool->gridMoved(before, m_geom);
    update();
}

void CanvasView::syncScrollBars()
{
    if (!m_sized)
        return;
    // The bars show where the grid is; setting them must not move it again.
    m_syncingBars = true;
    m_hBar->setRange(0, m_geom.horizontalRange());
    m_hBar->setValue(m_geom.horizontalPosition());
    m_vBar->setRange(0, m_geom.verticalRange());
    m_vBar->setValue(m_geom.verticalPosition());
    m_syncingBars = false;
}

// --- tools ---------------------------------------------------------------------------

void CanvasView::setTool(CanvasTool *tool)
{
    m_tool = tool;
    update();
}

void CanvasView::addOverlay(CanvasOverlay *overlay)
{
    if (overlay && std::find(m_overlays.begin(), m_overlays.end(), overlay) == m_overlays.end())
        m_overlays.push_back(overlay);
    update();
}

void CanvasView::removeOverlay(CanvasOverlay *overlay)
{
    m_overlays.erase(std::remove(m_overlays.begin(), m_overlays.end(), overlay), m_overlays.end());
    update();
}

// --- drawing ---------------------------------------------------------------------------

CanvasScene CanvasView::scene() const
{
    CanvasScene s;
    s.doc = &m_ctx.doc;
    s.geometry = m_geom;
    s.look = m_look;
    s.look.wiredOnly = hidesUnwiredPoints();
    s.area = m_ctx.editing.area;
    s.tool = m_tool;
    s.overlays = m_overlays;
    s.startPicture = &m_startPicture;
    return s;
}

QImage CanvasView::renderImage() const
{
    QImage image(m_geom.usableSize(), QImage::Format_RGB32);
    renderCanvas(image, scene());
    return image;
}

void CanvasView::renderForPrint(QPainter &painter, const QRect &target)
{
    const QImage image = renderImage();
    if (image.isNull() || target.isEmpty())
        return;
    const QSize fitted = image.size().scaled(target.size(), Qt::KeepAspectRatio);
    const QRect r(target.left() + (target.width() - fitted.width()) / 2,
                  target.top() + (target.height() - fitted.height()) / 2, fitted.width(), fitted.height());
    painter.drawImage(r, image);
}

void CanvasView::paintEvent(QPaintEvent *)
{
    // Without its scroll bars (the start picture) the picture fills the
    // whole canvas.
    const bool bars = !m_hBar->isHidden();
    const QSize usable = bars ? m_geom.usableSize() : size();
    if (m_buffer.size() != usable)
        m_buffer = QImage(usable, QImage::Format_RGB32);
    renderCanvas(m_buffer, scene());

    QPainter p(this);
    p.drawImage(0, 0, m_buffer);
    // The square where the two scroll bars meet.
    const int e = CanvasGeometry::kScrollBarExtent;
    if (bars)
        p.fillRect(QRect(usable.width(), usable.height(), e, e), palette().window());
}

void CanvasView::resizeEvent(QResizeEvent *)
{
    const int e = CanvasGeometry::kScrollBarExtent;
    if (!m_sized) {
        m_geom.setClientSize(size());
    } else {
        // Full screen, or a bar beside the canvas hidden or shown: the grid
        // keeps its place relative to the canvas's centre.
        const CanvasGeometry before = m_geom;
        m_geom.resizeClient(size());
        if (m_geom.centre() != before.centre())
            gridMoved(before);
    }
    const QSize usable = m_geom.usableSize();
    m_hBar->setGeometry(0, usable.height(), usable.width(), e);
    m_vBar->setGeometry(usable.width(), 0, e, usable.height());
    if (!m_sized)
        actualSize();
}

// --- mouse ------------------------------------------------------------------------------

void CanvasView::mousePressEvent(QMouseEvent *event)
{
    if (m_tool && m_tool->mousePress(*this, event))
        return;
    QWidget::mousePressEvent(event);
}

void CanvasView::mouseMoveEvent(QMouseEvent *event)
{
    showPointStatus(event->position().toPoint());
    if (m_tool && m_tool->mouseMove(*this, event))
        return;
    QWidget::mouseMoveEvent(event);
}

void CanvasView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_tool && m_tool->mouseRelease(*this, event))
        return;
    QWidget::mouseReleaseEvent(event);
}

void CanvasView::wheelEvent(QWheelEvent *event)
{
    if (m_ctx.doc.frameCount() == 0) {
        event->ignore();
        return;
    }
    // A notch is 120 eighths of a degree; finer turns add up until they make
    // one.
    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const QPoint delta = event->angleDelta();
    // Some systems turn Shift + wheel into a sideways turn themselves.
    const int turn = delta.y() != 0 ? delta.y() : delta.x();
    const bool sideways = (mods & Qt::ShiftModifier) || delta.y() == 0;
    const bool zoom = mods & Qt::ControlModifier;
    int &rest = sideways && !zoom ? m_wheelRest.rx() : m_wheelRest.ry();
    rest += turn;
    const int notches = rest / kNotch;
    rest -= notches * kNotch;
    event->accept();
    if (notches == 0)
        return;

    if (zoom) {
        const QPoint anchor = event->position().toPoint();
        for (int i = 0; i < std::abs(notches); ++i)
            if (!zoomAt(notches > 0, anchor))
                break;
        return;
    }
    // A notch moves a tenth of the visible height or width (at least one
    // cell); the scroll bars keep the grid inside their ranges. Turning
    // the wheel away from you shows what lies above (or left).
    QScrollBar *bar = sideways ? m_hBar : m_vBar;
    const int visible = sideways ? m_geom.usableSize().width() : m_geom.usableSize().height();
    const double cell = (sideways ? m_geom.celWidth() : m_geom.celHeight()) * double(m_geom.zoom());
    const int step = std::max({visible / 10, int(std::min(cell, double(visible))), 1});
    bar->setValue(bar->value() - notches * step);
}
