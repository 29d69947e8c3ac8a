#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpus of the data-file fuzzer: small valid data files in every form the
loader reads, and a few damaged ones next to them. Run from anywhere; rewrites corpus/."""
import pathlib
import struct

HEADER = b"Sumora configuration file."
VERSION = 0x20131120
HERE = pathlib.Path(__file__).resolve().parent / "corpus"


def sets(base=3):
    return b"".join(struct.pack("<iiI", base + k, 2, 35 + k) for k in range(8))


def length_prefix(n, form):
    """n in the 1-, 3-, 7- or 15-byte form of the length prefix."""
    escapes = {1: b"", 3: b"\xff", 7: b"\xff\xff\xff", 15: b"\xff" * 7}
    return escapes[form] + struct.pack({1: "<B", 3: "<H", 7: "<I", 15: "<Q"}[form], n)


def narrow(name, form=1):
    """A GBK name behind a length in the 1-, 3-, 7- or 15-byte form."""
    return length_prefix(len(name), form) + name


def wide(text, form=1):
    """A name as UTF-16 behind the wide-text marker, its length in units."""
    units = text.encode("utf-16-le")
    return b"\xff\xfe\xff" + length_prefix(len(units) // 2, form) + units


def history(results):
    scores = bytes((i * 37 + 11) % 101 for i in range(results)) + bytes(670 - results)
    return scores + struct.pack("<i", results - 1)


def data_file(users, current=0, version=VERSION, count=None, tail=b""):
    body = HEADER + struct.pack("<I", version)
    if version >= VERSION:
        body += sets()
    body += struct.pack("<i", len(users) if count is None else count)
    body += b"".join(name + history(results) for name, results in users)
    return body + struct.pack("<i", current) + tail


def gbk(text):
    return text.encode("gbk")


SEEDS = {
    "first-run": data_file([]),
    "one-latin": data_file([(narrow(b"Tom"), 3)]),
    "two-latin-chinese": data_file([(narrow(b"Tom"), 12), (narrow(gbk("小明")), 1)], current=1),
    "eight-users-full-history": data_file(
        [(narrow(gbk("小红") + bytes([b"a"[0] + k])), 670 if k == 0 else k) for k in range(8)],
        current=7),
    "longest-names": data_file([(narrow(b"n" * 42), 0), (narrow(gbk("小明") * 11), 2)]),
    "name-over-42-bytes": data_file([(narrow(b"z" * 41 + gbk("明明")), 1)]),
    "length-3-byte-form": data_file([(narrow(b"Amy", 3), 1)]),
    "length-7-byte-form": data_file([(narrow(b"Amy", 7), 1)]),
    "length-15-byte-form": data_file([(narrow(b"Amy", 15), 1)]),
    "wide-1-byte-form": data_file([(wide("小明"), 2)]),
    "wide-3-byte-form": data_file([(wide("Bob 小红", 3), 2)]),
    "wide-7-byte-form": data_file([(wide("小明", 7), 2)]),
    "wide-15-byte-form": data_file([(wide("w", 15), 2)]),
    "older-version": data_file([(narrow(b"Tom"), 5), (wide("小明"), 1)], version=VERSION - 1),
    "older-version-empty": data_file([], version=VERSION - 1),
    "newer-version": data_file([(narrow(b"Tom"), 5)], version=0xFFFFFFFF),
    "stale-tail-after-delete": data_file([(narrow(b"Amy"), 4)], tail=bytes(678)),
    "current-out-of-range": data_file([(narrow(b"Tom"), 1)], current=7),
    "no-users-current-minus-one": data_file([], current=-1),
    "count-minus-one": data_file([(narrow(b"Tom"), 1)], count=-1),
    "count-too-large": data_file([(narrow(b"Tom"), 1)], count=0x7FFFFFFF),
    "length-two-to-the-63": data_file([(narrow(b"Tom", 15), 1)])[:130] +
    b"\xff\xff\xff\xff\xff\xff\xff" + struct.pack("<Q", 1 << 63) + b"Tom",
    "cut-in-history": data_file([(narrow(b"Tom"), 3)])[:400],
    "foreign-first-letter": b"X" + data_file([(narrow(b"Tom"), 3)])[1:],
}

# Two users promised, the first long enough that the second's length prefix is cut short.
for tail_name, tail in (("before-it", b""), ("after-escape", b"\xff"), ("after-wide-marker", b"\xff\xfe\xff"),
                        ("after-wide-escape", b"\xff\xfe\xff\xff"),
                        ("after-word-escape", b"\xff\xff\xff")):
    SEEDS["second-length-cut-" + tail_name] = (
        data_file([(narrow(b"x" * 673, 3), 1)], count=2)[:-4] + tail)



def main():
    HERE.mkdir(exist_ok=True)
    for old in HERE.iterdir():
        old.unlink()
    for name, content in SEEDS.items():
        (HERE / name).write_bytes(content)
    print(f"{len(SEEDS)} seeds, {sum(map(len, SEEDS.values()))} bytes in {HERE}")


if __name__ == "__main__":
    main()
