#!/usr/bin/env bash
# Fails when a C++ file in src/, tests/, bench/ or tools/ differs from the repository's .clang-format.
# Run by ./build.sh test; `clang-format -i` on the files it names mends them.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -d '' files < <(find src tests bench tools -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if clang-format --style=file --dry-run -Werror "${files[@]}"; then
    echo "check-format: ${#files[@]} files follow .clang-format"
else
    echo "check-format: the files above differ from .clang-format" >&2
    exit 1
fi
