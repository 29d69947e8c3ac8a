# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that the game window in an XWD screen dump is a snapshot-tool PNG enlarged by a whole
number: every client pixel must be a SCALE x SCALE block of exactly its colour (sharp, aligned).

  xwdscaled.py SHOT.xwd SNAPSHOT.png WIN_X WIN_Y SCALE [Y0:Y1 ...]

Only the client rows in the given ranges are compared (default: all). Prints what differs and
exits 1 when anything does.
"""
import struct
import sys
import zlib


def read_png_rows(path):
    data = open(path, "rb").read()
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour != 2 or body[12] != 0:
                sys.exit("only the snapshot tool's 8-bit RGB PNGs are read")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + 3 * width
    rows = []
    for y in range(height):
        if raw[y * stride] != 0:
            sys.exit("only unfiltered PNG rows are read")
        rows.append(raw[y * stride + 1:(y + 1) * stride])
    return width, height, rows


def main():
    shot = open(sys.argv[1], "rb").read()
    width, height, rows = read_png_rows(sys.argv[2])
    win_x, win_y, scale = int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
    ranges = [tuple(int(v) for v in r.split(":")) for r in sys.argv[6:]] or [(0, height)]

    header = struct.unpack(">25I", shot[:100])
    base = header[0] + header[19] * 12
    if header[7] != 0 or header[11] not in (24, 32) or header[14:17] != (0xFF0000, 0xFF00, 0xFF):
        sys.exit("only least-significant-byte-first 24/32-bit RGB dumps are read")
    step, line = header[11] // 8, header[12]
    if win_x < 0 or win_y < 0 or win_x + width * scale > header[4] or \
            win_y + height * scale > header[5]:
        sys.exit("the enlarged window does not fit the screen dump")

    bad_rows, first = 0, None
    for y0, y1 in ranges:
        for y in range(y0, y1):
            rgb = rows[y]
            # Channel planes of the client row, in the dump's byte order (blue, green, red).
            want = (rgb[2::3], rgb[1::3], rgb[0::3])
            row_ok = True
            for j in range(scale):
                at = base + (win_y + y * scale + j) * line + win_x * step
                window = shot[at:at + width * scale * step]
                for channel in range(3):
                    plane = window[channel::step]
                    for k in range(scale):
                        if plane[k::scale] != want[channel]:
                            row_ok = False
                            if first is None:
                                got = plane[k::scale]
                                x = next(i for i in range(width) if got[i] != want[channel][i])
                                first = (x, y, j, k)
            if not row_ok:
                bad_rows += 1
    if bad_rows:
        x, y, j, k = first
        at = base + (win_y + y * scale + j) * line + (win_x + x * scale + k) * step
        got = int.from_bytes(shot[at:at + 3], "little")
        print("%d client rows differ; first at client (%d, %d): window %06x, snapshot %s"
              % (bad_rows, x, y, got, rows[y][3 * x:3 * x + 3].hex()))
        sys.exit(1)
    print("every compared client pixel is a sharp %dx%d block of its snapshot colour"
          % (scale, scale))


if __name__ == "__main__":
    main()
