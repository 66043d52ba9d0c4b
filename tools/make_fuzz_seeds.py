#!/usr/bin/env python3
"""Writes the seed files of the project reader's fuzz target: one small
valid file of each layout, plus a few edge cases the reader must accept.

    python3 tools/make_fuzz_seeds.py tests/fuzz/corpus/project
"""
import os
import struct
import sys

MOVES = [5, 6, 4, 0, 7, 3, 2, 1]  # group s of a pixel word is read into group MOVES[s]
MASK = 0x3C6E1A95


def text(t):
    return t + b"\0" * (10 - len(t))


def colours(rows, cols, frames):
    return [[((x * 37 + y * 91 + f * 53) & 0xFF) | ((x * 11 + f * 7) & 0xFF) << 8 | ((y * 29 + f) & 0xFF) << 16
             for y in range(rows) for x in range(cols)] for f in range(frames)]


def current(rows, cols, frames, declared=None, head=b"WST1"):
    out = text(head) + struct.pack("<iii", 11, 0, frames if declared is None else declared)
    out += struct.pack("<hhhhBB", rows, cols, 20, 20, 3, 1)
    for frame in colours(rows, cols, frames):
        out += b"".join(struct.pack("<BBB", c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF) for c in frame)
    return out


def old(rows, cols, frames):
    out = text(b"VISSP\x01") + struct.pack("<i", frames) + struct.pack("<hhhhBB", rows, cols, 20, 20, 2, 0)
    for frame in colours(rows, cols, frames):
        out += b"".join(struct.pack("<I", c) for c in frame)
    return out


def scramble_pixel(c):
    masked = c ^ MASK
    return sum(((masked >> (4 * MOVES[s])) & 0xF) << (4 * s) for s in range(8))


def scrambled(rows, cols, frames):
    p, q = 4099, 4111
    n, phi = p * q, (p - 1) * (q - 1)
    key = 3
    while True:
        d = pow(key, 17, n)
        try:
            e = pow(d, -1, phi)
            break
        except ValueError:
            key += 1
    enc = lambda w: pow(w, e, n)
    out = text(b"VISSP2") + struct.pack("<IIIII", n, key, enc(frames), enc(rows | cols << 12), enc(20 | 20 << 16))
    out += struct.pack("<BB", 3, 1)
    for frame in colours(rows, cols, frames):
        out += b"".join(struct.pack("<I", scramble_pixel(c)) for c in frame)
    return out


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    seeds = {
        "wst1.wst": current(4, 6, 3),
        "wst1_empty.wst": current(3, 3, 0),
        "wst1_garbage_after_zero.wst": current(2, 2, 2, head=b"WST1\0zzzzz"),
        "wst1_truncated.wst": current(3, 4, 5, declared=9),
        "wst1_zero_rows.wst": current(0, 5, 0, declared=2),
        "vissp.wst": old(3, 5, 2),
        "vissp2.wst": scrambled(3, 7, 2),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
