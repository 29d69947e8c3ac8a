# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The art step paints a painted text's translation inside its box: every pixel of the words lies
# in the box, whether the words fit as they are or had to shrink or move; words that do not fit at
# the smallest size allowed, or a drawing whose own words leave their box, fail the build.
# Usage: painted_words.py RENDER_ART
import array
import pathlib
import subprocess
import sys
import tempfile

render_art = sys.argv[1]
WIDTH, HEIGHT = 200, 60
BOX = (20, 12, 160, 30)  # x y width height
WHITE = 0xFFFFFF


def svg(box):
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}">
<g transform="translate(-10 -5)"><text x="110" y="43" font-family="Noto Serif CJK SC"
 font-weight="bold" font-size="24" text-anchor="middle" fill="#5b3a1e" letter-spacing="3"
 data-box="{box[0] + 10} {box[1] + 5} {box[2]} {box[3]}">离开</text></g></svg>"""


def catalogue(work, words):
    po = work / "words.po"
    po.write_text('msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n\n'
                  f'msgctxt "picture"\nmsgid "离开"\nmsgstr "{words}"\n', encoding="utf-8")
    subprocess.run(["msgfmt", "-o", str(work / "words.mo"), str(po)], check=True)
    return str(work / "words.mo")


def outside_box(raw):
    pixels = array.array("I", raw.read_bytes())
    return sum(1 for y in range(HEIGHT) for x in range(WIDTH)
               if pixels[y * WIDTH + x] != WHITE
               and not (BOX[0] <= x < BOX[0] + BOX[2] and BOX[1] <= y < BOX[1] + BOX[3]))


# (what, box, translation or None for the drawing itself, should the build pass)
CASES = [
    ("the drawing's own words", BOX, None, True),
    ("short words", BOX, "Bye!", True),
    ("long words, shrunk", BOX, "Goodbye, friends", True),
    ("words with descenders, moved up", BOX, "gypsy jig", True),
    ("words too long even when shrunk", BOX, "Goodbye and see you again", False),
    ("a drawing whose words leave their box", (20, 12, 30, 30), None, False),
]
failures = []
with tempfile.TemporaryDirectory() as folder:
    work = pathlib.Path(folder)
    for what, box, words, passes in CASES:
        (work / "picture.svg").write_text(svg(box), encoding="utf-8")
        raw = work / "picture.raw"
        raw.unlink(missing_ok=True)
        command = [render_art, str(work / "picture.svg"), str(raw), str(WIDTH), str(HEIGHT), "0"]
        if words is not None:
            command.append(catalogue(work, words))
        result = subprocess.run(command, capture_output=True, text=True)
        if (result.returncode == 0) != passes:
            failures.append(f"{what}: exit {result.returncode}, {result.stderr.strip()}")
        elif passes and outside_box(raw):
            failures.append(f"{what}: {outside_box(raw)} pixels of the words outside the box")
        elif not passes and (raw.exists() or "does not fit its box" not in result.stderr):
            failures.append(f"{what}: no clear refusal: {result.stderr.strip()}")
        print(f"{what}: {'fails' if result.returncode else 'fits'} {result.stderr.strip()}")
for failure in failures:
    print(failure, file=sys.stderr)
sys.exit(1 if failures else 0)
