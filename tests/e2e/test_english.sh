# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A desktop that asks for English, through real X input: a child named on the name board, a page
# played, the certificate and the chart, each screen as the snapshot tool draws it in English;
# then the parents' report of that play, read by headless Chromium, in English with the child's
# figures.
source "$(dirname "$0")/run_lib.sh"
command -v chromium >/dev/null || fail "chromium is not installed (scripts/setup test)"

# The game and the snapshot tool both read it; the game, copied into bin/, finds the catalogue
# one level up, as an installed game finds it under share/.
export LANGUAGE=en
cp -r "$(dirname "$GAME_SOURCE_BINARY")/locale" "$WORK/locale"
INFO_PLANK=(500 555)
NEW_USER=(256 509)
VIEW_SCORES=(478 509)
NAME_OK=(721 385)
CLEAR=(600 480) # off the rows, so no settings panel opens on the way to a button
GRASS=(600 700)

start_xvfb 1280x1024
start_game
act_click "${INFO_PLANK[@]}"
act_move "${CLEAR[@]}"
act_click "${NEW_USER[@]}"
type_text Mia
ACTIONS+=(type Mia)
expect_like name_board -- "${ACTIONS[@]}"
act_click "${NAME_OK[@]}"
act_click "${GRASS[@]}"
act_move "${PLANK1[@]}"
expect_like title -- "${ACTIONS[@]}"

read -r -a page < <(answers_after "${ACTIONS[@]}" click "${PLANK1[@]}")
act_click "${PLANK1[@]}"
expect_like page_open "${MOVING[@]}" -- "${ACTIONS[@]}"
for answer in "${page[@]}"; do type_answer "$answer"; done
expect_like page_finished "${MOVING[@]}" -- "${ACTIONS[@]}"
act_click "${FINISH_BOOK[@]}"
expect_like certificate -- "${ACTIONS[@]}"
act_click 500 400
act_click "${INFO_PLANK[@]}"
act_move "${CLEAR[@]}"
act_click "${VIEW_SCORES[@]}"
expect_like chart -- "${ACTIONS[@]}"
click "${VIEW_SCORES[@]}" # the chart's way back
move "${CLEAR[@]}"
click "${GRASS[@]}"
click 100 530 # the leave sign
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"

"$GAME_SOURCE_BINARY" --report --out "$WORK/report.html" "$WORK/bin/zimbly-history.sqlite" \
    >/dev/null || fail "the report of the record failed"
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --disable-extensions --mute-audio \
    --user-data-dir="$WORK/chromium" --dump-dom "file://$WORK/report.html" \
    >"$WORK/dom.html" 2>"$WORK/chromium.log" || fail "chromium: $(tail -5 "$WORK/chromium.log")"
python3 - "$WORK/dom.html" "${#page[@]}" <<'EOF' || fail "the English report does not show Mia's page"
import html, re, sys
dom, answers = open(sys.argv[1], encoding="utf-8").read(), int(sys.argv[2])
assert '<html lang="en">' in dom
assert '<section class="child" data-child="Mia">' in dom, "no section for Mia"
days = re.findall(r'data-day="[^"]*" data-minutes="\d+" data-answers="(\d+)"', dom)
assert days == [str(answers)], days
headings = re.findall(r"<h[1-3][^>]*>([^<]*)", dom)
for heading in ("Zimbly parents' report", "Mia", "Practice calendar", "Score of each run",
                "Kinds of problem"):
    assert heading in map(html.unescape, headings), f"no heading {heading!r} in {headings}"
text = html.unescape(re.sub(r"<[^>]+>", "", re.sub(r"<style>.*?</style>", "", dom, flags=re.S)))
sentence = f"Days practised: 1; answers typed: {answers}; right the first time: 100%."
assert sentence in text, f"no sentence {sentence!r}"
assert not re.search(r"[\u4e00-\u9fff]", text), "Chinese on the English page"
print(f"the English report: Mia, 1 day, {answers} answers all right the first time")
EOF
echo "Mia named, a page of ${#page[@]} played, certificate and chart in English, report in English"
