# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Two headers that define a type of the same name link into one program without a word from the
# compiler, and then one of the two layouts is used for both (a record's rows read as garbage).
# Every type a header of the game defines outside an unnamed namespace must have one home.
import pathlib
import re
import sys

ROOMS = ["platform", "gfx", "storage", "facts", "exercise", "users", "report", "sound", "app"]
DEFINITION = re.compile(r"^(?:struct|class|enum class|enum|union)\s+(\w+)\s*(?:final\s*)?[{:]", re.M)

root = pathlib.Path(sys.argv[1])
homes = {}
for room in ROOMS:
    for header in sorted((root / room).glob("*.h")):
        for name in DEFINITION.findall(header.read_text(encoding="utf-8")):
            homes.setdefault(name, []).append(str(header.relative_to(root)))
clashes = {name: places for name, places in homes.items() if len(places) > 1}
for name, places in sorted(clashes.items()):
    print(f"FAIL: {name} is defined in {', '.join(places)}")
if not homes:
    sys.exit("FAIL: no type definitions found; is the source root right?")
sys.exit(1 if clashes else 0)
