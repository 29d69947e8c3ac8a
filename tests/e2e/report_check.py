# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the parents' report as a real headless browser reads it, against figures worked out
here, independently, from the same answers; then the CSV and each kind of bad input.

  report_check.py ZIMBLY_BINARY WORK_DIR [SCREENSHOT.png]
"""
import csv
import functools
import html
import io
import random
import re
import sqlite3
import subprocess
import sys
import tempfile
import time
from collections import Counter, defaultdict
from datetime import date, timedelta
from fractions import Fraction
from html.parser import HTMLParser
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import history  # noqa: E402

DAY_MS = 24 * 3600 * 1000
PAUSE_MS = 5 * 60 * 1000
THRESHOLD_MS = 6000
BLANK = "\u25a1"
PROBLEM = re.compile(r"^(\d+|□)([+-])(\d+|□)(?:([+-])(\d+|□))?=(\d+|□)$")
KINDS = ["addition", "subtraction", "chain", "mixed", "blank"]


def fail(message):
    sys.exit(f"FAIL: {message}")


def expect(what, actual, wanted):
    if actual != wanted:
        fail(f"{what}: the page shows {actual!r}, the answers give {wanted!r}")


# --- the figures, from the database ---------------------------------------------------------

def kind_and_fact(problem, expected):
    match = PROBLEM.match(problem)
    terms = [t for t in (match.group(1), match.group(3), match.group(5), match.group(6)) if t]
    signs = match.group(2) + (match.group(4) or "")
    blank = terms.index(BLANK)
    terms[blank] = expected
    fact = terms[0] + "".join(s + t for s, t in zip(signs, terms[1:-1]))
    if blank != len(terms) - 1:
        kind = "blank"
    elif len(signs) == 1:
        kind = "addition" if signs == "+" else "subtraction"
    else:
        kind = "chain" if signs[0] == signs[1] else "mixed"
    return kind, fact, [int(t) for t in terms[:-1]], signs


def median(values):
    values = sorted(values)
    if not values:
        return -1
    mid = len(values) // 2
    return values[mid] if len(values) % 2 else (values[mid - 1] + values[mid]) // 2


def state(tries):
    if not tries:
        return "grey"
    right, magnifier = tries[-1][:2]
    if not right or magnifier:
        return "red"
    fluent = sum(1 for r, m, ms, *_ in tries[-3:] if r and not m and ms <= THRESHOLD_MS)
    return "green" if fluent >= 2 else "yellow"


def grid_facts():
    facts = [f"{a}+{b}" for a in range(21) for b in range(21) if a + b <= 20 and a + b > 0]
    return facts + [f"{a}-{b}" for a in range(1, 21) for b in range(a + 1)]


def expected_figures(path):
    db = sqlite3.connect(path)
    runs = {row[0]: row for row in db.execute(
        "SELECT run_id, child, started_utc_ms, ended_utc_ms, score, set_limit, set_kinds FROM runs")}
    children = defaultdict(lambda: {"answers": [], "runs": []})
    for run in runs.values():
        children[run[1].decode("gbk")]["runs"].append(run)
    for row in db.execute("SELECT run_id, utc_ms, problem, expected, typed, is_right, "
                          "is_first_try, by_magnifier, elapsed_ms, page, position FROM answers "
                          "ORDER BY answer_id"):
        children[runs[row[0]][1].decode("gbk")]["answers"].append(row)
    figures = {}
    for name, data in children.items():
        days = defaultdict(lambda: [0, 0])  # active ms, answers
        last = {run[0]: run[2] for run in data["runs"]}
        kinds = {k: [0, 0, []] for k in KINDS}
        tries = defaultdict(list)  # one [right, magnifier, ms, day] each time a problem was asked
        first_tries = []  # (day, right, magnifier, ms)
        asked = {}
        wrong = Counter()
        wrong_forms = defaultdict(Counter)
        reviewable = set()  # every fact of two numbers asked is in review, at some stage
        for (run_id, utc, problem, expected_answer, typed, right, first, magnifier, ms, page,
             position) in data["answers"]:
            day = utc // DAY_MS
            gap = utc - last[run_id]
            if 0 < gap <= PAUSE_MS:
                days[day][0] += gap
            last[run_id] = max(last[run_id], utc)
            days[day][1] += 0 if magnifier else 1
            kind, fact, numbers, _ = kind_and_fact(problem, expected_answer)
            if first and len(numbers) == 2:
                reviewable.add(fact)
            if first:
                first_tries.append((day, right, magnifier, ms))
                kinds[kind][0] += 1
                if not magnifier:
                    kinds[kind][1] += right
                    kinds[kind][2].append(ms)
            place = (run_id, page, position)
            if first or place not in asked:
                tries[fact].append([right and not magnifier, magnifier, ms, day])
                asked[place] = tries[fact][-1]
            elif magnifier:
                asked[place][1] = 1
            if not right and not magnifier:
                wrong[fact] += first
                wrong_forms[fact][problem.replace(BLANK, typed)] += 1
        for run in data["runs"]:
            if run[3] is not None and run[3] // DAY_MS in days:
                gap = run[3] - last[run[0]]
                if 0 < gap <= PAUSE_MS:
                    days[run[3] // DAY_MS][0] += gap
        grid = {fact: state(tries.get(fact, [])) for fact in grid_facts()}
        most_wrong = sorted((f for f in wrong if wrong[f]), key=lambda f: (-wrong[f], f))[:10]
        weakest = []
        if any(run[5] > 20 for run in data["runs"]):
            ranked = []
            for fact, fact_tries in tries.items():
                numbers = [int(n) for n in re.findall(r"\d+", fact)]
                if len(numbers) != 2 or max(numbers + [sum(numbers)] if "+" in fact else numbers) <= 20:
                    continue
                own = [t for t in fact_tries if not t[1]]
                ranked.append(({"red": 0, "yellow": 1, "green": 2}[state(fact_tries)],
                               Fraction(sum(t[0] for t in own), len(fact_tries)),
                               -median([t[2] for t in own]), fact))
            weakest = [entry[3] for entry in sorted(ranked)[:20]]
        figures[name] = {
            "days": {(date(1970, 1, 1) + timedelta(days=day)).isoformat(): ((ms + 30000) // 60000, n)
                     for day, (ms, n) in days.items()},
            "answers": sum(n for _, n in days.values()),
            "kinds": {k: (v[0], v[1], median(v[2])) for k, v in kinds.items()},
            "problems": sum(v[0] for v in kinds.values()),
            "right": sum(v[1] for v in kinds.values()),
            "grid": grid,
            "green": sum(1 for s in grid.values() if s == "green"),
            "most_wrong": [(f, wrong[f], max(sorted(wrong_forms[f].items()), key=lambda i: i[1])[0],
                            state(tries[f])) for f in most_wrong],
            "in_review": len(reviewable),
            "scores": sorted(run[4] for run in data["runs"] if run[4] is not None),
            "weakest": weakest,
            "raw": (days, first_tries, tries, wrong, {(run[5], run[6]) for run in data["runs"]}),
        }
    return figures


# --- the page, as the browser has it --------------------------------------------------------

class Page(HTMLParser):
    """Every element with data attributes, under the child section it is in; and every tag."""

    def __init__(self):
        super().__init__()
        self.tags = Counter()
        self.sections = {}
        self.overview = {}
        self.failed = []
        self.current = None
        self.heading = None
        self.texts = defaultdict(str)

    def handle_starttag(self, tag, attrs):
        self.tags[tag] += 1
        attrs = dict(attrs)
        if tag == "section" and "child" in (attrs.get("class") or ""):
            self.current = self.sections.setdefault(attrs["data-child"], defaultdict(list))
        elif tag == "tr" and "data-child" in attrs and self.current is None:
            self.overview[attrs["data-child"]] = attrs
        elif "data-failed" in attrs:
            self.failed.append(attrs["data-failed"])
        elif self.current is not None:
            for key in ("data-fact", "data-kind", "data-day", "data-score", "data-due",
                        "data-later", "data-week", "data-sets", "data-new", "data-todo",
                        "data-review"):
                if key in attrs:
                    self.current[key].append((tag, attrs))
                    break
        if tag == "h2" and self.current is not None:
            self.heading = self.current

    def handle_endtag(self, tag):
        if tag == "h2":
            self.heading = None

    def handle_data(self, data):
        if self.heading is not None:
            self.texts[id(self.heading)] += data


CHROMIUM = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--disable-extensions", "--mute-audio"]


def browse(page, work, *extra):
    profile = tempfile.mkdtemp(dir=work)
    result = subprocess.run(CHROMIUM + [f"--user-data-dir={profile}", *extra, page.as_uri()],
                            capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        fail(f"chromium: {result.stderr[-2000:]}")
    return result.stdout


def run_zimbly(binary, work, *args, language=None):
    env = {"PATH": "/usr/bin:/bin", "HOME": str(work / "home"), "TZ": "UTC", "LANG": "C.UTF-8"}
    if language:
        env["LANGUAGE"] = language
    return subprocess.run([binary, *args], capture_output=True, env=env, cwd=work, timeout=60)


def check_page(binary, work, screenshot):
    seeded = work / "class.sqlite"
    history.seed(str(seeded))
    page = work / "report.html"
    result = run_zimbly(binary, work, "--report", "--out", str(page), str(seeded))
    if result.returncode != 0:
        fail(f"--report exit {result.returncode}: {result.stderr.decode()}")
    wanted = expected_figures(seeded)
    dom = browse(page, work, "--dump-dom")
    parsed = Page()
    parsed.feed(dom)
    if parsed.tags["img"] or parsed.tags["script"]:
        fail("markup from a name became elements")
    expect("children", sorted(parsed.sections), sorted(wanted))
    for name, figures in wanted.items():
        row = parsed.overview[name]
        expect(f"{name} overview", (int(row["data-days"]), int(row["data-answers"]),
                                    int(row["data-problems"]), int(row["data-right"]),
                                    int(row["data-green"]), int(row["data-cells"])),
               (len(figures["days"]), figures["answers"], figures["problems"], figures["right"],
                figures["green"], 460))
        section = parsed.sections[name]
        expect(f"{name}'s heading", parsed.texts[id(section)], name)
        cells = {a["data-fact"]: a["data-state"] for tag, a in section["data-fact"] if tag == "td"}
        expect(f"{name}'s grid", cells, figures["grid"])
        kinds = {a["data-kind"]: (int(a["data-problems"]), int(a["data-right"]),
                                  int(a["data-median-ms"])) for _, a in section["data-kind"]}
        expect(f"{name}'s kinds", kinds, figures["kinds"])
        days = {a["data-day"]: (int(a["data-minutes"]), int(a["data-answers"]))
                for _, a in section["data-day"]}
        expect(f"{name}'s calendar", days, figures["days"])
        wrong = [(a["data-fact"], int(a["data-wrong"]), a["data-common"], a["data-now"])
                 for tag, a in section["data-fact"] if tag == "tr" and "data-wrong" in a]
        expect(f"{name}'s most wrong", wrong, figures["most_wrong"])
        weakest = [a["data-fact"] for tag, a in section["data-fact"]
                   if tag == "tr" and "data-state" in a]
        expect(f"{name}'s weakest beyond 20", weakest, figures["weakest"])
        in_review = sum(int(a["data-count"]) for _, a in section["data-due"]) + sum(
            int(a["data-later"]) for _, a in section["data-later"])
        expect(f"{name}'s facts in review", in_review, figures["in_review"])
        scores = sorted(int(a["data-score"]) for _, a in section["data-score"])
        expect(f"{name}'s scores", scores, figures["scores"])
    weak_shown = {f for f, s in wanted["小明"]["grid"].items() if s == "red"}
    if not {"7+8", "13-6"} & weak_shown:
        fail("the simulated weak facts are not red")
    if screenshot:
        browse(page, work, f"--screenshot={screenshot}", "--window-size=1100,2400",
               "--hide-scrollbars")
    print(f"page: {len(wanted)} children, {sum(f['answers'] for f in wanted.values())} answers, "
          f"grid, kinds, calendar, most wrong and its colours, facts in review, weakest and "
          f"scores as computed; "
          f"{page.stat().st_size} bytes")


# --- the summary: this week against last, and the facts of the sets played ----------------

def week_of(day, today):
    back = today - day
    return back // 7 if 0 <= back < 14 else None


def set_asks(limit, kinds, fact):
    a, sign, b = re.match(r"(\d+)([+-])(\d+)$", fact).groups()
    a, b = int(a), int(b)
    if sign == "+":
        return bool(kinds & 1) and 0 < a + b <= limit
    return bool(kinds & 2) and 1 <= a <= limit and b <= a


def expected_summary(figures, today):
    days, first_tries, tries, wrong, sets = figures["raw"]
    weeks = {}
    for week, key in enumerate(("this", "last")):
        own = [d for d in days if week_of(d, today) == week]
        firsts = [t for t in first_tries if week_of(t[0], today) == week]
        weeks[key] = (len(own), (sum(days[d][0] for d in own) + 30000) // 60000,
                      sum(days[d][1] for d in own), len(firsts),
                      sum(r for _, r, m, _ in firsts if not m), median([ms for *_, m, ms in firsts if not m]))
    largest = min(100, max(limit for limit, _ in sets))
    facts = [f"{a}+{b}" for a in range(largest + 1) for b in range(largest + 1 - a)]
    facts += [f"{a}-{b}" for a in range(1, largest + 1) for b in range(a + 1)]
    practised = [f for f in facts if any(set_asks(limit, kinds, f) for limit, kinds in sets)]
    colour = {f: state(tries[f]) for f in practised if f in tries}
    new = []
    for fact in (f for f in practised if colour.get(f) == "green"):
        recent = [i for i, t in enumerate(tries[fact]) if t[3] > today - 7]
        if recent and state(tries[fact][:recent[0]]) != "green":
            new.append(fact)
    return {"weeks": weeks, "sets": " ".join(f"{limit}:{kinds}" for limit, kinds in sorted(sets)),
            "practised": (len(practised), sum(1 for c in colour.values() if c == "green")),
            "new": new, "todo": sorted(((f, c) for f, c in colour.items() if c in ("red", "yellow")),
                                       key=lambda fc: (fc[1] == "yellow", -wrong[fc[0]]))}


def check_summary(binary, work, screenshot):
    today = int(time.time() * 1000) // DAY_MS
    recent = work / "recent.sqlite"
    db = history.create(str(recent))
    rng = random.Random(36)
    # Three weeks up to today, two sets, and both days beside each week's edge; 小刚 only this week.
    for day in sorted(set(rng.sample(range(21), 10)) | {6, 7, 13, 14}):
        limit, kinds, bits = (10, ["+"], 1) if day % 3 else (15, ["-"], 2)
        history.seed_child(db, rng, "小红", [day], limit, kinds, 0.7, bits, (today - 20) * DAY_MS)
    history.seed_child(db, rng, "小刚", [18, 19], 10, ["+", "++"], 0.9, 5, (today - 20) * DAY_MS)
    db.commit()
    db.close()
    for path in (work / "class.sqlite", recent):
        page = work / f"{path.stem}-summary.html"
        if run_zimbly(binary, work, "--report", "--out", str(page), str(path)).returncode:
            fail(f"--report of {path.name} failed")
        if int(time.time() * 1000) // DAY_MS != today:
            fail("midnight passed during the summary check; run again")
        dom = browse(page, work, "--dump-dom")
        parsed = Page()
        parsed.feed(dom)
        leads = [re.sub("<[^>]+>", "", lead) for lead in re.findall(r'<p class="lead">(.*?)</p>', dom)]
        figures = expected_figures(path)
        wanted = {name: expected_summary(f, today) for name, f in figures.items()}
        for (name, shown), lead in zip(parsed.sections.items(), leads, strict=True):
            weeks = {a["data-week"]: tuple(int(a[k]) for k in (
                "data-days", "data-minutes", "data-answers", "data-problems", "data-right",
                "data-median-ms")) for _, a in shown["data-week"]}
            expect(f"{name}'s weeks", weeks, wanted[name]["weeks"])
            mastery = shown["data-sets"][0][1]
            expect(f"{name}'s sets and mastery", (mastery["data-sets"], (
                int(mastery["data-practised"]), int(mastery["data-practised-green"]))),
                (wanted[name]["sets"], wanted[name]["practised"]))
            expect(f"{name}'s new green", [a["data-new"] for _, a in shown["data-new"]],
                   wanted[name]["new"][:24])
            expect(f"{name}'s facts to practise", [(a["data-todo"], a["data-state"])
                   for _, a in shown["data-todo"]], wanted[name]["todo"][:24])
            days, minutes = wanted[name]["weeks"]["this"][:2]
            if days and not lead.startswith(f"最近 7 天练了 {days} 天共 {minutes} 分钟"):
                fail(f"{name}'s sentence: {lead}")
            if "、".join(f for f, _ in wanted[name]["todo"][:5]) not in lead:
                fail(f"{name}'s sentence does not name the facts to practise first: {lead}")
            expect(f"{name}'s review", [int(a["data-review"]) for _, a in shown["data-review"]],
                   [figures[name]["in_review"]] if figures[name]["in_review"] else [])
    red, gang = wanted["小红"], wanted["小刚"]
    if not (red["new"] and red["weeks"]["last"][0] and {"red", "yellow"} <= {s for _, s in red["todo"]}
            and not gang["weeks"]["last"][0] and gang["practised"][0] == 65):
        fail(f"the recent record does not try the summary's cases: {red}")
    if screenshot:
        browse(page, work, f"--screenshot={screenshot}", "--window-size=1100,2400",
               "--hide-scrollbars")
    print(f"summary: weeks, sets played, mastery, new green, facts to practise and the sentence as "
          f"computed; 小红 {red['weeks']}, {red['practised']}")


# --- the page in English ----------------------------------------------------------------------

def check_english(binary, work):
    """The desktop asking for English: the page's headings and sentences in English, nothing left
    in Chinese but the children's names, and the figures those of the same answers."""
    seeded, recent = work / "class.sqlite", work / "recent.sqlite"
    today = int(time.time() * 1000) // DAY_MS
    for path in (seeded, recent):
        page = work / f"{path.stem}-en.html"
        if run_zimbly(binary, work, "--report", "--out", str(page), str(path),
                      language="en").returncode:
            fail(f"English --report of {path.name} failed")
        dom = browse(page, work, "--dump-dom")
        if '<html lang="en">' not in dom:
            fail("the English page does not say lang=\"en\"")
        parsed = Page()
        parsed.feed(dom)
        figures = expected_figures(path)
        expect("children on the English page", sorted(parsed.sections), sorted(figures))
        text = html.unescape(re.sub(r"<[^>]+>", "", re.sub(r"<style>.*?</style>", "", dom,
                                                           flags=re.S)))
        for heading in ("Zimbly parents' report", "Overview", "Practice calendar",
                        "Score of each run", "Kinds of problem", "The 10 facts most often wrong",
                        "Sums up to 20: what is mastered", "MonTueWedThuFriSatSun"):
            if heading not in text:
                fail(f"the English page lacks {heading!r}")
        # Chinese words and their punctuation; the grid's corner a＼b is a sign, not a word.
        unnamed = functools.reduce(lambda t, name: t.replace(name, ""), figures, text)
        left = re.findall(r"[\u3000-\u303f\u4e00-\u9fff（），：；]+", unnamed)
        if left:
            fail(f"Chinese left on the English page: {sorted(set(left))[:10]}")
        for name, wanted in figures.items():
            row = parsed.overview[name]
            expect(f"{name}'s English overview", (int(row["data-days"]), int(row["data-answers"]),
                                                  int(row["data-right"])),
                   (len(wanted["days"]), wanted["answers"], wanted["right"]))
            # The sentence under the summary puts the figures in the translation's places.
            share = f"{wanted['right'] * 100 // wanted['problems']}%"
            if (f"Days practised: {len(wanted['days'])}; answers typed: {wanted['answers']}; "
                    f"right the first time: {share}.") not in text:
                fail(f"{name}'s figures are not in the English sentence")
            if path == recent:
                days, minutes = expected_summary(wanted, today)["weeks"]["this"][:2]
                if days and f"Last 7 days: practised on {days} of them, {minutes} minutes in all" \
                        not in text:
                    fail(f"{name}'s English summary does not give {days} days, {minutes} minutes")
    out = work / "answers-en.csv"
    run_zimbly(binary, work, "--export-csv", "--out", str(out), str(seeded), language="en")
    header = out.read_bytes()[3:].decode("utf-8").split("\r\n")[0].split(",")
    expect("English CSV header", (len(header), header[:3]), (18, ["Child", "Time", "UTC ms"]))
    print(f"english: headings, no Chinese but the names, figures of {len(figures)} children and "
          f"the summary's sentence as computed; CSV header {header[:3]}")


