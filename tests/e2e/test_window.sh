# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real window: borderless 1024x768 centred on the desktop; SIGTERM ends it cleanly.
source "$(dirname "$0")/lib.sh"

start_xvfb 1280x1024
start_game
info=$(xwininfo -id "$WINDOW")
echo "$info" | grep -q 'Width: 1024' || fail "width: $info"
echo "$info" | grep -q 'Height: 768' || fail "height: $info"
[ "$WIN_X" = 128 ] && [ "$WIN_Y" = 128 ] || fail "window at ($WIN_X, $WIN_Y), not (128, 128)"
xprop -id "$WINDOW" WM_NAME | grep -q 'Zimbly' || fail "title: $(xprop -id "$WINDOW" WM_NAME)"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after SIGTERM"
echo "window 1024x768 at (128, 128); SIGTERM exit 0"
