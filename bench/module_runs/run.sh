#!/usr/bin/env bash
# Wall time of whole headless runs (virtual clock) of the comparison modules. Each module's
# time is its run minus a run of the same script without the module.
#   bench/module_runs/run.sh build-NAME/verivire [repetitions]
# Density: 10000 groups of 10 after a Continuum of 10 members, on the hand-made event files of
# tests/scripts/density_continuum.files; matrix probability: 1000 groups of 50 on those of
# tests/scripts/matprob_events.files with the group size set to 50.
set -eu
program=$(realpath "$1") repeat=${2:-3}
here=$(cd "$(dirname "$0")" && pwd) root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() {  # script fixtures [group size] -> seconds
    local dir="$work/run"
    rm -rf "$dir" && mkdir -p "$dir" && cp -r "$root/data/." "$dir/" && cp -r "$2/." "$dir/"
    if [ -n "${3:-}" ]; then echo "$3" >"$dir/eventsdat.txt"; fi
    (cd "$dir" && local start=$(date +%s.%N) &&
        UX_PLATFORM=headless UX_SCRIPT="$here/$1" "$program" >/dev/null 2>&1 &&
        echo "$(date +%s.%N) - $start" | bc)
}
density="$root/tests/scripts/density_continuum.files"
matprob="$root/tests/scripts/matprob_events.files"
for i in $(seq "$repeat"); do
    echo "density $(run density.uxs "$density") baseline $(run density_baseline.uxs "$density")" \
         "matprob $(run matprob.uxs "$matprob" 50) baseline $(run baseline.uxs "$matprob" 50)"
done
