#pragma once
// One port's data file as a byte stream: the header, then the frame blocks.

#include "document/frame_sequence.h"
#include "output/frame_block_encoder.h"
#include "output/port_file_header.h"
#include "output/port_taps.h"

#include <QIODevice>
#include <functional>
#include <vector>

// Header fields that are the same for every port of a run.
struct PortHeaderValues
{
    int dividerA = 8;
    int dividerB = 7;
    int greyLevels = 256;
    int frameCount = 0; // of the whole document
    int scan = 0;
    int speed = 30;
    int format = 2;
    int sdCardSpeed = 3;
};

// The header of a port whose frame blocks are `blockLength` bytes, after
// `framesWritten` frames.
PortFileHeader makePortFileHeader(const PortHeaderValues &values, const FrameBlockEncoder &encoder,
                                  int framesWritten);

// The buffers one port's frames pass through, kept across ports and frames
// so that the frame loop never allocates.
struct PortBuffers
{
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> block;
};

// Writes the header and the blocks of frames [first, last] (indices from 0,
// last already clamped to the sequence) to `out`. `frameDone` is called
// after each frame with the number of frames written so far. Returns false
// as soon as a write fails.
bool writePortStream(QIODevice &out, const PortTaps &port, const FrameBlockEncoder &encoder,
                     bool singleColour, const PortHeaderValues &header, const FrameSequence &frames,
                     int first, int last, PortBuffers &buffers,
                     const std::function<void(int done)> &frameDone = {});
