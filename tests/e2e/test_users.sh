# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Users through real X input: Latin and Chinese names typed through the keyboard, a duplicate
# refused, a user chosen and another deleted; the data file holds exactly what was left.
source "$(dirname "$0")/lib.sh"

NEW=(256 509)
DELETE=(367 509)
CHANGE=(790 584)
OK=(721 385)
CANCEL=(628 385)
CLEAR=(600 480) # a spot off the rows, so no settings panel opens on the way to a button
row() { echo 500 $((197 + 35 * $1)); }

start_xvfb 1280x1024
start_game
move 500 555
click 500 555
expect_like users -- move 500 555 click 500 555

add_user() {
    move "${CLEAR[@]}"
    click "${NEW[@]}"
    type_text "$1"
}

add_user Tom
expect_like typed_tom -- move 500 555 click 500 555 move "${CLEAR[@]}" click "${NEW[@]}" type Tom
click "${OK[@]}"
add_user 小明䶮 # 䶮 has no GBK form: refused, and the board says so
expect_like typed_chinese -- user Tom move 500 555 click 500 555 \
    move "${CLEAR[@]}" click "${NEW[@]}" type 小明䶮
click "${OK[@]}"
add_user Amy
click "${OK[@]}"
add_user tom # the same name in other letters: refused with the notice, name kept
click "${OK[@]}"
expect_like duplicate -- user Tom user 小明 user Amy move 500 555 click 500 555 \
    move "${CLEAR[@]}" click "${NEW[@]}" type tom click "${OK[@]}"
click "${CANCEL[@]}"
expect_like after_cancel -- user Tom user 小明 user Amy move 500 555 click 500 555 \
    move "${CANCEL[@]}"

# Choose 小明, then delete Tom: 小明 stays current at its new index.
move "${CLEAR[@]}"
click "${CHANGE[@]}"
click $(row 1)
expect_like chosen -- user Tom user 小明 user Amy move 500 555 click 500 555 \
    move "${CLEAR[@]}" click "${CHANGE[@]}" click $(row 1)
click "${CHANGE[@]}"
move "${CLEAR[@]}"
click "${DELETE[@]}"
click $(row 0)
expect_like deleted -- user Tom user 小明 user Amy move 500 555 click 500 555 \
    move "${CLEAR[@]}" click "${CHANGE[@]}" click $(row 1) click "${CHANGE[@]}" \
    move "${CLEAR[@]}" click "${DELETE[@]}" click $(row 0)
click "${DELETE[@]}"

click 600 700 # the grass: back to the title
move 610 700 # the planks follow the pointer from its next move on
# Two children share the game: the sign greets the current one, 小明.
expect_like title_again -- user Amy user 小明 move 610 700
click 100 530 # the leave sign
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
python3 "$E2E_DIR/datafile.py" build "$WORK/expected.cfg" 0 小明: Amy:
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || {
    python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg"
    fail "the data file does not hold 小明 (current) and Amy"
}
echo "users Tom, 小明, Amy added through the keyboard, tom refused, 小明 chosen, Tom deleted"
