#include "document/wiring.h"

#include "document/byte_writer.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

int32_t get32(const uint8_t *in)
{
    return static_cast<int32_t>(uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24);
}

std::array<ColorValue, 32> buildPortColours()
{
    std::array<ColorValue, 32> t{};
    const unsigned levels[5] = {255, 187, 85, 213, 136};
    int i = 0;
    for (unsigned v : levels) {
        t[size_t(i++)] = makeColor(v, 0, 0);
        t[size_t(i++)] = makeColor(0, v, 0);
        t[size_t(i++)] = makeColor(0, 0, v);
        t[size_t(i++)] = makeColor(v, v, 0);
        t[size_t(i++)] = makeColor(0, v, v);
        t[size_t(i++)] = makeColor(v, 0, v);
    }
    t[30] = makeColor(43, 0, 0);
    t[31] = makeColor(0, 43, 0);
    return t;
}

} // namespace

void WiringPixel::encode(uint8_t *out) const
{
    ByteWriter w(out, kRecordSize);
    for (int32_t field : {neonRedIndex, neonRedPort, neonGreenIndex, neonGreenPort, neonBlueIndex, neonBluePort, port,
                          pixel, column, row})
        w.i32(field);
    w.zeros(4);
    w.u8(neonRed);
    w.u8(neonGreen);
    w.u8(neonBlue);
    w.zeros(1);
}

WiringPixel WiringPixel::decode(const uint8_t *in)
{
    WiringPixel p;
    p.neonRedIndex = get32(in + 0);
    p.neonRedPort = get32(in + 4);
    p.neonGreenIndex = get32(in + 8);
    p.neonGreenPort = get32(in + 12);
    p.neonBlueIndex = get32(in + 16);
    p.neonBluePort = get32(in + 20);
    p.port = get32(in + 24);
    p.pixel = get32(in + 28);
    p.column = get32(in + 32);
    p.row = get32(in + 36);
    p.neonRed = in[44];
    p.neonGreen = in[45];
    p.neonBlue = in[46];
    return p;
}

const std::array<ColorValue, 32> &portColourTable()
{
    static const std::array<ColorValue, 32> table = buildPortColours();
    return table;
}

ColorValue portColour(int port)
{
    // Ports 32 and above repeat the colours; a negative port (only from a
    // damaged file) is folded the same way.
    const int i = ((port % 32) + 32) % 32;
    return portColourTable()[size_t(i)];
}

ColorValue neonColour(const WiringPixel &p)
{
    return makeColor(p.neonRed ? 255 : 0, p.neonGreen ? 180 : 0, p.neonBlue ? 220 : 0);
}

