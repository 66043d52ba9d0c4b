#pragma once
// The 53 transition effects that bring a picture into the area (entrance)
// or take it away (exit), shared by the picture and text pages. An effect
// draws step i of n into a W x H bitmap that starts transparent black;
// the bitmap's pixels then become grid colours. Drawing is never
// antialiased: an LED matrix wants whole cells.
//
// Exits: the moves slide the picture out (the blank image following it
// in), the zooms shrink it; the covers (plain, corner and diagonal) lay the
// blank image over the picture in their growing shape, so the picture is
// wiped away; every other effect runs its entrance backwards, so the
// picture visibly leaves and the last exit step is empty.

#include "document/frame.h"
#include "editing/block_area.h"

#include <QImage>
#include <QString>

class PatternRandom;

constexpr int kTransitionEffectCount = 53;

// Entries of the effect list ("Stunt0".."Stunt55"): 0 scroll up and 1
// scroll left (text page only), 2..54 the effects 0..52, 55 random.
constexpr int kStuntEntryCount = 56;
constexpr int kStuntScrollUp = 0;
constexpr int kStuntScrollLeft = 1;
constexpr int kStuntFirstEffect = 2;
constexpr int kStuntRandom = 55;

// Item text of entry 0..55 (section "Stunts", "Stunt%d"); empty outside.
QString stuntText(int entry);

// Effect numbers of the families whose exits are not a plain reversal.
enum TransitionEffectNumber : int {
    kEffectMoveLeft = 0,
    kEffectLastMove = 7,
    kEffectCentreZoom = 8,
    kEffectLastZoom = 12,
    kEffectDeform = 13,
    kEffectFirstStretch = 14,
    kEffectSmallMosaic = 18,
    kEffectLargeMosaic = 19,
    kEffectFirstCover = 20,
    kEffectLastCover = 31, // plain, corner and diagonal covers
    kEffectFade = 38,
};

enum class TransitionPhase { Entrance, Exit };

// The bitmap every effect draws into: W x H, transparent black.
QImage transitionCanvas(int width, int height);

// Draws step i of n (1 <= i <= n; other values are clamped) of `effect`
// (0..52; others draw the picture whole) into `canvas`. `picture` is drawn
// scaled to the canvas size unless the effect scales it otherwise; `blank`
// is the image the exits bring in (transparent black when null). Mosaics
// draw their blocks from `random`.
void drawTransition(QImage &canvas, int effect, TransitionPhase phase, int i, int n, const QImage &picture,
                    const QImage &blank, PatternRandom &random);

// A drawn pixel as a grid colour: 0xAARRGGBB becomes 0x00BBGGRR, the alpha
// dropped. The canvas is premultiplied, so a half-faded pixel gives half
// the colour.
constexpr ColorValue colorFromArgb(uint32_t argb)
{
    return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}

// Copies `canvas` into `rect` of `frame` (a rows x cols grid), cut to the
// grid; cells the canvas does not reach become black.
void copyCanvasIntoFrame(const QImage &canvas, Frame &frame, int cols, int rows, const GridRect &rect);
