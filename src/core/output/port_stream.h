#pragma once
// The port data files as byte streams: each a header, then one frame block
// per frame. The frames are walked once, each frame for every port in turn,
// so that a frame is read from memory once while it is hot.

#include "document/frame_sequence.h"
#include "output/frame_block_encoder.h"
#include "output/port_file_header.h"
#include "output/port_taps.h"

#include <QIODevice>
#include <functional>
#include <span>
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

// The header of a port after `framesWritten` frames.
PortFileHeader makePortFileHeader(const PortHeaderValues &values, const FrameBlockEncoder &encoder,
                                  int framesWritten);

// One port's frame blocks: its wired points, its encoder and the buffers
// its frames pass through, kept from frame to frame so that the frame loop
// never allocates.
class PortBlockWriter
{
public:
    // With `direct` (the rule) the colours go straight to their places in
    // the block where the layout allows it; without, every frame takes the
    // way through the pixel buffer and the encoder. Both give the same
    // bytes.
    PortBlockWriter(const PortTaps &port, const BlockLayout &layout, bool direct = true);

    const FrameBlockEncoder &encoder() const { return m_encoder; }
    bool writesDirectly() const { return m_directLayout; }
    int port() const { return m_port->port; }

    // The padded block of `frame`, made from the frame's colours.
    std::span<const uint8_t> encode(const Frame &frame);

private:
    // A wired point and the block positions of its red, green and blue
    // bytes (single colour: of its one byte), a spare byte past the block
    // for one the block does not use.
    struct DirectTap
    {
        uint32_t cell;
        uint32_t at[3];
    };
    void encodeDirect(const Frame &frame);

    const PortTaps *m_port;
    std::vector<DirectTap> m_direct;
    bool m_directLayout = false;
    FrameBlockEncoder m_encoder;
    bool m_single;
    uint64_t m_cellsNeeded = 0; // a frame this large needs no test per cell
    std::vector<uint8_t> m_pixels;
    std::vector<uint8_t> m_block;
};

// Writes each port's header and then, frame by frame over [first, last]
// (indices from 0, last already clamped to the sequence), every port's
// block to its device. `frameDone` is called after each frame with the
// number of frames done. On a failed write returns false with the index of
// the device in `failed`.
bool writePortStreams(std::span<QIODevice *const> outs, std::span<PortBlockWriter> writers,
                      const PortHeaderValues &header, const FrameSequence &frames, int first, int last,
                      const std::function<void(int done)> &frameDone = {}, size_t *failed = nullptr);
