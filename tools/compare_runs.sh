#!/usr/bin/env bash
# Runs every automation script of tests/scripts with two builds of the program and compares
# every file the runs leave, byte for byte: a change meant to be invisible (a faster hot path,
# a refactoring) must leave all of them equal.
#   tools/compare_runs.sh [--threads] OLD_PROGRAM NEW_PROGRAM [OUTDIR [SCRIPT_NAME ...]]
# Both programs run in the same directory, one after the other, so that files naming it agree;
# the unseeded random dates of jdfest.txt differ by nature and are listed apart. Exit status 0
# when nothing else differs. --threads runs the old side with UX_THREADS=1 and the new side with
# the caller's UX_THREADS (unset: all cores), so that
#   tools/compare_runs.sh --threads build/verivire build/verivire
# checks that the sampling loops give the same bytes on one core as on all. Script names
# (without .uxs) restrict the run to those scripts.
set -u
threads=0
if [ "${1:-}" = --threads ]; then threads=1; shift; fi
old=$(realpath "$1") new=$(realpath "$2") out=${3:-/tmp/compare_runs}
shift $(($# < 3 ? $# : 3))
here=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$out"
mkdir -p "$out/old" "$out/new"
scripts=()
if [ $# -gt 0 ]; then
  for name in "$@"; do scripts+=("$here/tests/scripts/$name.uxs"); done
else
  scripts=("$here"/tests/scripts/*.uxs)
fi
for script in "${scripts[@]}"; do
  name=$(basename "$script" .uxs)
  for side in old new; do
    program=$old
    [ $side = new ] && program=$new
    environment=()
    [ $threads = 1 ] && [ $side = old ] && environment=(UX_THREADS=1)
    env "${environment[@]}" bash "$here/tests/scripts/run_script.sh" "$program" "$script" \
      "$here/data" "$out/run/$name" >"$out/$side/$name.log" 2>&1
    rm -rf "$out/run/$name.before"
    mv "$out/run/$name" "$out/$side/$name"
  done
done
# Clock times of a run (the run records' start and end and their seed drawn from the clock, the
# terminal log's session line, the shuffle test's "Run:" line) differ between any two runs: they
# are masked before the comparison.
find "$out/old" "$out/new" -type f \( -name '*.jsonl' -o -name '*.json' -o -name '*.log' \
  -o -name '*.txt' \) -exec sed -i -E \
  -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z/TIME/g' \
  -e 's/"source":"clock","value":[0-9]+/"source":"clock","value":CLOCK/g' \
  -e 's/^[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}$/TIME/' {} +
status=0
while IFS= read -r line; do
  case "$line" in
    *jdfest.txt*) echo "expected to differ: $line" ;;
    *) echo "$line"; status=1 ;;
  esac
done < <(diff -rq "$out/old" "$out/new" | sed "s|$out/||g")
[ $status -eq 0 ] && echo "all files equal"
exit $status
