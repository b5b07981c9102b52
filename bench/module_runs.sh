#!/usr/bin/env bash
# Whole headless runs of every module at its largest dialog values, each in a fresh working
# directory seeded from data/ (UX_PLATFORM=headless: the virtual clock makes the modules' short
# waits free). Prints the wall and user CPU seconds of each run, the median of the repetitions.
#   bench/module_runs.sh build/verivire [repetitions] [name ...]
# Names: startup continuum density matprob ai10000 ai100000 fluct (default: all). A module's
# own share is its run minus its baseline (startup, or the short Continuum and Event analysis
# the comparison modules need first).
set -eu
program=$(realpath "$1")
repeat=${2:-3}
shift $(($# < 2 ? $# : 2))
here=$(cd "$(dirname "$0")" && pwd) root=$(cd "$here/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'quit\n' >"$work/startup.uxs"

script_of() {
    case $1 in
    startup) echo "$work/startup.uxs" ;;
    continuum) echo "$here/module_runs/continuum_10000000.uxs" ;;
    density_base) echo "$here/module_runs/density_baseline.uxs" ;;
    density) echo "$here/module_runs/density.uxs" ;;
    matprob_base) echo "$here/module_runs/baseline.uxs" ;;
    matprob) echo "$here/module_runs/matprob_10000.uxs" ;;
    ai10000) echo "$here/ai_10000.uxs" ;;
    ai100000) echo "$here/ai_100000.uxs" ;;
    fluct) echo "$here/fluct_100000.uxs" ;;
    *) echo "unknown run $1" >&2; exit 2 ;;
    esac
}

once() {  # name -> "wall user"
    local dir="$work/run" script
    script=$(script_of "$1")
    rm -rf "$dir" && mkdir -p "$dir" && cp -r "$root/data/." "$dir/"
    (cd "$dir" && /usr/bin/time -f '%e %U' -o "$work/time" \
        env UX_PLATFORM=headless UX_SCRIPT="$script" "$program" >/dev/null 2>&1) ||
        { echo "run $1 failed" >&2; exit 1; }
    cat "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

names=${*:-startup continuum density_base density matprob_base matprob ai10000 ai100000 fluct}
printf '%-14s %8s %8s\n' run wall_s user_s
for name in $names; do
    : >"$work/times"
    for _ in $(seq "$repeat"); do once "$name" >>"$work/times"; done
    wall=$(cut -d' ' -f1 "$work/times" | median)
    user=$(cut -d' ' -f2 "$work/times" | median)
    printf '%-14s %8s %8s\n' "$name" "$wall" "$user"
done
