#!/usr/bin/env bash
# The headless back end honours UX_SCALE: on a 3840x2160 screen at scale 2 the screenshots are
# those of a 1920x1080 screen with every pixel doubled; a saved page keeps its own pixel size.
#   scale_screenshots.sh PROGRAM SOURCE_DIR RUN_DIR
set -u
program=$1 source=$2 rundir=$3
script='tab Menu
click "Statistics 1 - Continuum"
expect InputInt
screenshot dialog.ppm
screenshot main main.ppm
savegraphic 1 page.bmp
quit'
for side in small big; do
  rm -rf "$rundir/$side"; mkdir -p "$rundir/$side"
  cp -r "$source/data/." "$rundir/$side/"
  printf '%s\n' "$script" >"$rundir/$side/run.uxs"
done
(cd "$rundir/small" && UX_PLATFORM=headless UX_SCREEN=1920x1080 UX_SCRIPT=run.uxs "$program") || exit 1
(cd "$rundir/big" && UX_PLATFORM=headless UX_SCREEN=3840x2160 UX_SCALE=2 UX_SCRIPT=run.uxs "$program") || exit 1
cmp "$rundir/small/page.bmp" "$rundir/big/page.bmp" || { echo "the saved page differs"; exit 1; }
python3 - "$rundir" <<'PY'
import sys
def ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum, each followed by one blank
        end = pos
        while data[end] not in b' \t\n\r': end += 1
        fields.append(data[pos:end]); pos = end + 1
    return int(fields[1]), int(fields[2]), data[pos:]
failed = False
for name in ('dialog.ppm', 'main.ppm'):
    w, h, small = ppm(sys.argv[1] + '/small/' + name)
    W, H, big = ppm(sys.argv[1] + '/big/' + name)
    if (W, H) != (2 * w, 2 * h):
        print(name, 'is', W, 'x', H, 'not twice', w, 'x', h); failed = True; continue
    for y in range(h):
        row = small[3 * w * y: 3 * w * (y + 1)]
        doubled = b''.join(row[i:i + 3] * 2 for i in range(0, len(row), 3))
        if big[6 * w * 2 * y: 6 * w * (2 * y + 1)] != doubled or \
           big[6 * w * (2 * y + 1): 6 * w * (2 * y + 2)] != doubled:
            print(name, 'differs in row', y); failed = True; break
sys.exit(1 if failed else 0)
PY
