#!/bin/sh
# Solving benchmark: makes the puzzle sets (bench/SolveBench make, plus 95 qqwing "expert" puzzles)
# in a temporary folder and times SolvePuzzle on them, qqwing --solve on the same 9 x 9 files.
#   bench/solve_bench.sh [build dir] [repeat]
set -e
build=${1:-build}
repeat=${2:-5}
sets=$(mktemp -d)
trap 'rm -rf "$sets"' EXIT
"$build/bench/SolveBench" make "$sets"
qqwing --generate 95 --difficulty expert --one-line | sed 's/$/ 1/' > "$sets/qqwing9.txt"
"$build/bench/SolveBench" run "$sets/hard9.txt" "$sets/clue17.txt" "$sets/qqwing9.txt" \
    "$sets/minimal16.txt" "$sets/several16.txt" "$sets/nosolution16.txt" "$sets/shortunit.txt" --repeat="$repeat" --qqwing
