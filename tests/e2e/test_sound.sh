# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The sounds as played: SDL's disk audio driver writes what the game plays to a file while a
# scripted page is played through real X input; each sound is found where its input was, and
# silence where nothing should play (muted, a press that changes nothing). The device is closed
# while the game is left alone, and the first sound after such a silence is heard on time.
source "$(dirname "$0")/run_lib.sh"

SOUND_WAV="$(dirname "$GAME_SOURCE_BINARY")/sound_wav"
mkdir -p "$WORK/reference"
"$SOUND_WAV" "$WORK/reference" >/dev/null || fail "sound_wav"

start_xvfb 1280x1024
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw"
python3 "$E2E_DIR/datafile.py" build "$WORK/before.cfg" 0 Tom:
mkdir -p "$WORK/bin"
cp "$WORK/before.cfg" "$WORK/bin/Sumora.cfg"
start_game
ACTIONS+=(user Tom)

# The device's clock: samples written since it opened. The driver empties its file at each
# opening, so each phase below keeps its inputs close together (one opening) and ends once the
# device has closed, when its file is put aside for the check.
audio_at() { echo $(($(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0) / 2)); }
# wait_audio MS: until the device's clock is MS past now, so that a sound has ended.
wait_audio() {
    local until=$(($(audio_at) + $1 * 48))
    for _ in $(seq 1 400); do
        [ "$(audio_at)" -ge "$until" ] && return 0
        sleep 0.02
    done
    fail "the audio device stopped writing"
}
# heard NAME SOUND COMMAND...: runs the input, waits for its sound to end, and notes the
# device's clock before and after the input was sent and at the end.
heard() {
    local name="$1" sound="$2" before sent
    shift 2
    before=$(audio_at)
    "$@"
    sent=$(audio_at)
    wait_audio "${WAIT_MS:-1000}"
    echo "$name $sound $before $sent $(audio_at)" >>"$EVENTS"
}
# end_phase NAME: waits until the device has closed (its file has not grown for 1 s; an open
# device writes 94 KiB a second, paused or not), and sets the phase's audio and events aside.
PHASES=()
end_phase() {
    local size=-1 still=0
    for _ in $(seq 1 150); do
        if [ "$(audio_at)" = "$size" ]; then still=$((still + 1)); else still=0; fi
        [ "$still" -ge 5 ] && break
        size=$(audio_at)
        sleep 0.2
    done
    [ "$still" -ge 5 ] || fail "the audio device stayed open after $1"
    mv "$SDL_DISKAUDIOFILE" "$WORK/$1.raw"
    mv "$EVENTS" "$WORK/$1.events"
    PHASES+=("$1")
}
EVENTS="$WORK/events"
# The title, left alone, opens no device (one opened at start did so within 0.3 s). Absence has
# no state to wait for: a second is given.
sleep 1
[ ! -e "$SDL_DISKAUDIOFILE" ] || fail "the audio device opened with no input"

read -r -a page < <(answers_after "${ACTIONS[@]}" click "${PLANK1[@]}")
act_move "${PLANK1[@]}"
heard plank page act_click "${PLANK1[@]}"
end_phase plank
expect_like page_open "${MOVING[@]}" -- "${ACTIONS[@]}"
# After the silence, a digit's key opens the device and its own sound is not lost.
wrong=$(((page[0] + 1) % 10))
heard wrong_digit key act_key "$wrong" $((0x30 + wrong))
heard wrong_answer wrong act_key Return 13
heard clear key act_key Delete 46
heard empty_submit silence act_key Return 13
heard mute silence act_key m 77
heard muted_digit silence act_key "$wrong" $((0x30 + wrong))
end_phase muted
# The speaker sign has come and gone (2 s) by now: its corner is left out all the same.
expect_like muted "${MOVING[@]}" --skip 966,10,1014,58 -- "${ACTIONS[@]}"
heard unmute silence act_key m 77
heard clear_again key act_key Delete 46
for digit in $(echo "${page[0]}" | grep -o .); do
    heard "digit_$digit" key act_key "$digit" $((0x30 + digit))
done
heard right_answer right act_key Return 13
heard magnifier magnifier act_click "${MAGNIFIER[@]}"
heard magnifier_used silence act_click "${MAGNIFIER[@]}"
heard new_page page act_key Next 34
WAIT_MS=3000 heard certificate certificate act_key Home 36
end_phase answered
expect_like certificate --skip 966,10,1014,58 --skip 940,680,1024,768 -- "${ACTIONS[@]}"

stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
for phase in "${PHASES[@]}"; do
    python3 "$E2E_DIR/audio_events.py" "$WORK/$phase.raw" "$WORK/$phase.events" "$WORK/reference" ||
        fail "the sounds were not as expected ($phase)"
done

# M's last choice (sound on) is kept; `--mute` silences one start and is not kept itself.
grep -qx "mute=0" "$XDG_CONFIG_HOME/zimbly/settings" || fail "M's choice was not kept"
export SDL_DISKAUDIOFILE="$WORK/muted_start.raw"
EVENTS="$WORK/muted_events"
GAME_ARGS=(--mute)
start_game
heard muted_start silence click "${PLANK1[@]}"
stop_game TERM
python3 "$E2E_DIR/audio_events.py" "$WORK/muted_start.raw" "$EVENTS" "$WORK/reference" ||
    fail "a start with --mute was not silent"
grep -qx "mute=0" "$XDG_CONFIG_HOME/zimbly/settings" || fail "--mute was kept"
