#!/usr/bin/env bash
# Plays one short run of an installed Vexo the way a player starts it: through
# its launcher, from a working directory that holds no game files, on a
# virtual screen. Any key passes the start-up log, Return takes the preset
# screen mode, the first weapon prompt must appear; Return and Space end the
# two weapon choices, and in the battle, with no shot fired, the music must
# be heard (the sound goes to a WAV file through the capture device of
# tests/support). Esc ends the run, which must end with status 0.
# Usage: play_through.sh LAUNCHER
set -euo pipefail
launcher=$1
support=$(cd "$(dirname "$0")/../support" && pwd)
music_check=$(cd "$(dirname "$0")/../e2e" && pwd)/music_check.py
work=$(mktemp -d)
xvfb_pid=
game_pid=
finish() {
  if [[ -n $game_pid ]]; then kill "$game_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- game output:" >&2
  cat "$work/game.log" >&2 2>/dev/null || true
  exit 1
}

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Xvfb picks a free display itself, so runs in parallel never collide.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
wait_until 10 xdpyinfo >/dev/null 2>&1 || fail "Xvfb does not answer on $DISPLAY"

game_window_open() { xwininfo -root -children 2>/dev/null | grep -q '"vexo"'; }

# The weapon prompt is the only white text that reaches past the 320-pixel
# start-up window along the top rows of the screen.
prompt_on_screen() {
  import -window root "$work/shot.png" 2>/dev/null || return 1
  local white
  white=$(convert "$work/shot.png" -crop 240x8+330+0 +repage -threshold 90% -format '%[fx:mean]' info:)
  awk -v w="$white" 'BEGIN { exit !(w > 0.05) }'
}

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

# Player 2's prompt is the longer one, and the battle's HUD shows player 2's
# numbers in blue where the prompts were white.
second_prompt_on_screen() {
  import -window root "$work/shot.png" 2>/dev/null || return 1
  local white
  white=$(convert "$work/shot.png" -crop 16x8+572+0 +repage -threshold 90% -format '%[fx:mean]' info:)
  awk -v w="$white" 'BEGIN { exit !(w > 0.05) }'
}
battle_on_screen() {
  import -window root "$work/shot.png" 2>/dev/null || return 1
  local blue
  blue=$(convert "$work/shot.png" -crop 120x8+350+0 +repage -format '%[fx:mean.b-mean.r]' info:)
  awk -v b="$blue" 'BEGIN { exit !(b > 0.02) }'
}
press() { xdotool keydown "$1"; sleep 0.1; xdotool keyup "$1"; }
captured_bytes() { stat -c %s "$work/capture.wav" 2>/dev/null || echo 0; }
# Two more seconds of sound (44100 stereo 16-bit frames a second).
two_more_seconds() { (($(captured_bytes) >= $1 + 2 * 176400)); }

mkdir "$work/elsewhere"
cd "$work/elsewhere"
ALSA_CONFIG_PATH="$support/alsa-capture.conf" \
VEXO_CAPTURE_WAV="|$support/paced_capture.py $work/capture.wav" \
  "$launcher" >"$work/game.log" 2>&1 &
game_pid=$!

wait_until 10 game_window_open || fail "no game window appeared"
# Keys go to the window under the pointer: there is no window manager.
xdotool mousemove 160 100
sleep 0.5
xdotool key space
sleep 0.5
xdotool key Return
wait_until 20 prompt_on_screen || fail "the first weapon prompt never appeared"
xdotool mousemove 160 100
press Return
wait_until 20 second_prompt_on_screen || fail "player 2's weapon prompt never appeared"
press space
wait_until 20 battle_on_screen || fail "the battle never began"
quiet_from=$(captured_bytes)
wait_until 20 two_more_seconds "$quiet_from" || fail "no sound reached the capture device"

xdotool keydown Escape
ended=yes
wait_until 20 game_ended || ended=no
xdotool keyup Escape
[[ $ended == yes ]] || fail "the game did not end while Esc was held"

status=0
wait "$game_pid" || status=$?
game_pid=
((status == 0)) || fail "the game ended with status $status"
/usr/bin/python3 "$music_check" "$work/capture.wav" || fail "no music in the battle"
echo "played through: $launcher"
