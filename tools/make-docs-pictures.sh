#!/usr/bin/env bash
# Remakes the README's pictures from the program itself, in a scratch
# program folder (needs xvfb, xdotool, imagemagick, poppler-utils and
# python3-tk, which holds the recipe text on the clipboard):
#   docs/main-window.png  the main window after a recipe text was analysed
#                         ("/clip") and added to the sample recipes
#   docs/refill-page.png  that recipe printed with --print-pdf on a bible
#                         refill sheet
#
#   tools/make-docs-pictures.sh [PROGRAM]     (default: build/QVRECIPE)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$top/build/QVRECIPE}")
docs=$top/docs
recipe=$top/tests/data/analysis/nikujaga.txt
mkdir -p "$docs"
work=$(mktemp -d /tmp/qvrecipe-docs.XXXXXX)
trap 'rm -rf "$work"' EXIT
export QVRECIPE_HOME=$work/home

cat >"$work/clipboard.py" <<'PY'
import sys, tkinter
root = tkinter.Tk()
root.withdraw()
root.clipboard_clear()
root.clipboard_append(open(sys.argv[1], encoding="utf-8").read())
root.update()
open(sys.argv[2], "w").close()
root.after(120000, root.destroy)
root.mainloop()
PY
cat >"$work/shot.sh" <<'SHOT'
set -euo pipefail
program=$1 recipe=$2 work=$3
python3 "$work/clipboard.py" "$recipe" "$work/ready" &
clip=$!
trap 'kill $clip $pid 2>/dev/null || true' EXIT
pid=
for _ in $(seq 100); do [ -e "$work/ready" ] && break; sleep 0.1; done
"$program" /clip &
pid=$!
# The first start in an empty folder shows the version box over the window.
timeout 60 xdotool search --sync --name '^バージョン情報$' >/dev/null
sleep 1
xdotool key Return
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^QVRECIPE - ' | head -1)
sleep 1
# "追加" stores the analysed recipe and selects it in the list.
xdotool mousemove --window "$window" 466 533 click 1
sleep 2
import -window "$window" "$work/main.png"
SHOT
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/shot.sh" "$program" "$recipe" "$work"
convert "$work/main.png" -strip "$docs/main-window.png"

# Layout 画像付 on bible refills, from the added recipe (the list's order is
# the file's).
from=$(grep -n '肉じゃが' <(iconv -f CP932 -t UTF-8 "$QVRECIPE_HOME/QVRECIPE.csv" | grep -v '^@') | cut -d: -f1)
"$program" --print-pdf "$work/sheet.pdf" --paper 0 --layout 1 --from $((from - 1)) >/dev/null
# The refill page sits in the A4 sheet's top-left corner (about 100 x 170 mm
# with its border): only that part of the first side, framed like a sheet.
pdftoppm -png -r 110 -f 1 -l 1 -x 0 -y 0 -W 450 -H 750 "$work/sheet.pdf" "$work/sheet"
convert "$work"/sheet*.png -bordercolor '#b0b0b0' -border 1 -strip "$docs/refill-page.png"
echo "made $docs/main-window.png and $docs/refill-page.png"
