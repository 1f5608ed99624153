#!/bin/sh
# Validates a menu entry and an AppStream description:
#   tools/validate-desktop-files.sh FILE.desktop FILE.metainfo.xml
# Errors and warnings fail (hints and infos do not); exit 77, "skipped",
# where the validators are not installed.
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null || exit 77
out=$(desktop-file-validate "$1" 2>&1)
status=$?
[ -n "$out" ] && echo "$out"
if [ $status -ne 0 ] || echo "$out" | grep -qE ': (error|warning): '; then
    echo "desktop-file-validate: $1 not accepted" >&2
    exit 1
fi
appstreamcli validate --no-net "$2"
