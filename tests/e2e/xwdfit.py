# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that the picture a full-screen window shows is a snapshot-tool PNG placed and scaled as
the game places it: at a whole-number scale every client pixel must be a block of exactly its
colour; reduced, each window pixel must be the average of the client pixels under it, within
a small tolerance. The screen around the picture must be the border colour.

  xwdfit.py SHOT.xwd SNAPSHOT.png LEFT TOP WIDTH HEIGHT [Y0:Y1 ...]

LEFT TOP WIDTH HEIGHT place the 1024x768 picture on the screen; only client rows in the ranges
given are compared (default: all), on a grid of every 4th window pixel. Prints what differs and
exits 1 when anything does.
"""
import struct
import sys

from xwdscaled import read_png_rows

BORDER = 0x1E3324
TOLERANCE = 3


def read_xwd(path):
    """The screen's size and a function giving the RRGGBB of one of its pixels."""
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    base, step, line = header[0] + header[19] * 12, header[11] // 8, header[12]

    def pixel(x, y):
        at = base + y * line + x * step
        return int.from_bytes(data[at:at + 3], "little")

    return header[4], header[5], pixel


def main():
    shot, snapshot = sys.argv[1], sys.argv[2]
    left, top, width, height = (int(v) for v in sys.argv[3:7])
    ranges = [tuple(int(v) for v in r.split(":")) for r in sys.argv[7:]] or [(0, 768)]
    _, _, rows = read_png_rows(snapshot)
    client = [[int.from_bytes(row[3 * x:3 * x + 3], "big") for x in range(1024)] for row in rows]
    screen_w, screen_h, pixel = read_xwd(shot)
    whole = width % 1024 == 0 and height % 768 == 0 and width // 1024 == height // 768
    scale = width // 1024 if whole else 0
    wrong, checked = [], 0
    for wy in range(top, top + height, 4):
        cy0 = (wy - top) * 768 // height
        if not any(a <= cy0 < b for a, b in ranges):
            continue
        cy1 = max(cy0 + 1, (wy - top + 1) * 768 // height)
        for wx in range(left, left + width, 4):
            cx0 = (wx - left) * 1024 // width
            cx1 = max(cx0 + 1, (wx - left + 1) * 1024 // width)
            got = pixel(wx, wy)
            if scale:
                want = client[cy0][cx0]
                ok = got == want
            else:
                sums, n = [0, 0, 0], 0
                for y in range(cy0, min(cy1, 768)):
                    for x in range(cx0, min(cx1, 1024)):
                        c = client[y][x]
                        sums = [sums[0] + (c >> 16 & 255), sums[1] + (c >> 8 & 255),
                                sums[2] + (c & 255)]
                        n += 1
                want = (sums[0] // n << 16) | (sums[1] // n << 8) | sums[2] // n
                ok = all(abs((got >> s & 255) - (want >> s & 255)) <= TOLERANCE
                         for s in (0, 8, 16))
            checked += 1
            if not ok:
                wrong.append((wx, wy, got, want))
    for wx, wy in ((0, 0), (screen_w - 1, screen_h - 1)):
        inside = left <= wx < left + width and top <= wy < top + height
        if not inside and pixel(wx, wy) != BORDER:
            wrong.append((wx, wy, pixel(wx, wy), BORDER))
    if wrong:
        print("%d of %d points differ, e.g. %s" % (len(wrong), checked,
              ", ".join("(%d,%d) %06x not %06x" % w for w in wrong[:4])))
        sys.exit(1)
    print("%d points as expected" % checked)


main()
