# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The title screen with real X input: pointing lifts a plank and shows its balloon; the leave
# sign ends the program cleanly and the data file is written.
source "$(dirname "$0")/lib.sh"

start_xvfb 1280x1024
start_game
move 900 100
sleep 0.2
screenshot resting
balloon_before=$(pixel resting 850 400)
move 400 330 # plank 3
balloon_after=$(wait_change 850 400 "$balloon_before")
screenshot pointed
changed=0
for x in 450 480 510 540 570 600; do
    [ "$(pixel resting "$x" 340)" != "$(pixel pointed "$x" 340)" ] && changed=$((changed + 1))
done
[ "$changed" -gt 0 ] || fail "the caption of plank 3 did not change when pointed at"
echo "balloon pixel $balloon_before -> $balloon_after; $changed caption samples changed"

click 100 530 # the leave sign
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after the leave sign"
[ -f "$WORK/bin/Sumora.cfg" ] || fail "no data file after the leave sign"
echo "leave sign: exit 0, data file written ($(stat -c %s "$WORK/bin/Sumora.cfg") bytes)"
