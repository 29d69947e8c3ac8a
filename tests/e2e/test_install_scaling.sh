# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed game: `cmake --install` into a fresh prefix gives a launcher, metainfo and icons
# that the desktop validators accept; the installed binary, started by an ordinary user on a
# 2560x1600 desktop, opens a sharp 2x window whose pointer positions map back to the 1024x768
# client, and keeps its data file in the user's data directory, not beside itself.
source "$(dirname "$0")/lib.sh"

APP_ID=org.zimbly.Zimbly
SCALE=2
BUILD_DIR=$(cd "$(dirname "$GAME_SOURCE_BINARY")" && pwd)
PREFIX="$WORK/prefix"
[ -f "$BUILD_DIR/cmake_install.cmake" ] || fail "no install script in $BUILD_DIR"
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done

# --- install and validate -------------------------------------------------------------------
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$WORK/install.log")"
trap 'chmod -R u+w "$PREFIX" 2>/dev/null; cleanup' EXIT
desktop="$PREFIX/share/applications/$APP_ID.desktop"
metainfo="$PREFIX/share/metainfo/$APP_ID.metainfo.xml"
desktop-file-validate "$desktop" >"$WORK/desktop.log" 2>&1 ||
    fail "desktop-file-validate: $(cat "$WORK/desktop.log")"
grep -q 'error:' "$WORK/desktop.log" && fail "desktop-file-validate: $(cat "$WORK/desktop.log")"
appstreamcli validate --no-net "$metainfo" >"$WORK/metainfo.log" 2>&1 ||
    fail "appstreamcli validate: $(cat "$WORK/metainfo.log")"

# The launcher must name what was installed: the command, the icon at every size, the metainfo.
# key reads the main group; action_key the parents' report action.
key() { sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$1=//p" "$desktop"; }
action_key() { sed -n "/^\[Desktop Action report\]/,/^\[/ s/^$1=//p" "$desktop"; }
[ -x "$PREFIX/bin/$(key Exec)" ] || fail "Exec=$(key Exec) is not in $PREFIX/bin"
[ "$(key Actions)" = "report;" ] || fail "Actions=$(key Actions)"
[ "$(action_key Exec)" = "$(key Exec) --report" ] || fail "the report action runs $(action_key Exec)"
[ "$(action_key 'Name\[zh_CN\]')" = "家长报告" ] || fail "the report action is not named 家长报告"
for lang in '' '\[zh_CN\]'; do
    for field in Name Comment Keywords; do
        [ -n "$(key "$field$lang")" ] || fail "the launcher has no $field$lang"
    done
done
[ "$(key Categories)" = "Education;Game;KidsGame;" ] || fail "Categories=$(key Categories)"
icon=$(key Icon)
for size in 48 128 256; do
    png="$PREFIX/share/icons/hicolor/${size}x$size/apps/$icon.png"
    [ -f "$png" ] || fail "no $size px icon $png"
    dims=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8] == b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$png")
    [ "$dims" = "${size}x$size" ] || fail "the $size px icon is $dims"