uint64_t Wiring::Revision::fresh()
{
    // Shared by every wiring, on every thread, so that no two states of any
    // wiring ever carry the same number.
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

ColorValue Wiring::displayColour(const WiringPixel &p) const
{
    return m_kind == CircuitryKind::Neon ? neonColour(p) : portColour(p.port);
}

bool Wiring::isWired(int x, int y) const
{
    return inGrid(x, y) && m_wiredCount[cell(x, y)] > 0;
}

int Wiring::indexAt(int x, int y) const
{
    if (!isWired(x, y))
        return -1;
    for (int i = 0; i < count(); ++i)
        if (m_pixels[size_t(i)].column == x && m_pixels[size_t(i)].row == y)
            return i;
    return -1;
}

ColorValue Wiring::cellColour(int x, int y) const
{
    return inGrid(x, y) ? m_cellMap[cell(x, y)] : 0;
}

void Wiring::setCellColour(int x, int y, ColorValue c)
{
    m_revision.bump();
    if (inGrid(x, y))
        m_cellMap[cell(x, y)] = c;
}

void Wiring::append(const WiringPixel &p)
{
    m_revision.bump();
    m_pixels.push_back(p);
    m_ids.push_back(m_nextId++);
    if (inGrid(p.column, p.row)) {
        uint16_t &n = m_wiredCount[cell(p.column, p.row)];
        if (n < UINT16_MAX)
            ++n;
        m_cellMap[cell(p.column, p.row)] = displayColour(p);
    }
}

void Wiring::replace(int i, const WiringPixel &p)
{
    m_revision.bump();
    m_pixels[size_t(i)] = p;
    rebuildIndex();
    setCellColour(p.column, p.row, displayColour(p));
}

void Wiring::removeAt(int i)
{
    if (i < 0 || i >= count())
        return;
    m_revision.bump();
    m_pixels.erase(m_pixels.begin() + i);
    m_ids.erase(m_ids.begin() + i);
    rebuildIndex();
    recordsRemoved();
}

int Wiring::removeMarked(const std::vector<bool> &drop)
{
    m_revision.bump();
    size_t kept = 0;
    for (size_t i = 0; i < m_pixels.size(); ++i)
        if (i >= drop.size() || !drop[i]) {
            m_pixels[kept] = m_pixels[i];
            m_ids[kept++] = m_ids[i];
        }
    const int removed = int(m_pixels.size() - kept);
    if (removed > 0) {
        m_pixels.resize(kept);
        m_ids.resize(kept);
        rebuildIndex();
    }
    recordsRemoved();
    return removed;
}

void Wiring::insert(int i, const WiringPixel &p)
{
    m_revision.bump();
    i = std::clamp(i, 0, count());
    m_pixels.insert(m_pixels.begin() + i, p);
    m_ids.insert(m_ids.begin() + i, m_nextId++);
    if (inGrid(p.column, p.row)) {
        uint16_t &n = m_wiredCount[cell(p.column, p.row)];
        if (n < UINT16_MAX)
            ++n;
        m_cellMap[cell(p.column, p.row)] = displayColour(p);
    }
}

void Wiring::setPortAndPixel(int i, int port, int pixel)
{
    if (i < 0 || i >= count())
        return;
    m_revision.bump();
    m_pixels[size_t(i)].port = port;
    m_pixels[size_t(i)].pixel = pixel;
}

void Wiring::assign(std::vector<WiringPixel> pixels)
{
    m_revision.bump();
    m_pixels = std::move(pixels);
    m_ids.resize(m_pixels.size());
    for (uint64_t &id : m_ids)
        id = m_nextId++;
    rebuildCellMap();
    recordsRemoved();
}

int Wiring::removeRecords(const std::vector<uint64_t> &ids)
{
    if (ids.empty())
        return 0;
    std::vector<uint64_t> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    std::vector<bool> marked(m_pixels.size());
    for (size_t i = 0; i < m_ids.size(); ++i)
        marked[i] = std::binary_search(sorted.begin(), sorted.end(), m_ids[i]);
    return removeMarked(marked);
}

void Wiring::clear()
{
    m_revision.bump();
    m_pixels.clear();
    m_ids.clear();
    std::fill(m_cellMap.begin(), m_cellMap.end(), 0);
    std::fill(m_wiredCount.begin(), m_wiredCount.end(), 0);
    recordsRemoved();
}

void Wiring::resetCellMap(int rows, int cols)
{
    m_revision.bump();
    m_rows = std::max(rows, 0);
    m_cols = std::max(cols, 0);
    const size_t n = size_t(m_rows) * size_t(m_cols);
    m_cellMap.assign(n, 0);
    m_wiredCount.assign(n, 0);
}

void Wiring::rebuildCellMap()
{
    m_revision.bump();
    std::fill(m_cellMap.begin(), m_cellMap.end(), 0);
    rebuildIndex();
    for (const WiringPixel &p : m_pixels)
        if (inGrid(p.column, p.row))
            m_cellMap[cell(p.column, p.row)] = displayColour(p);
}

void Wiring::rebuildIndex()
{
    // Cells that lost their last record go back to "not wired"; cells that
    // keep a record keep the colour the editor gave them, and cells that
    // gained one get the record's display colour.
    std::fill(m_wiredCount.begin(), m_wiredCount.end(), 0);
    for (const WiringPixel &p : m_pixels)
        if (inGrid(p.column, p.row)) {
            uint16_t &n = m_wiredCount[cell(p.column, p.row)];
            if (n < UINT16_MAX)
                ++n;
        }
    for (size_t i = 0; i < m_wiredCount.size(); ++i)
        if (m_wiredCount[i] == 0)
            m_cellMap[i] = 0;
    for (const WiringPixel &p : m_pixels)
        if (inGrid(p.column, p.row) && m_cellMap[cell(p.column, p.row)] == 0)
            m_cellMap[cell(p.column, p.row)] = displayColour(p);
}

int Wiring::highestPort() const
{
    int best = -1;
    for (const WiringPixel &p : m_pixels)
        best = std::max(best, int(p.port));
    return best;
}

int Wiring::highestPixel(int port) const
{
    int best = -1;
    for (const WiringPixel &p : m_pixels)
        if (p.port == port)
            best = std::max(best, int(p.pixel));
    return best;
}
