# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Converts an XWD screen dump (24/32-bit TrueColor) to PNG, to look at what a test saw.

  xwdpng.py IN.xwd OUT.png [X Y W H]
"""
import struct
import sys
import zlib


def main():
    data = open(sys.argv[1], "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    base = header_size + header[19] * 12
    x0, y0, w, h = (int(v) for v in sys.argv[3:7]) if len(sys.argv) > 6 else (0, 0, width, height)
    step = bits_per_pixel // 8
    rows = []
    for y in range(y0, y0 + h):
        row = bytearray(b"\0")
        line = base + y * bytes_per_line
        for x in range(x0, x0 + w):
            value = int.from_bytes(data[line + x * step:line + x * step + 4],
                                   "little" if byte_order == 0 else "big")
            row += bytes(((value >> 16) & 255, (value >> 8) & 255, value & 255))
        rows.append(bytes(row))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b"")
    open(sys.argv[2], "wb").write(png)


main()
