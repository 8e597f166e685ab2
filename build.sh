#!/usr/bin/env bash
# Set-up, build and run for Sudoku Numora on Debian 12.
#   ./build.sh run    install missing packages, build (Release) and start the game
#   ./build.sh test   install missing packages, build and run every test headless, then check the format
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake pkg-config
          libsdl2-dev libsdl2-mixer-dev libopenal-dev zlib1g-dev libpng-dev libjpeg-dev libfreetype-dev
          libogg-dev libvorbis-dev libgtest-dev libgmock-dev libbenchmark-dev
          librsvg2-bin fonts-crosextra-carlito clang-format
          xvfb xdotool x11-utils libdbus-1-dev libacl1-dev libgl1-mesa-dri dbus-daemon python3-dbusmock)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build build -j "$(nproc)"
}

case "${1:-}" in
    run)
        install_missing
        build
        exec build/bin/SudokuNumora
        ;;
    test)
        install_missing
        build
        export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
        ctest --test-dir build --output-on-failure -j "$(nproc)"
        tools/sanitize.sh
        tools/fuzz.sh
        tools/check-format.sh
        ;;
    *)
        echo "usage: $0 run|test" >&2
        exit 2
        ;;
esac
