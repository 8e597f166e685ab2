#!/usr/bin/env bash
# Runs the libFuzzer targets (archive reader, WAV parser) for a short while when clang and its
# fuzzer runtime are present; skips quietly otherwise. Any crash fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
seconds="${NUMORA_FUZZ_SECONDS:-10}"

if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
    echo "fuzz: clang not installed, skipped"
    exit 0
fi
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
    echo "fuzz: clang has no fuzzer runtime, skipped"
    exit 0
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DNUMORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target PakFuzz WavFuzz
for target in PakFuzz WavFuzz; do
    echo "fuzz: $target for ${seconds}s"
    if ! (cd "$probe" && "$build/fuzz/$target" -max_total_time="$seconds" >"$probe/$target.log" 2>&1); then
        tail -n 40 "$probe/$target.log"
        exit 1
    fi
    tail -n 1 "$probe/$target.log"
done
