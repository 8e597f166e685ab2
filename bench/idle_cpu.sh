#!/bin/bash
# Idle cost of the running game under a virtual X server (Xvfb, software OpenGL), as a player would
# run it: CPU share of one core and memory, read from /proc, on the idle title, the paused title and
# an idle 16 x 16 board, each also as a ratio to the bare frame (bench/bareframe: one 800 x 600
# picture scaled to full screen 60 times a second) measured in the same run before and after the
# game, since the machine's load moves every figure; plus a start-up trace (strace timestamps of the
# files the start-up reads) taken on a separate run, since tracing inflates the CPU the game uses.
#
#   bench/idle_cpu.sh [build/bin/SudokuNumora] [display number, default 97] [seconds per state, default 10]
#
# "cache copy alone" is the bare-frame program drawing what the game draws for a frame in which nothing
# changed (its cached picture copied one to one), the cost such a frame has.
# BARE=<path> names the bare-frame program (default build/bench/BareFrame beside the game's build);
# TRACE=0 leaves out the start-up trace; SHOTS=<folder> saves a screenshot of each measured state.
# Needs Xvfb, xdotool and strace (ImageMagick's import for SHOTS). The game runs full screen on a
# 1024 x 768 screen with its own throw-away player folders; the figures go to standard output (see
# bench/RESULTS.md).
set -eu
GAME=$(realpath "${1:-build/bin/SudokuNumora}")
DISP=":${2:-97}"
SECONDS_PER_STATE=${3:-10}
BARE=$(realpath "${BARE:-$(dirname "$GAME")/../bench/BareFrame}")
TRACE=${TRACE:-1}
WORK=$(mktemp -d)
mkdir -p "$WORK/data" "$WORK/runtime"
chmod 700 "$WORK/runtime"
XVFB_PID=""
GAME_PID=""
BARE_PID=""
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
    [ -n "$BARE_PID" ] && kill "$BARE_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] && tail -5 "$WORK/output.txt"; rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb "$DISP" -screen 0 1024x768x24 >/dev/null 2>&1 &
XVFB_PID=$!
sleep 1
export DISPLAY=$DISP XDG_DATA_HOME=$WORK/data XDG_RUNTIME_DIR=$WORK/runtime ALSOFT_DRIVERS=null
unset SDL_VIDEODRIVER WAYLAND_DISPLAY

# Screen position of a point of the 800 x 600 picture, letterboxed full screen on 1024 x 768.
px() { echo $(( $1 * 1024 / 800 )) $(( $2 * 768 / 600 )); }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# CPU share of one core (per cent) that process $1 used over the next SECONDS_PER_STATE seconds.
cpu_of() {
    local a b
    a=$(ticks "$1")
    sleep "$SECONDS_PER_STATE"
    b=$(ticks "$1")
    echo "($b - $a) * 100 / $(getconf CLK_TCK) / $SECONDS_PER_STATE" | bc -l
}
declare -A CPU
measure() {
    local name=$1
    [ -n "${SHOTS:-}" ] && mkdir -p "$SHOTS" && import -window root "$SHOTS/${name// /_}.png"
    CPU[$name]=$(cpu_of "$GAME_PID")
    printf '%-18s CPU %5.1f %% of one core   RSS %6d KiB   peak RSS %6d KiB\n' "$name" "${CPU[$name]}" \
        "$(awk '/VmRSS/{print $2}' /proc/$GAME_PID/status)" "$(awk '/VmHWM/{print $2}' /proc/$GAME_PID/status)"
}
measure_bare() {
    "$BARE" 0 ${2:-} >/dev/null 2>&1 &
    BARE_PID=$!
    sleep 2
    CPU[$1]=$(cpu_of "$BARE_PID")
    kill "$BARE_PID"
    wait "$BARE_PID" 2>/dev/null || true
    BARE_PID=""
    printf '%-18s CPU %5.1f %% of one core\n' "$1" "${CPU[$1]}"
}

