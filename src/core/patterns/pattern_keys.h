#pragma once
// The operation panel's pattern keys "A", "D", "W", "S", "B", "F". The
// action type list chooses what they do; each key makes one new frame from
// a copy of the current frame, moves or transforms the picture inside the
// defined area (the whole grid when none) by the command count, combines it
// with the old colours by the colour action and adds it by the AddMode.
//
// A and D are opposite motions, and so are W and S; where a type moves
// colours off the area, B and F are A and D with wrapping (what leaves at
// one side comes back at the other) and cells that nothing moves into take
// the colour of a blank frame. Two types break the pairs: under rotate, B
// and F are two mirrorings, each its own undoing; under glow, W keeps the
// centre and S keeps the edge, so neither undoes the other.
//
//   type        A                    D                    W                       S                       B                      F
//   移动 move    left                 right                up                      down                    left, wrapping         right, wrapping
//   对称 mirror  halves apart, ↔      halves together, ↔   halves apart, ↕         halves together, ↕      as A, wrapping         as D, wrapping
//   交错 stagger even rows ←, odd →    even rows →, odd ←   even columns ↑, odd ↓   even columns ↓, odd ↑   as A, wrapping         as D, wrapping
//   斜向 slant   up-left              down-right           up-right                down-left               as A, wrapping         as D, wrapping
//   螺旋 spiral  along the spiral in  along the spiral out rings clockwise         rings anticlockwise     as A, wrapping         as D, wrapping
//   放光 glow    rings outward        rings inward         outward, centre stays   inward, edge stays      as A, wrapping         as D, wrapping
//   旋转 rotate  quarter turn ↺       quarter turn ↻       15° ↺                   15° ↻                   mirror left-right      mirror top-bottom
//   陀螺 top     rings ↻, inner faster rings ↺, inner faster alternate rings ↻ ↺  alternate rings ↺ ↻     rings ↻, outer faster  rings ↺, outer faster
//
// The command count n is the amount: cells moved, rings moved, quarter
// turns, 15° steps or mirrorings. Spin rings turn n cells per ring step
// (ring k of K from the outside turns n x (k + 1) cells, or n x (K - k)).

#include "document/frame.h"
#include "editing/block_area.h"

#include <QString>
#include <vector>

class Document;
struct EditingState;

enum class PatternAction : int {
    Move = 0,       // "移动"
    Symmetry = 1,   // "对称"
    Interleave = 2, // "交错"
    Diagonal = 3,   // "斜向"
    Spiral = 4,     // "螺旋"
    Radiate = 5,    // "放光"
    Rotate = 6,     // "旋转"
    Spin = 7,       // "陀螺"
};
constexpr int kPatternActionCount = 8;

enum class PatternKey : int { A = 0, D = 1, W = 2, S = 3, B = 4, F = 5 };
constexpr int kPatternKeyCount = 6;

// Out-of-range values fall back to Move / A.
PatternAction patternActionFromIndex(int index);
PatternKey patternKeyFromIndex(int index);

// The key's letter: 'A', 'D', 'W', 'S', 'B', 'F'.
char patternKeyLetter(PatternKey key);
// The key for a keyboard letter (either case), or -1.
int patternKeyForLetter(QChar letter);

// Item text of the action type list (section "PopupMenu", "MovePopup" ..
// "PegtopPopup").
QString patternActionText(int action);
// The key buttons' tooltip: "按键盘'A'" / "Push down keyboard'A'".
QString patternKeyTooltip(PatternKey key);
// What the key does under the action type, one line for its tooltip.
QString patternKeyEffectText(PatternAction action, PatternKey key);

// The command count as an amount: 0 or less (or an unreadable edit) counts
// as 1; very large counts are capped, the result is the same.
int patternKeyAmount(int count);

// For every cell of a width x height rectangle (index y * width + x), the
// cell whose colour moves there, or -1 where the cell becomes blank.
void patternKeySources(PatternAction action, PatternKey key, int amount, int width, int height,
                       std::vector<int> &sources);

// The moved picture of `rect` of `frame` (rows x cols), before the colour
// action: `out` is a copy of `frame` with the rectangle replaced.
void movePatternArea(const Frame &frame, int cols, const GridRect &rect, PatternAction action,
                     PatternKey key, int amount, ColorValue blank, Frame &out);
