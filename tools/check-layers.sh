#!/usr/bin/env bash
# Fails when an include in src/ runs against the layers: platform <- core <- presentation <- game, with
# the puzzle engine beside them on the standard library alone, and only src/platform including system
# or library headers (SDL, OpenAL, the codecs, POSIX: any <...> with a ".h" or a folder in it).
# Run by ctest (test LayerIncludes) and so by ./build.sh test.
set -euo pipefail
cd "$(dirname "$0")/../src"

# The folders each layer may include from, besides the standard library.
declare -A allowed=(
    [platform]="platform"
    [core]="platform core"
    [presentation]="platform core presentation"
    [game]="platform core presentation game"
)

status=0
fail() {
    echo "check-layers: $1" >&2
    status=1
}

while IFS= read -r -d '' file; do
    layer=${file%%/*}
    while IFS= read -r line; do
        number=${line%%:*}
        text=${line#*:}
        where="src/$file:$number: ${text}"
        if [[ $text =~ \#include[[:space:]]*\<([^>]*)\> ]]; then
            header=${BASH_REMATCH[1]}
            if [[ $layer != platform && ( $header == */* || $header == *.h ) ]]; then
                fail "$where: only src/platform includes system or library headers"
            fi
        elif [[ $text =~ \#include[[:space:]]*\"([^\"]*)\" ]]; then
            header=${BASH_REMATCH[1]}
            if [[ $layer == engine ]]; then
                [[ $header == */* ]] && fail "$where: the engine includes only its own headers"
            elif [[ $header == */* ]]; then
                from=${header%%/*}
                [[ " ${allowed[$layer]} " == *" $from "* ]] || fail "$where: $layer must not include $from"
            elif [[ $layer != game ]]; then
                # A bare name is an engine header; only the game uses the engine.
                fail "$where: only the game includes the engine"
            fi
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find platform core presentation game engine -type f \( -name '*.cpp' -o -name '*.h' \) -print0)

[ $status -eq 0 ] && echo "check-layers: every include in src/ runs down the layers"
exit $status