def check_bad_inputs(binary, work):
    good = work / "class.sqlite"
    not_ours = work / "not-ours.sqlite"
    not_ours.write_text("a shopping list\n" * 300)
    damaged = work / "damaged.sqlite"
    history.seed(str(damaged))
    sqlite3.connect(damaged).execute("PRAGMA wal_checkpoint(TRUNCATE)").fetchall()
    history.damage(str(damaged))
    newer = work / "newer.sqlite"
    history.create(str(newer), history.SCHEMA_VERSION + 1).close()
    page = work / "mixed.html"
    result = run_zimbly(binary, work, "--report", "--out", str(page), str(not_ours), str(good),
                        str(damaged), str(newer))
    stderr = result.stderr.decode()
    if result.returncode == 0:
        fail("bad histories gave exit status 0")
    for path, word in ((not_ours, "not an answer record"), (damaged, "damaged"),
                       (newer, "newer version")):
        if not any(str(path) in line and word in line for line in stderr.splitlines()):
            fail(f"stderr does not name {path.name} as {word}: {stderr}")
    parsed = Page()
    parsed.feed(browse(page, work, "--dump-dom"))
    expect("children beside bad files", sorted(parsed.sections), sorted(expected_figures(good)))
    expect("failed files listed", sorted(parsed.failed), sorted(map(str, (not_ours, damaged, newer))))
    newer_bytes = newer.read_bytes()
    run_zimbly(binary, work, "--report", "--out", str(page), str(newer))
    if newer.read_bytes() != newer_bytes:
        fail("the newer record was changed")
    print(f"bad inputs: exit {result.returncode}, each named: "
          + " | ".join(line for line in stderr.splitlines()))


