#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ beside the sources and runs every test there, the end-to-end runs of the real program
# included; any report fails the run. The benchmarks are left out of this build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
jobs="$(nproc)"

# -O1 with line tables only: reports keep their source lines, and the build takes about half as long.
cmake -S "$root" -B "$build" -DNUMORA_SANITIZE=ON -DNUMORA_ENGINE_ONLY=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON "$@"
cmake --build "$build" -j "$jobs"

# Leaks are not checked: the audio, font and display libraries keep their own process-long
# allocations, and the program itself ends through _Exit.
export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1:detect_leaks=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600
