#!/bin/sh
# The game installed under a read-only prefix and started from another
# working directory: it finds its data set beside bin/, a race of level 0
# is ridden to its results (the computer riding the player's bike), the
# best and the high-score table land under $XDG_DATA_HOME and nothing in
# the prefix changes; the run's journal then replays identically.
#   readonly_install.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "readonly_install: $*"; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
game=$prefix/bin/kelvarostrindamuxelor
for f in share/kelvarostrindamuxelor/Data/level0.lvl share/kelvarostrindamuxelor/Sound \
         share/applications/kelvarostrindamuxelor.desktop share/icons/hicolor/64x64/apps/kelvarostrindamuxelor.png; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
chmod -R a-w "$prefix"
listing() { find "$prefix" -printf '%p %s %T@ %m\n' | sort; }
listing >"$work/before"

# Root writes through any mode bits: the game then runs as nobody.
xdg=$work/xdg
mkdir -p "$xdg" "$work/elsewhere"
as_player=
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$work"
    chown nobody "$xdg"
    as_player="setpriv --reuid=nobody --regid=nogroup --clear-groups"
fi
export XDG_DATA_HOME=$xdg SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cd "$work/elsewhere" || fail "no working directory"
riders=$xdg/kelvarostrindamuxelor/riders.dat
$as_player "$game" --level 0 --bot --record "$xdg/race.journal" 2>"$work/game.log" &
pid=$!
# The race is over when the results store the best of level 0, the first
# byte of the riders file.
best=0
for second in $(seq 90); do
    sleep 1
    best=$(od -An -tu1 -N1 "$riders" 2>/dev/null | tr -d ' ')
    [ -n "$best" ] && [ "$best" != 0 ] && break
done
sleep 1
kill -TERM $pid 2>/dev/null
wait $pid
[ -n "$best" ] && [ "$best" != 0 ] || { cat "$work/game.log"; fail "no best of level 0 stored after 90 s"; }
grep -q "Player files go to $xdg/kelvarostrindamuxelor/" "$work/game.log" || { cat "$work/game.log"; fail "no word of where the player files go"; }
name=$(dd if="$riders" bs=1 skip=220 count=5 2>/dev/null)
[ "$name" = "Rider" ] || fail "the riders file under XDG_DATA_HOME holds '$name', not the rider made for --level"
grep -q Rider "$xdg/kelvarostrindamuxelor/Kelvarostrindamuxelor.dat" || fail "the high-score table under XDG_DATA_HOME has no entry of the rider"
listing | diff "$work/before" - || fail "the run changed the installed prefix"

# The replay starts from the files the recorded run started from.
cp "$riders" "$work/riders.dat"
rm -f "$xdg"/kelvarostrindamuxelor/*.dat
$as_player "$game" --level 0 --bot --replay "$xdg/race.journal" >"$work/replay.log" 2>&1 || { cat "$work/replay.log"; fail "the journal does not replay identically"; }
listing | diff "$work/before" - || fail "the replay changed the installed prefix"

# A player file shipped in the data folder is where a new player starts.
data=$prefix/share/kelvarostrindamuxelor/Data
chmod u+w "$data" && cp "$work/riders.dat" "$data/" && chmod a-w "$data" "$data/riders.dat"
listing >"$work/before"
rm -f "$xdg"/kelvarostrindamuxelor/*.dat
timeout -s TERM 2 $as_player "$game" 2>/dev/null
cmp -s "$riders" "$work/riders.dat" || fail "the riders file did not start as the data folder's copy"
listing | diff "$work/before" - || fail "the start changed the installed prefix"
echo "readonly_install: passed"
