#!/bin/sh
# The game in a real X window under Xvfb: it must open its window, take the
# clicks and keys sent by xdotool from the intro through the title, the
# rider editor and the level selection to a level, present frames that the
# X server shows exactly, write the new rider to its file, and quit cleanly
# when the window is closed; its journal must then replay identically. The
# menus are played twice: on a screen of the display's own size and on one
# twice as large, where full screen scales every pixel to four.
#   real_window.sh GAME_BINARY GAME_DIR      (FRAME_CHECK names the checker)
set -u
game=$1
gamedir=$2
work=$(mktemp -d)
xvfb_pid=
game_pid=
trap 'kill $xvfb_pid 2>/dev/null; kill $game_pid 2>/dev/null; [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT

fail() { echo "real_window: $*"; exit 1; }

fresh_game_folder() {
    rm -rf "$work/game"
    mkdir -p "$work/game"
    cp -r "$gamedir/Data" "$gamedir/Sound" "$work/game/" 2>/dev/null || mkdir -p "$work/game/Data" "$work/game/Sound"
    # without what a game played from the build's folder left there
    (cd "$work/game/Data" && rm -f riders.dat* settings.dat* Kelvarostrindamuxelor.dat* ghost-*.dat)
}

fresh_game_folder

# Without any display the game says so and ends with status 1.
(cd "$work/game" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$game" 2>"$work/nodisplay.log")
[ $? -eq 1 ] || fail "without a display the game must end with status 1"
grep -q "Unable to create window." "$work/nodisplay.log" || fail "no message without a display"
# A level number that names no level is refused before anything starts.
"$game" --level 150 2>"$work/usage.log"
[ $? -eq 2 ] || fail "--level 150 must end with status 2"
grep -q "usage" "$work/usage.log" || fail "no usage for --level 150"

start_display() { # WIDTH HEIGHT
    kill $xvfb_pid 2>/dev/null
    wait $xvfb_pid 2>/dev/null
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for i in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
}
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy

start_game() { # ARGUMENTS...
    (cd "$work/game" && exec timeout -k 5 60 "$game" "$@" >"$work/game.log" 2>&1) &
    game_pid=$!
    window=$(timeout 20 xdotool search --sync --name '^Kelvarostrindamuxelor$' | head -n 1)
    [ -n "$window" ] || fail "no window titled Kelvarostrindamuxelor"
    sleep 1
}

# Logical 640 x 480 points, scaled to the screen.
at() { xdotool mousemove --window "$window" $(($1 * scale)) $(($2 * scale)) click 1; sleep "$3"; }

shoot() { # NAME
    xwd -root -silent | convert xwd:- -sample "$((100 / scale))%" ppm:"$work/$1.ppm" || fail "cannot capture the screen"
    shots="$shots $1"
}

close_game() {
    "$CLOSE_WINDOW" "$window" || fail "cannot ask the window to close"
    wait $game_pid
    status=$?
    [ $status -eq 0 ] || { cat "$work/game.log"; fail "the game ended with status $status"; }
}

# The font's line height is 16 and its baseline 12: the letter M of the
# editor's grid is at (400, 261), the first level row at y = 50.
play_menus() { # SCREEN_WIDTH SCREEN_HEIGHT SCALE
    scale=$3
    shots=
    fresh_game_folder
    start_display "$1" "$2"
    start_game --record "$work/run.journal"
    at 320 240 1          # a click leaves the intro for the title
    shoot title
    at 520 227 0.8        # Race: no rider yet, so the editor
    xdotool key --window "$window" a d a
    sleep 0.3
    at 400 261 0.5        # M from the letter grid
    shoot editor
    at 480 360 1.5        # Done: the only rider goes on to the levels
    shoot levels
    at 320 50 0.3         # level 0 marked ...
    at 320 50 0.5         # ... and started
    shoot loading
    # Esc back to the title, Esc to the exit picture; closing the window
    # then ends the game.
    xdotool key --window "$window" Escape
    sleep 0.5
    xdotool key --window "$window" Escape
    sleep 0.5
    close_game
    name=$(dd if="$work/game/Data/riders.dat" bs=1 skip=220 count=4 2>/dev/null)
    [ "$name" = "ADAM" ] || fail "the riders file holds '$name', not the rider ADAM"
    for shot in $shots; do
        "$FRAME_CHECK" "$work/run.journal" "$work/$shot.ppm" || fail "the $shot screen at scale $scale does not show a presented frame"
    done
    # The replay starts from the files the recorded run started from.
    rm -f "$work/game/Data/riders.dat"
    (cd "$work/game" && "$game" --replay "$work/run.journal") || fail "the journal does not replay identically"
}

play_menus 640 480 1
play_menus 1280 960 2

find_window() {
    window=$(timeout 10 xdotool search --sync --name '^Kelvarostrindamuxelor$' | head -n 1)
    [ -n "$window" ] || fail "no window titled Kelvarostrindamuxelor"
}

# The other title rows: Options with its music slider and the switch to a
# window and back, Button Config binding Accelerate to X and applied, the
# controls help and the high scores, each left with a key; Esc to the exit
# picture, where a key ends the game. The settings file must hold it all.
fresh_game_folder
start_display 640 480
scale=1
shots=
start_game --record "$work/run.journal"
at 320 240 1          # to the title
at 522 329 0.6        # Options
at 347 248 0.3        # the music slider, half way
at 301 196 1          # the full-screen switch: a window now
find_window
shoot windowed
at 301 196 1          # and full screen again
find_window
at 288 324 0.6        # Button Config
at 320 206 0.3        # the Accelerate row waits ...
xdotool key --window "$window" x
sleep 0.3
shoot controls
at 376 305 0.5        # Apply (below the ten rows)
at 388 324 0.6        # OK
at 522 363 1          # Controls
shoot help
xdotool key --window "$window" space
sleep 0.5
at 522 397 2          # High scores
shoot scores
xdotool key --window "$window" space
sleep 0.5
xdotool key --window "$window" Escape
sleep 0.5
shoot exit
xdotool key --window "$window" space
wait $game_pid
[ $? -eq 0 ] || { cat "$work/game.log"; fail "a key on the exit picture must end the game cleanly"; }
le32() { od -A n -t d4 -j "$1" -N 4 "$work/game/Data/settings.dat" | tr -d ' '; }
[ "$(le32 16)" = 88 ] || fail "Accelerate is bound to $(le32 16), not X (88)"
[ "$(le32 56)" = 128 ] || fail "the music volume is $(le32 56), not 128"
for shot in $shots; do
    "$FRAME_CHECK" "$work/run.journal" "$work/$shot.ppm" || fail "the $shot screen does not show a presented frame"
done

# --level N starts the level at once, with a rider made for it: a key
# starts the countdown, the held button rides toward the pointer, and the
# race shows its HUD with the clock running, then Escape ends the run.
fresh_game_folder
start_game --level 0 --record "$work/race.journal"
xdotool key --window "$window" space
sleep 5
xdotool mousemove --window "$window" 320 150 mousedown 1
sleep 2
shoot race
sleep 1
shoot race_later
xdotool mouseup 1
xdotool key --window "$window" Escape
sleep 1
shoot results
close_game
name=$(dd if="$work/game/Data/riders.dat" bs=1 skip=220 count=5 2>/dev/null)
[ "$name" = "Rider" ] || fail "--level made no rider"
for shot in race race_later results; do
    "$FRAME_CHECK" "$work/race.journal" "$work/$shot.ppm" || fail "the $shot screen does not show a presented frame"
done
# The HUD's clock (top right) runs between the two shots of the race.
clock() { convert "$work/$1.ppm" -crop 90x24+545+0 +repage "$work/$1_clock.ppm"; }
clock race
clock race_later
[ "$(compare -metric AE "$work/race_clock.ppm" "$work/race_later_clock.ppm" null: 2>&1)" != 0 ] ||
    fail "the race clock did not move"

# The level editor: a level number no level file can carry is refused; a
# keep-out drawn with the pointer on a new level is saved when the window
# closes, and the editor shows what it presented.
"$game" --editor 300 2>"$work/usage.log"
[ $? -eq 2 ] || fail "--editor 300 must end with status 2"
fresh_game_folder
start_display 640 480
scale=1
shots=
start_game --editor 150 --record "$work/editor.journal"
at 40 20 0.3                       # Start Poly
for point in "164 84" "264 84" "264 184" "164 184"; do at $point 0.2; done
at 40 20 0.5                       # End Poly
shoot editor_window
close_game
layout="$work/game/Data/level150.lvl"
[ -f "$layout" ] || fail "closing the editor did not save the new level"
counts=$(od -An -tu4 -N4 "$layout" | tr -d ' ')
vertices=$(od -An -tu4 -j28 -N4 "$layout" | tr -d ' ')
[ "$counts" = 1 ] && [ "$vertices" = 4 ] || fail "level150.lvl holds $counts keep-outs of $vertices vertices, not 1 of 4"
"$FRAME_CHECK" "$work/editor.journal" "$work/editor_window.ppm" || fail "the editor's screen does not show a presented frame"
rm -f "$layout"
(cd "$work/game" && "$game" --editor 150 --replay "$work/editor.journal") || fail "the editor's journal does not replay identically"
# Without a level the editor opens level 0: its mask toggled and saved.
masked=$(od -An -tu4 -j24 -N4 "$work/game/Data/level0.lvl" | tr -d ' ')
start_game --editor
at 40 244 0.5                      # Masked / Unmasked
close_game
toggled=$(od -An -tu4 -j24 -N4 "$work/game/Data/level0.lvl" | tr -d ' ')
[ "$toggled" = $((1 - masked)) ] || fail "--editor did not edit level 0 (masked $masked, then $toggled)"
echo "real_window: passed"
