#!/usr/bin/env python3
"""Independent check of Brightloom's FSEQ files: reads a sequence from the
public FSEQ v2 layout alone, with nothing of Brightloom's code, and compares
every channel with the project and wiring it was exported from.

    check_fseq.py PROJECT.wst WIRING.line ORDER FILE.fseq...

ORDER is the channel order of the export ("rgb", "grb", ...). WIRING may be
"-" for a project exported row by row. zstd files need the python3-zstandard
package; without it they are skipped with a line saying so.
"""
import struct
import sys
import zlib

try:
    import zstandard
except ImportError:
    zstandard = None


def read_project(path):
    data = open(path, "rb").read()
    assert data[:4] == b"WST1", "not a WST1 project"
    frames = struct.unpack_from("<i", data, 18)[0]
    rows, cols = struct.unpack_from("<hh", data, 22)
    points = rows * cols
    out = []
    at = 32
    for _ in range(frames):
        out.append([tuple(data[at + 3 * i:at + 3 * i + 3]) for i in range(points)])
        at += 3 * points
    return rows, cols, out


def channel_plan(rows, cols, wiring_path):
    """Per grid point the first of its three channels, and the channel count."""
    if wiring_path == "-":
        return {i: 3 * i for i in range(rows * cols)}, 3 * rows * cols
    data = open(wiring_path, "rb").read()
    count = struct.unpack_from("<i", data, 5)[0]
    records = []
    for k in range(count):
        port, pixel, column, row = struct.unpack_from("<iiii", data, 9 + 48 * k + 24)
        records.append((port, pixel, column, row))
    pixels = {}
    for port, pixel, _, _ in records:
        pixels[port] = max(pixels.get(port, 0), pixel + 1)
    first, channel = {}, 0
    for port in range(max(pixels) + 1):
        first[port] = channel
        channel += 3 * pixels.get(port, 0)
    plan = {}
    for port, pixel, column, row in records:
        plan[row * cols + column] = first[port] + 3 * pixel
    return plan, channel


def read_fseq(path):
    data = open(path, "rb").read()
    assert data[:4] == b"PSEQ", "no PSEQ magic"
    offset, minor, major, header_len, channels, frames, step, flags, ctype, blocks, ranges = \
        struct.unpack_from("<HBBHIIBBBBB", data, 4)
    assert major == 2 and minor == 0, "version %d.%d" % (major, minor)
    assert header_len == 32 + 8 * blocks + 6 * ranges, "header length"
    assert offset % 4 == 0 and offset >= header_len, "channel data offset"
    assert ranges == 0, "sparse ranges"
    # Variable headers up to the data offset: the writer names itself.
    at, names = header_len, {}
    while at + 4 <= offset:
        length = struct.unpack_from("<H", data, at)[0]
        if length < 4:
            break
        names[data[at + 2:at + 4]] = data[at + 4:at + length]
        at += length
    assert names.get(b"sp", b"").startswith(b"Brightloom "), "sp header"

    if ctype == 0:
        assert blocks == 0
        body = data[offset:offset + channels * frames]
    else:
        index = [struct.unpack_from("<II", data, 32 + 8 * i) for i in range(blocks)]
        assert index[0][0] == 0, "first block starts at frame 0"
        assert index[0][1] and len(index) <= 255
        assert sum(length for _, length in index) == len(data) - offset, "block lengths"
        parts, at = [], offset
        for i, (first, length) in enumerate(index):
            last = index[i + 1][0] if i + 1 < len(index) else frames
            raw = data[at:at + length]
            at += length
            if ctype == 1:
                part = zstandard.ZstdDecompressor().decompress(raw, max_output_size=(last - first) * channels)
            else:
                part = zlib.decompress(raw)
            assert len(part) == (last - first) * channels, "block %d size" % i
            parts.append(part)
        body = b"".join(parts)
    assert len(body) == channels * frames, "channel data size"
    return channels, frames, step, ctype, [body[f * channels:(f + 1) * channels] for f in range(frames)]


def main(argv):
    project, wiring, order, files = argv[1], argv[2], argv[3], argv[4:]
    rows, cols, frames = read_project(project)
    plan, channels = channel_plan(rows, cols, wiring)
    pick = ["rgb".index(letter) for letter in order]
    failures = checked = 0
    for path in files:
        if zstandard is None and open(path, "rb").read()[20] & 0x0F == 1:
            print("SKIP %s: the python3-zstandard package is not installed" % path)
            continue
        got_channels, got_frames, step, ctype, stored = read_fseq(path)
        problems = []
        if got_channels != channels:
            problems.append("%d channels, expected %d" % (got_channels, channels))
        if got_frames != len(frames):
            problems.append("%d frames, expected %d" % (got_frames, len(frames)))
        for f, frame in enumerate(frames[:got_frames]):
            expected = bytearray(channels)
            for point, first in plan.items():
                for k in range(3):
                    expected[first + k] = frame[point][pick[k]]
            if bytes(expected) != stored[f]:
                problems.append("frame %d differs" % (f + 1))
                break
        checked += 1
        if problems:
            failures += 1
            print("FAIL %s: %s" % (path, "; ".join(problems)))
        else:
            print("ok %s: compression %d, %d frames of %d channels, step %d ms"
                  % (path, ctype, got_frames, got_channels, step))
    print("%d passed, %d failed" % (checked - failures, failures))
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
