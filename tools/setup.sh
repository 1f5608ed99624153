#!/usr/bin/env bash
# Set-up, build and run on Debian 12 (as root, or with the packages present).
#   tools/setup.sh run       build and start the program on its sample data
#   tools/setup.sh test      build (with ASan/UBSan) and run every test
#   tools/setup.sh release   build as a packager would (RelWithDebInfo, no
#                            sanitizers, benchmarks too) and run every test
#   tools/setup.sh package [BUILD_DIR]
#                            make the Debian package and check what it holds
#   tools/setup.sh fuzz [S]  build the fuzz harnesses with clang and run each
#                            for S seconds (default 30)
set -euo pipefail
mode=${1:-test}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
          libgl1-mesa-dev libxkbcommon-dev fonts-ipafont qt6-translations-l10n
          xvfb xauth poppler-utils desktop-file-utils appstream)
case "$mode" in
package) packages+=(dpkg-dev file) ;;
fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
esac
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]} (run as root to install them)" >&2
        exit 1
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
case "$mode" in
run)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
    cmake --build build -j "$jobs"
    shift || true
    # The program folder is the executable's folder unless QVRECIPE_HOME says otherwise.
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1280x1024x24" build/QVRECIPE "$@"
    fi
    exec build/QVRECIPE "$@"
    ;;
test)
    sanitize=${QV_SANITIZE:-ON}
    # The benchmarks are built by the release build, where their figures mean something.
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE="$sanitize" \
          -DQV_BUILD_BENCH=OFF
    cmake --build build-test -j "$jobs"
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cd build-test
    ctest --output-on-failure -j "$jobs"
    ;;
release)
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_SANITIZE=OFF \
          -DQV_BUILD_BENCH=ON
    cmake --build build-release -j "$jobs"
    cd build-release
    ctest --output-on-failure -j "$jobs"
    ;;
package)
    shift || true
    exec tools/package-check.sh "$@"
    ;;
fuzz)
    shift || true
    exec tools/fuzz.sh "${1:-30}"
    ;;
*)
    echo "usage: $0 run|test|release|package [BUILD_DIR]|fuzz [seconds]" >&2
    exit 2
    ;;
esac
