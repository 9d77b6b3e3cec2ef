#!/usr/bin/env bash
# The real game in a virtual screen under valgrind's memcheck: through the
# start-up and the mode dialog, both weapon choices, a stretch of random
# battle keys, then Esc. Passes when the game exits 0 and memcheck reports no
# error outside the library reports named in allegro.supp.
#   valgrind_run.sh GAME_DIR SUPPRESSIONS BATTLE_SECONDS [EXTRA VALGRIND ARGS...]
set -euo pipefail
game_dir="$1"; supp="$2"; battle_seconds="$3"; shift 3

scratch="$(mktemp -d)"
xvfb_pid=""; game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$scratch/display")"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

cd "$game_dir"
valgrind --tool=memcheck --error-exitcode=99 --leak-check=no --num-callers=30 \
    --suppressions="$supp" "$@" ./vexo >"$scratch/game.out" 2>"$scratch/valgrind.log" &
game_pid=$!

press() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; }

# count_pixels X Y W H REGEX: pixels of that screen region whose "(r,g,b"
# text matches REGEX.
count_pixels() {
    import -window root "$scratch/shot.png"
    convert "$scratch/shot.png" -crop "${3}x${4}+${1}+${2}" -depth 8 txt:- | grep -cE "$5" || true
}
# wait_for TIMEOUT X Y W H REGEX: until the region shows such pixels.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until [ "$(count_pixels "$@")" -gt 0 ]; do
        [ $SECONDS -lt $deadline ] || { echo "timed out waiting for $*"; exit 1; }
        sleep 0.5
    done
}
white='\(25[0-5],25[0-5],25[0-5]'
player1='\((24[1-9]|25[0-5]),(1[1-4][0-9]),(1[1-4][0-9])'
player2='\((1[1-4][0-9]),(1[1-4][0-9]),(24[1-9]|25[0-5])'

# Under valgrind the game runs many times slower than usual, so every step
# waits for the screen to show it, and keys are held until they have acted.
xdotool mousemove 160 100
wait_for 120 0 0 320 200 "$white"        # the start-up log
press space
sleep 5                                   # the mode dialog
press Return
wait_for 120 0 0 640 8 "$white"          # player 1's prompt
xdotool keydown Return
wait_for 60 350 9 130 11 "$player2"      # player 2's prompt and HUD
xdotool keyup Return
xdotool keydown space
wait_for 60 0 0 130 8 "$player1"         # the battle's HUD of player 1
xdotool keyup space

# Random battle keys: turns, thrust, both fire keys, weapons, Tab combinations.
keys=(Left Right Up Down d g r f 1 2 3)
raw_fire=(37 105 50 62)  # Control_L, Control_R, Shift_L, Shift_R by keycode
end=$((SECONDS + battle_seconds))
RANDOM=4242
while [ $SECONDS -lt $end ]; do
    case $((RANDOM % 6)) in
    0) xdotool keydown "${raw_fire[RANDOM % 4]}" keydown "${keys[RANDOM % 4]}"; sleep 0.$((RANDOM % 9 + 1))
       xdotool keyup 37 keyup 105 keyup 50 keyup 62 keyup Left keyup Right keyup Up keyup Down ;;
    1) xdotool keydown Tab keydown a; sleep 0.1; xdotool keyup a keyup Tab ;;
    2) xdotool keydown Tab keydown p; sleep 0.1; xdotool keyup p keyup Tab ;;
    *) k="${keys[RANDOM % ${#keys[@]}]}"; xdotool keydown "$k"; sleep 0.$((RANDOM % 9 + 1)); xdotool keyup "$k" ;;
    esac
done
# The battle is on screen: its arena border is drawn in (255, 128, 128),
# which no other phase uses.
import -window root "$scratch/battle.png"
border_pixels="$(convert "$scratch/battle.png" -depth 8 txt:- |
    grep -cE '\((24[1-9]|25[0-5]),(1[1-4][0-9]),(1[1-4][0-9])' || true)"
# Esc stays down until the game has gone: a slow game may read its keys
# long after they were pressed.
xdotool keydown Escape
status=0
for _ in $(seq 1200); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
xdotool keyup Escape
wait "$game_pid" || status=$?
game_pid=""
grep -E 'ERROR SUMMARY|definitely' "$scratch/valgrind.log" || true
if [ "$status" -ne 0 ]; then
    echo "game under valgrind exited with status $status"
    grep -B2 -A30 -E '^==[0-9]+== (Invalid|Conditional|Use of|Syscall|Mismatched|Source and)' "$scratch/valgrind.log" | head -200
    [ -n "${VALGRIND_LOG_COPY:-}" ] && cp "$scratch/valgrind.log" "$VALGRIND_LOG_COPY"
    exit 1
fi
if [ "$border_pixels" -lt 20 ]; then
    echo "the battle never showed its arena border ($border_pixels pixels)"
    exit 1
fi
echo "battle reached: $border_pixels border pixels"