# Starts the game (under strace when $1 is "traced") and waits past the maker's splash and the loading.
start_game() {
    rm -rf "$WORK/data" && mkdir -p "$WORK/data"
    START=$(date +%s.%N)
    if [ "$1" = traced ]; then
        # Without a session bus the game's D-Bus library starts one of its own (dbus-launch), which
        # strace would follow and wait for after the game has ended.
        DBUS_SESSION_BUS_ADDRESS=disabled: \
            strace -f -tt -e trace=openat,connect -o "$WORK/trace.txt" "$GAME" >"$WORK/output.txt" 2>&1 &
        TRACER=$!
        # The game's own process id (strace's child).
        for _ in $(seq 50); do
            GAME_PID=$(pgrep -P "$TRACER" || true)
            [ -n "$GAME_PID" ] && break
            sleep 0.1
        done
    else
        "$GAME" >"$WORK/output.txt" 2>&1 &
        GAME_PID=$!
        TRACER=$GAME_PID
    fi
    xdotool search --sync --name "Sudoku Numora" >/dev/null
    FIRST_WINDOW=$(date +%s.%N)
    # A bare X server has no window manager to give the focus.
    sleep 8
    WINDOW=$(xdotool search --name "Sudoku Numora" | tail -1)
    xdotool windowfocus "$WINDOW"
    xdotool mousemove 1020 760
    sleep 2
}

stop_game() {
    kill "$GAME_PID"
    for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$GAME_PID" 2>/dev/null; then echo "the game did not end on SIGTERM"; kill -9 "$GAME_PID"; fi
    GAME_PID=""
    # A tracer still following something the game left behind lets go of it.
    for _ in $(seq 20); do kill -0 "$TRACER" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$TRACER" 2>/dev/null || true
    wait "$TRACER" 2>/dev/null || true
}

# The start-up trace comes from a run of its own: strace stops the game at its system calls, which
# would inflate the CPU figures.
if [ "$TRACE" != 0 ]; then
start_game traced
stop_game
echo "start-up (from exec):"
awk -v start="$START" '
    function t(s,   p) { split(s, p, ":"); return p[1] * 3600 + p[2] * 60 + p[3] }
    NR == 1 { first = t($2) }
    /gametext.txt/ && !g++ { printf "  %6.3f s  game texts read\n", t($2) - first }
    /data.pak/ && !d++ { printf "  %6.3f s  archive opened\n", t($2) - first }
    /X11-unix/ && !x++ { printf "  %6.3f s  display connected\n", t($2) - first }
    /config.ini/ && !c++ { printf "  %6.3f s  options read\n", t($2) - first }
    /tolvanelogo/ && !s++ { printf "  %6.3f s  maker splash loaded\n", t($2) - first }
    /graphics\/paused/ && !p++ { printf "  %6.3f s  game images loading\n", t($2) - first }
    /hs16x16/ && !h++ { printf "  %6.3f s  best times read (title next)\n", t($2) - first }
' "$WORK/trace.txt"
printf '  %6.3f s  window shown (xdotool)\n' "$(echo "$FIRST_WINDOW - $START" | bc -l)"
echo "  files opened more than once:"
grep -o 'openat([^"]*"[^"]*data/[^"]*"' "$WORK/trace.txt" | sed 's/.*"\(.*\)"/\1/' | sort | uniq -c | awk '$1 > 1 {print "   ", $0}'
fi

echo "load average before the measurement: $(cut -d' ' -f1-3 /proc/loadavg)"
measure_bare "bare frame (1)"
measure_bare "cache copy alone" copy
start_game plain
measure "idle title"
xdotool key p
sleep 1
measure "paused title"
xdotool key p
sleep 1
read -r x y < <(px 400 222); xdotool mousemove "$x" "$y" click 1   # the title's Play
sleep 1.5
read -r x y < <(px 228 427); xdotool mousemove "$x" "$y" click 1   # 16 x 16
sleep 0.5
read -r x y < <(px 166 523); xdotool mousemove "$x" "$y" click 1   # Play
sleep 5
xdotool mousemove 1020 760
sleep 1
measure "idle 16x16 board"

stop_game
measure_bare "bare frame (2)"
echo "load average after the measurement: $(cut -d' ' -f1-3 /proc/loadavg)"
BARE_MEAN=$(echo "(${CPU[bare frame (1)]} + ${CPU[bare frame (2)]}) / 2" | bc -l)
for state in "idle title" "paused title" "idle 16x16 board" "cache copy alone"; do
    printf '%-18s %5.2f x the bare frame (%.1f %%)\n' "$state" "$(echo "${CPU[$state]} / $BARE_MEAN" | bc -l)" \
        "$BARE_MEAN"
done
