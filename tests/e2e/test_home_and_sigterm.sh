# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Leaving runs early through real X input: Home with nothing answered goes back to the title,
# Home with answers shows the certificate and records nothing, the finish book records; a
# SIGTERM in the middle of a run saves the file with every result kept.
source "$(dirname "$0")/run_lib.sh"

start_xvfb 1280x1024
python3 "$E2E_DIR/datafile.py" build "$WORK/before.cfg" 0 Tom:50
mkdir -p "$WORK/bin"
cp "$WORK/before.cfg" "$WORK/bin/Sumora.cfg"
start_game
ACTIONS+=(user Tom scores 50)

start_run() {
    act_move "${PLANK1[@]}"
    read -r -a page < <(answers_after "${ACTIONS[@]}" click "${PLANK1[@]}")
    act_click "${PLANK1[@]}"
    expect_like "$1" "${MOVING[@]}" -- "${ACTIONS[@]}"
}

start_run run1
act_key Home 36
expect_like home_without_answers -- "${ACTIONS[@]}"

start_run run2
type_answer "${page[0]}"
type_answer "${page[1]}"
act_key Home 36
expect_like home_with_answers -- "${ACTIONS[@]}"
act_click 500 400

start_run run3
type_answer $(((page[0] + 1) % 10))
act_key Delete 46
type_answer "${page[0]}"
act_click "${FINISH_BOOK[@]}"
expect_like finished_with_the_book -- "${ACTIONS[@]}"
act_click 500 400

start_run run4
type_answer "${page[0]}"
expect_like before_sigterm "${MOVING[@]}" -- "${ACTIONS[@]}"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after SIGTERM"
# Home recorded nothing; the finish book recorded 0 (one done, none at the first try).
python3 "$E2E_DIR/datafile.py" build "$WORK/expected.cfg" 0 Tom:50,0
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || {
    python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg"
    fail "Tom's history is not 50, 0"
}
echo "Home twice (title, certificate) recorded nothing; the book recorded 0; SIGTERM saved it"
