# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The data file beside the executable: a first start writes exactly the default bytes at
# SIGTERM, and a second start loads what the first saved.
source "$(dirname "$0")/lib.sh"

start_xvfb 1280x1024
start_game
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
python3 "$E2E_DIR/datafile.py" defaults "$WORK/expected.cfg"
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || fail "first file differs from the defaults"
[ "$(stat -c %s "$WORK/bin/Sumora.cfg")" = 134 ] || fail "first file is not 134 bytes"

# A second start must load the file: change a set and see it survive the next save.
python3 "$E2E_DIR/datafile.py" with-range "$WORK/expected.cfg" "$WORK/bin/Sumora.cfg" 0 57
cp "$WORK/bin/Sumora.cfg" "$WORK/edited.cfg"
start_game
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT on the second run"
cmp "$WORK/bin/Sumora.cfg" "$WORK/edited.cfg" || fail "the second run did not keep what it loaded"
echo "first start wrote the 134 default bytes; the second start loaded and kept them"