def check_csv(binary, work):
    names = work / "formulas.sqlite"
    history.csv_names(str(names))
    out = work / "answers.csv"
    result = run_zimbly(binary, work, "--export-csv", "--out", str(out), str(names))
    if result.returncode != 0:
        fail(f"--export-csv exit {result.returncode}: {result.stderr.decode()}")
    data = out.read_bytes()
    if not data.startswith(b"\xef\xbb\xbf"):
        fail("no byte-order mark")
    rows = list(csv.reader(io.StringIO(data[3:].decode("utf-8"), newline="")))
    count = sqlite3.connect(names).execute("SELECT count(*) FROM answers").fetchone()[0]
    expect("CSV rows", len(rows) - 1, count)
    expect("CSV header", rows[0][:3], ["孩子", "时间", "UTC毫秒"])
    for row in rows[1:]:
        if row[0][0] in "=+-@":
            fail(f"a live formula cell: {row[0]}")
    shown = {row[0] for row in rows[1:]}
    expect("inert names", shown, {"'" + name for name in history.FORMULA_NAMES})
    print(f"csv: {count} rows, names {sorted(shown)}")


# --- scores by set, the facts' histories behind the links, the class page --------------------

class Views(HTMLParser):
    """Per child section: the score chart's sets and marks, every link to a fact's history and
    what it stands for, and every history; the page's heading and the class's weakest facts."""

    def __init__(self):
        super().__init__()
        self.sections = {}
        self.current = None
        self.h1 = [""]
        self.text = None  # where the data of the open element goes
        self.set = None
        self.cell = None
        self.weakest = []
        self.last = {}
        self.ids = Counter()
        self.column = 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids[attrs["id"]] += 1
        if tag == "h1":
            self.text = self.h1
        elif tag == "section" and "child" in (attrs.get("class") or ""):
            self.current = self.sections.setdefault(
                attrs["data-child"], {"sets": {}, "links": [], "histories": {}})
        elif tag == "tr" and "data-last" in attrs:
            self.last[attrs["data-child"]] = attrs["data-last"]
        elif tag == "tr" and "data-class-fact" in attrs:
            self.weakest.append(attrs["data-class-fact"])
        elif self.current is None:
            return
        elif tag == "g" and "data-set" in attrs:
            self.set = self.current["sets"][attrs["data-set"]] = [int(attrs["data-runs"]), []]
        elif self.set is not None and "data-score" in attrs:
            x = attrs.get("cx") or attrs.get("x") or re.match(r"M([\d.]+)", attrs["d"]).group(1)
            self.set[1].append((float(x), int(attrs["data-score"])))
        elif tag == "tr":
            self.column = 0
        elif tag == "td" and "data-day" in attrs:  # a calendar's day: in its weekday's column
            if date.fromisoformat(attrs["data-day"]).weekday() != self.column:
                fail(f"{attrs['data-day']} is not under its weekday (column {self.column})")
        elif tag == "td" and "data-fact" in attrs:
            self.cell = attrs["data-fact"]
        elif tag == "a" and attrs.get("href", "").startswith("#"):
            link = [attrs["href"][1:], self.cell or ""]
            self.current["links"].append(link)
            if not self.cell:
                self.text = link
        elif tag == "article":
            self.text = self.current["histories"][attrs["id"]] = [""]
        elif tag in ("h4", "pre") and self.text is not None:
            self.text.append("")

    def handle_endtag(self, tag):
        if tag == "td":
            self.column += 1
            self.cell = None
        elif tag == "pre" and self.text is not None:
            self.text.append("")
        elif tag == "g":
            self.set = None
        elif tag in ("a", "h1", "article"):
            self.text = None
        elif tag == "section":
            self.current = None

    def handle_data(self, data):
        if self.text is not None:
            self.text[-1] += data


