#pragma once
// Which grid point is driven by which controller port, and at which place
// on that port's chain. The document owns one Wiring; it is not part of the
// project file but is stored in ".line" files.

#include "settings/color_value.h"
#include "settings/grid_geometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// One wired grid point. Its 48-byte little-endian form is what ".line" files
// and the wiring undo files store for each point.
struct WiringPixel
{
    // Neon circuitry only: position and port of the point on its red, green
    // and blue lines.
    int32_t neonRedIndex = 0;
    int32_t neonRedPort = 0;
    int32_t neonGreenIndex = 0;
    int32_t neonGreenPort = 0;
    int32_t neonBlueIndex = 0;
    int32_t neonBluePort = 0;
    int32_t port = 0;   // counted from 0; the user sees port + 1
    int32_t pixel = 0;  // place on the chain from 0 (the head pixel)
    int32_t column = 0; // grid x
    int32_t row = 0;    // grid y
    // Neon circuitry only: the line carries that base colour.
    uint8_t neonRed = 0;
    uint8_t neonGreen = 0;
    uint8_t neonBlue = 0;

    bool operator==(const WiringPixel &) const = default;

    static constexpr int kRecordSize = 48;
    // Bytes 40..43 and 47 are reserved and written as zero.
    void encode(uint8_t *out) const;
    static WiringPixel decode(const uint8_t *in);
};

enum class CircuitryKind : uint8_t { None = 0, Neon = 1, Led = 2 };

// Display colour of LED ports: five intensity levels in six hue patterns,
// then two dim entries. Port colours repeat every 32 ports.
ColorValue portColour(int port);
const std::array<ColorValue, 32> &portColourTable();

// Display colour of a neon point: red 255, green 180, blue 220 combined by
// the point's flags; 0 (shown as not wired) when no flag is set.
ColorValue neonColour(const WiringPixel &p);

class Wiring
{
public:
    CircuitryKind kind() const { return m_kind; }
    void setKind(CircuitryKind k)
    {
        m_kind = k;
        m_revision.bump();
    }

    // Changes whenever the wiring does: every call that changes the list,
    // the kind, the grid or the cell map gives a number no wiring had
    // before, and a copy keeps its source's number only as long as it
    // holds the same records. Whoever works something out from the wiring
    // once (the USB output's payload plan) keeps it while this stays.
    uint64_t revision() const { return m_revision.value; }

    // The chain list, in the order the points were defined.
    int count() const { return int(m_pixels.size()); }
    const std::vector<WiringPixel> &pixels() const { return m_pixels; }
    const WiringPixel &pixel(int i) const { return m_pixels[size_t(i)]; }

    // The grid the cell map and the cell index are kept for.
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    bool inGrid(int x, int y) const { return x >= 0 && y >= 0 && x < m_cols && y < m_rows; }

    // True when some record lies on (x, y). Answered from a per-cell count
    // kept in step with the list, so a definition over a large rectangle
    // stays linear.
    bool isWired(int x, int y) const;
    // Index in the list of the first record on (x, y), or -1.
    int indexAt(int x, int y) const;

    // Cell map entry: 0 not wired, else the display colour.
    ColorValue cellColour(int x, int y) const;
    void setCellColour(int x, int y, ColorValue c);
    const std::vector<ColorValue> &cellMap() const { return m_cellMap; }

    // Adds at the end of the list. The cell map entry is set to the record's
    // display colour for the current kind when the record lies in the grid.
    void append(const WiringPixel &p);
    // Replaces record i (its cell may change).
    void replace(int i, const WiringPixel &p);
    // Removes the records for which `drop(record)` is true, keeping the
    // order of the rest; their cells are cleared when no record is left on
    // them. Returns how many were removed.
    template <class Pred> int removeIf(Pred drop)
    {
        std::vector<bool> marked(m_pixels.size());
        for (size_t i = 0; i < m_pixels.size(); ++i)
            marked[i] = drop(m_pixels[i]);
        return removeMarked(marked);
    }
    void removeAt(int i);
    // Removes record i for every i with drop[i] set (drop has count()
    // entries), keeping the order of the rest. Returns how many went.
    int removeMarked(const std::vector<bool> &drop);
    // Puts a record into the list at position i (0..count), moving the
    // later ones back; its cell gets the record's display colour.
    void insert(int i, const WiringPixel &p);
    // Changes the chain fields of record i in place; its cell stays.
    void setPortAndPixel(int i, int port, int pixel);
    // Takes a whole list (from a file or an undo step) as it stands.
    void assign(std::vector<WiringPixel> pixels);

    // Every record gets an identity of its own when it enters the list
    // (append, insert, assign). It stays with the record while it is
    // replaced, moved to another cell or renumbered, and is never given to
    // another record, so an undo step can take back exactly the records it
    // added, wherever they are now.
    uint64_t recordId(int i) const { return m_ids[size_t(i)]; }
    // Removes the records with these identities (those still in the list),
    // keeping the order of the rest. Returns how many went.
    int removeRecords(const std::vector<uint64_t> &ids);

    // Frees every record and empties the cell map.
    void clear();

    // Sets the grid the map is kept for and rebuilds the map empty. The list
    // itself is not touched.
    void resetCellMap(int rows, int cols);
    // Rebuilds the cell map and the index from the records inside the grid.
    void rebuildCellMap();

    // Called after every removal (removeIf, removeMarked, removeRecords, a
    // valid removeAt, assign, clear), once the list is in its new state,
    // even when nothing matched: whoever holds positions in the list (the
    // wiring editor's clipboard and its remembered pixel) drops them there.
    // One listener at a time; a copy of the wiring starts without one.
    void setRemovalListener(std::function<void()> listener) { m_removalListener.call = std::move(listener); }

    int highestPort() const;          // -1 for an empty list
    int highestPixel(int port) const; // -1 when the port has no record

    ColorValue displayColour(const WiringPixel &p) const;

private:
    void rebuildIndex();
    void recordsRemoved() const
    {
        if (m_removalListener.call)
            m_removalListener.call();
    }

    // Not copied with the records: the listener holds positions in this
    // list, not in a copy.
    struct Listener
    {
        std::function<void()> call;
        Listener() = default;
        Listener(const Listener &) {}
        Listener &operator=(const Listener &) { return *this; }
    };
    // Copied with the records; a wiring moved from is left with a number of
    // its own, as its list no longer holds what the number stood for.
    struct Revision
    {
        uint64_t value = fresh();
        Revision() = default;
        Revision(const Revision &) = default;
        Revision &operator=(const Revision &) = default;
        Revision(Revision &&other) noexcept : value(other.value) { other.bump(); }
        Revision &operator=(Revision &&other) noexcept
        {
            value = other.value;
            other.bump();
            return *this;
        }
        void bump() { value = fresh(); }
        static uint64_t fresh();
    };
    size_t cell(int x, int y) const { return size_t(y) * size_t(m_cols) + size_t(x); }

    CircuitryKind m_kind = CircuitryKind::None;
    std::vector<WiringPixel> m_pixels;
    std::vector<uint64_t> m_ids; // one per record, in step with m_pixels
    uint64_t m_nextId = 1;
    int m_rows = 0;
    int m_cols = 0;
    std::vector<ColorValue> m_cellMap;
    std::vector<uint16_t> m_wiredCount; // records per cell (saturating)
    Listener m_removalListener;
    Revision m_revision;
};
