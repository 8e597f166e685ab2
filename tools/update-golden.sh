#!/usr/bin/env bash
# Writes every golden reference picture anew (tests/*/golden/*.png): builds the test executables that use
# tests/support/Golden.h (directly or through the scenario harness, tests/game/Scenario.h) in build/ (or
# the build folder given) and runs them with NUMORA_UPDATE_GOLDEN=1.
# The only way references are written; a test run never does it. Look at the changed pictures before
# committing them: `git status tests` lists them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"

targets=()
for src in $(grep -l -e '"support/Golden.h"' -e '"Scenario.h"' "$root"/tests/*/*Test.cpp); do
    targets+=("$(basename "$(dirname "$src")")_$(basename "$src" .cpp)")
done
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" game_data

cd "$build/tests"
for target in "${targets[@]}"; do
    echo "== $target"
    NUMORA_UPDATE_GOLDEN=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null \
        "./$target" --gtest_brief=1
done