def asked_times(path):
    """Per child and fact, each time it was asked: [first answer's ms, typed answers, first
    elapsed, right at the first answer without help, magnifier], as the report groups retries."""
    db = sqlite3.connect(path)
    child_of = {run: name.decode("gbk") for run, name in db.execute("SELECT run_id, child FROM runs")}
    times = defaultdict(lambda: defaultdict(list))
    asked = {}
    for run, utc, problem, answer, typed, right, first, magnifier, ms, page, position in db.execute(
            "SELECT run_id, utc_ms, problem, expected, typed, is_right, is_first_try, "
            "by_magnifier, elapsed_ms, page, position FROM answers ORDER BY answer_id"):
        fact = kind_and_fact(problem, answer)[1]
        tries = times[child_of[run]][fact]
        place = (run, page, position)
        if first or place not in asked or asked[place][0] is not tries:
            tries.append([utc, [], ms, bool(right and not magnifier), False])
            asked[place] = (tries, tries[-1])
        entry = asked[place][1]
        if magnifier:
            entry[4] = True
        else:
            entry[1].append(typed)
    return times


def history_lines(tries):
    """The history's lines as the page should print them, newest first, with its earlier count."""
    lines, year = [], None
    for utc, typed, ms, _, magnifier in reversed(tries[-20:]):
        moment = date(1970, 1, 1) + timedelta(milliseconds=utc)
        if moment.year != year:
            lines.append(f"{moment.year} 年")
            year = moment.year
        minute = utc % DAY_MS // 60000
        lines.append(f"{moment:%m-%d} {minute // 60:02d}:{minute % 60:02d} {ms / 1000:5.1f} "
                     + " ".join(typed) + (" 放大镜" if magnifier else ""))
    return lines, max(0, len(tries) - 20)


