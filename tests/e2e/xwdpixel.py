# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the RRGGBB colour of pixel X Y (and of every further X Y given, one a line) of an XWD
screen dump (24/32-bit TrueColor)."""
import struct
import sys


def main():
    path, coordinates = sys.argv[1], [int(v) for v in sys.argv[2:]]
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    ncolors = header[19]
    for x, y in zip(coordinates[0::2], coordinates[1::2]):
        if not (0 <= x < width and 0 <= y < height):
            print("outside")
            continue
        offset = header_size + ncolors * 12 + y * bytes_per_line + x * (bits_per_pixel // 8)
        raw = data[offset:offset + 4]
        value = int.from_bytes(raw, "little" if byte_order == 0 else "big")
        print("%06x" % (value & 0xFFFFFF))


main()
