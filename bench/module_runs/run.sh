#!/usr/bin/env bash
# Wall time of whole headless runs (virtual clock) of the comparison modules. Each module's
# time is its run minus a run of the same script without the module.
#   bench/module_runs/run.sh build-NAME/verivire [repetitions]
# Density: 10000 groups of 10; matrix probability: 1000 groups of 50; each after a short
# Continuum and the Event analysis of data/erdbeben.dbf.
set -eu
program=$(realpath "$1") repeat=${2:-3}
here=$(cd "$(dirname "$0")" && pwd) root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() {  # script -> seconds
    local dir="$work/run"
    rm -rf "$dir" && mkdir -p "$dir" && cp -r "$root/data/." "$dir/"
    (cd "$dir" && local start=$(date +%s.%N) &&
        UX_PLATFORM=headless UX_SCRIPT="$here/$1" "$program" >/dev/null 2>&1 &&
        awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f\n", b - a }')
}
for i in $(seq "$repeat"); do
    echo "density $(run density.uxs) baseline $(run density_baseline.uxs)" \
         "matprob $(run matprob.uxs) baseline $(run baseline.uxs)"
done
