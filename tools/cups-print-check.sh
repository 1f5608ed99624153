#!/usr/bin/env bash
# Prints three recipes through a real CUPS queue and shows that the job that
# arrived holds their dish names. cupsd runs from a private folder under /tmp
# (configuration, spool, logs, socket) and is stopped at the end; nothing on
# the system is changed. The queue's device is a file, written by a small
# backend of the private folder.
#   tools/cups-print-check.sh [PATH/TO/QVRECIPE]
# Exit status: 0 the job arrived with the names, 77 cupsd is not installed or
# cannot start here, anything else a failure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$top/build/QVRECIPE}
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
if [ ! -x "$cupsd" ] || ! command -v lpadmin >/dev/null || ! command -v pdftotext >/dev/null; then
    echo "cupsd, lpadmin or pdftotext missing: skipped" >&2
    exit 77
fi
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

work=$(mktemp -d /tmp/qvrecipe-cups.XXXXXX)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work"/{spool/tmp,cache,state,log,out,home,ppd}
# Filters and the file device run as an unprivileged user when cupsd is root.
chmod 0777 "$work/out" "$work/spool/tmp"
chmod 0755 "$work"
user=$(id -un)
[ "$(id -u)" -eq 0 ] && user=lp
group=$(id -gn "$user")

cat >"$work/cups-files.conf" <<CONF
ServerRoot $work
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
User $user
Group $group
SystemGroup $(id -gn)
ServerBin $work/serverbin
CONF
mkdir -p "$work/serverbin/backend"
for d in filter daemon cgi-bin monitor notifier driver; do
    [ -e "/usr/lib/cups/$d" ] && ln -s "/usr/lib/cups/$d" "$work/serverbin/$d"
done
cat >"$work/serverbin/backend/qvfile" <<'SH'
#!/bin/sh
# Writes the job to the file the device URI names.
[ $# -eq 0 ] && { echo 'direct qvfile "Unknown" "Job to file"'; exit 0; }
out=${DEVICE_URI#qvfile:}
if [ -n "$6" ]; then cat "$6" >"$out"; else cat >"$out"; fi
SH
chmod 0755 "$work/serverbin/backend/qvfile"
cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF

"$cupsd" -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" &
pid=$!
export CUPS_SERVER=$work/cups.sock
for _ in $(seq 100); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
if ! lpstat -r >/dev/null 2>&1; then
    # A machine where cupsd cannot run here (no rights, no sockets) skips.
    echo "cupsd did not start: skipped" >&2
    cat "$work/log/error_log" >&2 || true
    exit 77
fi

queue=qvrecipe-file
lpadmin -p "$queue" -E -v "qvfile:$work/out/job.out"

# Three recipes in a program folder of their own.
cp "$top/tests/data/new-sample-file.csv" "$work/home/recipes.csv"
QVRECIPE_HOME=$work/home QT_QPA_PLATFORM=offscreen "$program" --print "$queue" "$work/home/recipes.csv"

# Wait for the job to leave the queue.
for _ in $(seq 300); do
    [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && [ -s "$work/out/job.out" ] && break
    sleep 0.1
done
[ -s "$work/out/job.out" ] || { echo "no job arrived" >&2; cat "$work/log/error_log" >&2 || true; exit 1; }

pdftotext "$work/out/job.out" "$work/out/job.txt"
echo "job: $(head -c 8 "$work/out/job.out" | tr -dc '[:print:]'), $(stat -c %s "$work/out/job.out") bytes"
missing=0
for name in ごはんコロッケ ラーメン焼きそば 水出しアイスティー; do
    if grep -q "$name" "$work/out/job.txt"; then
        echo "found: $name"
    else
        echo "missing: $name" >&2
        missing=1
    fi
done
exit $missing
