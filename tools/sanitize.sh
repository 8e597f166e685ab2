#!/usr/bin/env bash
# Builds the puzzle engine and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ beside the sources and runs the engine tests; any report fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
jobs="$(nproc)"

cmake -S "$root" -B "$build" -DNUMORA_ENGINE_ONLY=ON -DNUMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600
