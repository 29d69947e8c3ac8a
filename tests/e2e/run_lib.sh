# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the tests that play exercise runs: a fixed seed, so that the snapshot tool can tell
# the answers of every page, and the places of the exercise screen's controls.
source "$(dirname "$0")/lib.sh"

export ZIMBLY_SEED=7
ACTIONS=(seed "$ZIMBLY_SEED")
PLANK1=(400 250) # "4 以内算术题"
BALL_Y=735
ball_x() { echo $((160 + 64 * $1)); } # the digit balls 0..9, then clear and submit
SUBMIT=(863 735)
MAGNIFIER=(974 718)
FINISH_BOOK=(50 718)
# Things that change on their own: the two butterflies and a finished page's time.
MOVING=(--skip 836,489,875,529 --skip 782,622,821,662 --skip 640,704,896,768)

# answers_after ACTIONS...: the answers of the page the snapshot tool shows after them.
answers_after() { "$SNAPSHOT" "$WORK/answers.png" "$@" answers | tail -n 1; }

# Typing an answer: on the main keyboard, on the numeric keypad, or on the digit balls.
type_answer() {
    local digit
    for digit in $(echo "$1" | grep -o .); do act_key "$digit" $((0x30 + digit)); done
    act_key Return 13
}
keypad_answer() {
    local digit
    for digit in $(echo "$1" | grep -o .); do act_key "KP_$digit" $((0x60 + digit)); done
    act_key KP_Enter 13
}
ball_answer() {
    local digit
    for digit in $(echo "$1" | grep -o .); do act_click "$(ball_x "$digit")" "$BALL_Y"; done
    act_click "${SUBMIT[@]}"
}

# open_first_page_as_tom: the game (on the X server already started) with one user, Tom,
# current, showing the first page of plank 1; page holds that page's answers.
open_first_page_as_tom() {
    python3 "$E2E_DIR/datafile.py" build "$WORK/before.cfg" 0 Tom:
    mkdir -p "$WORK/bin"
    cp "$WORK/before.cfg" "$WORK/bin/Sumora.cfg"
    start_game
    ACTIONS+=(user Tom)
    act_move "${PLANK1[@]}"
    read -r -a page < <(answers_after "${ACTIONS[@]}" click "${PLANK1[@]}")
    act_click "${PLANK1[@]}"
    expect_like page_open "${MOVING[@]}" -- "${ACTIONS[@]}"
}

# first_answer_wrong_then_right: the first answer wrong (its digits stay and are marked), then
# erased and answered right.
first_answer_wrong_then_right() {
    type_answer $(((page[0] + 1) % 10))
    expect_like wrong "${MOVING[@]}" -- "${ACTIONS[@]}"
    act_key BackSpace 8
    type_answer "${page[0]}"
}

# finish_and_leave: the finish book, its certificate, back to the title, and out by the leave
# sign; the game must end cleanly.
finish_and_leave() {
    act_click "${FINISH_BOOK[@]}"
    expect_like certificate -- "${ACTIONS[@]}"
    act_click 500 400
    act_move 610 700
    expect_like title_after_run -- "${ACTIONS[@]}"
    click 100 530
    wait_game_exit
    [ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
}
