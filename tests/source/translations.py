# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every language's file translates every text the code marks or a picture paints, and nothing in
# it is fuzzy or malformed (a format whose conversions differ from the text's would print garbage
# or crash).
# Usage: translations.py SOURCE_DIR CMAKE VERSION
import pathlib
import re
import subprocess
import sys
import tempfile

source, cmake, version = pathlib.Path(sys.argv[1]).resolve(), sys.argv[2], sys.argv[3]
failures = []
with tempfile.TemporaryDirectory() as work:
    # The texts as the code marks them now, not as po/zimbly.pot last recorded them.
    template = pathlib.Path(work) / "zimbly.pot"
    subprocess.run([cmake, "-DXGETTEXT=xgettext", f"-DSOURCE_DIR={source}",
                    "-DFOLDERS=facts;exercise;users;report;app", f"-DOUTPUT={template}",
                    f"-DVERSION={version}", "-P", str(source / "po/MakeTemplate.cmake")],
                   check=True, capture_output=True)
    languages = sorted((source / "po").glob("*.po"))
    if not languages:
        failures.append("no language file in po/")
    for po in languages:
        checked = subprocess.run(["msgfmt", "--check", "--statistics", "-o", "/dev/null", str(po)],
                                 capture_output=True, text=True)
        statistics = checked.stderr.strip()
        print(f"{po.name}: {statistics}")
        if checked.returncode != 0 or re.search(r"untranslated|fuzzy", statistics):
            failures.append(f"{po.name}: {statistics}")
        compared = subprocess.run(["msgcmp", str(po), str(template)], capture_output=True, text=True)
        if compared.returncode != 0:
            failures.append(f"{po.name} lacks texts the code marks:\n{compared.stderr.strip()}")
# The screens draw their texts through GBK, the data file's encoding: a letter outside it would lose
# the whole text. The report, the command line and the pictures' words are written in UTF-8.
UTF8_ONLY = ("report/", "app/ReportCommand.cpp", "app/main.cpp", "res/svg/")


def entries(po):
    """(references, msgctxt, msgstrs) of each entry of a file written with --no-wrap."""
    for block in po.read_text(encoding="utf-8").split("\n\n"):
        references = " ".join(line[3:] for line in block.splitlines() if line.startswith("#: "))
        texts = re.findall(r'^msgstr(?:\[\d+\])? "(.*)"$', block, re.M)
        context = re.search(r'^msgctxt "(.*)"$', block, re.M)
        yield references, context and context.group(1), [eval(f'"{t}"') for t in texts]


for po in languages:
    for references, context, texts in entries(po):
        if not references or all(r.startswith(UTF8_ONLY) for r in references.split()):
            continue
        for text in texts:
            try:
                text.encode("gbk")
            except UnicodeEncodeError as error:
                failures.append(f"{po.name}: \"{text}\" ({references}) has {error.object[error.start]!r},"
                                " which the screens cannot draw (they draw GBK)")
# Words painted in a picture reach the template, and so a translation, only with their box.
for svg in sorted((source / "res/svg").glob("*.svg")):
    for tag, words in re.findall(r"(<text [^>]*>)([^<]*)</text>", svg.read_text(encoding="utf-8")):
        if not words.isascii() and "data-box=" not in tag:
            failures.append(f"{svg.name}: \"{words}\" is painted without a data-box")
for failure in failures:
    print(failure, file=sys.stderr)
sys.exit(1 if failures else 0)
