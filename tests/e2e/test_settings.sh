# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The settings panel through real X input: a limit raised by holding ">>", lowered by one click
# on "<<", a kind switched off; the title shows it, a second start loads it, and the default
# settings button puts the defaults back.
source "$(dirname "$0")/lib.sh"

USERS=(move 500 555 click 500 555)
ROW2=(500 267)    # the row of set 2; its panel hangs below it from (250, 285)
UP=(389 310)      # ">>"
DOWN=(298 310)    # "<<"
SUBTRACT=(396 388) # box 1
DEFAULTS=(790 509)
CLEAR=(600 480)

start_xvfb 1280x1024
start_game
move 500 555
click 500 555
move "${ROW2[@]}"
move "${UP[@]}"
expect_like panel -- "${USERS[@]}" move "${ROW2[@]}" move "${UP[@]}"

# Held for 1.5 s: one step every 50 ms from 500 ms on, and one more at the release.
xdotool mousedown 1
sleep 1.5
xdotool mouseup 1
click "${SUBTRACT[@]}"
click "${DOWN[@]}"
settled_screenshot edited
click 600 700
move 610 700
settled_screenshot title_edited
click 100 530
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"

read -r range operations < <(python3 - "$WORK/bin/Sumora.cfg" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
print(*struct.unpack_from("<iiI", data, 30 + 12 * 2)[0::2])
PY
)
echo "set 2 after the hold: limit $range, kinds $operations"
[ "$range" -ge 12 ] && [ "$range" -le 100 ] || fail "holding >> for 1.5 s gave the limit $range"
[ "$operations" = 33 ] || fail "switching subtraction off gave the kinds $operations"
python3 "$E2E_DIR/datafile.py" defaults "$WORK/expected.cfg"
python3 "$E2E_DIR/datafile.py" with-set "$WORK/expected.cfg" "$WORK/expected.cfg" 2 "$range" 33
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || fail "other bytes of the data file changed"

snap edited set 2 "$range" 33 "${USERS[@]}" move "${ROW2[@]}" move "${DOWN[@]}"
looks_like edited || fail "the panel does not show the edited set"
snap title_edited set 2 "$range" 33 move 610 700
looks_like title_edited || fail "the title does not show the edited limit"

# A second start loads the edit; the default settings button undoes it.
start_game
move 610 700
expect_like title_loaded -- set 2 "$range" 33 move 610 700
move 500 555
click 500 555
move "${CLEAR[@]}"
click "${DEFAULTS[@]}"
expect_like defaults -- "${USERS[@]}" move "${CLEAR[@]}" move "${DEFAULTS[@]}"
click 600 700
click 100 530
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT on the second start"
python3 "$E2E_DIR/datafile.py" defaults "$WORK/expected.cfg"
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || fail "the defaults were not saved"
echo "held >> to $range, subtraction off, loaded again, defaults restored"