def set_names(runs):
    sets = {(limit, kinds) for limit, kinds, score in runs if score is not None}
    names = {}
    for limit, kinds in sets:
        name = f"{limit} 以内算术题"
        if sum(1 for other, _ in sets if other == limit) > 1:
            name += "（" + "、".join(n for bit, n in enumerate(
                ["加", "减", "连加", "连减", "加减混合", "填空"]) if kinds >> bit & 1) + "）"
        names[(limit, kinds)] = name
    return names


def check_views(binary, work):
    # A second record: one child on two planks of one limit (different kinds) and one other.
    seeded, other = work / "class.sqlite", work / "other.sqlite"
    db = history.create(str(other))
    rng = random.Random(8)
    history.seed_child(db, rng, "王子涵", range(50, 60), 10, ["+", "-"], 0.8)
    history.seed_child(db, rng, "王子涵", range(52, 60), 20, ["+", "-"], 0.8)
    db.execute("UPDATE runs SET set_kinds = 3 WHERE set_limit = 10 AND run_id % 2 = 0")
    db.commit()
    db.close()
    page = work / "class.html"
    result = run_zimbly(binary, work, "--report", "--out", str(page), str(seeded), str(other))
    if result.returncode != 0:
        fail(f"class --report exit {result.returncode}: {result.stderr.decode()}")
    views = Views()
    views.feed(browse(page, work, "--dump-dom"))
    if "班级报告" not in views.h1[0]:
        fail(f"children of two records are not called a class: {views.h1[0]!r}")
    duplicated = [i for i, n in views.ids.items() if n > 1]
    if duplicated:
        fail(f"ids used twice on the page: {duplicated[:5]}")
    wanted, times, runs = {}, {}, defaultdict(list)
    for path in (seeded, other):
        wanted.update(expected_figures(path))
        times.update(asked_times(path))
        for name, limit, kinds, score in sqlite3.connect(path).execute(
                "SELECT child, set_limit, set_kinds, score FROM runs"):
            runs[name.decode("gbk")].append((limit, kinds, score))
    expect("children in the class", sorted(views.sections), sorted(wanted))
    order = {fact: i for i, fact in enumerate(grid_facts())}
    red = Counter(f for w in wanted.values() for f, s in w["grid"].items() if s == "red")
    weak = Counter(f for w in wanted.values() for f, s in w["grid"].items() if s in ("red", "yellow"))
    expect("the class's weakest facts", views.weakest,
           sorted(weak, key=lambda f: (-weak[f], -red[f], order[f]))[:10])
    for name, figures in wanted.items():
        expect(f"{name}'s last day", views.last[name], max(figures["days"]))
        section = views.sections[name]
        names = set_names(runs[name])
        by_set = Counter(names[(limit, kinds)] for limit, kinds, score in runs[name]
                         if score is not None)
        expect(f"{name}'s score lines", {n: (r, len(marks)) for n, (r, marks) in section["sets"].items()},
               {n: (count, count) for n, count in by_set.items()})
        xs = [x for _, marks in section["sets"].values() for x, _ in marks]
        if len(set(xs)) != len(xs):
            fail(f"{name}: two runs drawn at one place")
        for target, fact in section["links"]:
            if target not in section["histories"]:
                fail(f"{name}: the link to #{target} ({fact}) leads to no history of theirs")
            _, heading, text, *rest = section["histories"][target] + [""]
            expect(f"{name}: the history #{target} links from", heading, fact)
            lines, earlier = history_lines(times[name][fact])
            expect(f"{name}: the history of {fact}", text.splitlines()[1:], lines)
            expect(f"{name}: earlier times of {fact}", re.findall(r"\d+", rest[0] if rest else "")
                   [:1], [str(earlier)] if earlier else [])
    expect("a plank's sets of one limit told apart", sorted(views.sections["王子涵"]["sets"]),
           sorted(["10 以内算术题（加、减）", "10 以内算术题（加、减、连加、连减、加减混合、填空）",
                   "20 以内算术题"]))
    print(f"views: a class of {len(wanted)}, its weakest {views.weakest}; score lines "
          + "; ".join(f"{n}: {sorted(s['sets'])}" for n, s in views.sections.items())
          + f"; {sum(len(s['links']) for s in views.sections.values())} links to their histories")


def main():
    binary, work = str(Path(sys.argv[1]).resolve()), Path(sys.argv[2])
    screenshot = sys.argv[3] if len(sys.argv) > 3 else ""
    check_page(binary, work, screenshot)
    check_summary(binary, work, screenshot and screenshot.replace(".png", "-summary.png"))
    check_english(binary, work)
    check_views(binary, work)
    check_bad_inputs(binary, work)
    check_csv(binary, work)


if __name__ == "__main__":
    main()
