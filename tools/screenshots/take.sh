#!/usr/bin/env bash
# Screenshots of the main window and of every dialog kind in real SDL windows under Xvfb, on a
# 1920x1080 screen (scale 1) and on a 3840x2160 screen (scale 2, chosen by the program from the
# display), into OUTDIR/1920x1080 and OUTDIR/3840x2160.
#   tools/screenshots/take.sh [PROGRAM] [OUTDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
program=$(realpath "${1:-$here/build/verivire}")
out=$(realpath -m "${2:-$here/docs/screens}")
for screen in 1920x1080 3840x2160; do
  run=${TMPDIR:-/tmp}/verivire-screens-$screen  # a fixed name: the file dialog shows it
  rm -rf "$run"; mkdir -p "$run"
  cp -r "$here/data/." "$run/"
  (cd "$run" && UX_SCRIPT="$here/tools/screenshots/dialogs.uxs" \
     xvfb-run -a -s "-screen 0 ${screen}x24" "$program" >/dev/null)
  mkdir -p "$out/$screen"
  cp "$run"/*.png "$out/$screen/"
  rm -rf "$run"
  echo "$screen: $(ls "$out/$screen" | wc -l) pictures in $out/$screen"
done
