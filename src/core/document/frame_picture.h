#pragma once
// A frame as a picture: one pixel per grid point, for previews that scale
// it to their own size.

#include "document/frame.h"

#include <QImage>

// Null when the frame does not hold rows x cols colours.
QImage framePicture(const Frame &frame, int rows, int cols);
