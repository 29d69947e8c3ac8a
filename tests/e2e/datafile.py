"""Builds and reads data files for the end-to-end tests.

  datafile.py defaults OUT                  the file a first start writes (134 bytes)
  datafile.py with-range IN OUT K RANGE     IN with set K's number limit changed
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
    elif command == "with-range":
        data = bytearray(open(sys.argv[2], "rb").read())
        k, value = int(sys.argv[4]), int(sys.argv[5])
        struct.pack_into("<i", data, 30 + 12 * k, value)
        open(sys.argv[3], "wb").write(bytes(data))
    elif command == "show":
        sets, users, current = show(open(sys.argv[2], "rb").read())
        print("sets", " ".join("%d/%d/%d" % s for s in sets))
        for name, scores in users:
            print("user", name, ",".join(map(str, scores)))
        print("current", current)


main()
