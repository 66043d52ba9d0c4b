#pragma once
// How a picture of one size goes into a rectangle of another: the gather
// dialog's display modes, used for its preview, for turning samples into
// frames and for the video and animated-picture imports.

#include "document/frame.h"
#include "editing/block_area.h"

#include <QImage>
#include <QSize>

enum class DisplayMode {
    Centre = 0,  // natural size, centred (cut where it is larger)
    Fit = 1,     // scaled by the smaller ratio, centred, black margins
    Stretch = 2, // scaled to fill
};

// A mode index of a drop-down or an option; anything else is Stretch.
DisplayMode displayModeFromIndex(int index);

// Where a picture of `picture` size lands in an area of `area` size, in the
// area's own coordinates.
QRect placedRect(QSize picture, QSize area, DisplayMode mode);

// The picture as `size` pixels, black where it does not reach. A picture
// of exactly that size comes back unchanged. With `vectorZoom` the display
// mode decides and the scaling is smooth; without it the picture is
// stretched over the whole area.
QImage fitPicture(const QImage &picture, QSize size, DisplayMode mode, bool vectorZoom = true);

// A frame of rows x cols: black, with the picture (32-bit, blue in byte 0)
// written into `region` by fitPicture, blue and red swapped into colours.
Frame frameFromPicture(const QImage &picture, const GridRect &region, int rows, int cols, DisplayMode mode,
                       bool vectorZoom = true);

// A sample's pixel as a lamp colour and back: blue and red trade places.
inline ColorValue colorFromPixel(uint32_t pixel)
{
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}
inline uint32_t pixelFromColor(ColorValue c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
