# The whole game with the keyboard alone, not one mouse event: a child named by typing, set 3
# started from the title, a page answered with one wrong try and the magnifier, a new page, the
# finish, the certificate, the chart and back, a limit lowered by a held Left, the child deleted,
# and the leave sign. Then the same session with the mouse: the two data files are the same bytes.
source "$(dirname "$0")/run_lib.sh"

PLANK3=(400 290)   # "5 以内算术题", started with the digit 3 on the keyboard
INFO=(400 555)
NEW_USER=(256 509)
DELETE_USER=(367 509)
VIEW_SCORES=(478 509)
NAME_OK=(721 385)
ROW7=(500 442)      # the settings row of set 7 (limit 10); its panel hangs from (250, 460)
ROW7_DOWN=(298 485) # that panel's "<<"
FIRST_CHILD=(500 197)
CURL=(874 618)
CLEAR_BALL=(800 735)
FREE=(600 700)
LEAVE=(100 530)

keys() { # keys KEYSYM VK ...: each pressed and let go, and recorded for the snapshot tool
    while [ $# -gt 0 ]; do
        act_key "$1" "$2"
        shift 2
    done
}
act_type() {
    type_text "$1"
    ACTIONS+=(type "$1")
}
# set7_limit FILE: set 7's number limit in a data file
set7_limit() { python3 "$E2E_DIR/datafile.py" show "$1" | sed -n 's/^sets \([^ ]* \)\{7\}\([0-9]*\)\/.*/\2/p'; }

start_xvfb 1280x1024
# The pointer rests outside where the window will be: the game sees no pointer at all.
xdotool mousemove 0 0

# --- the keyboard ---------------------------------------------------------------------------
start_game
# Round to the information plank, then new user: the eight rows and the first button.
keys shift+Tab 0x10009 shift+Tab 0x10009 shift+Tab 0x10009 Return 13
expect_like users_by_keys -- "${ACTIONS[@]}"
for _ in $(seq 1 9); do keys Tab 9; done
keys Return 13
act_type Kim
expect_like name_typed -- "${ACTIONS[@]}"
keys Return 13 Escape 27
expect_like title_with_kim -- "${ACTIONS[@]}"

read -r -a page < <(answers_after "${ACTIONS[@]}" key 0x33)
keys 3 0x33
expect_like page_by_keys "${MOVING[@]}" -- "${ACTIONS[@]}"
echo "page of ${#page[@]}: ${page[*]}"
type_answer $(((page[0] + 1) % 10))
expect_like wrong_by_keys "${MOVING[@]}" -- "${ACTIONS[@]}"
keys Delete 46
type_answer "${page[0]}"
keys h 0x48
for i in $(seq 2 $((${#page[@]} - 1))); do type_answer "${page[$i]}"; done
expect_like page_done_by_keys "${MOVING[@]}" -- "${ACTIONS[@]}"
keys Next 34
expect_like new_page_by_keys "${MOVING[@]}" -- "${ACTIONS[@]}"
keys ctrl+Return 0x2000D
expect_like certificate_by_keys -- "${ACTIONS[@]}"
keys Return 13
expect_like title_after_run_by_keys -- "${ACTIONS[@]}"

# The chart: down to the information plank, then round to view scores.
for _ in $(seq 1 7); do keys Down 40; done
keys Return 13
for _ in $(seq 1 11); do keys Tab 9; done
keys Return 13
expect_like chart_by_keys -- "${ACTIONS[@]}"
keys Escape 27

# Down to set 7's row, Right opens its panel, a held Left lowers its limit to the end.
for _ in $(seq 1 8); do keys Down 40; done
keys Right 39
expect_like panel_by_keys -- "${ACTIONS[@]}"
xdotool keydown Left
ACTIONS+=(key 37)
expect_like held_left -- "${ACTIONS[@]}" set 7 3 35
xdotool keyup Left
ACTIONS+=(keyup 37 set 7 3 35)
for _ in $(seq 1 100); do
    [ "$(set7_limit "$WORK/bin/Sumora.cfg" 2>/dev/null)" = 3 ] && break
    sleep 0.05
done
[ "$(set7_limit "$WORK/bin/Sumora.cfg")" = 3 ] || fail "the held Left's limit is not in the data file"
echo "set 7's limit is 3 in the data file after the held Left"

# Escape closes the panel onto its row; two Tabs reach delete user; Enter deletes Kim.
keys Escape 27 Tab 9 Tab 9 Return 13
expect_like delete_page_by_keys -- "${ACTIONS[@]}"
keys Return 13
expect_like deleted_by_keys -- "${ACTIONS[@]}"
keys Escape 27 Escape 27
for _ in $(seq 1 12); do keys Down 40; done
expect_like leave_lit_by_keys -- "${ACTIONS[@]}"
keys Return 13
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after the leave sign by keys"
mv "$WORK/bin/Sumora.cfg" "$WORK/keys.cfg"
rm -f "$WORK"/bin/Sumora.cfg.*

# --- the same session with the mouse ----------------------------------------------------------
ACTIONS=(seed "$ZIMBLY_SEED")
start_game
act_click "${INFO[@]}"
act_click "${NEW_USER[@]}"
act_type Kim
expect_like name_typed_by_mouse -- "${ACTIONS[@]}"
act_click "${NAME_OK[@]}"
act_click "${FREE[@]}"
act_move "${PLANK3[@]}"
act_click "${PLANK3[@]}"
expect_like page_by_mouse "${MOVING[@]}" -- "${ACTIONS[@]}"
ball_answer $(((page[0] + 1) % 10))
act_click "${CLEAR_BALL[@]}"
ball_answer "${page[0]}"
act_click "${MAGNIFIER[@]}"
for i in $(seq 2 $((${#page[@]} - 1))); do ball_answer "${page[$i]}"; done
expect_like page_done_by_mouse "${MOVING[@]}" -- "${ACTIONS[@]}"
act_click "${CURL[@]}"
expect_like new_page_by_mouse "${MOVING[@]}" -- "${ACTIONS[@]}"
act_click "${FINISH_BOOK[@]}"
expect_like certificate_by_mouse -- "${ACTIONS[@]}"
act_click 500 400
act_click "${INFO[@]}"
act_click "${VIEW_SCORES[@]}"
expect_like chart_by_mouse -- "${ACTIONS[@]}"
act_click "${VIEW_SCORES[@]}"
act_move "${ROW7[@]}"
act_move "${ROW7_DOWN[@]}"
expect_like panel_by_mouse -- "${ACTIONS[@]}"
xdotool mousedown 1
expect_like held_down -- "${ACTIONS[@]}" press "${ROW7_DOWN[@]}" set 7 3 35
xdotool mouseup 1
ACTIONS+=(release "${ROW7_DOWN[@]}" set 7 3 35)
act_move "${FREE[@]}"
act_click "${DELETE_USER[@]}"
expect_like delete_page_by_mouse -- "${ACTIONS[@]}"
act_click "${FIRST_CHILD[@]}"
expect_like deleted_by_mouse -- "${ACTIONS[@]}"
act_click "${DELETE_USER[@]}"
act_click "${FREE[@]}"
act_move "${LEAVE[@]}"
expect_like leave_lit_by_mouse -- "${ACTIONS[@]}"
click "${LEAVE[@]}"
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after the leave sign by the mouse"

python3 "$E2E_DIR/datafile.py" show "$WORK/keys.cfg"
cmp "$WORK/keys.cfg" "$WORK/bin/Sumora.cfg" || {
    python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg"
    fail "the keyboard's data file differs from the mouse's"
}
echo "the keyboard's session wrote the mouse's bytes ($(stat -c %s "$WORK/keys.cfg") bytes)"
