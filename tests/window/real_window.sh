#!/bin/sh
# The game in a real X window under Xvfb: it must open its window, take a
# click and keys sent by xdotool, present frames that the X server shows
# exactly, and quit cleanly when the window is closed; its journal must then replay identically.
#   real_window.sh GAME_BINARY GAME_DIR      (FRAME_CHECK names the checker)
set -u
game=$1
gamedir=$2
work=$(mktemp -d)
trap 'kill $xvfb_pid 2>/dev/null; kill $game_pid 2>/dev/null; [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT

fail() { echo "real_window: $*"; exit 1; }

cp -r "$gamedir/Data" "$gamedir/Sound" "$work/" 2>/dev/null || mkdir -p "$work/Data" "$work/Sound"

# Without any display the game says so and ends with status 1.
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$game" 2>"$work/nodisplay.log")
[ $? -eq 1 ] || fail "without a display the game must end with status 1"
grep -q "Unable to create window." "$work/nodisplay.log" || fail "no message without a display"

# A screen of the display's own size, so full screen maps pixel for pixel.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for i in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy

cd "$work"
timeout -k 5 60 "$game" --record "$work/run.journal" >"$work/game.log" 2>&1 &
game_pid=$!

window=$(timeout 20 xdotool search --sync --name '^Kelvarostrindamuxelor$' | head -n 1)
[ -n "$window" ] || fail "no window titled Kelvarostrindamuxelor"
sleep 1

# A click leaves the intro for the title.
xdotool mousemove --window "$window" 320 240 click 1
sleep 1
xwd -root -silent | convert xwd:- ppm:"$work/shot.ppm" || fail "cannot capture the screen"

# Esc goes to the exit picture; closing the window then ends the game.
xdotool key --window "$window" Escape
sleep 0.5
"$CLOSE_WINDOW" "$window" || fail "cannot ask the window to close"
wait $game_pid
status=$?
[ $status -eq 0 ] || { cat "$work/game.log"; fail "the game ended with status $status"; }

"$FRAME_CHECK" "$work/run.journal" "$work/shot.ppm" || fail "the screen does not show a presented frame"
"$game" --replay "$work/run.journal" || fail "the journal does not replay identically"
echo "real_window: passed"