done
[ -f "$PREFIX/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $APP_ID.desktop"
printed=$("$PREFIX/bin/zimbly" --version) || fail "--version failed"
version=${printed%%$'\n'*}
grep -q "<release version=\"${version#zimbly }\"" "$metainfo" ||
    fail "the metainfo has no release for '$version'"

# The command line: two answers, everything else refused with the usage.
# The C locale reads the texts as written; English comes from the installed catalogue.
"$PREFIX/bin/zimbly" --help | grep -q '^用法：zimbly' || fail "--help gives no usage"
LANGUAGE=en "$PREFIX/bin/zimbly" --help | grep -q '^Usage: zimbly' ||
    fail "--help in English gives no usage: no catalogue under $PREFIX/share/locale?"
for args in "--bogus" "--version extra" "--help extra" "play"; do
    set +e
    # shellcheck disable=SC2086 # the arguments are meant to split
    "$PREFIX/bin/zimbly" $args >"$WORK/args.out" 2>"$WORK/args.err"
    status=$?
    set -e
    [ "$status" != 0 ] || fail "'zimbly $args' was accepted"
    grep -q '^用法：zimbly' "$WORK/args.err" || fail "'zimbly $args' printed no usage"
    [ -s "$WORK/args.out" ] && fail "'zimbly $args' wrote to stdout"
done
echo "installed and validated; launcher, icons (48, 128, 256, svg) and $version agree"

# --- the installed game, run by an ordinary user on a large desktop --------------------------
# Root may write anywhere, so as root the game runs as nobody; anyone else gets a read-only bin.
chmod 755 "$WORK"
mkdir -p "$WORK/user"
as_user=()
if [ "$(id -u)" = 0 ]; then
    chown nobody "$WORK/user"
    as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
else
    chmod a-w "$PREFIX/bin"
fi
is_writable_for_game() { "${as_user[@]}" test -w "$1"; }
is_writable_for_game "$PREFIX/bin" && fail "the installed bin directory is writable by the game's user"

start_xvfb 2560x1600
(cd "$WORK/user" && exec env HOME="$WORK/user" XDG_DATA_HOME="$WORK/user/data" ZIMBLY_SEED=1 \
    "${as_user[@]}" "$PREFIX/bin/zimbly" >"$WORK/game.log" 2>&1) &
GAME_PID=$!
deadline=$((SECONDS + 30))
until WINDOW=$(xdotool search --name 'Zimbly' 2>/dev/null | head -n 1) && [ -n "$WINDOW" ] &&
    xwininfo -id "$WINDOW" 2>/dev/null | grep -q 'Map State: IsViewable'; do
    [ "$SECONDS" -lt "$deadline" ] ||
        fail "the installed game's window did not appear ($(cat "$WORK/game.log"))"
    sleep 0.05
done
window_origin
info=$(xwininfo -id "$WINDOW")
echo "$info" | grep -q 'Width: 2048' || fail "width: $info"
echo "$info" | grep -q 'Height: 1536' || fail "height: $info"
[ "$WIN_X" = 256 ] && [ "$WIN_Y" = 32 ] || fail "window at ($WIN_X, $WIN_Y), not centred"

# wait_frame PNG [Y0:Y1 ...]: until the window is that snapshot enlarged (or fail).
wait_frame() {
    local deadline=$((SECONDS + 30))
    while :; do
        screenshot frame
        python3 "$E2E_DIR/xwdscaled.py" "$WORK/frame.xwd" "$1" "$WIN_X" "$WIN_Y" "$SCALE" \
            "${@:2}" >"$WORK/compare.log" && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "$(basename "$1"): $(cat "$WORK/compare.log")"
        sleep 0.05
    done
}

# The hand follows the pointer to client (900, 100): only if motion is mapped back does the
# window show exactly the snapshot of that state, each pixel a sharp 2x2 block.
"$BUILD_DIR/snapshot" "$WORK/title.png" move 900 100 || fail "snapshot of the title failed"
move $((900 * SCALE)) $((100 * SCALE))
wait_frame "$WORK/title.png"
echo "title: the 2048x1536 window is the 1024x768 title frame, pixel-exact at 2x"

# A press on a free spot drags the window by the very pixel pressed (an odd one, inside the
# 2x2 block of client (900, 600)), so the window follows the pointer exactly.
from_x=$WIN_X
from_y=$WIN_Y
move $((900 * SCALE + 1)) $((600 * SCALE + 1))
xdotool mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove $((from_x + 900 * SCALE + 1 - 20 * step)) $((from_y + 600 * SCALE + 1 - 4 * step))
done
deadline=$((SECONDS + 10))
until window_origin && [ "$WIN_X" = $((from_x - 100)) ] && [ "$WIN_Y" = $((from_y - 20)) ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "dragged window at ($WIN_X, $WIN_Y), not ($((from_x - 100)), $((from_y - 20)))"
    sleep 0.05
done
xdotool mouseup 1
echo "dragged by (-100, -20) from a 2x press: the window followed exactly"

# Plank 0 clicked at its scaled position starts a run: after the slide the exercise screen
# with the page of seed 1 (the butterflies' rows left out: they flap on their own clock).
"$BUILD_DIR/snapshot" "$WORK/exercise.png" seed 1 move 900 100 move 525 200 click 525 200 ||
    fail "snapshot of the exercise screen failed"
click $((525 * SCALE)) $((200 * SCALE))
wait_frame "$WORK/exercise.png" 0:495 523:628 656:768
echo "plank 0 clicked at its 2x position: the exercise screen of the run, pixel-exact"

stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after SIGTERM ($(cat "$WORK/game.log"))"
[ -f "$PREFIX/bin/Sumora.cfg" ] && fail "the installed game wrote beside its executable"
python3 "$E2E_DIR/datafile.py" defaults "$WORK/expected.cfg"
cmp "$WORK/user/data/zimbly/Sumora.cfg" "$WORK/expected.cfg" ||
    fail "no default data file in \$XDG_DATA_HOME/zimbly/"
echo "data file written to \$XDG_DATA_HOME/zimbly/Sumora.cfg, nothing beside the executable"
