#include "wiring/wiring_operations.h"

#include <algorithm>
#include <unordered_map>

std::optional<WiringRect> dragRectangle(QPoint anchor, QPoint release, int rows, int cols)
{
    WiringRect r;
    r.left = std::max(std::min(anchor.x(), release.x()), 0);
    r.top = std::max(std::min(anchor.y(), release.y()), 0);
    r.right = std::min(std::max(anchor.x(), release.x()), cols - 1);
    r.bottom = std::min(std::max(anchor.y(), release.y()), rows - 1);
    if (r.left >= cols || r.top >= rows || r.isEmpty())
        return std::nullopt;
    return r;
}

std::optional<DefinitionResult> defineRectangle(Wiring &w, int port, QPoint anchor, QPoint release,
                                                WiringModifier modifier)
{
    const std::optional<WiringRect> rect = dragRectangle(anchor, release, w.rows(), w.cols());
    if (!rect)
        return std::nullopt;
    DefinitionResult result;
    result.rect = *rect;
    result.fillOrder = fillOrderFor(modifier, dragDirection(anchor, release));
    int next = w.highestPixel(port) + 1;
    WiringPixel p;
    p.port = port;
    forEachCellInFillOrder(result.fillOrder, *rect, [&](int x, int y) {
        if (w.isWired(x, y))
            return;
        p.pixel = next++;
        p.column = x;
        p.row = y;
        w.append(p);
        result.addedRecords.push_back(w.recordId(w.count() - 1));
    });
    return result;
}

bool movePixel(Wiring &w, QPoint source, QPoint target)
{
    if (!w.inGrid(target.x(), target.y()) || w.isWired(target.x(), target.y()))
        return false;
    const int i = w.indexAt(source.x(), source.y());
    if (i < 0)
        return false;
    const ColorValue colour = w.cellColour(source.x(), source.y());
    WiringPixel p = w.pixel(i);
    p.column = target.x();
    p.row = target.y();
    w.replace(i, p);
    w.setCellColour(target.x(), target.y(), colour);
    return true;
}

int insertPixelAfter(Wiring &w, int after, QPoint cell)
{
    if (after < 0 || after >= w.count() || !w.inGrid(cell.x(), cell.y()) || w.isWired(cell.x(), cell.y()))
        return -1;
    const WiringPixel remembered = w.pixel(after);
    for (int i = 0; i < w.count(); ++i) {
        const WiringPixel &q = w.pixel(i);
        if (q.port == remembered.port && q.pixel > remembered.pixel)
            w.setPortAndPixel(i, q.port, q.pixel + 1);
    }
    WiringPixel p;
    p.port = remembered.port;
    p.pixel = remembered.pixel + 1;
    p.column = cell.x();
    p.row = cell.y();
    w.insert(after + 1, p);
    return after + 1;
}

std::vector<int> chainRun(const Wiring &w, int a, int b)
{
    std::vector<int> run;
    if (a < 0 || b < 0 || a >= w.count() || b >= w.count())
        return run;
    const WiringPixel &pa = w.pixel(a);
    const WiringPixel &pb = w.pixel(b);
    if (pa.port != pb.port)
        return run;
    const int port = pa.port;
    if (pb.pixel > pa.pixel) {
        for (int i = 0; i < w.count(); ++i) {
            const WiringPixel &q = w.pixel(i);
            if (q.port == port && q.pixel >= pa.pixel && q.pixel <= pb.pixel)
                run.push_back(i);
        }
    } else {
        for (int i = w.count() - 1; i >= 0; --i) {
            const WiringPixel &q = w.pixel(i);
            if (q.port == port && q.pixel >= pb.pixel && q.pixel <= pa.pixel)
                run.push_back(i);
        }
    }
    return run;
}

WiringRect boundingRect(const Wiring &w, const std::vector<int> &records)
{
    if (records.empty())
        return WiringRect();
    WiringRect r{w.pixel(records.front()).column, w.pixel(records.front()).row, w.pixel(records.front()).column,
                 w.pixel(records.front()).row};
    for (int i : records) {
        const WiringPixel &p = w.pixel(i);
        r.left = std::min(r.left, int(p.column));
        r.right = std::max(r.right, int(p.column));
        r.top = std::min(r.top, int(p.row));
        r.bottom = std::max(r.bottom, int(p.row));
    }
    return r;
}

QPoint pastedCell(const WiringPixel &p, const WiringRect &bounds, QPoint at, bool ctrl, bool shift)
{
    const int x = ctrl ? bounds.left + bounds.right - p.column : p.column;
    const int y = shift ? bounds.top + bounds.bottom - p.row : p.row;
    return QPoint(x + at.x() - bounds.left, y + at.y() - bounds.top);
}

WiringPasteResult pasteClipboard(Wiring &w, const WiringClipboard &clip, QPoint at, int port, bool ctrl, bool shift)
{
    WiringPasteResult result;
    if (clip.isEmpty())
        return result;
    for (int i : clip.records)
        if (i < 0 || i >= w.count())
            return result;
    if (w.pixel(clip.records.front()).port != w.pixel(clip.records.back()).port) {
        result.outcome = PasteOutcome::MultiplePorts;
        return result;
    }
    result.target = {at.x(), at.y(), at.x() + clip.bounds.width() - 1, at.y() + clip.bounds.height() - 1};
    // Every edge counts: a press left of or above the grid is as far off as
    // one past its right or bottom edge.
    if (at.x() < 0 || at.y() < 0 || result.target.right >= w.cols() || result.target.bottom >= w.rows()) {
        result.outcome = PasteOutcome::OutsideGrid;
        return result;
    }
    for (int y = result.target.top; y <= result.target.bottom; ++y)
        for (int x = result.target.left; x <= result.target.right; ++x)
            if (w.cellColour(x, y) != 0 || w.isWired(x, y)) {
                result.outcome = PasteOutcome::TargetTaken;
                return result;
            }
    // Copies are taken first: appending may move the list's storage.
    std::vector<QPoint> cells;
    cells.reserve(clip.records.size());
    for (int i : clip.records)
        cells.push_back(pastedCell(w.pixel(i), clip.bounds, at, ctrl, shift));
    int next = w.highestPixel(port) + 1;
    WiringPixel p;
    p.port = port;
    for (const QPoint &c : cells) {
        // A clipboard read from a damaged file may hold one cell twice; the
        // second copy would wire a cell twice.
        if (w.isWired(c.x(), c.y()))
            continue;
        p.pixel = next++;
        p.column = c.x();
        p.row = c.y();
        w.append(p);
        result.addedRecords.push_back(w.recordId(w.count() - 1));
    }
    result.outcome = PasteOutcome::Pasted;
    return result;
}

int removeRecordsInRect(Wiring &w, const WiringRect &r)
{
    return w.removeIf([&](const WiringPixel &p) { return r.contains(p.column, p.row); });
}

void renumberChains(Wiring &w)
{
    std::unordered_map<int, int> next;
    for (int i = 0; i < w.count(); ++i) {
        const WiringPixel &p = w.pixel(i);
        int &n = next[p.port];
        w.setPortAndPixel(i, p.port, n++);
    }
}
