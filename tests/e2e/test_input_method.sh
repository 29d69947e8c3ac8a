# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A Chinese name typed through the system input method: the pinyin keys go to ibus (libpinyin
# engine) over D-Bus, and the game must see only the characters the child picks, never the Latin
# letters being composed nor the keys that choose or edit the candidates. ibus, its pinyin engine
# and a session bus run privately for this test, with a fresh home, so no user settings or learnt
# words change the candidates. Skipped (exit 77) where ibus or its pinyin engine is not installed.
source "$(dirname "$0")/lib.sh"

skip() {
    echo "SKIP: $* (apt-get install ibus ibus-libpinyin)"
    exit 77
}
for tool in ibus-daemon ibus dbus-daemon setsid; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
MEMCONF=/usr/libexec/ibus-memconf # settings kept in memory: nothing written to dconf
[ -x "$MEMCONF" ] || skip "$MEMCONF is not installed"
[ -f /usr/share/ibus/component/libpinyin.xml ] || skip "the libpinyin engine is not installed"

export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_CACHE_HOME="$WORK/home/.cache"
export XDG_DATA_HOME="$WORK/home/.local/share" XDG_RUNTIME_DIR="$WORK/runtime"
export GSETTINGS_BACKEND=memory
unset IBUS_ADDRESS DBUS_SESSION_BUS_ADDRESS GTK_IM_MODULE QT_IM_MODULE
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The bus and ibus each lead a process group of their own, so that ending the group ends the
# helpers they spawn too (the engine, the settings store, the portal) before $WORK goes.
BUS_GROUP=""
IBUS_GROUP=""
stop_group() {
    [ -n "$1" ] || return 0
    kill -TERM -- "-$1" 2>/dev/null || return 0
    for _ in $(seq 1 100); do
        ps -eo pgid=,stat= | awk -v g="$1" '$1 == g && $2 !~ /^Z/ { found = 1 } END { exit !found }' ||
            return 0
        sleep 0.05
    done
    kill -KILL -- "-$1" 2>/dev/null || true
}
cleanup_input_method() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
    stop_group "$IBUS_GROUP"
    stop_group "$BUS_GROUP"
    cleanup
}
trap cleanup_input_method EXIT

start_xvfb 1280x1024

# The session bus starts after DISPLAY and the private home are set: the ibus portal it starts
# on demand finds the ibus address through them.
setsid dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus.address" \
    >"$WORK/bus.log" 2>&1 &
BUS_GROUP=$!
for _ in $(seq 1 200); do
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus.address" 2>/dev/null || true)
    [ -n "$DBUS_SESSION_BUS_ADDRESS" ] && break
    sleep 0.05
done
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || fail "the session bus did not start ($(cat "$WORK/bus.log"))"
export DBUS_SESSION_BUS_ADDRESS

setsid ibus-daemon --panel=disable --emoji-extension=disable --config="$MEMCONF" \
    >"$WORK/ibus.log" 2>&1 &
IBUS_GROUP=$!
# Asking for the engine fails until the daemon answers; the engine is running once it is set.
engine=""
for _ in $(seq 1 200); do
    ibus engine libpinyin >/dev/null 2>&1 || true
    engine=$(ibus engine 2>/dev/null || true)
    [ "$engine" = libpinyin ] && break
    kill -0 "$IBUS_GROUP" 2>/dev/null || break
    sleep 0.05
done
[ "$engine" = libpinyin ] || fail "ibus did not take the libpinyin engine ($(cat "$WORK/ibus.log"))"

# SDL ignores the X input method for ibus and talks to ibus over D-Bus instead.
export XMODIFIERS=@im=ibus SDL_IM_MODULE=ibus
start_game

NEW=(256 509)
OK=(721 385)
CANCEL=(628 385)
CLEAR=(600 480) # a spot off the rows, so no settings panel opens on the way to a button
BOARD=(move 500 555 click 500 555 move "${CLEAR[@]}" click "${NEW[@]}")

move 500 555
click 500 555
move "${CLEAR[@]}"
click "${NEW[@]}"
expect_like name_board -- "${BOARD[@]}"

# Pointing at a button after the keys shows its highlight only once the game has handled every
# key sent before: by then any letter that got through would be on the board.
xdotool key --delay 60 x i a o m i n g
move "${OK[@]}"
expect_like composing -- "${BOARD[@]}" move "${OK[@]}"

# With a fresh user dictionary libpinyin offers 小名, 小明, 晓明 for xiaoming: 2 picks 小明. The
# characters come later than the key, as a D-Bus signal, hence the wait for the picture.
xdotool key 2
expect_like picked -- "${BOARD[@]}" move "${OK[@]}" type 小明

# With nothing composed the keys are the game's: a digit is typed. Then a letter started and
# taken back with Backspace, and a second Backspace at once: the first belongs to the
# composition, the second erases the digit. The input method's notice that the composition
# ended comes later than the keys after it, so it must not decide who gets them.
xdotool key 1
expect_like digit -- "${BOARD[@]}" move "${OK[@]}" type 小明1
xdotool key --delay 0 m BackSpace BackSpace
move "${CANCEL[@]}"
expect_like edited -- "${BOARD[@]}" move "${OK[@]}" type 小明 move "${CANCEL[@]}"

move "${OK[@]}"
click "${OK[@]}"
expect_like added -- "${BOARD[@]}" type 小明 move "${OK[@]}" click "${OK[@]}"

click 600 700 # the grass: back to the title
move 610 700  # the planks follow the pointer from its next move on
expect_like title_again -- move 610 700
click 100 530 # the leave sign
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
python3 "$E2E_DIR/datafile.py" build "$WORK/expected.cfg" 0 小明:
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || {
    python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg"
    fail "the data file does not hold exactly 小明 (current)"
}
echo "小明 typed as pinyin through ibus-libpinyin; no composing key reached the name"
