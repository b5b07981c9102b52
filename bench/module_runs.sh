#!/usr/bin/env bash
# Whole headless runs of every module at its largest dialog values, each in a fresh working
# directory seeded from data/ (UX_PLATFORM=headless: the virtual clock makes the modules' short
# waits free). Prints the wall and user CPU seconds of each run: the minimum and the median wall
# and the median user seconds of the repetitions, for each thread count of THREADS (UX_THREADS
# values, default "1 2"; the counts take turns, so that all meet the same load), and the median
# CPU seconds of the main thread (bench/main_thread_time.c, preloaded): the wall time to expect
# when every thread has a free core.
#   THREADS="1 2" bench/module_runs.sh build/verivire [repetitions] [name ...]
# Names: startup continuum continuum1m density matprob ai10000 ai100000 fluct shuffle500
# shuffle2000 (default: all but continuum1m, the Continuum at N = 1 000 000 for a loaded machine;
# the shuffle runs read a null group of 2000 members that the calibration program beside the
# program writes as group.csv). A module's
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
cc -O2 -shared -fPIC -o "$work/main_thread_time.so" "$here/main_thread_time.c"
calibration="$(dirname "$program")/verivire-shuffle-calibration"
[ -x "$calibration" ] &&
    "$calibration" --write-csv "$work/group.csv" --n 2000 --seed 1 --planted-share 0

script_of() {
    case $1 in
    startup) echo "$work/startup.uxs" ;;
    continuum) echo "$here/module_runs/continuum_10000000.uxs" ;;
    continuum1m) echo "$here/module_runs/continuum_1000000.uxs" ;;
    density_base) echo "$here/module_runs/density_baseline.uxs" ;;
    density) echo "$here/module_runs/density.uxs" ;;
    matprob_base) echo "$here/module_runs/baseline.uxs" ;;
    matprob) echo "$here/module_runs/matprob_10000.uxs" ;;
    ai10000) echo "$here/ai_10000.uxs" ;;
    ai100000) echo "$here/ai_100000.uxs" ;;
    fluct) echo "$here/fluct_100000.uxs" ;;
    shuffle500) echo "$here/module_runs/shuffle_500.uxs" ;;
    shuffle2000) echo "$here/module_runs/shuffle_2000.uxs" ;;
    *) echo "unknown run $1" >&2; exit 2 ;;
    esac
}

once() {  # name threads -> "wall user main"
    local dir="$work/run" script
    script=$(script_of "$1")
    rm -rf "$dir" && mkdir -p "$dir" && cp -r "$root/data/." "$dir/"
    [ -f "$work/group.csv" ] && cp "$work/group.csv" "$dir/"
    (cd "$dir" && /usr/bin/time -f '%e %U' -o "$work/time" \
        env UX_PLATFORM=headless UX_SCRIPT="$script" UX_THREADS="$2" \
        LD_PRELOAD="$work/main_thread_time.so" "$program" >/dev/null 2>"$work/stderr") ||
        { echo "run $1 failed" >&2; exit 1; }
    echo "$(cat "$work/time") $(awk '/^main-thread-cpu/ { print $2 }' "$work/stderr")"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
minimum() { sort -n | head -1; }

names=${*:-startup continuum density_base density matprob_base matprob ai10000 ai100000 fluct shuffle500 shuffle2000}
threads=${THREADS:-1 2}
printf '%-14s %7s %10s %10s %8s %8s\n' run threads wall_min_s wall_med_s user_s main_s
for name in $names; do
    for t in $threads; do : >"$work/times.$t"; done
    for _ in $(seq "$repeat"); do
        for t in $threads; do once "$name" "$t" >>"$work/times.$t"; done
    done
    for t in $threads; do
        low=$(cut -d' ' -f1 "$work/times.$t" | minimum)
        wall=$(cut -d' ' -f1 "$work/times.$t" | median)
        user=$(cut -d' ' -f2 "$work/times.$t" | median)
        main=$(cut -d' ' -f3 "$work/times.$t" | median)
        printf '%-14s %7s %10s %10s %8s %8s\n' "$name" "$t" "$low" "$wall" "$user" "$main"
    done
done
