# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""How much of the game window in an XWD screen dump looks like a PNG the snapshot tool made.

  likeness.py SHOT.xwd WIN_X WIN_Y SNAPSHOT.png [X0,Y0,X1,Y1 ...]

Compares a grid of points 8 pixels apart over the 1024x768 client, leaving out the rectangles
given (things that move on their own, such as the butterflies), and prints "SAME TOTAL".
"""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    base = header[0] + header[19] * 12
    order = "little" if header[7] == 0 else "big"
    step, stride = header[11] // 8, header[12]

    def pixel(x, y):
        at = base + y * stride + x * step
        return int.from_bytes(data[at:at + 4], order) & 0xFFFFFF

    return pixel


def read_png(path):
    data = open(path, "rb").read()
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, _, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour == 2, "only the snapshot tool's 8-bit RGB"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + 3 * width

    def pixel(x, y):
        at = y * stride + 1 + 3 * x
        assert raw[y * stride] == 0, "only unfiltered rows"
        return (raw[at] << 16) | (raw[at + 1] << 8) | raw[at + 2]

    return pixel


def main():
    shot = read_xwd(sys.argv[1])
    win_x, win_y = int(sys.argv[2]), int(sys.argv[3])
    snap = read_png(sys.argv[4])
    skips = [tuple(int(v) for v in r.split(",")) for r in sys.argv[5:]]
    same = total = 0
    for y in range(4, 768, 8):
        for x in range(4, 1024, 8):
            if any(x0 <= x < x1 and y0 <= y < y1 for x0, y0, x1, y1 in skips):
                continue
            total += 1
            same += shot(win_x + x, win_y + y) == snap(x, y)
    print(same, total)


main()
