#pragma once
// The wiring editor's operations on the record list, free of any editor
// state: definition, move, insert, copy, paste, zone deletion and the
// renumbering that closes gaps. Each keeps the cell map in step.

#include "document/wiring.h"
#include "wiring/fill_order.h"
#include "wiring/wiring_clipboard.h"
#include "wiring/wiring_rect.h"

#include <QPoint>
#include <cstdint>
#include <optional>
#include <vector>

// The rectangle between anchor and release, clamped to the grid; nothing
// when it starts at or past the grid's end or is turned inside out.
std::optional<WiringRect> dragRectangle(QPoint anchor, QPoint release, int rows, int cols);

struct DefinitionResult
{
    WiringRect rect;
    int fillOrder = 0;
    // Identities (Wiring::recordId) of the records this definition added,
    // so that its undo removes exactly these, wherever they are by then.
    std::vector<uint64_t> addedRecords;
};

// Numbers every unwired cell of the dragged rectangle into the chain of
// `port`, in the fill order the modifier and the drag direction choose,
// starting one past the port's highest pixel. Wired cells are skipped and
// use no number. Nothing when the rectangle lies outside the grid.
std::optional<DefinitionResult> defineRectangle(Wiring &w, int port, QPoint anchor, QPoint release,
                                                WiringModifier modifier);

// Moves the record on `source` to the free cell `target`; port, pixel and
// place in the list stay. False when the target is outside the grid or
// wired, or nothing lies on the source.
bool movePixel(Wiring &w, QPoint source, QPoint target);

// Puts a new pixel on `cell` directly after record `after` in the list and
// in its chain: later pixels of that port move one number on. Returns the
// new record's place, or -1 when the cell is outside the grid or wired.
int insertPixelAfter(Wiring &w, int after, QPoint cell);

// The records of one port from record a's number to record b's, inclusive:
// walking the list forwards when b's number is above a's, else backwards.
std::vector<int> chainRun(const Wiring &w, int a, int b);
WiringRect boundingRect(const Wiring &w, const std::vector<int> &records);

enum class PasteOutcome { Pasted, Empty, MultiplePorts, OutsideGrid, TargetTaken };
struct WiringPasteResult
{
    PasteOutcome outcome = PasteOutcome::Empty;
    WiringRect target;
    std::vector<uint64_t> addedRecords; // identities of the records added
};

// Where each clipboard record lands when pasted with its bounding
// rectangle's top-left corner at `at`: Ctrl mirrors the columns, Shift the
// rows, inside the bounding rectangle.
QPoint pastedCell(const WiringPixel &p, const WiringRect &bounds, QPoint at, bool ctrl, bool shift);

// Appends a copy of every clipboard record to `port`'s chain at `at`.
WiringPasteResult pasteClipboard(Wiring &w, const WiringClipboard &clip, QPoint at, int port, bool ctrl,
                           bool shift);

// Removes every record whose cell lies in `r`; returns how many.
int removeRecordsInRect(Wiring &w, const WiringRect &r);

// Closes the gaps a deletion left: ports in the order of their first
// record, each port's records numbered 0, 1, 2, ... in list order.
void renumberChains(Wiring &w);
