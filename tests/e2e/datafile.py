# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds and reads data files for the end-to-end tests.

  datafile.py defaults OUT                  the file a first start writes (134 bytes)
  datafile.py with-range IN OUT K RANGE     IN with set K's number limit changed
  datafile.py with-set IN OUT K RANGE OPS   IN with set K's limit and kinds changed
  datafile.py build OUT CURRENT [NAME:S,S,..] ...
                                            default sets, the users with their results
  datafile.py show IN                       sets, users (name, results) and current index
"""
import struct
import sys

HEADER = b"Sumora configuration file."
VERSION = 0x20131120


def defaults():
    data = HEADER + struct.pack("<I", VERSION)
    for k in range(8):
        data += struct.pack("<iiI", k + 3, 2, 35)
    return data + struct.pack("<ii", 0, 0)


def build(current, users):
    data = defaults()[:-8]
    data += struct.pack("<i", len(users))
    for user in users:
        name, _, scores = user.partition(":")
        encoded = name.encode("gbk")
        results = [int(s) for s in scores.split(",") if s]
        data += bytes([len(encoded)]) + encoded
        data += bytes(results) + bytes(670 - len(results))
        data += struct.pack("<i", len(results) - 1)
    return data + struct.pack("<i", current)


def show(data):
    assert data[:26] == HEADER, "header"
    pos = 30
    sets = [struct.unpack_from("<iiI", data, pos + 12 * k) for k in range(8)]
    pos += 96
    (count,) = struct.unpack_from("<i", data, pos)
    pos += 4
    users = []
    for _ in range(count):
        length = data[pos]
        pos += 1
        name = data[pos:pos + length].decode("gbk")
        pos += length
        scores = data[pos:pos + 670]
        pos += 670
        (last,) = struct.unpack_from("<i", data, pos)
        pos += 4
        users.append((name, list(scores[:last + 1])))
    (current,) = struct.unpack_from("<i", data, pos)
    return sets, users, current


def main():
    command = sys.argv[1]
    if command == "defaults":
        open(sys.argv[2], "wb").write(defaults())
    elif command == "build":
        open(sys.argv[2], "wb").write(build(int(sys.argv[3]), sys.argv[4:]))
    elif command == "with-range":
        data = bytearray(open(sys.argv[2], "rb").read())
        k, value = int(sys.argv[4]), int(sys.argv[5])
        struct.pack_into("<i", data, 30 + 12 * k, value)
        open(sys.argv[3], "wb").write(bytes(data))
    elif command == "with-set":
        data = bytearray(open(sys.argv[2], "rb").read())
        k, value, kinds = int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6])
        struct.pack_into("<i", data, 30 + 12 * k, value)
        struct.pack_into("<I", data, 30 + 12 * k + 8, kinds)
        open(sys.argv[3], "wb").write(bytes(data))
    elif command == "show":
        sets, users, current = show(open(sys.argv[2], "rb").read())
        print("sets", " ".join("%d/%d/%d" % s for s in sets))
        for name, scores in users:
            print("user", name, ",".join(map(str, scores)))
        print("current", current)


main()
