#!/usr/bin/env bash
# Makes the Debian package and checks it without installing it: unpacks it
# into a scratch root (dpkg -x), compares the file list, reads the declared
# dependencies, validates the menu entry and the AppStream file and starts
# the unpacked program for its version.
#   tools/package-check.sh [BUILD_DIR]
# BUILD_DIR: a configured build folder to package. Default: build-release
# when that build exists, else a Release build of the program alone in
# build-package.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=${1:-}
if [ -z "$build" ]; then
    build=build-package
    [ -f build-release/CMakeCache.txt ] && build=build-release
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
fi
cmake --build "$build" -j "$(nproc)" --target QVRECIPE
rm -f "$build"/qvrecipe_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/qvrecipe_*.deb)
echo "package: $deb ($(du -k "$deb" | cut -f1) KB)"

root=$(mktemp -d /tmp/qvrecipe-deb.XXXXXX)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

fail=0
expected='./usr/bin/QVRECIPE
./usr/bin/qvrecipe -> QVRECIPE
./usr/share/applications/qvrecipe.desktop
./usr/share/icons/hicolor/256x256/apps/qvrecipe.png
./usr/share/icons/hicolor/48x48/apps/qvrecipe.png
./usr/share/icons/hicolor/scalable/apps/qvrecipe.svg
./usr/share/metainfo/org.example.qvrecipe.metainfo.xml'
actual=$(cd "$root" && { find . -type f; find . -type l -printf '%p -> %l\n'; } | sort)
if [ "$actual" != "$expected" ]; then
    echo "unexpected file list:" >&2
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-ipafont qt6-translations-l10n; do
    if ! grep -qE "(^|, )$p( |,|$)" <<<"$depends"; then
        echo "the package does not depend on $p" >&2
        fail=1
    fi
done

desktop=$root/usr/share/applications/qvrecipe.desktop
if ! grep -qx 'Exec=/usr/bin/qvrecipe' "$desktop"; then
    echo "menu entry does not start /usr/bin/qvrecipe: $(grep '^Exec=' "$desktop")" >&2
    fail=1
fi
status=0
tools/validate-desktop-files.sh "$desktop" "$root"/usr/share/metainfo/*.metainfo.xml || status=$?
[ $status -eq 0 ] || [ $status -eq 77 ] || fail=1

version=$("$root/usr/bin/qvrecipe" --version)
if [[ "$version" != "QVRECIPE "* ]]; then
    echo "the unpacked program says: $version" >&2
    fail=1
fi
[ $fail -eq 0 ] && echo "package check passed"
exit $fail
